// SPDX-License-Identifier: MIT
// A temporary folder of its own for the running test, made empty.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

inline std::filesystem::path freshTestFolder(const std::string& kind) {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("runnetlume-" + kind + "-" + std::to_string(::getpid()) +
                                          "-" + (test != nullptr ? test->name() : "none"));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}
