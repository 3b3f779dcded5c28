// SPDX-License-Identifier: MIT
#pragma once

#include "platform/PlatformProfile.h"

namespace fakes {

// The desktop the assistant was first written for: its exact command texts
// stay checked by the tests, though no build of ours runs there.
const platform::PlatformProfile& classicMacProfile();

} // namespace fakes
