#include "authoring/gui/page_action_poller.h"

#include <QAbstractEventDispatcher>
#include <QDataWidgetMapper>
#include <QFile>
#include <utility>

#include "authoring/composing/layout/composing_files.h"
#include "authoring/gui/composing/compose_controller.h"
#include "authoring/gui/editing/clue_editor.h"
#include "authoring/gui/editing/editing_page.h"
#include "common/crossword_file.h"

namespace gw::gui {

PageActionPoller::PageActionPoller(std::function<void()> update, QObject* parent, int intervalMs)
    : QObject(parent), update_(std::move(update)), intervalMs_(intervalMs) {
  catchUp_.setSingleShot(true);
  connect(&catchUp_, &QTimer::timeout, this, [this] {
    updateNow();
    passFromCatchUp_ = true;
  });
  if (auto* dispatcher = QAbstractEventDispatcher::instance(thread())) {
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &PageActionPoller::eventLoopIdle);
  }
}

void PageActionPoller::updateNow() {
  catchUp_.stop();
  passFromCatchUp_ = false;
  sinceLastPass_.start();
  ++passes_;
  update_();
}

void PageActionPoller::eventLoopIdle() {
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

namespace {

// Writes a recovery copy to `path` (local 8-bit name) with `write`; whether it was written.
template <typename Write>
bool writtenAtRecoveryPath(const QString& path, Write write) {
  try {
    write(QFile::encodeName(path).toStdString());
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

// A borrowed ClosablePage: the page owns itself.
class BorrowedPage : public ClosablePage {
 public:
  explicit BorrowedPage(ClosablePage& page) : page_(page) {}
  bool maybeSave() override { return page_.maybeSave(); }
  std::optional<QString> unsavedFile() const override { return page_.unsavedFile(); }
  bool writeRecovery(const QString& path) override { return page_.writeRecovery(path); }
  void openRecovered(const QString& path) override { page_.openRecovered(path); }

 private:
  ClosablePage& page_;
};

class EditingPageStandIn : public ClosablePage {
 public:
  explicit EditingPageStandIn(EditingPageBase* page)
      : page_(page), editing_(qobject_cast<EditingPage*>(page)) {}

  // "Save changes?" with Cancel; the crossword stays open.
  bool maybeSave() override { return page_->maybeSave(); }

  std::optional<QString> unsavedFile() const override {
    if (!editing_ || !editing_->workflow().document().isOpen()) return std::nullopt;
    const bool pendingClue = editing_->clueEditor() && editing_->clueEditor()->hasPendingEdit();
    if (!editing_->workflow().document().isModified() && !pendingClue) return std::nullopt;
    return QFile::decodeName(editing_->workflow().document().fileName().c_str());
  }

  bool writeRecovery(const QString& path) override {
    if (!editing_) return false;
    // The clue being written counts: the program ends, so the page may take it in now.
    if (auto* mapper = editing_->findChild<QDataWidgetMapper*>()) mapper->submit();
    return writtenAtRecoveryPath(path, [this](const std::string& file) {
      writeCrosswordFile(file, editing_->workflow().document().toCrosswordFile());
    });
  }

  void openRecovered(const QString& path) override { page_->openCrosswordFile(path); }

 private:
  EditingPageBase* page_;
  EditingPage* editing_;
};

// The composing page's layout: asked about through the workflow, kept as a pattern file.
class ComposingPageStandIn : public ClosablePage {
 public:
  explicit ComposingPageStandIn(ComposingPage* page) : page_(page) {}
  bool maybeSave() override { return page_->maybeSave(); }
  std::optional<QString> unsavedFile() const override {
    const ComposingWorkflow& workflow = page_->workflow();
    if (!workflow.hasOpenLayout() || !workflow.isModified()) return std::nullopt;
    return QFile::decodeName(page_->workflow().controller().session().patternFile().c_str());
  }
  bool writeRecovery(const QString& path) override {
    return writtenAtRecoveryPath(
        path, [this](const std::string& file) { writePatternFile(file, page_->workflow().layout()); });
  }
  void openRecovered(const QString& path) override { page_->openPatternFile(path); }

 private:
  ComposingPage* page_;
};

}  // namespace

std::unique_ptr<ClosablePage> closableEditingPage(EditingPageBase* page) {
  if (auto* closable = dynamic_cast<ClosablePage*>(page)) return std::make_unique<BorrowedPage>(*closable);
  return std::make_unique<EditingPageStandIn>(page);
}

std::unique_ptr<ClosablePage> closableComposingPage(ComposingPage* page) {
  if (auto* closable = dynamic_cast<ClosablePage*>(page)) return std::make_unique<BorrowedPage>(*closable);
  return std::make_unique<ComposingPageStandIn>(page);
}

}  // namespace gw::gui
