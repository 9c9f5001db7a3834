#include "authoring/gui/dictionary/progress_runner.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <QWidget>
#include <exception>

#include "authoring/gui/dictionary/progress_window.h"

namespace gw::gui {

ProgressRunner::ProgressRunner(QWidget* owner, QObject* parent) : QObject(parent), owner_(owner) {}

ProgressRunner::~ProgressRunner() {
  if (worker_) {
    stopRequested_ = true;
    worker_->wait();
  }
  if (window_) window_->finish();
}

bool ProgressRunner::cancelled() const { return stopRequested_ || (options_.showDialog && windowCancelled_); }

void ProgressRunner::createWindow(bool showBar) {
  // A child of the owner: a modal owner would otherwise block its Cancel button.
  window_ = new ProgressWindow(options_.caption, options_.text, showBar, options_.canCancel, owner_);
  connect(window_, &ProgressWindow::cancelRequested, this, [this] { windowCancelled_ = true; });
  placeWindow();
}

void ProgressRunner::placeWindow() {
  QScreen* screen = owner_ && owner_->screen() ? owner_->screen() : QGuiApplication::primaryScreen();
  if (!screen || !window_) return;
  const QRect s = screen->geometry();
  const QSize w = window_->frameGeometry().size().expandedTo(window_->size());
  constexpr int kMargin = 5;
  int left = s.left() + kMargin, top = s.top() + kMargin;
  const int right = s.left() + s.width() - w.width() - kMargin;
  const int bottom = s.top() + s.height() - w.height() - kMargin;
  switch (options_.position) {
    case ScreenPosition::TopRight: left = right; break;
    case ScreenPosition::TopLeft: break;
    case ScreenPosition::BottomRight: left = right, top = bottom; break;
    case ScreenPosition::BottomLeft: top = bottom; break;
    case ScreenPosition::Center:
      left = s.left() + (s.width() - w.width()) / 2;
      top = s.top() + (s.height() - w.height()) / 2;
      break;
  }
  window_->move(left, top);
}

void ProgressRunner::execute(bool showBar) {
  if (running_) return;  // one job at a time
  textMode_ = !showBar;
  refreshCounter_ = 0;
  if (!job_) return;
  windowCancelled_ = false;
  stopRequested_ = false;
  workerError_.clear();
  running_ = true;
  if (options_.showDialog) createWindow(showBar);

  if (options_.inThread) {
    const quint64 run = ++run_;
    worker_.reset(QThread::create([this] {
      try {
        job_();
      } catch (const std::exception& e) {
        workerError_ = QString::fromUtf8(e.what());
      } catch (...) {
        workerError_ = tr("The job failed.");
      }
    }));
    connect(
        worker_.get(), &QThread::finished, this, [this, run] { onWorkerFinished(run); },
        Qt::QueuedConnection);
    worker_->start();
    if (window_) {
      if (options_.waitTillFinish) {
        window_->exec();
      } else {
        window_->show();
        placeWindow();  // now that the frame is known
      }
    }
    return;
  }

  // On the calling thread: the end step and the owner's enabling happen whatever the job does.
  const bool disableOwner = options_.showDialog && options_.waitTillFinish && owner_;
  if (window_) {
    window_->show();
    placeWindow();
  }
  if (disableOwner) owner_->setEnabled(false);
  std::exception_ptr failure;
  try {
    job_();
  } catch (...) {
    failure = std::current_exception();
  }
  endStep(QString());
  if (disableOwner) owner_->setEnabled(true);
  if (failure) std::rethrow_exception(failure);
}

void ProgressRunner::updateProgress(qint64 position, qint64 total) {
  if (options_.showDialog) {
    if (refreshCounter_ == options_.updateTimes) {
      refreshCounter_ = 0;
      if (options_.inThread) {
        // One refresh waits in the queue at most: a busy user-interface thread never
        // falls behind a fast job.
        latestPosition_ = position;
        latestTotal_ = total;
        if (!refreshQueued_.exchange(true))
          QMetaObject::invokeMethod(
              this,
              [this] {
                refreshQueued_ = false;
                refreshWindow(latestPosition_, latestTotal_);
              },
              Qt::QueuedConnection);
      } else
        refreshWindow(position, total);
    }
    ++refreshCounter_;
  }
  if (!options_.inThread) QCoreApplication::processEvents();
}

void ProgressRunner::refreshWindow(qint64 position, qint64 total) {
  if (!window_) return;
  if (textMode_)
    window_->setText(options_.text.arg(position));
  else
    window_->setProgress(position, total);
}

void ProgressRunner::onWorkerFinished(quint64 run) {
  // A worker that cancelAndWait() has already ended belongs to an earlier run.
  if (run != run_ || !worker_) return;
  worker_->wait();
  worker_.reset();
  endStep(workerError_);
}

void ProgressRunner::cancelAndWait() {
  if (!running_) return;
  stopRequested_ = true;
  if (worker_) {
    worker_->wait();
    worker_.reset();
    ++run_;  // the queued end of this worker must not run the end step again
    endStep(workerError_);
  }
}

void ProgressRunner::endStep(const QString& error) {
  const bool wasCancelled = window_ ? window_->cancelPressed() : false;
  if (window_) window_->finish();
  window_ = nullptr;
  running_ = false;
  Q_EMIT finished(wasCancelled || stopRequested_, error);
}

}  // namespace gw::gui
