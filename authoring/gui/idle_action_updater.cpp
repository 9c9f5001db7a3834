#include "authoring/gui/idle_action_updater.h"

#include <QAbstractEventDispatcher>
#include <QThread>
#include <utility>

namespace gw::gui {

IdleActionUpdater::IdleActionUpdater(std::function<void()> update, QObject* parent, int intervalMs)
    : QObject(parent), update_(std::move(update)), intervalMs_(intervalMs) {
  catchUp_.setSingleShot(true);
  connect(&catchUp_, &QTimer::timeout, this, [this] {
    updateNow();
    passFromCatchUp_ = true;
  });
  if (auto* dispatcher = QAbstractEventDispatcher::instance(thread())) {
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &IdleActionUpdater::eventLoopIdle);
  }
}

void IdleActionUpdater::updateNow() {
  catchUp_.stop();
  passFromCatchUp_ = false;
  sinceLastPass_.start();
  ++passes_;
  update_();
}

void IdleActionUpdater::eventLoopIdle() {
  if (passFromCatchUp_) {
    // The loop woke only for the catch-up pass that just ran: nothing new to look at.
    passFromCatchUp_ = false;
    return;
  }
  if (!sinceLastPass_.isValid() || sinceLastPass_.elapsed() >= intervalMs_) {
    updateNow();
  } else if (!catchUp_.isActive()) {
    catchUp_.start(intervalMs_ - static_cast<int>(sinceLastPass_.elapsed()));
  }
}

}  // namespace gw::gui
