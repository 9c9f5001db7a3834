#pragma once
// Stand-ins until the pages enable their actions from their workflows' state signals and
// implement ClosablePage themselves: the pages' enabling rules run when the event loop is
// about to wait (at most once per interval, a skipped pass made up by a timer, so a search
// that steps through the loop thousands of times a second is not slowed), and the pages of
// today answer ClosablePage through their present commands.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

#include "authoring/gui/pages.h"

namespace gw::gui {

class PageActionPoller : public QObject {
  Q_OBJECT
 public:
  static constexpr int kDefaultIntervalMs = 40;

  explicit PageActionPoller(std::function<void()> update, QObject* parent = nullptr,
                            int intervalMs = kDefaultIntervalMs);

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

// The page itself where it implements ClosablePage, else a stand-in over its present commands.
std::unique_ptr<ClosablePage> closableEditingPage(EditingPageBase* page);
std::unique_ptr<ClosablePage> closableComposingPage(ComposingPage* page);

}  // namespace gw::gui
