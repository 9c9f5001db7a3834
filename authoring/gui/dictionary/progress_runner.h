#pragma once
// Runs one job, on a worker thread or on the calling thread, while a small progress window
// shows how far it got and offers Cancel. The job reports its progress and asks whether it
// was cancelled through the runner; both calls are safe from the worker thread, and every
// change to a window is handed to the user-interface thread.
#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

#include "authoring/gui/dictionary/progress_window.h"

class QThread;
class QWidget;

namespace gw::gui {

class ProgressRunner : public QObject {
  Q_OBJECT
 public:
  enum class ScreenPosition { TopRight, TopLeft, BottomRight, BottomLeft, Center };

  struct Options {
    bool inThread = true;  // run the job on a worker thread
    QString caption = "Processing...";
    bool showDialog = true;        // show the progress window
    bool waitTillFinish = false;   // worker: the window is modal; same thread: `owner` is disabled
    bool canCancel = true;         // the window has a Cancel button
    QString text = "Please wait";  // in text mode also the format of the position ("%1")
    int updateTimes = 200;         // progress reports between two refreshes of the window
    ScreenPosition position = ScreenPosition::BottomRight;
  };

  // `owner` is the window that a same-thread job with waitTillFinish disables.
  explicit ProgressRunner(QWidget* owner = nullptr, QObject* parent = nullptr);
  // Cancels a running job and waits for its worker to end.
  ~ProgressRunner() override;

  void setOptions(const Options& options) { options_ = options; }
  const Options& options() const { return options_; }
  // The job. Without one, execute() does nothing.
  void setJob(std::function<void()> job) { job_ = std::move(job); }

  // Starts the job. `showBar` shows bar and percentage; without it the text shows the
  // position. On a worker thread without waitTillFinish it returns while the job runs.
  // A same-thread job's error goes on to the caller after the end step.
  void execute(bool showBar);

  // From the job, on any thread: lines done so far, out of total.
  void updateProgress(qint64 position, qint64 total);
  // From the job, on any thread: Cancel was pressed in the shown window, or the owner
  // asked the job to stop (cancelAndWait).
  bool cancelled() const;

  bool isRunning() const { return running_; }
  ProgressWindow* window() const { return window_; }

  // User-interface thread: asks the job to stop, waits for the worker to end and runs
  // the end step at once. Nothing happens when no job runs.
  void cancelAndWait();

 Q_SIGNALS:
  // The job has ended (the end step, on the user-interface thread). `cancelled` as read
  // from the window; `error` is the message of an error the job raised, or empty.
  void finished(bool cancelled, const QString& error);

 private:
  void createWindow(bool showBar);
  void placeWindow();
  void refreshWindow(qint64 position, qint64 total);
  void endStep(const QString& error);
  void onWorkerFinished(quint64 run);

  QWidget* owner_;
  Options options_;
  std::function<void()> job_;
  QPointer<ProgressWindow> window_;
  std::unique_ptr<QThread> worker_;
  bool textMode_ = false;
  bool running_ = false;
  quint64 run_ = 0;         // which execute() a worker's end belongs to
  int refreshCounter_ = 0;  // touched by the job's thread only
  std::atomic<bool> windowCancelled_{false};
  std::atomic<bool> stopRequested_{false};
  std::atomic<bool> refreshQueued_{false};  // a refresh waits in the queue
  std::atomic<qint64> latestPosition_{0};   // what it will show
  std::atomic<qint64> latestTotal_{0};
  QString workerError_;  // written by the worker before it ends
};

}  // namespace gw::gui
