// SPDX-License-Identifier: MIT
// The arguments the assistant answers by itself, before any display, agent
// or device is touched: --help and --version print and end. Everything else
// is left to Qt (its own options) or ignored, as always.
#pragma once

#include <cstdio>
#include <optional>

namespace platform::qt {

// The exit status when an argument asked for information that was printed
// to out; nothing when the assistant should run.
std::optional<int> answerInformationalArguments(int argc, const char* const argv[], std::FILE* out);

} // namespace platform::qt
