#pragma once
// The application-wide mouse-wheel rule: one notch of the wheel acts as one Up or Down
// arrow key press on the widget with the keyboard focus (or, without one, the widget
// under the mouse). Grids, the layout editor and lists therefore move their cursor with
// the wheel instead of scrolling. Install it once on the application:
//   app.installEventFilter(new MouseWheelFilter(&app));
#include <QApplication>
#include <QKeyEvent>
#include <QObject>
#include <QPointer>
#include <QWheelEvent>
#include <QWidget>

namespace gw::gui {

class MouseWheelFilter : public QObject {
 public:
  using QObject::QObject;

  // Angle delta of one notch of a classic wheel, in eighths of a degree.
  static constexpr int kNotch = 120;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // The window sees the wheel first and hands it to its widget; only the widget's copy counts.
    if (event->type() != QEvent::Wheel || !watched->isWidgetType()) return false;
    // Ctrl with the wheel zooms where a widget offers it; it moves no cursor.
    if (static_cast<QWheelEvent*>(event)->modifiers() & Qt::ControlModifier) return false;
    const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
    if (delta == 0) return false;  // a sideways wheel or the end of a touchpad gesture
    // Touchpads send fractions of a notch; they add up to whole key presses.
    if ((delta > 0) != (pending_ > 0)) pending_ = 0;
    pending_ += delta;
    auto* receiver = static_cast<QWidget*>(watched);
    QWidget* target = QApplication::focusWidget();
    if (!target) target = receiver->window()->focusWidget();
    if (!target) target = receiver;
    QPointer<QWidget> alive(target);
    while ((pending_ >= kNotch || pending_ <= -kNotch) && alive) {
      const int key = pending_ > 0 ? Qt::Key_Up : Qt::Key_Down;
      pending_ -= pending_ > 0 ? kNotch : -kNotch;
      QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
      QApplication::sendEvent(target, &press);
      if (!alive) break;
      QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
      QApplication::sendEvent(target, &release);
    }
    return true;  // the wheel itself scrolls nothing
  }

 private:
  int pending_ = 0;
};

}  // namespace gw::gui
