#include "authoring/gui/dictionary/code_page_text.h"

#include "common/codepage.h"

namespace gw::gui {

CodePageText::CodePageText(Language language) {
  std::string all(256, '\0');
  for (int b = 0; b < 256; ++b) all[static_cast<std::size_t>(b)] = static_cast<char>(b);
  QString unicode = QString::fromStdString(toUtf8(all, boardCodePage(language)));
  for (int b = 0; b < 256; ++b) {
    QChar c = b < unicode.size() ? unicode.at(b) : QChar(0xFFFD);
    table_[static_cast<std::size_t>(b)] = c;
    if (c != QChar(0xFFFD) && !reverse_.contains(c.unicode()))
      reverse_.insert(c.unicode(), static_cast<char>(b));
  }
}

QString CodePageText::toQString(std::string_view bytes) const {
  QString out(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* p = out.data();
  for (char b : bytes) *p++ = table_[static_cast<unsigned char>(b)];
  return out;
}

std::optional<char> CodePageText::toByte(QChar c) const {
  auto it = reverse_.constFind(c.unicode());
  if (it == reverse_.constEnd()) return std::nullopt;
  return *it;
}

std::string CodePageText::toBytes(const QString& text) const {
  std::string out;
  out.reserve(static_cast<std::size_t>(text.size()));
  for (QChar c : text)
    if (auto b = toByte(c)) out += *b;
  return out;
}

}  // namespace gw::gui
