// SPDX-License-Identifier: MIT
#include "platform/linux/ResourceLocation.h"

#include <filesystem>
#include <system_error>

namespace platform::linux_backend {

std::string executableFolder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return {};
    return self.parent_path().string();
}

std::string resourcesFolderFor(const std::string& executableFolder) {
    // Set by the build from the install folders: "../share/runNetlume" for
    // the usual bin/ and share/.
    return (std::filesystem::path(executableFolder) / RUNNETLUME_RESOURCES_FROM_BIN)
        .lexically_normal()
        .string();
}

} // namespace platform::linux_backend
