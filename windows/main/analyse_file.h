// The presses of a file for the analysis window, read without Qt in sight
// (the signal set's member is named like a Qt keyword).
#pragma once

#include "analysis/analysis.h"

#include <string>
#include <vector>

namespace qv {

// Every signal with times of a file of named signals, or the times of a
// capture file; throws what the readers throw for a file they refuse.
std::vector<analysis::Press> pressesOfFile(const std::string& path);

} // namespace qv
