#pragma once
// The look the authoring windows and dialogs share: a cream background and Verdana at
// 8 points (the system's sans font stands in where Verdana is missing), rounded corners.
#include <QApplication>
#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QPalette>
#include <QRegion>
#include <QScreen>
#include <QWidget>

namespace gw::gui {

inline const QColor kWindowBackground(255, 251, 240);

inline QFont windowFont() {
  QFont font(QStringList{QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(8);
  return font;
}

inline QPalette windowPalette(QPalette palette) {
  palette.setColor(QPalette::Window, kWindowBackground);
  return palette;
}

// For every window of the program, dialogs and message boxes included.
inline void applyAuthoringLook(QApplication& app) {
  QApplication::setFont(windowFont());
  QApplication::setPalette(windowPalette(app.palette()));
}

inline void applyAuthoringLook(QWidget* window) {
  window->setFont(windowFont());
  window->setPalette(windowPalette(window->palette()));
  window->setAutoFillBackground(true);
}

// Cuts the corners of `widget` round, to `outline` (in its own coordinates) with corners of
// `radius`: the borderless windows and the start page's buttons.
inline void cutRoundedCorners(QWidget* widget, const QRectF& outline, qreal radius) {
  QPainterPath path;
  path.addRoundedRect(outline, radius, radius);
  widget->setMask(QRegion(path.toFillPolygon().toPolygon()));
}

// The authoring dialogs open in the middle of the screen.
inline void centerOnScreen(QWidget* window) {
  if (QScreen* screen = window->screen())
    window->move(screen->availableGeometry().center() - window->rect().center());
}

}  // namespace gw::gui
