// A key press split into intro, repeat and ending, shared by the renderer
// and the decoder.
#pragma once

#include "irp/tree.h"

namespace qv::irp {

// Which alternative of a variation [a][b][c] a pass takes.
enum class Pass : int { Intro = 0, Repeat = 1, Ending = 2 };

// Items [from, to) of a stream, or the whole stream with its repeat count.
struct PartStep {
    int stream = -1;
    size_t from = 0, to = 0;
    int bitCoding = -1;
    Pass pass = Pass::Intro;
    bool wholeStream = false;
};

struct Parts {
    std::vector<PartStep> intro, ending;
    int repeatStream = -1; // the stream marked * or +; -1: none
    int repeatBitCoding = -1;
    int introPasses = 0;     // passes of it the intro holds (+: 1, n+: n)
    bool endingPass = false; // a variation gives it a third, ending pass
};

Parts splitParts(const Protocol::Tree& tree);

// Parameters given, then defaults; refuses missing, unknown and
// out-of-range ones (RenderError).
void assignParameters(const Protocol::Tree& tree, const Params& given, Evaluator& ev);

} // namespace qv::irp
