#pragma once

#include <string>

namespace qv {

// Directory of the running executable (where the catalogue, the icons and
// the help lie beside it); the current directory when it cannot be found.
std::string programDirectory();

} // namespace qv
