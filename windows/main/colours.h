// The program's colours: the desktop's scheme by default, or light or dark
// whatever the desktop uses.
#pragma once

#include <QPalette>

namespace qv {

enum class ColourScheme { Desktop, Light, Dark };

// Whether the desktop asks for dark colours: its own palette is dark, its
// appearance setting (the freedesktop portal) prefers dark, or GTK_THEME
// names a dark variant.
bool desktopPrefersDark();

// The palette the program uses for dark colours when the desktop has none;
// its links stay readable on its window and base colours.
QPalette darkPalette();

// Puts the scheme in force for every window of the program.
void applyColourScheme(ColourScheme scheme);
ColourScheme colourScheme();
// True when the colours in force are dark.
bool darkColoursShown();

} // namespace qv
