// What the engine tests share: the source tree and one temporary folder.
#pragma once

#include "tests/temp_dir.h"

#include <gtest/gtest.h>

#include <string>

namespace enginetest {

using qvtest::TempDir;

inline std::string sourcePath(const std::string& relative) {
    return std::string(QV_SOURCE_DIR) + "/" + relative;
}

} // namespace enginetest
