#pragma once
// The edge between the Qt-free core and the windows: code-page text to and from QString,
// decoded JPEG pictures to QImage, and the US character of a typed key.
#include <QHash>
#include <QImage>
#include <QString>
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "common/jpeg.h"

class QKeyEvent;

namespace gw::gui {

// The characters of one single-byte code page (an ICU code page name such as "windows-1250"):
// every byte is one UTF-16 unit, so a table of 256 turns text into a QString without a
// converter call, which matters for a list of 356,000 words. The one path from code-page text
// to QString: fromCodePage() uses it too.
class CodePageTable {
 public:
  explicit CodePageTable(const char* codePage);
  // The table of a code page, made once per process.
  static const CodePageTable& of(const char* codePage);

  QString toQString(std::string_view bytes) const;
  QChar toQChar(char byte) const { return table_[static_cast<unsigned char>(byte)]; }
  // The byte of a character, or nothing when the code page lacks it.
  std::optional<char> toByte(QChar c) const;
  // Characters the code page lacks are left out.
  std::string toBytes(const QString& text) const;

 private:
  std::array<QChar, 256> table_;
  QHash<char16_t, char> reverse_;
};

// Single-byte code-page text as Unicode; undefined bytes become U+FFFD.
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
