#pragma once
// The look the authoring windows and dialogs share: a cream background and Verdana at
// 8 points (the system's sans font stands in where Verdana is missing).
#include <QApplication>
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QWidget>

namespace gw::gui {

inline const QColor kCream(255, 251, 240);

inline QFont authoringFont() {
  QFont font(QStringList{QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(8);
  return font;
}

inline QPalette authoringPalette(QPalette palette) {
  palette.setColor(QPalette::Window, kCream);
  return palette;
}

// For every window of the program, dialogs and message boxes included.
inline void applyAuthoringLook(QApplication& app) {
  QApplication::setFont(authoringFont());
  QApplication::setPalette(authoringPalette(app.palette()));
}

inline void applyAuthoringLook(QWidget* window) {
  window->setFont(authoringFont());
  window->setPalette(authoringPalette(window->palette()));
  window->setAutoFillBackground(true);
}

}  // namespace gw::gui
