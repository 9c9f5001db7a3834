#pragma once
// The look the authoring dialogs share: cream background, Verdana 8 point (the system's
// sans stands in where Verdana is missing).
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QWidget>

namespace gw::gui {

inline const QColor kCream{255, 251, 240};

inline void applyAuthoringLook(QWidget* w) {
  w->setAutoFillBackground(true);
  QPalette pal = w->palette();
  pal.setColor(QPalette::Window, kCream);
  w->setPalette(pal);
  QFont font(QStringLiteral("Verdana"));
  font.setPointSize(8);
  w->setFont(font);
}

}  // namespace gw::gui
