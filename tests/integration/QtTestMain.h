// SPDX-License-Identifier: MIT
// main() of a test program that needs a Qt application object.
#pragma once

#include <QtGlobal>

#include <gmock/gmock.h>

template <typename Application> int runTestsWithQt(int argc, char** argv) {
    // Test discovery runs the program without the test's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    Application application(argc, argv);
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
