// The demodulated-capture mode and its settings.
#pragma once

#include "engine/decode.h"

namespace qv {

// Captures made through a demodulating receiver (README "Demodulated
// captures"). With the absolute tolerance 0 and no excess, every decode is
// as before.
using engine::ExcessMode;

// What IRMenu "Demodulated capture" sets; its settings dialog changes them.
struct DemodSettings {
    float timeTolerance = 0.20f;
    float cycleTolerance = 5000;   // us
    float cycleShare = 0.25f;      // a period also passes within this share of its standard
    float absoluteTolerance = 200; // us
    ExcessMode excessMode = ExcessMode::Auto;
    float excess = 0; // us, for ExcessMode::Given
};

struct Demodulation {
    bool on = false; // IRMenu "Demodulated capture"
    DemodSettings settings;
    // In force for the decode (the mode sets them, so do decode's options).
    float absoluteTolerance = 0; // a time also passes within this of its standard
    float cycleShare = 0;        // a period also passes within this share of its standard
    ExcessMode excessMode = ExcessMode::None;
    float excess = 0;
    // The tolerances before the mode was turned on, given back when it is turned off.
    float savedTimeTolerance = 0.03f, savedCycleTolerance = 500;
};

} // namespace qv
