// Shared fixtures for the core tests: a fresh catalogue in a temporary folder.
#pragma once

#include "catalogue/catalogue_build.h"
#include "tests/temp_dir.h"

#include <cctype>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace qvtest {

// A test name made of the letters and digits of a text ("5%" -> "5pct").
inline std::string caseName(size_t index, const std::string& text) {
    std::string out;
    for (char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            out += c;
        else if (c == '%')
            out += "pct";
        else if (c == '.')
            out += "dot";
        else if (c == '-')
            out += "minus";
    }
    return "n" + std::to_string(index) + "_" + out.substr(0, 24);
}

inline std::string sourcePath(const std::string& relative) {
    return std::string(QV_SOURCE_DIR) + "/" + relative;
}

// The shipped catalogue, made afresh in dir.
inline std::string freshCatalogue(const TempDir& dir) {
    std::string db = dir.file("IRTime.db");
    qv::buildCatalogueIfMissing(sourcePath("data/catalogue.sql"), db);
    return db;
}

} // namespace qvtest
