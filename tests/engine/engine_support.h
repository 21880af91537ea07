// What the engine tests share: the source tree and one temporary folder.
#pragma once

#include "tests/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace enginetest {

using qvtest::TempDir;

inline std::string sourcePath(const std::string& relative) {
    return std::string(QV_SOURCE_DIR) + "/" + relative;
}

inline std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace enginetest
