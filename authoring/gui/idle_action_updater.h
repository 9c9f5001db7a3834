#pragma once
// Runs the window's action enabling rules from one place whenever the event loop is
// about to wait for more events. A search steps through the loop thousands of times a
// second, so the rules run at most once per interval; a pass skipped for that reason is
// made up by a timer, so the actions never stay stale once the loop goes quiet.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

namespace gw::gui {

class IdleActionUpdater : public QObject {
  Q_OBJECT
 public:
  static constexpr int kDefaultIntervalMs = 40;

  explicit IdleActionUpdater(std::function<void()> update, QObject* parent = nullptr,
                             int intervalMs = kDefaultIntervalMs);

  // Runs the rules now (after a command that changed what they depend on).
  void updateNow();
  int passes() const { return passes_; }

 private:
  void eventLoopIdle();

  std::function<void()> update_;
  int intervalMs_;
  QElapsedTimer sinceLastPass_;
  QTimer catchUp_;
  bool passFromCatchUp_ = false;
  int passes_ = 0;
};

}  // namespace gw::gui
