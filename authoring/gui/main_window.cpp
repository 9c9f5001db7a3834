#include "authoring/gui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>
#include <array>
#include <system_error>
#include <utility>

#include "authoring/gui/app/authoring_settings.h"
#include "authoring/gui/app/help_router.h"
#include "authoring/gui/app/splash_window.h"
#include "authoring/gui/authoring_look.h"
#include "authoring/gui/editing/editing_page.h"
#include "authoring/gui/idle_action_updater.h"
#include "authoring/gui/start_page.h"
#include "common/errors.h"

namespace gw::gui {

namespace {

const QString kCreationCaption = QStringLiteral("Brevant Software: Crossword Authoring");
const QString kStartCaption = QStringLiteral("Brevant Software : Crosswords Authoring");
constexpr QSize kInitialSize(472, 374);
constexpr QSize kMinimumSize(300, 300);

QAction* makeAction(const QString& text, const QString& name, QObject* parent) {
  auto* action = new QAction(text, parent);
  action->setObjectName(name);
  return action;
}

// A shortcut that only works while the focus is on `page`: the pages share Ctrl+N,
// Ctrl+O, Ctrl+F4 and Alt+F4, and the page in front must get the key.
void bindToPage(QAction* action, QKeySequence shortcut, QWidget* page) {
  action->setShortcut(shortcut);
  action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  page->addAction(action);
}

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
  composingPage_->setComposeOptions(readComposeOptions(settingsFile_));
  createActions();
  createMenus();
  showStartPage();
  setWindowTitle(kCreationCaption);
  idleUpdater_ = new IdleActionUpdater([this] { updateActions(); }, this);
}

MainWindow::~MainWindow() = default;

void MainWindow::createPages(const EditingPageFactory& editingPage) {
  pages_ = new QStackedWidget(this);
  pages_->setObjectName("pages");
  startPage_ = new StartPage(pages_);
  composingPage_ = new ComposingPage(dictionary_, folders_, dialogFolders_, pages_);
  editingPage_ = editingPage ? editingPage(pages_) : createEditingPage(dialogFolders_, pages_);
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
  connect(editingPage_, &EditingPageBase::captionChanged, this, &QWidget::setWindowTitle);
  connect(editingPage_, &EditingPageBase::busy, this, &MainWindow::showBusy);
  connect(editingPage_, &EditingPageBase::idle, this, &MainWindow::hideBusy);
}

void MainWindow::createActions() {
  const QKeySequence altF4(Qt::ALT | Qt::Key_F4);
  exitProgram_ = makeAction(tr("Exit program"), "exitProgramAction", this);
  bindToPage(exitProgram_, altF4, composingPage_);
  connect(exitProgram_, &QAction::triggered, this, &MainWindow::exitComposing);
  composingPage_->setExitProgramAction(exitProgram_);
  // The same command under its menu caption; the key belongs to "Exit program".
  quitCompose_ = makeAction(tr("Quit compose") + '\t' + altF4.toString(QKeySequence::NativeText),
                            "quitComposeAction", this);
  connect(quitCompose_, &QAction::triggered, this, &MainWindow::exitComposing);

  quitEditing_ = makeAction(tr("Quit editing ..."), "quitEditingAction", this);
  bindToPage(quitEditing_, altF4, editingPage_);
  connect(quitEditing_, &QAction::triggered, this, &MainWindow::quitEditing);

  closeWindow_ = makeAction(tr("Close"), "closeWindowAction", this);
  bindToPage(closeWindow_, altF4, startPage_);
  connect(closeWindow_, &QAction::triggered, this, &QWidget::close);

  auto* help = makeAction(tr("Help"), "contextHelpAction", this);
  help->setShortcut(QKeySequence::HelpContents);
  addAction(help);
  connect(help, &QAction::triggered, this, &MainWindow::showHelpForPage);

  const std::array<std::pair<QString, gw::Language>, 3> languages{{
      {tr("English"), gw::Language::English},
      {tr("German"), gw::Language::German},
      {tr("Serbian (Cyrillic)"), gw::Language::Serbian},
  }};
  for (const auto& [caption, language] : languages) {
    QAction* action = makeAction(caption, QString(), this);
    action->setEnabled(false);
    connect(action, &QAction::triggered, this, [this, language = language] {
      if (wordListEditor_) wordListEditor_(language, *this);
    });
    wordListActions_ << action;
  }
  wordListActions_[0]->setObjectName("editEnglishWordsAction");
  wordListActions_[1]->setObjectName("editGermanWordsAction");
  wordListActions_[2]->setObjectName("editSerbianWordsAction");
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
  updateActions();
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
  const Page page = currentPage();
  composingPage_->updateActions(page == Page::Composing);
  editingPage_->updateActions(page == Page::Editing);
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
  composingPage_->closeLayout();
  showStartPage();
}

void MainWindow::quitEditing() {
  // Whatever the author decides about unsaved changes, the start page comes back; a
  // crossword still modified stays open for the next visit.
  editingPage_->closeCrossword();
  showStartPage();
}

void MainWindow::showBusy(const QString& status) { busy_->showBusy(status); }

void MainWindow::hideBusy() {
  busy_->hide();
  // Where the busy window took the activation along when it went, the author's window gets it back.
  if (isVisible() && !QApplication::activeWindow()) activateWindow();
}

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
  // An unsaved crossword is asked about as its Close asks; cancelling keeps the program open.
  if (!editingPage_->closeCrossword()) return event->ignore();
  // A running search stops as Stop stops it (its state file written) before the program ends.
  composingPage_->stopBeforeExit();
  help_->handle(HelpRequest::Quit);
  busy_->hide();
  saveSettings();
  closed_ = true;
  event->accept();
  Q_EMIT closed();
}

void MainWindow::saveSettings() {
  try {
    writeDialogFolders(settingsFile_, dialogFolders_);
    if (composeOptionsChanged_)
      writeNoRepeatedWords(settingsFile_, composingPage_->composeOptions().noRepeatedWords);
  } catch (const FileError& e) {
    QMessageBox::warning(this, QApplication::applicationDisplayName(), QString::fromUtf8(e.what()));
  }
}

}  // namespace gw::gui
