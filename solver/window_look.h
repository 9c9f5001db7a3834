#pragma once
// The look the solver's windows share: white, Verdana at 11 pixels (8 points at 96 dpi;
// the system's sans stands in where Verdana is missing).
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QWidget>

namespace gw::cross {

inline void applySolverLook(QWidget* w) {
  w->setAutoFillBackground(true);
  QPalette pal = w->palette();
  pal.setColor(QPalette::Window, Qt::white);
  w->setPalette(pal);
  QFont font("Verdana");
  font.setPixelSize(11);
  w->setFont(font);
}

}  // namespace gw::cross
