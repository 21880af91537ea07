// The structure walk: the structure string is split at commas and each
// token handed to the frame reader. The frame reader may shorten the
// string at a group end, restart the walk for the next group, or start a
// nested walk on another structure.
#include "engine/walk_context.h"

namespace qv {
namespace engine {

namespace {

void walkLoop(Walk& w) {
    Session& s = w.s;
    s.SpecLen = static_cast<int32_t>(s.FrameSpec.size());
    s.SpecPos = 1;
    s.RunIndex = 1;
    w.d.TimeSum = 0;
    w.d.HexText.clear();
    w.d.DecodeOK = true;
    // The frame reader changes FrameSpec, SpecPos and SpecLen: read them afresh at every step.
    while (s.SpecPos <= s.SpecLen) {
        if (s.SpecPos == s.SpecLen) {
            readCode(w, midText(s.FrameSpec, s.RunIndex));
        } else if (s.SpecPos >= 1 && static_cast<size_t>(s.SpecPos) <= s.FrameSpec.size() &&
                   s.FrameSpec[s.SpecPos - 1] == ',') {
            const long length = s.SpecPos - s.RunIndex;
            readCode(w, length > 0 ? midText(s.FrameSpec, s.RunIndex, length) : std::string());
            s.RunIndex = s.SpecPos + 1;
        }
        s.SpecPos = s.SpecPos + 1;
    }
}

} // namespace

void nestedWalk(Walk& w) {
    if (w.depth >= kMaxNestedWalks) throw RunawayWalk("nested structure walks beyond the limit");
    ++w.depth;
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{w.depth};
    walkLoop(w);
}

} // namespace engine

void HandleData(Session& s) {
    engine::Walk w(s);
    try {
        engine::walkLoop(w);
    } catch (const RunawayWalk&) {
        s.message(kWrongFormatMessage);
    } catch (const std::exception&) {
        // A format field that cannot be read ends the walk; what the tokens
        // already did stays.
    }
}

} // namespace qv
