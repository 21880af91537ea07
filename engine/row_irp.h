// A catalogue row written in IRP notation, built from its fields, so that a
// row can be read (and sent) by the tools that speak IRP. Text only: the
// engine does not parse IRP, the IRP floor does.
#pragma once

#include "engine/decode_values.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qv::engine {

struct RowIrp {
    // The notation; empty when the row cannot be written.
    std::string irp;
    // When it cannot: the field that stops it ("Type", "stru", "T_Time", ...)
    // and why, in words for the user.
    std::string field, why;
    // The code parts as IRP parameters, in the order of the code line:
    // the part's token ("~C") and the parameter's name ("RC").
    std::vector<std::pair<std::string, std::string>> parameters;
    bool ok() const { return !irp.empty(); }
};

// The row's key press in IRP: its coding rule as the bit alternatives, its
// structure's groups as frames (each closed by the row's cycle or lead-out),
// the last group repeated while the key is held.
RowIrp rowIrp(const FormatRow& row);

// The parameters of a code line ("00 FF 12 ED") for the row's IRP: each
// part's digits read as one number. nullopt when the code does not fit.
std::optional<std::vector<std::pair<std::string, int64_t>>>
rowIrpParameters(const FormatRow& row, const RowIrp& irp, const std::string& code);

} // namespace qv::engine
