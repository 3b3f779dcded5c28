// SPDX-License-Identifier: MIT
// Outlets may be left unconnected by the interface description; every
// operation on such an outlet does nothing and the flow goes on. on() turns a
// possibly-null outlet into something that can always be called.
#pragma once

#include "platform/Platform.h"

platform::Window& on(platform::Window* window);
platform::Control& on(platform::Control* control);
