#pragma once
// The look the authoring dialogs share: cream background, Verdana 8 points (the system's
// sans stands in where Verdana is missing).
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QWidget>

namespace gw::gui {

inline const QColor kCream{255, 251, 240};

inline QFont authoringFont() {
  QFont font("Verdana");
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(8);
  return font;
}

inline void applyAuthoringDialogLook(QWidget* w) {
  w->setAutoFillBackground(true);
  QPalette pal = w->palette();
  pal.setColor(QPalette::Window, kCream);
  w->setPalette(pal);
  w->setFont(authoringFont());
}

}  // namespace gw::gui
