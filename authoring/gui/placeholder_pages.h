#pragma once
// Stand-ins for the composing and editing pages until those pages are built: they keep
// the main window's page switching, menus and command-line opening working.
#include <QAction>
#include <QList>
#include <QWidget>
#include <optional>

#include "authoring/composing/board.h"
#include "authoring/composing/dictionary.h"
#include "authoring/gui/editing_page_base.h"
#include "authoring/gui/file_dialog_folders.h"
#include "common/program_folder.h"

namespace gw::gui {

// Opens and closes layouts; composing itself is not there yet.
class PlaceholderComposingPage : public QWidget {
  Q_OBJECT
 public:
  PlaceholderComposingPage(gw::Dictionary& dictionary, const gw::ProgramFolders& folders,
                           FileDialogFolders& dialogFolders, QWidget* parent = nullptr);

  QList<QAction*> fileMenuActions() const { return fileMenu_; }
  void setExitProgramAction(QAction* action) { exitProgram_ = action; }
  bool isComposing() const { return false; }
  bool hasOpenLayout() const { return layout_.has_value(); }
  void closeLayout();
  void openPatternFile(const QString& path);
  void stopBeforeExit() {}
  void updateActions(bool pageInFront);
  QString languageName() const;

 Q_SIGNALS:
  void captionChanged(const QString& caption);
  void busy(const QString& status);
  void idle();

 private:
  void chooseAndOpenPattern();

  FileDialogFolders& dialogFolders_;
  std::optional<gw::Layout> layout_;
  QAction* open_;
  QAction* close_;
  QList<QAction*> fileMenu_;
  QAction* exitProgram_ = nullptr;
};

// An empty editing page: nothing to close, nothing to save.
class PlaceholderEditingPage : public EditingPageBase {
  Q_OBJECT
 public:
  explicit PlaceholderEditingPage(QWidget* parent = nullptr);
  QList<QAction*> fileMenuActions() const override { return {}; }
  void updateActions(bool) override {}
  bool closeCrossword() override { return true; }
};

}  // namespace gw::gui
