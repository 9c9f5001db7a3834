#pragma once
// The authoring main window: a start page, the composing page and the editing page in
// a stack without tabs, the menus around them, the remembered dialog folders
// (crossword.conf), the busy window, the about box and help. Closing asks each page about
// its unsaved work; a termination signal keeps that work in the recovery store instead.
#include <QMainWindow>
#include <filesystem>
#include <functional>
#include <memory>

#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/gui/common/file_dialog_folders.h"
#include "authoring/gui/pages.h"
#include "common/language.h"
#include "common/program_folder.h"

class QStackedWidget;
class QMenu;

namespace gw::gui {

class HelpRouter;
class PageActionPoller;
class SplashWindow;
class StartPage;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  enum class Page { Start = 0, Composing = 1, Editing = 2 };
  using EditingPageFactory = std::function<EditingPageBase*(QWidget* parent)>;
  // The dictionary editor's entry point. Until one is set the "Edit words" entries stay disabled.
  using WordListEditor = std::function<void(gw::Language, MainWindow& window)>;

  // Reads the dialog folders from `settingsFile` and creates the results folder.
  // `editingPage` makes page 2 (the editing page when empty).
  MainWindow(gw::ProgramFolders folders, std::filesystem::path settingsFile,
             EditingPageFactory editingPage = {}, QWidget* parent = nullptr);
  ~MainWindow() override;

  // A pattern named on the command line: opened once the event loop runs, with the start
  // page left in front. A name that is not an existing file is ignored without a word.
  void openPatternFileAtStart(const QString& path);

  void setWordListEditor(WordListEditor editor);

  Page currentPage() const;
  void showPage(Page page);
  // Back to the start page with both File menus hidden.
  void showStartPage();

  // The pages' enabling rules and the window's own; the pages' run by themselves when the
  // event loop goes idle, the window's whenever the page or the composing state changes.
  void updateActions();

  // The end on a termination signal, which must never wait for the author: a running search
  // stops as Stop stops it, unsaved work goes to the recovery store (never over the user's
  // file), the settings are written, and the window closes without a question.
  void closeForTermination();
  // At start: "Recover unsaved changes to NAME?" for each piece of kept work; Yes opens it on
  // its page, No forgets it. The store's entries are removed either way once answered.
  void offerRecovery();

  ComposingPage* composingPage() const { return composingPage_; }
  EditingPageBase* editingPage() const { return editingPage_; }
  gw::Dictionary& dictionary() { return dictionary_; }
  const gw::ProgramFolders& programFolders() const { return folders_; }
  FileDialogFolders& dialogFolders() { return dialogFolders_; }
  HelpRouter& help() { return *help_; }
  SplashWindow* aboutBox() const { return about_; }
  SplashWindow* busyWindow() const { return busy_; }

 public Q_SLOTS:
  void showBusy(const QString& status);
  void hideBusy();
  void showAbout();
  void showHelpContents();

 Q_SIGNALS:
  // The window closed for good (settings written, search stopped): the program ends.
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createPages(const EditingPageFactory& editingPage);
  void createActions();
  void createMenus();
  void exitComposing();
  void quitEditing();
  void showHelpForPage();
  void saveSettings();
  void updateOwnActions();
  void finishClosing();
  void keepUnsavedWork();

  gw::ProgramFolders folders_;
  std::filesystem::path settingsFile_;
  FileDialogFolders dialogFolders_;
  gw::Dictionary dictionary_;
  WordListEditor wordListEditor_;

  QStackedWidget* pages_ = nullptr;
  StartPage* startPage_ = nullptr;
  ComposingPage* composingPage_ = nullptr;
  EditingPageBase* editingPage_ = nullptr;

  QAction* exitProgram_ = nullptr;   // "Exit program": leaves the composing page
  QAction* quitCompose_ = nullptr;   // its entry in "File (Compose)"
  QAction* quitEditing_ = nullptr;   // "Quit editing ..."
  QAction* closeWindow_ = nullptr;   // Alt+F4 on the start page
  QList<QAction*> wordListActions_;  // "Edit words": English, German, Serbian (Cyrillic)
  QMenu* composeMenu_ = nullptr;
  QMenu* editMenu_ = nullptr;

  SplashWindow* about_ = nullptr;
  SplashWindow* busy_ = nullptr;
  std::unique_ptr<HelpRouter> help_;
  std::unique_ptr<ClosablePage> composingCloser_;
  std::unique_ptr<ClosablePage> editingCloser_;
  PageActionPoller* pagePoller_ = nullptr;
  bool closed_ = false;
  bool composeOptionsChanged_ = false;  // written to crossword.conf only when the author changed them
  bool minWordScoreChanged_ = false;    // likewise
};

}  // namespace gw::gui
