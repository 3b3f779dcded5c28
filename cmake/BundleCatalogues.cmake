# SPDX-License-Identifier: MIT
# Checks the maker's two catalogues with the packager's checker and, only if
# it finds no error, copies them into the bundle under their fixed names.
#   cmake -DCHECKER=... -DWIFI=... -DOTHER=... -DDESTINATION=... -P BundleCatalogues.cmake
# --build: the driver's files that the catalogues name are not installed on
# the build machine, so a missing path is a warning, not an error.
foreach(required CHECKER WIFI OTHER DESTINATION)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "BundleCatalogues.cmake: ${required} is not set")
  endif()
endforeach()

execute_process(COMMAND ${CHECKER} --build --wifi ${WIFI} --other ${OTHER}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "The device catalogues have errors (the checker's lines are above); "
    "mend them or point RUNNETLUME_WIFI_CATALOGUE and RUNNETLUME_OTHER_CATALOGUE at good ones.")
endif()
# Always copied, so the outputs are newer than the checker the step depends on.
file(MAKE_DIRECTORY ${DESTINATION})
file(COPY_FILE ${WIFI} ${DESTINATION}/wifiDevices.plist)
file(COPY_FILE ${OTHER} ${DESTINATION}/otherDevices.plist)
