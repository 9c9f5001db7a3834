#include "gui_common/qt_bridge.h"

#include <QKeyEvent>
#include <cstring>

#include "common/codepage.h"
#include "common/us_keyboard.h"

namespace gw::gui {

QString fromCodePage(std::string_view bytes, const char* codePage) {
  return QString::fromStdString(toUtf8(bytes, codePage));
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
