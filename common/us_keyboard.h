#pragma once
// The character a key gives on a US keyboard, by its position: the stand-in for
// switching the keyboard layout to US English, so that key positions, not the
// player's own layout, decide the letter typed.
#include <optional>

namespace gw {

// `x11KeyCode` is the X11 key code (the Linux evdev code + 8). Nothing for keys
// that give no printable character (arrows, function keys, ...).
std::optional<char> usCharacterForKey(unsigned x11KeyCode, bool shift);

}  // namespace gw
