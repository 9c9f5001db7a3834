#include "authoring/gui/composing/composing_page.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>
#include <utility>

#include "authoring/gui/composing/candidate_panel.h"
#include "authoring/gui/composing/composing_geometry.h"
#include "authoring/gui/composing/grid_insight_controller.h"
#include "authoring/gui/composing/layout_grid_model.h"
#include "authoring/gui/composing/layout_grid_view.h"
#include "authoring/gui/composing/min_word_score_box.h"
#include "authoring/gui/composing/progress_preview.h"
#include "authoring/gui/composing/word_order_dialog.h"
#include "authoring/gui/dialogs/new_crossword_dialog.h"
#include "gui_common/make_action.h"
#include "gui_common/prompts.h"

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

// The symmetry rules by their crossword.conf names.
constexpr std::pair<const char*, LayoutSymmetry> kSymmetryNames[] = {
    {"none", LayoutSymmetry::None},
    {"rotational", LayoutSymmetry::Rotational},
    {"mirror", LayoutSymmetry::Mirror}};

}  // namespace

ComposingPage::ComposingPage(gw::Dictionary& dictionary, const gw::ProgramFolders& folders,
                             FileDialogFolders& dialogFolders, QWidget* parent)
    : QWidget(parent), workflow_(std::make_unique<ComposingWorkflow>(dictionary, folders, dialogFolders)) {
  setObjectName("composingPage");
  workflow_->setDialogParent(this);

  toolBar_ = new QToolBar(this);
  toolBar_->setObjectName("composingToolBar");
  toolBar_->setIconSize(QSize(16, 16));
  preview_ = new ProgressPreview(toolBar_);
  model_ = new LayoutGridModel([this]() -> const Layout& { return workflow_->shownLayout(); }, this);
  model_->setAuthorLayout([this]() -> const Layout& { return workflow_->layout(); });
  grid_ = new LayoutGridView(this);
  grid_->setModel(model_);
  // Keys typed into the page go to the grid.
  setFocusProxy(grid_);
  grid_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(grid_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { popupMenu_->exec(grid_->viewport()->mapToGlobal(at)); });

  buildStatusBar();
  buildActions();
  buildMenus();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(toolBar_);
  candidatePanel_ = new CandidatePanel(this);
  auto* middle = new QHBoxLayout;
  middle->addWidget(grid_, 1);
  middle->addWidget(candidatePanel_);
  layout->addLayout(middle, 1);
  layout->addWidget(statusBar_);
  new GridInsightController(*workflow_, grid_, candidatePanel_, this);

  bindWorkflow();
  applyStatus(workflow_->status());
}

ComposingPage::~ComposingPage() {
  // The grid reads the workflow, which goes first.
  grid_->setModel(nullptr);
  workflow_->disconnect(this);
}

void ComposingPage::buildStatusBar() {
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
  figures_ = new QLabel(statusBar_);
  figures_->setObjectName("layoutFigures");
  statusBar_->addPermanentWidget(figures_);
}

void ComposingPage::buildActions() {
  QStyle* s = style();
  const auto page = Qt::WidgetWithChildrenShortcut;
  newLayoutAction_ = makeAction(this, {"newLayoutAction", "New layout", "New crossword composing layout ...",
                                       QKeySequence(Qt::CTRL | Qt::Key_N), page});
  newLayoutAction_->setIcon(s->standardIcon(QStyle::SP_FileIcon));
  openLayoutAction_ =
      makeAction(this, {"openLayoutAction", "Open layout", "Open file with crossword composing layout",
                        QKeySequence(Qt::CTRL | Qt::Key_O), page});
  openLayoutAction_->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
  closeLayoutAction_ = makeAction(this, {"closeLayoutAction", "Close ", "Close crossword layout ",
                                         QKeySequence(Qt::CTRL | Qt::Key_F4), page});
  saveLayoutAction_ = makeAction(this, {"saveLayoutAction", "Save", "Save to file (composing layout)",
                                        QKeySequence(Qt::CTRL | Qt::Key_S), page});
  saveLayoutAction_->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
  startAction_ = makeAction(this, {"startComposeAction", "Start compose ...", "Start composing process"});
  startAction_->setIcon(s->standardIcon(QStyle::SP_MediaPlay));
  stopAction_ = makeAction(this, {"stopComposeAction", "Stop compose ...", "Stop composing process"});
  stopAction_->setIcon(s->standardIcon(QStyle::SP_MediaStop));
  clearLayoutAction_ = makeAction(this, {"clearLayoutAction", "Clear layout", "Clear composing layout"});
  clearFixedAction_ = makeAction(this, {"clearFixedAction", "Clear fixed ", {}});
  changeStatusAction_ = makeAction(this, {"changeStatusAction", "ChangeStatus", {}});
  quickFillAction_ = makeAction(
      this, {"quickFillAction", "Quick fill", "Find one fill fast and write it as the next result"});
  quickFillAction_->setIcon(s->standardIcon(QStyle::SP_MediaSeekForward));
  noRepeatedWordsAction_ = makeAction(
      this, {"noRepeatedWordsAction", "No repeated words", "No word twice in one fill of Start compose"});
  noRepeatedWordsAction_->setCheckable(true);
  quickFillSelectionAction_ = makeAction(
      this, {"quickFillSelectionAction", "Quick fill selection",
             "Fill only the words of the selected cells (drag or Shift+click); every other letter stays"});
  quickFillNoRepeatAction_ = makeAction(this, {"quickFillNoRepeatAction", "No repeated words in Quick fill",
                                               "No word twice in one Quick fill"});
  quickFillNoRepeatAction_->setCheckable(true);
  quickFillNoRepeatAction_->setChecked(workflow_->quickFillNoRepeatedWords());

  // Space and Del belong to the grid alone: elsewhere they keep their usual meaning.
  setIsleAction_ =
      makeAction(grid_, {"setIsleAction", "Set isle", {}, QKeySequence(Qt::Key_Space), Qt::WidgetShortcut});
  setIsleAction_->setIcon(cellIcon(QColor(255, 255, 0)));
  clearFieldAction_ = makeAction(
      grid_, {"clearFieldAction", "Clear field", {}, QKeySequence(Qt::Key_Delete), Qt::WidgetShortcut});
  clearFieldAction_->setIcon(cellIcon(QColor(0, 255, 255)));

  undoAction_ = makeAction(this, {"undoAction", "Undo", "Undo the last change of the layout",
                                  QKeySequence(Qt::CTRL | Qt::Key_Z), page});
  redoAction_ = makeAction(this, {"redoAction", "Redo", "Redo the change undone last",
                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), page});
  redoAction_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  discardSearchAction_ = makeAction(
      this, {"discardSavedSearchAction", "Discard saved search",
             "Delete the stopped search saved beside the layout and make the layout editable again"});
  buildSymmetryMenu();
  buildZoomMenu();

  ComposingWorkflow* w = workflow_.get();
  const auto chooser = [this](const std::vector<Slot>& proposed) { return chooseWordOrder(proposed); };
  // The commands that are one call of the workflow.
  const std::pair<QAction*, void (ComposingWorkflow::*)()> commands[] = {
      {openLayoutAction_, &ComposingWorkflow::openLayout},
      {undoAction_, &ComposingWorkflow::undo},
      {discardSearchAction_, &ComposingWorkflow::discardSavedSearch},
      {redoAction_, &ComposingWorkflow::redo},
      {saveLayoutAction_, &ComposingWorkflow::saveLayout},
      {stopAction_, &ComposingWorkflow::stopComposing},
      {quickFillAction_, &ComposingWorkflow::quickFill},
      {clearLayoutAction_, &ComposingWorkflow::clearLayout},
      {clearFixedAction_, &ComposingWorkflow::clearLayout},
      {setIsleAction_, &ComposingWorkflow::setIsleAndMoveOn},
      {clearFieldAction_, &ComposingWorkflow::clearField},
  };
  for (const auto& [action, command] : commands) connect(action, &QAction::triggered, w, command);
  connect(newLayoutAction_, &QAction::triggered, this, &ComposingPage::newLayout);
  connect(closeLayoutAction_, &QAction::triggered, this, &ComposingPage::closeLayoutAsked);
  connect(startAction_, &QAction::triggered, w, [w, chooser] { w->startComposing(chooser); });
  connect(quickFillSelectionAction_, &QAction::triggered, w,
          [this, w] { w->quickFillSelection(grid_->selectedCells()); });
  connect(quickFillNoRepeatAction_, &QAction::toggled, w, &ComposingWorkflow::setQuickFillNoRepeatedWords);
  connect(noRepeatedWordsAction_, &QAction::triggered, w, &ComposingWorkflow::setNoRepeatedWords);
  connect(changeStatusAction_, &QAction::triggered, w, [w, chooser] { w->toggleComposing(chooser); });

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
  minWordScoreBox_ = new MinWordScoreBox(toolBar_);
  toolBar_->addWidget(minWordScoreBox_);
  connect(minWordScoreBox_, &MinWordScoreBox::changedByAuthor, w, &ComposingWorkflow::setMinWordScore);
}

void ComposingPage::buildSymmetryMenu() {
  symmetryMenu_ = new QMenu("Symmetry", this);
  symmetryMenu_->setObjectName("symmetryMenu");
  auto* group = new QActionGroup(symmetryMenu_);
  const std::tuple<const char*, const char*, LayoutSymmetry> rules[] = {
      {"noSymmetryAction", "None", LayoutSymmetry::None},
      {"rotationalSymmetryAction", "Rotational (180°)", LayoutSymmetry::Rotational},
      {"mirrorSymmetryAction", "Left-right mirror", LayoutSymmetry::Mirror},
  };
  for (const auto& [name, text, rule] : rules) {
    QAction* a = symmetryMenu_->addAction(QString::fromUtf8(text));
    a->setObjectName(name);
    a->setCheckable(true);
    a->setChecked(rule == workflow_->symmetry());
    group->addAction(a);
    connect(a, &QAction::triggered, workflow_.get(), [this, rule = rule] { workflow_->setSymmetry(rule); });
    symmetryActions_.emplace_back(rule, a);
  }
}

void ComposingPage::buildZoomMenu() {
  zoomMenu_ = new QMenu("Cell size", this);
  zoomMenu_->setObjectName("zoomMenu");
  const auto page = Qt::WidgetWithChildrenShortcut;
  QAction* larger = makeAction(this, {"zoomInAction", "Larger cells", {}, QKeySequence::ZoomIn, page});
  // Ctrl+= as well: the same key as Plus without Shift on US keyboards.
  larger->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  QAction* smaller = makeAction(this, {"zoomOutAction", "Smaller cells", {}, QKeySequence::ZoomOut, page});
  QAction* normal =
      makeAction(this, {"zoomResetAction", "Normal cell size", {}, QKeySequence(Qt::CTRL | Qt::Key_0), page});
  connect(larger, &QAction::triggered, this, [this] { zoomBy(1); });
  connect(smaller, &QAction::triggered, this, [this] { zoomBy(-1); });
  connect(normal, &QAction::triggered, this, [this] { setCellSize(kGridCellSize); });
  connect(grid_, &LayoutGridView::zoomRequested, this, &ComposingPage::zoomBy);
  zoomMenu_->addActions({larger, smaller, normal});
}

void ComposingPage::zoomBy(int steps) { setCellSize(zoomedCellSize(grid_->cellSize(), steps)); }

void ComposingPage::setCellSize(int pixels) {
  grid_->setCellSize(pixels);
  if (workflow_->hasOpenLayout()) growWindowToLayout();
}

void ComposingPage::setViewSettings(const ComposingViewSettings& settings) {
  viewSettingsRead_ = settings;
  quickFillNoRepeatAction_->setChecked(settings.quickFillNoRepeatedWords);
  workflow_->setQuickFillNoRepeatedWords(settings.quickFillNoRepeatedWords);
  for (const auto& [name, rule] : kSymmetryNames) {
    if (settings.symmetry != name) continue;
    workflow_->setSymmetry(rule);
    for (const auto& [r, action] : symmetryActions_) action->setChecked(r == rule);
  }
  setCellSize(std::clamp(settings.cellSize, kSmallestCellSize, kLargestCellSize));
}

ComposingViewSettings ComposingPage::viewSettings() const {
  ComposingViewSettings s;
  s.quickFillNoRepeatedWords = workflow_->quickFillNoRepeatedWords();
  for (const auto& [name, rule] : kSymmetryNames)
    if (rule == workflow_->symmetry()) s.symmetry = name;
  s.cellSize = grid_->cellSize();
  return s;
}

void ComposingPage::buildMenus() {
  auto separator = [this] {
    auto* a = new QAction(this);
    a->setSeparator(true);
    return a;
  };
  // "File (Compose)": the main window appends "Quit compose".
  fileMenu_ = {newLayoutAction_, saveLayoutAction_, openLayoutAction_, closeLayoutAction_, separator(),
               setIsleAction_, clearFieldAction_, clearFixedAction_, separator(), startAction_,
               quickFillAction_, stopAction_, noRepeatedWordsAction_, separator(),
               // Additions after the entries of old.
               undoAction_, redoAction_, symmetryMenu_->menuAction(), discardSearchAction_,
               quickFillSelectionAction_, quickFillNoRepeatAction_, zoomMenu_->menuAction(), separator()};

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
  // The main window's "Exit program" comes next (setExitProgramAction()); the additions after it.
  popupMenu_->addActions(popupAdditions());
}

void ComposingPage::bindWorkflow() {
  ComposingWorkflow* w = workflow_.get();
  connect(grid_, &LayoutGridView::characterTyped, w, &ComposingWorkflow::typeCharacter);
  connect(grid_, &LayoutGridView::cellDoubleClicked, w, [w](int row, int column) {
    w->toggleCell({row, column});
  });
  connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, w, [w](const QModelIndex& index) {
    if (index.isValid()) w->setCurrentCell({index.row(), index.column()});
  });
  connect(w, &ComposingWorkflow::currentCellMoved, this,
          [this](CellPos cell) { grid_->moveCursorTo(cell.row, cell.column); });
  connect(w, &ComposingWorkflow::statusChanged, this, &ComposingPage::applyStatus);
  connect(w, &ComposingWorkflow::layoutReplaced, this, &ComposingPage::layoutReplaced);
  connect(w, &ComposingWorkflow::layoutEdited, this, &ComposingPage::showLayoutFigures);
  connect(w, &ComposingWorkflow::frameDue, this, &ComposingPage::showFrame);
  connect(w, &ComposingWorkflow::failed, this, &ComposingPage::showFailure);
  connect(w, &ComposingWorkflow::statusMessageChanged, this, &ComposingPage::showStatusMessage);
  connect(w, &ComposingWorkflow::languageLoaded, this,
          [this](const QString& name) { setStatusText(6, name); });
  connect(w, &ComposingWorkflow::captionChanged, this, &ComposingPage::captionChanged);
  connect(w, &ComposingWorkflow::busy, this, &ComposingPage::busy);
  connect(w, &ComposingWorkflow::idle, this, &ComposingPage::idle);
  connect(w, &ComposingWorkflow::noRepeatedWordsChanged, this, &ComposingPage::noRepeatedWordsChanged);
  connect(w, &ComposingWorkflow::minWordScoreChanged, this, &ComposingPage::minWordScoreChanged);
}

QList<QAction*> ComposingPage::fileMenuActions() const { return fileMenu_; }

void ComposingPage::setExitProgramAction(QAction* action) {
  if (exitProgramAction_) popupMenu_->removeAction(exitProgramAction_);
  exitProgramAction_ = action;
  // The additions stay after the entries of old.
  for (QAction* a : popupAdditions()) popupMenu_->removeAction(a);
  if (action) popupMenu_->addAction(action);
  popupMenu_->addActions(popupAdditions());
}

QList<QAction*> ComposingPage::popupAdditions() const {
  return {undoAction_, redoAction_, symmetryMenu_->menuAction(), quickFillSelectionAction_};
}

void ComposingPage::setComposeOptions(const ComposeSettings& options) {
  noRepeatedWordsAction_->setChecked(options.noRepeatedWords);
  minWordScoreBox_->setValue(options.minWordScore);
  workflow_->setComposeOptions(options);
}

QString ComposingPage::statusText(int panel) const {
  return panels_[static_cast<std::size_t>(panel - 1)]->text();
}

QString ComposingPage::statusMessage() const { return statusMessage_->text(); }

// ---------------------------------------------------------------- commands with dialogs

void ComposingPage::newLayout() {
  if (!rules::newLayout(workflow_->status()) || !workflow_->maybeSave()) return;
  NewCrosswordDialog dialog(window());
  dialog.setMaximumRowCount(kBoardSide);
  if (dialog.exec() != QDialog::Accepted) return;
  workflow_->newLayout(dialog.rowCount(), dialog.columnCount(), dialog.language());
}

void ComposingPage::closeLayoutAsked() {
  if (workflow_->maybeSave()) workflow_->closeLayout();
}

std::optional<std::vector<int>> ComposingPage::chooseWordOrder(const std::vector<Slot>& proposed) {
  const Layout& layout = workflow_->layout();
  WordOrderDialog dialog(layout.columns - 1, layout.rows - 1, proposed, window());
  dialog.setFixedLetters(layout);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.givenPositions();
}

// ---------------------------------------------------------------- state and display

void ComposingPage::applyStatus(const ComposingStatus& s) {
  newLayoutAction_->setEnabled(rules::newLayout(s));
  openLayoutAction_->setEnabled(rules::openLayout(s));
  closeLayoutAction_->setEnabled(rules::closeLayout(s));
  saveLayoutAction_->setEnabled(rules::saveLayout(s));
  startAction_->setEnabled(rules::startCompose(s));
  stopAction_->setEnabled(rules::stopCompose(s));
  quickFillAction_->setEnabled(rules::quickFill(s));
  quickFillSelectionAction_->setEnabled(rules::quickFill(s));
  noRepeatedWordsAction_->setEnabled(rules::noRepeatedWords(s));
  minWordScoreBox_->setEnabled(rules::minWordScore(s));
  clearLayoutAction_->setEnabled(rules::clearLayout(s));
  clearFixedAction_->setEnabled(rules::clearLayout(s));
  clearFieldAction_->setEnabled(rules::clearField(s));
  setIsleAction_->setEnabled(rules::setIsle(s));
  undoAction_->setEnabled(rules::undo(s));
  redoAction_->setEnabled(rules::redo(s));
  discardSearchAction_->setEnabled(rules::discardSavedSearch(s));
  changeStatusAction_->setEnabled(true);
  grid_->setFocusMarkShown(rules::focusMark(s));
}

void ComposingPage::showFailure(const ComposingFailure& failure) {
  const QString title = QApplication::applicationDisplayName();
  if (failure.information)
    Prompts::inform(window(), title, failure.text);
  else
    Prompts::fail(window(), title, failure.text);
}

void ComposingPage::layoutReplaced() {
  const bool open = workflow_->hasOpenLayout();
  model_->setLayoutOpen(open);  // resets the model when that changes
  if (!open) return;
  model_->resetLayout();  // a new size or language
  growWindowToLayout();
}

void ComposingPage::growWindowToLayout() {
  const Layout& layout = workflow_->layout();
  QWidget* w = window();
  QSize need = composingWindowSize(layout.rows, layout.columns, grid_->cellSize()) +
               QSize(candidatePanel_->width(), 0);
  // A zoomed grid may outgrow the screen: then it scrolls.
  if (const QScreen* screen = w->screen()) need = need.boundedTo(screen->availableGeometry().size());
  const QSize now = w->size();
  // The window grows to show the layout whole; it never shrinks here.
  if (now.width() < need.width() || now.height() < need.height()) w->resize(now.expandedTo(need));
}

void ComposingPage::showFrame() {
  model_->refreshCells();
  preview_->show(workflow_->previewState());
  const QStringList counters = workflow_->counterTexts();
  for (int panel = 1; panel <= counters.size(); ++panel) setStatusText(panel, counters[panel - 1]);
}

void ComposingPage::showLayoutFigures() {
  if (!workflow_->hasOpenLayout()) return figures_->clear();
  const LayoutStatistics s = workflow_->statistics();
  QString text = QString("Words %1  Blocks %2  Average %3  Unchecked %4  One-letter %5  %6")
                     .arg(s.words)
                     .arg(s.blocks)
                     .arg(s.averageWordLength(), 0, 'f', 1)
                     .arg(s.uncheckedCells)
                     .arg(s.loneCells)
                     .arg(s.connected ? "Connected" : "Split");
  if (workflow_->symmetry() != LayoutSymmetry::None)
    text += workflow_->isSymmetric() ? "  Symmetric" : "  Not symmetric";
  if (figures_->text() != text) figures_->setText(text);
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
