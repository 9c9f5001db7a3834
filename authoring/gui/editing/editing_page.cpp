#include "authoring/gui/editing/editing_page.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDataWidgetMapper>
#include <QFormLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QTextCursor>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "authoring/gui/dialogs/new_crossword_dialog.h"
#include "authoring/gui/editing/clue_board.h"
#include "authoring/gui/editing/clue_editor.h"
#include "authoring/gui/editing/definition_table_model.h"
#include "authoring/gui/editing/pdf_export_dialog.h"
#include "authoring/gui/editing/solver_launcher.h"
#include "authoring/gui/layout_editor/layout_editor_dialog.h"
#include "authoring/settings/settings_file.h"
#include "common/errors.h"
#include "gui_common/make_action.h"
#include "gui_common/prompts.h"

namespace gw::gui {

namespace {
const QString kPdfFilter = QStringLiteral("PDF files (*.pdf)");

// Letter where people measure in inches, else A4.
QPageSize::PageSizeId localPaper() {
  return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4;
}

// One enabling rule per command, each a function of the workflow's state.
bool always(const EditingState&) { return true; }
bool canOpen(const EditingState& s) { return !s.open; }
bool canSave(const EditingState& s) { return s.open && s.hasFileName && s.hasBoard && s.modified; }
bool canClose(const EditingState& s) { return s.open; }
bool canPrint(const EditingState& s) { return s.open && s.hasBoard; }
bool canTry(const EditingState& s) { return s.open && s.hasFileName; }
bool canDefine(const EditingState& s) { return s.open && s.hasBoard; }
}  // namespace

EditingPage::EditingPage(FileDialogFolders& folders, QWidget* parent)
    : EditingPageBase(parent),
      workflow_(new EditingWorkflow(folders, this)),
      folders_(folders),
      paper_(localPaper()) {
  setObjectName("editingPage");
  workflow_->setDialogParent(this);
  createActions();
  createWidgets();
  bindWorkflow();
  applyState(workflow_->state());
}

EditingPageBase* createEditingPage(FileDialogFolders& folders, const gw::ProgramFolders& program,
                                   const std::filesystem::path& settingsFile, QWidget* parent) {
  auto* page = new EditingPage(folders, parent);
  page->useSettingsFile(settingsFile);
  page->workflow().setWordFiles(
      [program](Language language) { return program.readPath(std::string(wordFileName(language))); });
  return page;
}

void EditingPage::useSettingsFile(const std::filesystem::path& file) {
  settingsFile_ = file;
  setSortedByNumber(gw::readEditOptions(file).sortByNumber);
}

EditingPage::~EditingPage() = default;

void EditingPage::createActions() {
  // The composing page binds the same keys: only the page in front may take them.
  auto make = [this](const char* name, const QString& text, const QString& hint, QKeySequence key = {}) {
    return makeAction(this, {name, text, hint, key, Qt::WidgetWithChildrenShortcut});
  };
  QAction* newAction = make("newAction", QStringLiteral("New"), QStringLiteral("Define new crossword!"),
                            QKeySequence(Qt::CTRL | Qt::Key_N));
  QAction* openAction =
      make("openAction", QStringLiteral("Open"), QStringLiteral("Open a crossword from a file"),
           QKeySequence(Qt::CTRL | Qt::Key_O));
  QAction* saveAction = make("saveAction", QStringLiteral("Save"),
                             QStringLiteral("Save the crossword to a file under the old name"),
                             QKeySequence(Qt::CTRL | Qt::Key_S));
  QAction* saveAsAction = make("saveAsAction", QStringLiteral("Save as .."),
                               QStringLiteral("Save a crossword to a file after defining new filename"));
  QAction* printAction =
      make("printAction", QStringLiteral("Print..."), QStringLiteral("Print the crossword with its clues"),
           QKeySequence(Qt::CTRL | Qt::Key_P));
  QAction* exportPdfAction = make("exportPdfAction", QStringLiteral("Export PDF..."),
                                  QStringLiteral("Write the crossword with its clues as a PDF file"));
  QAction* closeAction = make("closeAction", QStringLiteral("Close"),
                              QStringLiteral("Close opened crossword and save or discard  changes"),
                              QKeySequence(Qt::CTRL | Qt::Key_F4));
  QAction* changeCharsetAction = make("changeCharsetAction", QStringLiteral("Change Charset"), QString());
  QAction* tryAction = make("tryAction", QStringLiteral("Try a crossword"), QString());
  QAction* defineAction = make("defineAction", QStringLiteral("Define crossword"),
                               QStringLiteral("Define crossword layout and fields"));
  QAction* prepareAction = make("prepareAction", QStringLiteral("Prepare definitions"), QString());
  newAction->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
  openAction->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
  saveAction->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
  defineAction->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));

  connect(newAction, &QAction::triggered, this, &EditingPage::newCrossword);
  connect(openAction, &QAction::triggered, this, [this] { workflow_->openCrossword(); });
  connect(saveAction, &QAction::triggered, this, [this] { withClueStored([this] { workflow_->save(); }); });
  connect(saveAsAction, &QAction::triggered, this,
          [this] { withClueStored([this] { workflow_->saveAs(); }); });
  connect(printAction, &QAction::triggered, this, &EditingPage::printCrossword);
  connect(exportPdfAction, &QAction::triggered, this, &EditingPage::exportPdf);
  connect(closeAction, &QAction::triggered, this, &EditingPage::closeCrossword);
  connect(changeCharsetAction, &QAction::triggered, this, &EditingPage::changeCharset);
  connect(tryAction, &QAction::triggered, this,
          [this] { withClueStored([this] { workflow_->tryCrossword(); }); });
  connect(defineAction, &QAction::triggered, this, &EditingPage::defineCrossword);
  connect(prepareAction, &QAction::triggered, this,
          [this] { withClueStored([this] { workflow_->prepareDefinitions(); }); });

  rules_ = {{newAction, always},       {openAction, canOpen},         {saveAction, canSave},
            {saveAsAction, always},    {printAction, canPrint},       {exportPdfAction, canPrint},
            {closeAction, canClose},   {changeCharsetAction, always}, {tryAction, canTry},
            {defineAction, canDefine}, {prepareAction, always}};

  auto separator = [this] {
    auto* s = new QAction(this);
    s->setSeparator(true);
    return s;
  };
  menuActions_ = {newAction,       openAction,    saveAction,  saveAsAction,        printAction,
                  exportPdfAction, closeAction,   separator(), changeCharsetAction, tryAction,
                  defineAction,    prepareAction, separator()};

  toolBar_ = new QToolBar(this);
  toolBar_->setObjectName("editingToolBar");
  toolBar_->addAction(newAction);
  toolBar_->addAction(openAction);
  toolBar_->addAction(saveAction);
  toolBar_->addSeparator();
  toolBar_->addAction(defineAction);
}

void EditingPage::createWidgets() {
  model_ = new DefinitionTableModel(*workflow_, this);

  QFont verdana(QStringLiteral("Verdana"));
  verdana.setPointSize(8);
  wordGrid_ = new QTableView(this);
  wordGrid_->setObjectName("wordGrid");
  wordGrid_->setAccessibleName(QStringLiteral("Words"));
  wordGrid_->setModel(model_);
  wordGrid_->setFont(verdana);
  wordGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  wordGrid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  wordGrid_->setSelectionMode(QAbstractItemView::SingleSelection);
  wordGrid_->setColumnHidden(DefinitionTableModel::ClueColumn, true);
  wordGrid_->setColumnWidth(DefinitionTableModel::NumberColumn, 80);
  wordGrid_->setColumnWidth(DefinitionTableModel::WordColumn, 140);
  wordGrid_->setColumnWidth(DefinitionTableModel::LengthColumn, 36);
  wordGrid_->horizontalHeader()->setStretchLastSection(true);
  wordGrid_->horizontalHeader()->setSectionsClickable(true);
  wordGrid_->verticalHeader()->setDefaultSectionSize(18);
  wordGrid_->setMinimumWidth(120);

  clueEditor_ = new ClueEditor(this);
  clueEditor_->setFont(verdana);
  clueEditor_->setAccessibleName(QStringLiteral("Clue"));

  mapper_ = new QDataWidgetMapper(this);
  mapper_->setModel(model_);
  mapper_->setSubmitPolicy(QDataWidgetMapper::ManualSubmit);
  mapper_->addMapping(clueEditor_, DefinitionTableModel::ClueColumn);

  board_ = new ClueBoard(workflow_->document(), this);
  auto* boardArea = new QScrollArea(this);
  boardArea->setObjectName("boardArea");
  boardArea->setWidget(board_);
  boardArea->setAlignment(Qt::AlignCenter);
  boardArea->setBackgroundRole(QPalette::Base);

  auto* splitter = new QSplitter(this);
  splitter->setObjectName("editingSplitter");
  splitter->addWidget(wordGrid_);
  splitter->addWidget(boardArea);
  splitter->addWidget(clueEditor_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({300, 400, 260});

  // Which word the clue belongs to, and whether there is anything to save.
  auto* statusBar = new QStatusBar(this);
  statusBar->setObjectName("editingStatusBar");
  statusBar->setSizeGripEnabled(false);
  wordStatus_ = new QLabel(this);
  wordStatus_->setObjectName("wordStatus");
  changeStatus_ = new QLabel(this);
  changeStatus_->setObjectName("changeStatus");
  clueStatus_ = new QLabel(this);
  clueStatus_->setObjectName("clueStatus");
  wordCheckStatus_ = new QLabel(this);
  wordCheckStatus_->setObjectName("wordCheckStatus");
  statusBar->addWidget(wordStatus_, 1);
  statusBar->addPermanentWidget(wordCheckStatus_);
  statusBar->addPermanentWidget(clueStatus_);
  statusBar->addPermanentWidget(changeStatus_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(toolBar_);
  layout->addWidget(splitter, 1);
  layout->addWidget(statusBar);
}

void EditingPage::bindWorkflow() {
  connect(workflow_, &EditingWorkflow::stateChanged, this, &EditingPage::applyState);
  connect(workflow_, &EditingWorkflow::captionChanged, this, &EditingPageBase::captionChanged);
  connect(workflow_, &EditingWorkflow::failed, this, &EditingPage::showMessage);
  connect(workflow_, &EditingWorkflow::solverRequested, this, &launchSolver);

  // The table is replaced or reordered: the same word stays current where it still exists (the
  // first of the list after an open), and nothing the editor held is taken for an edit.
  connect(model_, &QAbstractItemModel::modelAboutToBeReset, this,
          [this] { definitionBeforeReset_ = currentDefinition(); });
  connect(model_, &QAbstractItemModel::modelReset, this, [this] {
    clueEditor_->markStored();
    board_->fitToBoard();
    const int kept = std::min(definitionBeforeReset_, model_->rowCount() - 1);
    selectDefinition(kept >= 0 ? kept : model_->definitionAt(0));
    wordGrid_->horizontalHeader()->setSortIndicatorShown(workflow_->sortedByNumber());
    wordGrid_->horizontalHeader()->setSortIndicator(DefinitionTableModel::NumberColumn, Qt::AscendingOrder);
  });
  // The "No." header sorts by printed number and back to the table's order.
  connect(wordGrid_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
    if (section != DefinitionTableModel::NumberColumn || !storePendingClue()) return;
    workflow_->setSortedByNumber(!workflow_->sortedByNumber());
    if (!settingsFile_.empty()) {
      try {
        gw::writeSortByNumber(settingsFile_, workflow_->sortedByNumber());
      } catch (const gw::FileError& e) {
        showMessage(QString::fromStdString(e.what()));
      }
    }
    Q_EMIT sortOrderChanged(workflow_->sortedByNumber());
  });
  connect(workflow_, &EditingWorkflow::wordCheckChanged, this, &EditingPage::showStatus);
  connect(board_, &ClueBoard::cellClicked, this, [this](CellPos cell) {
    const int chosen = workflow_->definitionForClick(cell, currentDefinition());
    if (chosen >= 0) moveToDefinition(chosen);
  });
  // From the clue box the keyboard walks the list: Enter and Tab store the clue and move on.
  connect(clueEditor_, &ClueEditor::stepRequested, this, [this](int step) {
    if (!storePendingClue()) return;
    const int next = workflow_->stepDefinition(currentDefinition(), step);
    if (next >= 0) moveToDefinition(next);
  });
  connect(clueEditor_, &ClueEditor::editedByUser, this, [this] {
    if (currentDefinition() >= 0) workflow_->markModified();
  });
  // Moving to another word first stores the clue being written; a clue that cannot be
  // stored keeps its word current, so that the author can mend it.
  connect(wordGrid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current, const QModelIndex& previous) {
            if (!storePendingClue()) {
              QSignalBlocker block(wordGrid_->selectionModel());
              wordGrid_->selectionModel()->setCurrentIndex(
                  previous, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
              return;
            }
            showCurrentDefinition();
            showStatus();
            // A narrow list keeps the number in view rather than the word the click scrolled to.
            wordGrid_->scrollTo(model_->index(current.row(), DefinitionTableModel::NumberColumn));
          });
  connect(workflow_, &EditingWorkflow::stateChanged, board_, [this] { board_->update(); });
}

QAction* EditingPage::action(const QString& objectName) const { return findChild<QAction*>(objectName); }

QList<QAction*> EditingPage::fileMenuActions() const { return menuActions_; }

int EditingPage::currentDefinition() const {
  const QModelIndex current = wordGrid_->selectionModel()->currentIndex();
  return current.isValid() ? model_->definitionAt(current.row()) : -1;
}

void EditingPage::moveToDefinition(int definition) {
  const int row = model_->rowOf(definition);
  if (row < 0) return;
  wordGrid_->selectionModel()->setCurrentIndex(
      model_->index(row, DefinitionTableModel::WordColumn),
      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  wordGrid_->scrollTo(model_->index(row, DefinitionTableModel::NumberColumn));
}

void EditingPage::setSortedByNumber(bool byNumber) { workflow_->setSortedByNumber(byNumber); }

void EditingPage::updateActions(bool pageInFront) {
  pageInFront_ = pageInFront;
  applyState(workflow_->state());
}

void EditingPage::applyState(const EditingState& state) {
  for (const EnablingRule& rule : rules_) rule.action->setEnabled(pageInFront_ && rule.enabled(state));
  clueEditor_->setReadOnly(!state.open || state.definitionCount == 0);
  showStatus();
}

void EditingPage::showStatus() {
  const CrosswordDocument& document = workflow_->document();
  const int current = document.isOpen() ? currentDefinition() : -1;
  QString word;
  if (current >= 0) {
    const Definition& d = document.definitions().at(current);
    word = QStringLiteral("Word %1 of %2: %3 at row %4, column %5")
               .arg(current + 1)
               .arg(document.definitions().size())
               .arg(d.direction == Direction::Across ? QStringLiteral("across") : QStringLiteral("down"))
               .arg(d.row + 1)
               .arg(d.column + 1);
  } else if (document.isOpen()) {
    word = QStringLiteral("No words yet: Define crossword");
  }
  const QString clues = workflow_->clueStatus();
  if (clueStatus_->text() != clues) clueStatus_->setText(clues);
  const QString notWords = workflow_->wordCheckStatus();
  if (wordCheckStatus_->text() != notWords) {
    wordCheckStatus_->setText(notWords);
    wordCheckStatus_->setToolTip(notWords);  // a narrow window cuts the label short
  }
  const QString change = document.isOpen() && document.isModified() ? QStringLiteral("Modified") : QString();
  if (wordStatus_->text() != word) wordStatus_->setText(word);
  if (changeStatus_->text() != change) changeStatus_->setText(change);
}

void EditingPage::showMessage(const QString& text) {
  Prompts::inform(this, QCoreApplication::applicationName(), text);
}

template <typename Command>
void EditingPage::withClueStored(Command command) {
  if (storePendingClue()) command();
}

bool EditingPage::storePendingClue() {
  if (!clueEditor_->hasPendingEdit() || mapper_->currentIndex() < 0) return true;
  const int refusedBefore = model_->refusals();
  mapper_->submit();
  if (model_->refusals() != refusedBefore) return false;
  clueEditor_->markStored();
  return true;
}

void EditingPage::selectDefinition(int definition) {
  const int row = model_->rowOf(definition);
  {
    QSignalBlocker block(wordGrid_->selectionModel());
    if (row >= 0) {
      wordGrid_->selectionModel()->setCurrentIndex(
          model_->index(row, DefinitionTableModel::WordColumn),
          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    } else {
      wordGrid_->selectionModel()->clear();
    }
  }
  showCurrentDefinition();
  showStatus();
}

void EditingPage::showCurrentDefinition() {
  board_->setHighlighted(currentDefinition());
  const QModelIndex current = wordGrid_->selectionModel()->currentIndex();
  if (!current.isValid()) {
    mapper_->setCurrentIndex(-1);
    clueEditor_->setClue(QString());
  } else {
    mapper_->setCurrentIndex(current.row());
    clueEditor_->moveCursor(QTextCursor::End);
    clueEditor_->markStored();
  }
}

bool EditingPage::closeCrossword() {
  if (!storePendingClue()) return false;
  return workflow_->closeCrossword();
}

bool EditingPage::maybeSave() { return storePendingClue() && workflow_->maybeSave(); }

void EditingPage::openCrosswordFile(const QString& path) {
  if (storePendingClue()) workflow_->openFile(path);
}

void EditingPage::newCrossword() {
  // Whatever was open is closed first (with its question); if it stays open, New stops.
  if (!closeCrossword()) return;
  NewCrosswordDialog dialog(this);
  Q_EMIT dialogOpened(&dialog);
  if (dialog.exec() != QDialog::Accepted) return;
  workflow_->newCrossword(dialog.rowCount(), dialog.columnCount(), dialog.language(), dialog.clueCharset());
  defineCrossword();
}

void EditingPage::changeCharset() {
  const CrosswordDocument& document = workflow_->document();
  NewCrosswordDialog dialog(this);
  dialog.showForCharsetChange(document.rows(), document.columns(), document.language(), document.charset());
  Q_EMIT dialogOpened(&dialog);
  if (dialog.exec() != QDialog::Accepted) return;
  const ClueCharset charset = dialog.clueCharset();
  if (charset == document.charset()) return;
  // A clue being written belongs to the charset it was written in.
  withClueStored([&] { workflow_->changeCharset(charset); });
}

void EditingPage::printCrossword() {
  if (!canPrint(workflow_->state())) return;
  // The clue being written is printed too; storing it changes no flag its typing did not.
  if (!storePendingClue() || !workflow_->confirmPrintingWithMissingClues()) return;
  const QString title = workflow_->printTitle();
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(title.isEmpty() ? QStringLiteral("Crossword") : title);
  printer.setPageSize(QPageSize(paper_));
  QPrintDialog dialog(&printer, this);
  dialog.setWindowTitle(QStringLiteral("Print crossword"));
  auto* options = new QWidget(&dialog);  // the dialog takes it as its "Crossword" tab
  options->setObjectName("printOptions");
  options->setWindowTitle(QStringLiteral("Crossword"));
  auto* solution = new QCheckBox(QStringLiteral("Add the &solution page"), options);
  solution->setObjectName("solutionCheckBox");
  solution->setChecked(withSolution_);
  auto* titleEdit = new QLineEdit(title, options);
  titleEdit->setObjectName("titleEdit");
  auto* authorEdit = new QLineEdit(author_, options);
  authorEdit->setObjectName("authorEdit");
  auto* optionsLayout = new QFormLayout(options);
  optionsLayout->addRow(solution);
  optionsLayout->addRow(QStringLiteral("&Title:"), titleEdit);
  optionsLayout->addRow(QStringLiteral("&Author:"), authorEdit);
  dialog.setOptionTabs({options});
  Q_EMIT dialogOpened(&dialog);
  if (dialog.exec() != QDialog::Accepted) return;
  withSolution_ = solution->isChecked();
  author_ = authorEdit->text().trimmed();
  workflow_->print(printer, {titleEdit->text().trimmed(), author_, withSolution_});
}

bool EditingPage::exportPdf() {
  if (!canPrint(workflow_->state())) return false;
  if (!storePendingClue() || !workflow_->confirmPrintingWithMissingClues()) return false;
  PdfExportChoice choice;
  {
    PdfExportDialog dialog(
        {workflow_->proposedPdfPath(), paper_, withSolution_, workflow_->printTitle(), author_},
        [this](const QString& current) {
          FileChoice file;
          file.mode = FileChoice::Mode::Save;
          file.objectName = QStringLiteral("exportPdfFileDialog");
          file.title = QStringLiteral("Export PDF");
          file.folder = current;
          file.filter = kPdfFilter;
          file.defaultSuffix = QStringLiteral("pdf");
          file.confirmOverwrite = false;
          return Prompts::chooseFile(this, file);
        },
        this);
    Q_EMIT dialogOpened(&dialog);
    if (dialog.exec() != QDialog::Accepted) return false;
    choice = dialog.choice();
  }
  if (choice.path.isEmpty()) return false;
  paper_ = choice.paper;
  withSolution_ = choice.withSolution;
  author_ = choice.author;
  return workflow_->writePdf(choice.path, choice.paper, {choice.title, choice.author, choice.withSolution});
}

void EditingPage::defineCrossword() {
  if (!canDefine(workflow_->state())) return;
  if (!storePendingClue()) return;
  const CrosswordDocument::LayoutSnapshot before = workflow_->document().layoutSnapshot();
  bool accepted = false;
  {
    LayoutEditorDialog dialog(workflow_->document(), this);
    // The board beside the list follows every change at once.
    connect(&dialog, &LayoutEditorDialog::layoutChanged, board_, &ClueBoard::fitToBoard);
    Q_EMIT dialogOpened(&dialog);
    accepted = dialog.exec() == QDialog::Accepted;
  }
  workflow_->layoutEdited(before, accepted);
}

}  // namespace gw::gui
