// The structure walk: the structure string is split at commas and each
// token handed to the frame reader. The frame reader may shorten the
// string at a group end, restart the walk for the next group, or start a
// nested walk on another structure.
#include "engine/walk_context.h"

namespace qv::engine {

namespace {

void walkLoop(Walk& w) {
    WalkState& st = w.state;
    st.structureLen = static_cast<int32_t>(st.structure.size());
    st.structurePos = 1;
    st.runIndex = 1;
    w.d.TimeSum = 0;
    w.d.HexText.clear();
    w.d.PartTexts.clear();
    w.d.DecodeOK = true;
    // The frame reader changes the structure and the positions in it: read them afresh at every
    // step.
    while (st.structurePos <= st.structureLen) {
        if (st.structurePos == st.structureLen) {
            readCode(w, midText(st.structure, st.runIndex));
        } else if (st.structurePos >= 1 &&
                   static_cast<size_t>(st.structurePos) <= st.structure.size() &&
                   st.structure[st.structurePos - 1] == ',') {
            const long length = st.structurePos - st.runIndex;
            readCode(w, length > 0 ? midText(st.structure, st.runIndex, length) : std::string());
            st.runIndex = st.structurePos + 1;
        }
        st.structurePos = st.structurePos + 1;
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

void walkStructure(Walk& w) {
    try {
        walkLoop(w);
    } catch (const RunawayWalk&) {
        w.out.runaway = true;
        w.out.messages.push_back(kWrongFormatMessage);
    } catch (const std::exception&) {
        // A format field that cannot be read ends the walk; what the tokens
        // already did stays.
        w.out.aborted = true;
    }
}

} // namespace qv::engine
