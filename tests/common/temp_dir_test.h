// A test with a fresh directory of its own, removed afterwards, and files written into it.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "e2e/process.h"

namespace kalderos::test {

class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override { dir_ = MakeTempDir(); }
    void TearDown() override { RemoveTree(dir_); }

    // Writes `content` to `name` in the test's directory and returns the file's path.
    std::string File(const std::string& name, const std::string& content) const {
        const std::string path = dir_ + "/" + name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    std::string dir_;
};

}  // namespace kalderos::test
