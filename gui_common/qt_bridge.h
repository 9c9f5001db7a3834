#pragma once
// The edge between the Qt-free core and the windows: code-page text to and from QString,
// decoded JPEG pictures to QImage, and the US character of a typed key.
#include <QImage>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "common/jpeg.h"

class QKeyEvent;

namespace gw::gui {

// Single-byte code-page text (an ICU code page name such as "windows-1250") as Unicode.
QString fromCodePage(std::string_view bytes, const char* codePage);
// Unicode as code-page bytes. Throws FormatError naming the first character the code page
// cannot hold: such text is refused, never stored with a substitute character.
std::string toCodePage(const QString& text, const char* codePage);

QImage toQImage(const IndexedImage& image);

// The character a key gives on a US keyboard, by the key's position (its X11 key code), so
// that the crossword's own layout decides the letter whatever the desktop's layout is. Where
// no key code exists (offscreen tests), the event's text; a character beyond ASCII becomes
// 0x7F, which no alphabet accepts. Nothing for keys that type nothing or commands with Alt.
std::optional<char> usCharacterOf(const QKeyEvent& event);

}  // namespace gw::gui
