#pragma once
// The look the authoring dialogs share: cream background, Verdana 8 points (the system's
// sans stands in where Verdana is missing).
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QScreen>
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

// The authoring dialogs open in the middle of the screen.
inline void centerOnScreen(QWidget* w) {
  if (QScreen* screen = w->screen()) w->move(screen->availableGeometry().center() - w->rect().center());
}

}  // namespace gw::gui
