// Cases kept in a data file: "== NAME", the case's lines, "--", and the
// lines the program printed for it. QV_REGENERATE=1 rewrites the printed
// lines from the program (review the diff!).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace qvtest {

// Runs every case of the file through run and compares what it prints; the
// lines before the first case (a header) are handed to run too.
inline void
checkCaseFile(const std::string& path,
              const std::function<std::string(const std::vector<std::string>& header,
                                              const std::vector<std::string>& lines)>& run) {
    std::ifstream in(path);
    ASSERT_TRUE(in) << path;
    std::vector<std::string> header;
    std::vector<std::pair<std::string, std::vector<std::string>>> cases;
    std::vector<std::string> expected;
    bool expecting = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("== ", 0) == 0)
            cases.push_back({line.substr(3), {}}), expected.push_back("");
        if (line.rfind("== ", 0) == 0 || line == "--")
            expecting = line == "--";
        else if (cases.empty())
            header.push_back(line);
        else if (expecting && !line.empty())
            expected.back() += line + "\n";
        else if (!line.empty() && line[0] != '#')
            cases.back().second.push_back(line);
    }
    ASSERT_GT(cases.size(), 20u);
    std::ostringstream again;
    for (const auto& l : header)
        again << l << "\n";
    for (size_t i = 0; i < cases.size(); ++i) {
        const std::string got = run(header, cases[i].second);
        EXPECT_EQ(got, expected[i]) << "case " << cases[i].first;
        again << "== " << cases[i].first << "\n";
        for (const auto& l : cases[i].second)
            again << l << "\n";
        again << "--\n" << got << "\n";
    }
    if (std::getenv("QV_REGENERATE")) std::ofstream(path) << again.str();
}

} // namespace qvtest
