# SPDX-License-Identifier: MIT
# `cpack -G DEB` (see scripts/package.sh): one package, runnetlume, whose
# library dependencies dpkg-shlibdeps computes from the binaries.
set(RUNNETLUME_PACKAGE_MAINTAINER "The runNetlume developers <maintainers@runnetlume.org>"
  CACHE STRING "The Maintainer field of the Debian package")

set(CPACK_PACKAGE_NAME runnetlume)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${RUNNETLUME_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "printer setup assistant for USB-attached printers")
# One argument: a ";" in it would otherwise split it into a list.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Part of a printer driver package: finds which of the maker's printers is
attached over USB and leads the user through its setup. For a
Wi-Fi-capable model it offers to start the maker's Wi-Fi setup tool; for
a USB-only model it shows four steps and opens the desktop's own printer
settings. Ships with runNetlume-check, which checks the maker's device
catalogues.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${RUNNETLUME_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not linked, so dpkg-shlibdeps cannot see them: systemd, whose user
# instance reloads the driver's agents, Qt's X11 platform plugin, and libcups,
# loaded when the print system is first asked. The session bus (one
# assistant per session; a lock file stands in without it) and the printer
# settings (whichever the desktop has) are recommended.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "systemd, qt6-qpa-plugins, libcups2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
  "dbus-user-session | dbus-x11, system-config-printer | gnome-control-center | print-manager")
set(CPACK_STRIP_FILES ON)
set(CPACK_SET_DESTDIR OFF)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
include(CPack)
