// The tests' key presses are rendered by the program's own signal model.
#pragma once

#include "engine/ir_signal.h"

namespace irsig = qv::irsig;
