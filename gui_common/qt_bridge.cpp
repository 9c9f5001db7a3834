#include "gui_common/qt_bridge.h"

#include <QKeyEvent>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

#include "common/codepage.h"
#include "common/us_keyboard.h"

namespace gw::gui {

CodePageTable::CodePageTable(const char* codePage) {
  std::string all(256, '\0');
  for (int b = 0; b < 256; ++b) all[static_cast<std::size_t>(b)] = static_cast<char>(b);
  const QString unicode = QString::fromStdString(toUtf8(all, codePage));
  for (int b = 0; b < 256; ++b) {
    const QChar c = b < unicode.size() ? unicode.at(b) : QChar(QChar::ReplacementCharacter);
    table_[static_cast<std::size_t>(b)] = c;
    if (c != QChar(QChar::ReplacementCharacter) && !reverse_.contains(c.unicode()))
      reverse_.insert(c.unicode(), static_cast<char>(b));
  }
}

const CodePageTable& CodePageTable::of(const char* codePage) {
  static std::mutex mutex;
  static std::map<std::string, std::unique_ptr<CodePageTable>, std::less<>> tables;
  const std::lock_guard lock(mutex);
  auto it = tables.find(std::string_view(codePage));
  if (it == tables.end()) it = tables.emplace(codePage, std::make_unique<CodePageTable>(codePage)).first;
  return *it->second;
}

QString CodePageTable::toQString(std::string_view bytes) const {
  QString out(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* p = out.data();
  for (char b : bytes) *p++ = table_[static_cast<unsigned char>(b)];
  return out;
}

std::optional<char> CodePageTable::toByte(QChar c) const {
  auto it = reverse_.constFind(c.unicode());
  if (it == reverse_.constEnd()) return std::nullopt;
  return *it;
}

std::string CodePageTable::toBytes(const QString& text) const {
  std::string out;
  out.reserve(static_cast<std::size_t>(text.size()));
  for (QChar c : text)
    if (std::optional<char> b = toByte(c)) out += *b;
  return out;
}

QString fromCodePage(std::string_view bytes, const char* codePage) {
  return CodePageTable::of(codePage).toQString(bytes);
}

std::string toCodePage(const QString& text, const char* codePage) {
  return fromUtf8(text.toStdString(), codePage);
}

QImage toQImage(const IndexedImage& img) {
  if (img.empty()) return {};
  QImage q(img.width, img.height, QImage::Format_Indexed8);
  QList<QRgb> table;
  for (std::uint32_t c : img.palette) table.append(static_cast<QRgb>(c));
  q.setColorTable(table);
  for (int y = 0; y < img.height; ++y)
    std::memcpy(q.scanLine(y), img.pixels.data() + static_cast<std::size_t>(y) * img.width,
                static_cast<std::size_t>(img.width));
  return q;
}

std::optional<char> usCharacterOf(const QKeyEvent& e) {
  if ((e.modifiers() & (Qt::AltModifier | Qt::MetaModifier)) && !(e.modifiers() & Qt::ControlModifier))
    return std::nullopt;
  const bool chord = e.modifiers() & Qt::ControlModifier;
  if (e.nativeScanCode() != 0 && !chord) {
    if (auto ch = gw::usCharacterForKey(e.nativeScanCode(), e.modifiers() & Qt::ShiftModifier)) return ch;
  }
  const QString text = e.text();
  if (text.isEmpty()) return std::nullopt;
  const char16_t u = text.at(0).unicode();
  return u < 0x80 ? static_cast<char>(u) : '\x7f';
}

}  // namespace gw::gui
