// An analysed press drawn on the waveform as a decode is: its lead-in, a
// bit over each time that tells one, and a bracket under each field with
// the press's value.
#pragma once

#include "analysis/analysis.h"
#include "app/marks.h"

#include <cstdint>
#include <vector>

namespace qv {

// The marks of r's press `press` (or of the other structure it fitted)
// on the capture it was analysed from (a glitch merged as the analysis
// merged it). None when no structure fits it.
DecodeMarks analysisMarks(const analysis::Result& r, size_t press,
                          const std::vector<int64_t>& capture);

} // namespace qv
