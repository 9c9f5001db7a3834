#include "solver/off_thread_work.h"

#include <QEventLoop>
#include <QMetaObject>
#include <future>

void runOffWindowThread(const std::function<void()>& work) {
  QEventLoop loop;
  std::future<void> done = std::async(std::launch::async, [&work, &loop] {
    struct QuitLoop {
      QEventLoop& loop;
      ~QuitLoop() { QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection); }
    } quit{loop};
    work();
  });
  // Quit was posted to the loop, so it cannot be missed even if the work ends before exec().
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  done.get();
}
