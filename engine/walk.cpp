// The structure walk: the structure string is split at commas and each
// token handed to the frame reader. The frame reader may shorten the
// string at a group end, restart the walk for the next group, or start a
// nested walk on another structure.
#include "engine/walk_context.h"

namespace qv::engine {

namespace {

void walkLoop(Walk& w) {
    WalkState& st = w.state;
    st.specLen = static_cast<int32_t>(st.spec.size());
    st.specPos = 1;
    st.runIndex = 1;
    w.d.TimeSum = 0;
    w.d.HexText.clear();
    w.d.DecodeOK = true;
    // The frame reader changes the structure and the positions in it: read them afresh at every
    // step.
    while (st.specPos <= st.specLen) {
        if (st.specPos == st.specLen) {
            readCode(w, midText(st.spec, st.runIndex));
        } else if (st.specPos >= 1 && static_cast<size_t>(st.specPos) <= st.spec.size() &&
                   st.spec[st.specPos - 1] == ',') {
            const long length = st.specPos - st.runIndex;
            readCode(w, length > 0 ? midText(st.spec, st.runIndex, length) : std::string());
            st.runIndex = st.specPos + 1;
        }
        st.specPos = st.specPos + 1;
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
