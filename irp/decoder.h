// The decoding form of a table: each protocol compiled once (its parts,
// its tolerances, the window its first burst must fall in, its preference
// conditions) and indexed by name.
#pragma once

#include "irp/irp.h"
#include "irp/parts.h"

#include <unordered_map>

namespace qv::irp {

struct CompiledProtocol {
    NamedProtocol named;
    Parts parts;
    // The first burst a press can start with: at least `firstMin`, and at
    // most `firstMax` when it cannot merge with what follows.
    double firstMin = 0, firstMax = 0;
    bool firstBounded = false;
    // No longer than `firstMax` either, as a gap always follows it (though
    // not written beside it: the first bit's symbol holds both).
    bool firstCapped = false;
    // The shortest burst the notation writes (0: none written as a number):
    // a demodulating receiver's excess is read against it.
    double shortestFlash = 0;
    // The finest timing a reading depends on (µs): the shortest gap, or how
    // far apart the two closest symbols of a bit coding lie (the largest
    // difference of their times, among symbols of the same shape).
    double resolution = 0;
    // Whether nothing a pass walks depends on values read earlier in it
    // (see the walk's failure memo).
    bool valueFree = false;
    // Per expression: whether it reads a name, so that its value may follow
    // from what the walk read before.
    std::vector<bool> readsNames;
    // Per bit coding: whether every alternative is bursts and gaps of fixed
    // length, so that a try of it depends on the walk's state alone.
    std::vector<bool> fixedSymbols;
    // Per bit coding: whether its symbols are bit fields of another coding,
    // so that its bits are not bits the capture sends.
    std::vector<bool> fieldSymbols;
    // Long silences at fixed places of a press's first frame: (the index of
    // the time, the least it lasts). A capture with a short gap there is no
    // press of the protocol, whatever its symbols read.
    std::vector<std::pair<size_t, double>> silences;
    // Whether a definition (a checksum) is sent, to tell close symbols apart.
    bool checksummed = false;
    // Each prefer-over condition parsed as the definition "_c" of a small
    // tree whose other names are the decoded parameters; none: always.
    std::vector<std::optional<Protocol>> conditions;
    std::vector<std::pair<size_t, size_t>> preferred; // (protocol index, preference index)
};

CompiledProtocol compileProtocol(NamedProtocol protocol);

struct ProtocolTable::Compiled {
    std::vector<CompiledProtocol> protocols;
    std::unordered_map<std::string, size_t> byName; // lower-case name or alt name
    void addOne(NamedProtocol protocol, LoadReport& report);
    void reindex();
};

} // namespace qv::irp
