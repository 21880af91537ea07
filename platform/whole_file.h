// Files written whole or not at all: the new text goes to a file beside the
// old one and is renamed over it only once every byte is on the disk, so a
// failed write (a full disk, a pulled stick) leaves the old file as it was.
#pragma once

#include <string>
#include <string_view>

namespace qv {

// Why a write failed, in the user's words: a full disk (or quota) is named
// as such; any other cause is the system's text.
std::string writeFailureText(int error);

// Writes content to path. Returns an empty text when done, else why not
// (writeFailureText); path then holds what it held before. A link is
// followed. A path that is no plain file (a device, a pipe), or a file in a
// folder the user may not write to, is written in place: nothing can be put
// beside it.
std::string writeFileWhole(const std::string& path, std::string_view content);

// Copies the file `from` to `to` the same way.
std::string copyFileWhole(const std::string& from, const std::string& to);

} // namespace qv
