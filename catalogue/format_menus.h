// The format menus: eight menus of twenty slots and "&Other". Windows build
// their menu bar from this table; the command line resolves keys with it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qv {

struct FormatMenuEntry {
    std::string menu;       // caption of the menu, "&" marks the access key
    std::string caption;    // caption of the entry; also what goes into irtype
    std::string objectName; // mnuform001 .. mnuform042, mnuForm043 .. mnuForm160, mnuRib ...
    std::string shortcut;   // "F6", "Ctrl+F11", or empty
    bool separatorBefore = false;
    bool available = true;   // "HL" and "SE" cannot be chosen
    std::string key() const; // first 7 characters of the caption
};

// The format a session starts with and a drawn capture falls back to.
inline constexpr std::string_view kDefaultFormatKey = "Form016";

const std::vector<FormatMenuEntry>& formatMenuEntries();
const std::vector<std::string>& formatMenuCaptions(); // the nine menu captions in order

// The entry for a key ("Form016") or a whole caption; nullptr when none.
const FormatMenuEntry* findFormatEntry(std::string_view keyOrCaption);

// Caption text without the access-key marks ("Form001(&AIWA*SANYO)" -> "Form001(AIWA*SANYO)").
std::string withoutAccessKeys(std::string_view caption);

} // namespace qv
