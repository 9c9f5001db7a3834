#pragma once
// Words are code-page bytes; a window shows and takes QStrings. Every byte of a
// single-byte code page is one UTF-16 unit, so a table of 256 turns a word into a
// QString without a converter call, which matters for a list of 356,000 words.
#include <QHash>
#include <QString>
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "common/language.h"

namespace gw::gui {

class CodePageText {
 public:
  explicit CodePageText(Language language);

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

}  // namespace gw::gui
