// SPDX-License-Identifier: MIT
// The packager's checks of a set of catalogues: whether each can be read,
// which entries can never match or match only by leniency, models listed
// twice, and the paths the hand-offs would use.
#pragma once

#include "tools/runNetlume-check/Finding.h"

#include <string>
#include <vector>

namespace check {

struct CatalogueFile {
    enum class Role { Wifi, Other, Any };
    std::string path;
    Role role = Role::Any;
};

// Hands every finding to report as it is found. True when a file could not
// be opened or read at all. buildTime: the driver's own files are not
// installed yet, so a path that is missing on this machine is a warning
// rather than an error.
bool checkCatalogues(const std::vector<CatalogueFile>& files, bool buildTime, Report& report);

} // namespace check
