#include "authoring/gui/composing/composing_page.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include "authoring/gui/composing/compose_controller.h"
#include "authoring/gui/composing/composing_geometry.h"
#include "authoring/gui/composing/composing_prompts.h"
#include "authoring/gui/composing/grid_typing.h"
#include "authoring/gui/composing/layout_grid_model.h"
#include "authoring/gui/composing/layout_grid_view.h"
#include "authoring/gui/composing/progress_preview.h"
#include "authoring/gui/composing/quick_fill_controller.h"
#include "common/errors.h"

namespace gw::gui {

namespace {

// A toolbar picture of one grid cell in the colour the command gives it.
QIcon cellIcon(const QColor& fill) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setPen(QColor(96, 96, 96));
  p.setBrush(fill);
  p.drawRect(2, 2, 11, 11);
  return QIcon(pixmap);
}

const char* statusLanguageCode(Language language) {
  switch (language) {
    case Language::English: return "ENG";
    case Language::German: return "GER";
    case Language::Serbian: return "SER";
  }
  return "";
}

QString fileNameOnly(const std::filesystem::path& path) {
  return QString::fromStdString(path.filename().string());
}

QString languageText(Language language) {
  const std::string_view name = gw::languageName(language);
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

QString folderOf(const QString& file) { return QFileInfo(file).absolutePath(); }

std::filesystem::path toPath(const QString& file) { return std::filesystem::path(file.toStdString()); }

}  // namespace

ComposingPage::ComposingPage(gw::Dictionary& dictionary, const gw::ProgramFolders& folders,
                             FileDialogFolders& dialogFolders, QWidget* parent)
    : QWidget(parent),
      folders_(folders),
      dialogFolders_(dialogFolders),
      ownPrompts_(std::make_unique<DialogComposingPrompts>()),
      prompts_(ownPrompts_.get()) {
  setObjectName("composingPage");
  ComposingFiles files;
  files.wordFile = [folders](Language l) { return folders.readPath(std::string(wordFileName(l))); };
  files.resultsFolder = folders.resultsFolder();
  controller_ = std::make_unique<ComposeController>(dictionary, std::move(files));
  quickFill_ = std::make_unique<QuickFillController>();

  toolBar_ = new QToolBar(this);
  toolBar_->setObjectName("composingToolBar");
  toolBar_->setIconSize(QSize(16, 16));
  preview_ = new ProgressPreview(toolBar_);
  model_ = new LayoutGridModel([this]() -> const Layout& { return shownLayout(); }, this);
  grid_ = new LayoutGridView(this);
  grid_->setModel(model_);
  // Keys typed into the page go to the grid.
  setFocusProxy(grid_);
  grid_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(grid_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { popupMenu_->exec(grid_->viewport()->mapToGlobal(at)); });

  statusBar_ = new QStatusBar(this);
  statusBar_->setObjectName("composingStatusBar");
  statusBar_->setSizeGripEnabled(false);
  QFont statusFont("Verdana");
  statusFont.setStyleHint(QFont::SansSerif);
  statusFont.setPixelSize(kComposingFontPixels);
  statusBar_->setFont(statusFont);
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    auto* label = new QLabel(statusBar_);
    label->setObjectName(QString("statusPanel%1").arg(i + 1));
    label->setFixedWidth(kStatusPanelWidths[i]);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    statusBar_->addWidget(label);
    panels_[i] = label;
  }
  statusMessage_ = new QLabel(statusBar_);
  statusMessage_->setObjectName("statusMessage");
  statusBar_->addWidget(statusMessage_, 1);

  buildActions();
  buildMenus();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(toolBar_);
  layout->addWidget(grid_, 1);
  layout->addWidget(statusBar_);

  connect(grid_, &LayoutGridView::characterTyped, this, &ComposingPage::typeCharacter);
  connect(grid_, &LayoutGridView::cellDoubleClicked, this, &ComposingPage::toggleCell);
  connect(controller_.get(), &ComposeController::frameDue, this, &ComposingPage::showFrame);
  connect(controller_.get(), &ComposeController::composingStateChanged, this,
          &ComposingPage::composingStateChanged);
  connect(controller_.get(), &ComposeController::searchFinished, this, &ComposingPage::searchFinished);
  connect(quickFill_.get(), &QuickFillController::progressed, this, [this](std::uint64_t steps) {
    showStatusMessage(QString("Quick fill (seed %1): %2 words tried")
                          .arg(quickFill_->seed())
                          .arg(QLocale().toString(static_cast<qulonglong>(steps))));
  });
  connect(quickFill_.get(), &QuickFillController::finished, this, &ComposingPage::quickFillFinished);
  connect(controller_.get(), &ComposeController::dictionaryLoadStarted, this,
          [this](Language l) { Q_EMIT busy(QString("Loading %1 dictionary ...").arg(languageText(l))); });
  connect(controller_.get(), &ComposeController::dictionaryLoadFinished, this, [this](Language l) {
    setStatusText(6, languageText(l));
    Q_EMIT idle();
  });
  updateActions(true);
}

ComposingPage::~ComposingPage() {
  // The grid reads the controller, which goes first; a search never outlives its page:
  // it is saved as Stop saves it, with nobody left to tell.
  grid_->setModel(nullptr);
  controller_->disconnect(this);
  controller_->stop();
  quickFill_->disconnect(this);
  quickFill_->stop();
}

QAction* ComposingPage::makeAction(const char* objectName, const QString& text, const QString& hint,
                                   const QKeySequence& shortcut) {
  auto* action = new QAction(text, this);
  action->setObjectName(objectName);
  if (!hint.isEmpty()) {
    action->setToolTip(hint);
    action->setStatusTip(hint);
  }
  if (!shortcut.isEmpty()) {
    action->setShortcut(shortcut);
    // The command of the page in front: the page holds the action.
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(action);
  }
  return action;
}

void ComposingPage::buildActions() {
  QStyle* s = style();
  newLayoutAction_ = makeAction("newLayoutAction", "New layout", "New crossword composing layout ...",
                                QKeySequence(Qt::CTRL | Qt::Key_N));
  newLayoutAction_->setIcon(s->standardIcon(QStyle::SP_FileIcon));
  openLayoutAction_ =
      makeAction("openLayoutAction", "Open layout", "Open file with crossword composing layout",
                 QKeySequence(Qt::CTRL | Qt::Key_O));
  openLayoutAction_->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
  closeLayoutAction_ = makeAction("closeLayoutAction", "Close ", "Close crossword layout ",
                                  QKeySequence(Qt::CTRL | Qt::Key_F4));
  saveLayoutAction_ = makeAction("saveLayoutAction", "Save", "Save to file (composing layout)",
                                 QKeySequence(Qt::CTRL | Qt::Key_S));
  saveLayoutAction_->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
  startAction_ = makeAction("startComposeAction", "Start compose ...", "Start composing process");
  startAction_->setIcon(s->standardIcon(QStyle::SP_MediaPlay));
  stopAction_ = makeAction("stopComposeAction", "Stop compose ...", "Stop composing process");
  stopAction_->setIcon(s->standardIcon(QStyle::SP_MediaStop));
  clearLayoutAction_ = makeAction("clearLayoutAction", "Clear layout", "Clear composing layout");
  clearFixedAction_ = makeAction("clearFixedAction", "Clear fixed ", {});
  changeStatusAction_ = makeAction("changeStatusAction", "ChangeStatus", {});
  quickFillAction_ =
      makeAction("quickFillAction", "Quick fill", "Find one fill fast and write it as the next result");
  quickFillAction_->setIcon(s->standardIcon(QStyle::SP_MediaSeekForward));
  noRepeatedWordsAction_ =
      makeAction("noRepeatedWordsAction", "No repeated words", "No word twice in one fill (both searches)");
  noRepeatedWordsAction_->setCheckable(true);

  // Space and Del belong to the grid alone: elsewhere they keep their usual meaning.
  setIsleAction_ = new QAction(cellIcon(QColor(255, 255, 0)), "Set isle", this);
  setIsleAction_->setObjectName("setIsleAction");
  clearFieldAction_ = new QAction(cellIcon(QColor(0, 255, 255)), "Clear field", this);
  clearFieldAction_->setObjectName("clearFieldAction");
  setIsleAction_->setShortcut(QKeySequence(Qt::Key_Space));
  clearFieldAction_->setShortcut(QKeySequence(Qt::Key_Delete));
  for (QAction* a : {setIsleAction_, clearFieldAction_}) {
    a->setShortcutContext(Qt::WidgetShortcut);
    grid_->addAction(a);
  }

  connect(newLayoutAction_, &QAction::triggered, this, &ComposingPage::newLayout);
  connect(openLayoutAction_, &QAction::triggered, this, &ComposingPage::openLayout);
  connect(closeLayoutAction_, &QAction::triggered, this, &ComposingPage::closeLayout);
  connect(saveLayoutAction_, &QAction::triggered, this, &ComposingPage::saveLayout);
  connect(startAction_, &QAction::triggered, this, &ComposingPage::startComposing);
  connect(stopAction_, &QAction::triggered, this, &ComposingPage::stopComposing);
  connect(quickFillAction_, &QAction::triggered, this, &ComposingPage::quickFill);
  // Only the author's choice reaches crossword.conf: setComposeOptions() uses setChecked().
  connect(noRepeatedWordsAction_, &QAction::triggered, this, [this](bool on) {
    controller_->composer().setNoRepeat(on);
    Q_EMIT noRepeatedWordsChanged(on);
  });
  connect(clearLayoutAction_, &QAction::triggered, this, &ComposingPage::clearLayout);
  connect(clearFixedAction_, &QAction::triggered, this, &ComposingPage::clearLayout);
  connect(changeStatusAction_, &QAction::triggered, this, &ComposingPage::toggleComposing);
  connect(setIsleAction_, &QAction::triggered, this, &ComposingPage::setIsle);
  connect(clearFieldAction_, &QAction::triggered, this, &ComposingPage::clearField);

  toolBar_->addAction(newLayoutAction_);
  toolBar_->addAction(openLayoutAction_);
  toolBar_->addAction(saveLayoutAction_);
  toolBar_->addSeparator();
  toolBar_->addAction(setIsleAction_);
  toolBar_->addAction(clearFieldAction_);
  toolBar_->addSeparator();
  toolBar_->addWidget(preview_);
  toolBar_->addAction(startAction_);
  toolBar_->addAction(quickFillAction_);
  toolBar_->addAction(stopAction_);
}

void ComposingPage::buildMenus() {
  auto separator = [this] {
    auto* a = new QAction(this);
    a->setSeparator(true);
    return a;
  };
  // "File (Compose)": the main window appends "Quit compose".
  fileMenu_ = {newLayoutAction_, saveLayoutAction_, openLayoutAction_,      closeLayoutAction_, separator(),
               setIsleAction_,   clearFieldAction_, clearFixedAction_,      separator(),        startAction_,
               quickFillAction_, stopAction_,       noRepeatedWordsAction_, separator()};

  popupMenu_ = new QMenu(this);
  popupMenu_->setObjectName("gridPopupMenu");
  popupMenu_->addAction(changeStatusAction_);
  popupMenu_->addAction(startAction_);
  popupMenu_->addAction(quickFillAction_);
  popupMenu_->addAction(stopAction_);
  popupMenu_->addAction(noRepeatedWordsAction_);
  popupMenu_->addSeparator();
  popupMenu_->addAction(setIsleAction_);
  popupMenu_->addAction(clearFieldAction_);
  popupMenu_->addSeparator();
  popupMenu_->addAction(newLayoutAction_);
  popupMenu_->addAction(openLayoutAction_);
  popupMenu_->addAction(closeLayoutAction_);
  popupMenu_->addSeparator();
}

QList<QAction*> ComposingPage::fileMenuActions() const { return fileMenu_; }

void ComposingPage::setExitProgramAction(QAction* action) {
  if (exitProgramAction_) popupMenu_->removeAction(exitProgramAction_);
  exitProgramAction_ = action;
  if (action) popupMenu_->addAction(action);
}

void ComposingPage::setPrompts(ComposingPrompts* prompts) {
  prompts_ = prompts ? prompts : ownPrompts_.get();
}

bool ComposingPage::isComposing() const {
  return controller_->state() == ComposingState::Running || isQuickFilling();
}

bool ComposingPage::isQuickFilling() const { return quickFill_->isRunning(); }

void ComposingPage::setComposeOptions(const ComposeSettings& options) {
  noRepeatedWordsAction_->setChecked(options.noRepeatedWords);
  controller_->composer().setNoRepeat(options.noRepeatedWords);
  quickFillLanes_ = options.quickFillLanes;
}

ComposeSettings ComposingPage::composeOptions() const {
  return ComposeSettings{noRepeatedWordsAction_->isChecked(), quickFillLanes_};
}

bool ComposingPage::hasOpenLayout() const { return controller_->session().isOpen(); }

QString ComposingPage::languageName() const { return panels_[5]->text(); }

std::optional<Language> ComposingPage::layoutLanguage() const {
  if (!hasOpenLayout()) return std::nullopt;
  return controller_->session().layout().language;
}

QString ComposingPage::statusText(int panel) const {
  return panels_[static_cast<std::size_t>(panel - 1)]->text();
}

QString ComposingPage::statusMessage() const { return statusMessage_->text(); }

// ---------------------------------------------------------------- enabling rules

bool ComposingPage::currentCell(int& row, int& column) const {
  const QModelIndex index = grid_->currentIndex();
  if (!index.isValid()) return false;
  row = index.row();
  column = index.column();
  return true;
}

bool ComposingPage::canStart() const {
  const ComposingState state = controller_->state();
  return (state == ComposingState::Editable || state == ComposingState::Stopped) && !isQuickFilling();
}

bool ComposingPage::canQuickFill() const {
  // An editable layout that Start compose would take: the size ChangeStatus asks for and a word list.
  const LayoutSession& session = controller_->session();
  return session.canEdit() && !isQuickFilling() && session.layout().rows >= 4 &&
         session.layout().columns >= 4 && session.dictionary().totalWordCount() > 0;
}

void ComposingPage::updateActions(bool pageInFront) {
  pageInFront_ = pageInFront;
  const ComposingState state = controller_->state();
  const bool running = isComposing();
  const bool open = state != ComposingState::Closed;
  const bool editable = state == ComposingState::Editable && !running;
  newLayoutAction_->setEnabled(!running && pageInFront);
  openLayoutAction_->setEnabled(!running && pageInFront);
  closeLayoutAction_->setEnabled(open && !running && pageInFront);
  saveLayoutAction_->setEnabled(open && !running && pageInFront);
  startAction_->setEnabled(canStart());
  stopAction_->setEnabled(running);
  quickFillAction_->setEnabled(canQuickFill());
  // The option is read when a search starts: changing it while one runs would change nothing.
  noRepeatedWordsAction_->setEnabled(!running);
  clearLayoutAction_->setEnabled(editable);
  clearFixedAction_->setEnabled(editable);
  int row = 0, column = 0;
  const bool onCell =
      editable && currentCell(row, column) && controller_->session().layout().contains(row, column);
  const Layout& layout = controller_->session().layout();
  clearFieldAction_->setEnabled(onCell && !layout.board.isEmpty(row, column));
  setIsleAction_->setEnabled(onCell && !layout.board.isIsle(row, column));
  changeStatusAction_->setEnabled(true);
}

// ---------------------------------------------------------------- layout commands

void ComposingPage::newLayout() {
  if (isComposing()) return;
  std::optional<NewLayoutValues> values = prompts_->newLayout(window());
  if (!values) return;
  try {
    controller_->session().newLayout(values->rows, values->columns, values->language);
  } catch (const std::runtime_error& e) {
    Q_EMIT idle();
    prompts_->error(window(), QString::fromStdString(e.what()));
    return;
  }
  layoutReplaced();
}

void ComposingPage::openLayout() {
  if (isComposing()) return;
  const QString file = prompts_->openFileName(window(), dialogFolders_.composeOpen);
  if (file.isEmpty()) return;
  openPatternFile(file);
  if (controller_->session().isOpen() && controller_->session().patternFile() == toPath(file))
    dialogFolders_.composeOpen = folderOf(file);
}

void ComposingPage::openPatternFile(const QString& path) {
  if (isComposing()) return;
  LayoutSession& session = controller_->session();
  try {
    session.open(toPath(path));
  } catch (const std::runtime_error& e) {
    // The reader's message; the layout that was open stays as it was.
    Q_EMIT idle();
    prompts_->error(window(), QString::fromStdString(e.what()));
    return;
  }
  layoutReplaced();
  Q_EMIT captionChanged("Composing : " + fileNameOnly(session.patternFile()));
  if (session.hasSavedSearch() && prompts_->confirmContinue(window())) {
    try {
      controller_->resume();
    } catch (const std::runtime_error& e) {
      prompts_->error(window(), QString::fromStdString(e.what()));
    }
  }
}

bool ComposingPage::ensureFileName() {
  LayoutSession& session = controller_->session();
  if (session.hasFileName()) return true;
  const QString file = prompts_->saveFileName(window(), dialogFolders_.composeSave, {});
  if (file.isEmpty()) return false;
  try {
    session.saveAs(toPath(file));
  } catch (const std::runtime_error& e) {
    prompts_->error(window(), QString::fromStdString(e.what()));
    return false;
  }
  Q_EMIT captionChanged("Make : " + fileNameOnly(session.patternFile()));
  dialogFolders_.composeSave = folderOf(file);
  return true;
}

void ComposingPage::saveLayout() {
  LayoutSession& session = controller_->session();
  if (!session.isOpen() || isComposing()) return;
  if (!session.hasFileName()) {
    ensureFileName();
    return;
  }
  try {
    // The author's layout, never the letters a search placed.
    session.save();
  } catch (const std::runtime_error& e) {
    prompts_->error(window(), QString::fromStdString(e.what()));
    return;
  }
  Q_EMIT captionChanged("Make : " + fileNameOnly(session.patternFile()));
  dialogFolders_.composeSave = folderOf(QString::fromStdString(session.patternFile().string()));
}

void ComposingPage::closeLayout() {
  if (isComposing()) return;
  controller_->session().close();
  quickFillShown_.reset();
  showStatusMessage({});
  model_->setLayoutOpen(false);
  grid_->moveCursorTo(0, 0);
  showFrame();
}

void ComposingPage::layoutReplaced() {
  quickFillShown_.reset();
  showStatusMessage({});
  model_->setLayoutOpen(true);
  model_->resetLayout();
  grid_->moveCursorTo(0, 0);
  growWindowToLayout();
  showFrame();
}

void ComposingPage::growWindowToLayout() {
  const Layout& layout = controller_->session().layout();
  QWidget* w = window();
  const QSize need = composingWindowSize(layout.rows, layout.columns);
  const QSize now = w->size();
  // The window grows to show the layout whole; it never shrinks here.
  if (now.width() < need.width() || now.height() < need.height()) w->resize(now.expandedTo(need));
}

// ---------------------------------------------------------------- composing

void ComposingPage::startComposing() {
  if (!canStart()) return;
  if (controller_->state() == ComposingState::Stopped) {
    controller_->start();
    return;
  }
  if (!ensureFileName()) return;
  quickFillShown_.reset();
  showStatusMessage({});
  Composer& composer = controller_->composer();
  Q_EMIT busy("Sorting words ...");
  std::vector<Slot> order = composer.proposedOrder();
  Q_EMIT idle();
  std::vector<int> answer;
  if (!order.empty()) {
    const Layout& layout = controller_->session().layout();
    if (std::optional<std::vector<int>> chosen =
            prompts_->wordOrder(window(), layout.columns - 1, layout.rows - 1, order))
      answer = std::move(*chosen);
  }
  try {
    controller_->start(answer);
  } catch (const std::runtime_error& e) {
    prompts_->error(window(), QString::fromStdString(e.what()));
  }
}

void ComposingPage::stopComposing() {
  if (isQuickFilling())
    quickFill_->stop();
  else
    controller_->stop();
}

void ComposingPage::stopBeforeExit() {
  quickFill_->stop();
  controller_->stop();
}

void ComposingPage::quickFill() {
  if (!canQuickFill()) return;
  if (!ensureFileName()) return;
  LayoutSession& session = controller_->session();
  FirstFillOptions options;
  options.seed = QuickFillController::newSeed();
  options.lanes = quickFillLanes_;
  options.noRepeat = noRepeatedWordsAction_->isChecked();
  std::optional<QuickFillRefusal> refusal;
  try {
    refusal = quickFill_->start(session, options);
  } catch (const std::runtime_error& e) {
    prompts_->error(window(), QString::fromStdString(e.what()));
    return;
  }
  // Saved as Start compose saves it.
  Q_EMIT captionChanged("Make : " + fileNameOnly(session.patternFile()));
  if (refusal) {
    if (refusal->outcome == ComposeOutcome::NoWords)
      prompts_->information(window(), refusal->message);
    else
      prompts_->error(window(), refusal->message);
    return;
  }
  quickFillShown_.reset();
  grid_->setFocusMarkShown(false);
  showStatusMessage(QString("Quick fill (seed %1) ...").arg(options.seed));
  showFrame();
}

void ComposingPage::quickFillFinished(const QuickFillReport& report) {
  grid_->setFocusMarkShown(true);
  const QString seed = QString("seed %1").arg(report.seed);
  const QString repeated = report.noRepeat ? " without repeated words" : "";
  switch (report.outcome) {
    case QuickFillOutcome::Filled:
      quickFillShown_ = report.filled;
      showStatusMessage(QString("Quick fill: %1 written (%2)").arg(fileNameOnly(report.file), seed));
      controller_->playSound(ComposerSound::ResultWritten);
      break;
    case QuickFillOutcome::NoFill:
      showStatusMessage(
          QString("Quick fill: no fill exists with this word list%1; nothing written").arg(repeated));
      break;
    case QuickFillOutcome::Stopped:
      showStatusMessage(QString("Quick fill stopped (%1); nothing written").arg(seed));
      break;
    case QuickFillOutcome::Failed:
      showStatusMessage(QString("Quick fill: the fill could not be written (%1)").arg(seed));
      prompts_->error(window(), report.message);
      break;
  }
  showFrame();
}

void ComposingPage::toggleComposing() {
  // The rule of "Start compose ..." as it stands now, not as the last idle pass left it.
  if (canStart()) {
    if (model_->columnCount() < 4 || model_->rowCount() < 4) {
      prompts_->information(window(), "Define crossword pattern first!");
      return;
    }
    startComposing();
  } else {
    stopComposing();
  }
}

void ComposingPage::searchFinished(ComposeOutcome outcome, const QString& message) {
  showFrame();
  if (message.isEmpty()) return;
  if (outcome == ComposeOutcome::NoWords)
    prompts_->information(window(), message);
  else
    prompts_->error(window(), message);
}

void ComposingPage::composingStateChanged(ComposingState state) {
  grid_->setFocusMarkShown(state != ComposingState::Running);
}

// ---------------------------------------------------------------- cells

const Layout& ComposingPage::shownLayout() const {
  if (quickFillShown_ && controller_->state() == ComposingState::Editable) return *quickFillShown_;
  return controller_->shownLayout();
}

void ComposingPage::cellsChanged() {
  // The author works on the layout again: the fill made from the old one goes.
  quickFillShown_.reset();
  model_->refreshCells();
}

void ComposingPage::setIsle() {
  int row = 0, column = 0;
  if (isQuickFilling()) return;
  if (currentCell(row, column) && controller_->session().setIsle(row, column)) cellsChanged();
}

void ComposingPage::clearField() {
  int row = 0, column = 0;
  if (isQuickFilling()) return;
  if (currentCell(row, column) && controller_->session().clearCell(row, column)) cellsChanged();
}

void ComposingPage::clearLayout() {
  if (!isQuickFilling() && controller_->session().clearAll()) cellsChanged();
}

void ComposingPage::typeCharacter(char usCharacter) {
  LayoutSession& session = controller_->session();
  // Only an editable layout takes letters: a running or stopped search is never changed.
  if (!session.canEdit() || isQuickFilling()) return;
  int row = 0, column = 0;
  if (!currentCell(row, column)) return;
  std::optional<char> letter = typedBoardLetter(usCharacter, session.layout().language);
  if (!letter || !session.putLetter(row, column, *letter)) return;
  const GridCursor next = cursorAfterLetter({row, column}, session.layout().rows, session.layout().columns);
  grid_->moveCursorTo(next.row, next.column);
  cellsChanged();
}

void ComposingPage::toggleCell(int row, int column) {
  if (!isQuickFilling() && controller_->session().toggleCell(row, column)) cellsChanged();
}

// ---------------------------------------------------------------- display

void ComposingPage::showFrame() {
  model_->refreshCells();
  preview_->show(controller_->previewState());
  updateStatus();
}

void ComposingPage::updateStatus() {
  if (!controller_->session().isOpen()) return;
  const Composer& composer = controller_->composer();
  setStatusText(1, statusLanguageCode(controller_->session().layout().language));
  setStatusText(2, QString("R:%1").arg(composer.resultCount()));
  setStatusText(3, QString("T: %1").arg(composer.depth()));
  setStatusText(4, QString("M: %1").arg(composer.deepestDepth()));
}

void ComposingPage::showStatusMessage(const QString& text) {
  if (statusMessage_->text() == text) return;
  statusMessage_->setText(text);
  statusMessage_->setToolTip(text);
  // The window grows to show the message whole, as it grows to show a layout; never beyond the
  // screen, and it never shrinks here.
  const int missing = statusMessage_->sizeHint().width() - statusMessage_->width();
  QWidget* w = window();
  if (missing <= 0 || !w->isVisible()) return;
  int width = w->width() + missing;
  if (const QScreen* screen = w->screen()) width = std::min(width, screen->availableGeometry().width());
  if (width > w->width()) w->resize(width, w->height());
}

void ComposingPage::setStatusText(int panel, const QString& text) {
  QLabel* label = panels_[static_cast<std::size_t>(panel - 1)];
  if (label->text() != text) label->setText(text);
}

}  // namespace gw::gui
