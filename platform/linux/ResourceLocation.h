// SPDX-License-Identifier: MIT
// Where the bundle's resources lie: always found from the running
// executable, never from the working directory, so that the build tree, an
// installed prefix and a moved copy all find their own.
#pragma once

#include <string>

namespace platform::linux_backend {

// The folder of the running executable (from /proc/self/exe); empty when the
// system does not say.
std::string executableFolder();

// The resources folder of the bundle whose executables lie in folder.
std::string resourcesFolderFor(const std::string& executableFolder);

} // namespace platform::linux_backend
