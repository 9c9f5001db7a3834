#include "authoring/gui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>
#include <array>
#include <system_error>
#include <utility>

#include "authoring/gui/common/authoring_look.h"
#include "authoring/gui/composing/compose_controller.h"
#include "authoring/gui/composing/quick_fill_controller.h"
#include "authoring/gui/editing/editing_page.h"
#include "authoring/gui/help/help_router.h"
#include "authoring/gui/help/splash_window.h"
#include "authoring/gui/page_action_poller.h"
#include "authoring/gui/settings/dialog_folder_settings.h"
#include "authoring/gui/start_page.h"
#include "authoring/recovery/recovery_store.h"
#include "authoring/settings/settings_file.h"
#include "common/errors.h"
#include "gui_common/make_action.h"
#include "gui_common/prompts.h"

namespace gw::gui {

namespace {

const QString kCreationCaption = QStringLiteral("Brevant Software: Crossword Authoring");
const QString kStartCaption = QStringLiteral("Brevant Software : Crosswords Authoring");
constexpr QSize kInitialSize(472, 374);
constexpr QSize kMinimumSize(300, 300);

// A command whose shortcut only works while the focus is on `page`: the pages share Ctrl+N,
// Ctrl+O, Ctrl+F4 and Alt+F4, and the page in front must get the key.
QAction* pageAction(QWidget* page, const char* objectName, const QString& text,
                    const QKeySequence& shortcut) {
  return makeAction(page, {objectName, text, {}, shortcut, Qt::WidgetWithChildrenShortcut});
}

std::filesystem::path toPath(const QString& path) { return QFile::encodeName(path).toStdString(); }
QString fromPath(const std::filesystem::path& path) { return QFile::decodeName(path.c_str()); }

// The first control of a page that takes the focus by Tab, as a new page starts; the
// page itself when it has none.
void focusFirstControlOf(QWidget* page) {
  for (QWidget* w = page->nextInFocusChain(); w != page && page->isAncestorOf(w); w = w->nextInFocusChain()) {
    if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(page)) {
      w->setFocus(Qt::OtherFocusReason);
      return;
    }
  }
  page->setFocus(Qt::OtherFocusReason);
}

}  // namespace

MainWindow::MainWindow(gw::ProgramFolders folders, std::filesystem::path settingsFile,
                       EditingPageFactory editingPage, QWidget* parent)
    : QMainWindow(parent), folders_(std::move(folders)), settingsFile_(std::move(settingsFile)) {
  setObjectName("mainWindow");
  setWindowTitle(kCreationCaption);
  applyAuthoringLook(this);
  setMinimumSize(kMinimumSize);
  resize(kInitialSize);
  if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());

  dialogFolders_ = readDialogFolders(settingsFile_, defaultDialogFolders(folders_));
  // Results are written here; a folder that cannot be made shows up as the composer's write error.
  std::error_code ec;
  std::filesystem::create_directories(folders_.resultsFolder(), ec);

  help_ = std::make_unique<HelpRouter>(this);
  about_ = new SplashWindow(this);
  busy_ = new SplashWindow(this);
  busy_->setObjectName("busyWindow");

  createPages(editingPage);
  composingPage_->setComposeOptions(gw::readComposeOptions(settingsFile_));
  composingPage_->setViewSettings(gw::readComposingViewSettings(settingsFile_));
  pagePoller_ = new PageActionPoller(
      [this] {
        const Page page = currentPage();
        composingPage_->updateActions(page == Page::Composing);
        editingPage_->updateActions(page == Page::Editing);
      },
      this);
  createActions();
  createMenus();
  showStartPage();
  setWindowTitle(kCreationCaption);
  qApp->installEventFilter(this);
}

MainWindow::~MainWindow() = default;

void MainWindow::createPages(const EditingPageFactory& editingPage) {
  pages_ = new QStackedWidget(this);
  pages_->setObjectName("pages");
  startPage_ = new StartPage(pages_);
  composingPage_ = new ComposingPage(dictionary_, folders_, dialogFolders_, pages_);
  editingPage_ =
      editingPage ? editingPage(pages_) : createEditingPage(dialogFolders_, folders_, settingsFile_, pages_);
  pages_->addWidget(startPage_);
  pages_->addWidget(composingPage_);
  pages_->addWidget(editingPage_);
  setCentralWidget(pages_);

  connect(startPage_, &StartPage::composeChosen, this, [this] { showPage(Page::Composing); });
  connect(startPage_, &StartPage::editChosen, this, [this] { showPage(Page::Editing); });
  connect(composingPage_, &ComposingPage::captionChanged, this, &QWidget::setWindowTitle);
  connect(composingPage_, &ComposingPage::busy, this, &MainWindow::showBusy);
  connect(composingPage_, &ComposingPage::idle, this, &MainWindow::hideBusy);
  connect(composingPage_, &ComposingPage::noRepeatedWordsChanged, this,
          [this] { composeOptionsChanged_ = true; });
  connect(composingPage_, &ComposingPage::minWordScoreChanged, this, [this] { minWordScoreChanged_ = true; });
  connect(editingPage_, &EditingPageBase::captionChanged, this, &QWidget::setWindowTitle);
  connect(editingPage_, &EditingPageBase::busy, this, &MainWindow::showBusy);
  connect(editingPage_, &EditingPageBase::idle, this, &MainWindow::hideBusy);
  // The window's own commands follow whether a search runs.
  connect(&composingPage_->controller(), &ComposeController::composingStateChanged, this,
          &MainWindow::updateOwnActions);
  connect(&composingPage_->workflow(), &ComposingWorkflow::statusChanged, this,
          &MainWindow::updateOwnActions);
  composingCloser_ = closableComposingPage(composingPage_);
  editingCloser_ = closableEditingPage(editingPage_);
}

void MainWindow::createActions() {
  const QKeySequence altF4(Qt::ALT | Qt::Key_F4);
  exitProgram_ = pageAction(composingPage_, "exitProgramAction", tr("Exit program"), altF4);
  connect(exitProgram_, &QAction::triggered, this, &MainWindow::exitComposing);
  composingPage_->setExitProgramAction(exitProgram_);
  // The same command under its menu caption; the key belongs to "Exit program".
  quitCompose_ = makeAction(
      this, {"quitComposeAction", tr("Quit compose") + '\t' + altF4.toString(QKeySequence::NativeText), {}});
  connect(quitCompose_, &QAction::triggered, this, &MainWindow::exitComposing);

  quitEditing_ = pageAction(editingPage_, "quitEditingAction", tr("Quit editing ..."), altF4);
  connect(quitEditing_, &QAction::triggered, this, &MainWindow::quitEditing);

  closeWindow_ = pageAction(startPage_, "closeWindowAction", tr("Close"), altF4);
  connect(closeWindow_, &QAction::triggered, this, &QWidget::close);

  QAction* help = makeAction(this, {"contextHelpAction", tr("Help"), {}, QKeySequence::HelpContents});
  connect(help, &QAction::triggered, this, &MainWindow::showHelpForPage);

  const std::array<std::pair<QString, gw::Language>, 3> languages{{
      {tr("English"), gw::Language::English},
      {tr("German"), gw::Language::German},
      {tr("Serbian (Cyrillic)"), gw::Language::Serbian},
  }};
  const std::array<const char*, 3> names{"editEnglishWordsAction", "editGermanWordsAction",
                                         "editSerbianWordsAction"};
  for (std::size_t i = 0; i < languages.size(); ++i) {
    const auto& [caption, language] = languages[i];
    QAction* action = makeAction(this, {names[i], caption, {}});
    action->setEnabled(false);
    connect(action, &QAction::triggered, this, [this, language = language] {
      if (wordListEditor_) wordListEditor_(language, *this);
    });
    wordListActions_ << action;
  }
}

void MainWindow::createMenus() {
  composeMenu_ = menuBar()->addMenu(tr("File (Compose)"));
  composeMenu_->setObjectName("composeFileMenu");
  composeMenu_->addActions(composingPage_->fileMenuActions());
  if (!composeMenu_->isEmpty() && !composeMenu_->actions().last()->isSeparator()) {
    composeMenu_->addSeparator();
  }
  composeMenu_->addAction(quitCompose_);

  editMenu_ = menuBar()->addMenu(tr("File (Edit)"));
  editMenu_->setObjectName("editFileMenu");
  editMenu_->addActions(editingPage_->fileMenuActions());
  if (!editMenu_->isEmpty() && !editMenu_->actions().last()->isSeparator()) editMenu_->addSeparator();
  editMenu_->addAction(quitEditing_);

  QMenu* words = menuBar()->addMenu(tr("Edit words"));
  words->setObjectName("editWordsMenu");
  words->addActions(wordListActions_);

  QMenu* help = menuBar()->addMenu(tr("Help"));
  help->setObjectName("helpMenu");
  QAction* about = help->addAction(tr("About Crossword"), this, &MainWindow::showAbout);
  about->setObjectName("aboutAction");
  help->addSeparator();
  QAction* contents = help->addAction(tr("Contents"), this, &MainWindow::showHelpContents);
  contents->setObjectName("helpContentsAction");
}

void MainWindow::setWordListEditor(WordListEditor editor) {
  wordListEditor_ = std::move(editor);
  updateOwnActions();
}

void MainWindow::openPatternFileAtStart(const QString& path) {
  if (path.isEmpty() || !QFileInfo(path).isFile()) return;
  // Never inside window creation: the loader may ask "Continue?" and start composing.
  QTimer::singleShot(0, this, [this, path] { composingPage_->openPatternFile(path); });
}

MainWindow::Page MainWindow::currentPage() const { return static_cast<Page>(pages_->currentIndex()); }

void MainWindow::showPage(Page page) {
  pages_->setCurrentIndex(static_cast<int>(page));
  composeMenu_->menuAction()->setVisible(page == Page::Composing);
  editMenu_->menuAction()->setVisible(page == Page::Editing);
  // The page's shortcuts work while the focus is inside it.
  QWidget* front = pages_->currentWidget();
  if (!front->isAncestorOf(focusWidget())) focusFirstControlOf(front);
  updateActions();
}

void MainWindow::showStartPage() {
  showPage(Page::Start);
  setWindowTitle(kStartCaption);
}

void MainWindow::updateActions() {
  pagePoller_->updateNow();
  updateOwnActions();
}

void MainWindow::updateOwnActions() {
  const Page page = currentPage();
  const bool canLeaveComposing = page == Page::Composing && !composingPage_->isComposing();
  exitProgram_->setEnabled(canLeaveComposing);
  quitCompose_->setEnabled(canLeaveComposing);
  // "Quit editing ..." shares Alt+F4 with "Exit program": it only works on its own page.
  quitEditing_->setEnabled(page == Page::Editing);
  closeWindow_->setEnabled(page == Page::Start);
  for (QAction* action : wordListActions_)
    action->setEnabled(wordListEditor_ && !composingPage_->isComposing());
}

void MainWindow::exitComposing() {
  if (composingPage_->isComposing()) return;
  // A changed layout is asked about first; Cancel keeps the author on the page.
  if (!composingCloser_->maybeSave()) return;
  composingPage_->closeLayout();
  showStartPage();
}

void MainWindow::quitEditing() {
  // Whatever the author decides about unsaved changes, the start page comes back; a
  // crossword still modified stays open for the next visit.
  editingPage_->closeCrossword();
  showStartPage();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Hide && watched != this) {
    auto* widget = qobject_cast<QWidget*>(watched);
    // A dialog, message box or the busy window of ours that had the activation went. Without a
    // window manager nothing gives it back, and the page in front would get no key at all.
    const QWidget* active = QApplication::activeWindow();
    if (widget && widget->isWindow() &&
        (!active || active == widget || QGuiApplication::focusWindow() == widget->windowHandle())) {
      QTimer::singleShot(0, this, [this] {
        const QWidget* active = QApplication::activeWindow();
        if (isVisible() && !isMinimized() && (!active || !active->isVisible()) &&
            !QApplication::activeModalWidget())
          activateWindow();
      });
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::showBusy(const QString& status) { busy_->showBusy(status); }

void MainWindow::hideBusy() { busy_->hide(); }

void MainWindow::showAbout() { about_->showAbout(); }

void MainWindow::showHelpContents() { help_->handle(HelpRequest::Contents); }

void MainWindow::showHelpForPage() {
  switch (currentPage()) {
    case Page::Composing: help_->handle(HelpRequest::Context, help_context::kCompose); break;
    case Page::Editing: help_->handle(HelpRequest::Context, help_context::kEdit); break;
    case Page::Start: help_->handle(HelpRequest::Contents); break;
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (closed_) return event->accept();
  // Unsaved work on either page is asked about as its Close asks; Cancel keeps the program open.
  for (ClosablePage* page : {editingCloser_.get(), composingCloser_.get()}) {
    if (!page->maybeSave()) return event->ignore();
  }
  // A running search stops as Stop stops it (its state file written) before the program ends.
  composingPage_->stopBeforeExit();
  try {
    saveSettings();
  } catch (const FileError& e) {
    Prompts::warn(this, QApplication::applicationDisplayName(), QString::fromUtf8(e.what()));
  }
  finishClosing();
  event->accept();
}

void MainWindow::finishClosing() {
  help_->handle(HelpRequest::Quit);
  busy_->hide();
  closed_ = true;
  Q_EMIT closed();
}

void MainWindow::closeForTermination() {
  if (closed_) return;
  composingPage_->stopBeforeExit();
  keepUnsavedWork();
  try {
    saveSettings();
  } catch (const FileError& e) {
    qWarning("%s", e.what());  // nobody may be there to answer a message
  }
  finishClosing();
  close();
}

void MainWindow::keepUnsavedWork() {
  const RecoveryStore store = RecoveryStore::forProgram(folders_);
  const std::pair<ClosablePage*, const char*> pages[] = {{editingCloser_.get(), ".C_W"},
                                                         {composingCloser_.get(), ".C_WM"}};
  for (const auto& [page, extension] : pages) {
    const std::optional<QString> file = page->unsavedFile();
    if (!file) continue;
    try {
      const std::filesystem::path path = store.reserve(toPath(*file), extension);
      if (page->writeRecovery(fromPath(path))) {
        qInfo("Unsaved changes kept in %s", path.c_str());
      } else {
        store.remove({path, toPath(*file)});
        qWarning("Unsaved changes to %s could not be kept", qPrintable(*file));
      }
    } catch (const FileError& e) {
      qWarning("%s", e.what());
    }
  }
}

void MainWindow::offerRecovery() {
  const RecoveryStore store = RecoveryStore::forProgram(folders_);
  for (const RecoveryEntry& entry : store.entries()) {
    const bool layout = entry.file.extension() == ".C_WM";
    const QString name = fromPath(entry.name());
    const Question question{QApplication::applicationDisplayName(),
                            tr("Recover unsaved changes to %1?").arg(name),
                            {},
                            QMessageBox::Yes | QMessageBox::No,
                            QMessageBox::Yes};
    try {
      if (Prompts::ask(this, question) != QMessageBox::Yes) {
        store.remove(entry);
        continue;
      }
      const std::filesystem::path fallback =
          toPath(layout ? dialogFolders_.composeSave : dialogFolders_.editSave);
      const std::filesystem::path restored = restoreRecovered(entry, fallback);
      store.remove(entry);
      showPage(layout ? Page::Composing : Page::Editing);
      (layout ? composingCloser_ : editingCloser_)->openRecovered(fromPath(restored));
    } catch (const FileError& e) {
      Prompts::fail(this, QApplication::applicationDisplayName(), QString::fromUtf8(e.what()));
    }
  }
}

void MainWindow::saveSettings() {
  writeDialogFolders(settingsFile_, dialogFolders_);
  if (composeOptionsChanged_)
    gw::writeNoRepeatedWords(settingsFile_, composingPage_->composeOptions().noRepeatedWords);
  gw::writeComposingViewSettings(settingsFile_, composingPage_->viewSettingsRead(),
                                 composingPage_->viewSettings());
  if (minWordScoreChanged_)
    gw::writeMinWordScore(settingsFile_, composingPage_->composeOptions().minWordScore);
}

}  // namespace gw::gui
