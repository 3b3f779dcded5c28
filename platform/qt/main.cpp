// SPDX-License-Identifier: MIT
#include "platform/qt/ApplicationMain.h"

int main(int argc, char* argv[]) {
    return platform::applicationMain(argc, argv);
}
