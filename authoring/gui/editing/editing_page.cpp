#include "authoring/gui/editing/editing_page.h"

#include <QAction>
#include <QCheckBox>
#include <QDataWidgetMapper>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLocale>
#include <QPrintDialog>
#include <QPrinter>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include "authoring/gui/dialogs/new_crossword_dialog.h"
#include "authoring/gui/editing/clue_editor.h"
#include "authoring/gui/editing/definition_table_model.h"
#include "authoring/gui/editing/pdf_export_dialog.h"
#include "authoring/gui/editing/user_interaction.h"
#include "authoring/gui/layout_editor/layout_editor_dialog.h"
#include "export/print/crossword_print.h"

namespace gw::gui {

namespace {
const QString kCrosswordFilter = QStringLiteral("Crossword files (*.C_W)");
const QString kEditingTool = QStringLiteral("Editing tool");
const QString kPdfFilter = QStringLiteral("PDF files (*.pdf)");

// Letter where people measure in inches, else A4.
QPageSize::PageSizeId localPaper() {
  return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4;
}

std::filesystem::path toPath(const QString& path) { return std::filesystem::path(path.toStdString()); }
QString fromPath(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }
}  // namespace

EditingPage::EditingPage(CrosswordDocument& document, FileDialogFolders& folders,
                         std::shared_ptr<UserInteraction> interaction, QWidget* parent)
    : EditingPageBase(parent),
      crossword_(document),
      folders_(folders),
      interaction_(interaction ? std::move(interaction) : std::make_shared<UserInteraction>()),
      lastOpenFolder_(folders.editOpen),
      paper_(localPaper()) {
  createPage();
}

EditingPage::EditingPage(FileDialogFolders& folders, std::shared_ptr<UserInteraction> interaction,
                         QWidget* parent)
    : EditingPageBase(parent),
      ownDocument_(std::make_unique<CrosswordDocument>()),
      crossword_(*ownDocument_),
      folders_(folders),
      interaction_(interaction ? std::move(interaction) : std::make_shared<UserInteraction>()),
      lastOpenFolder_(folders.editOpen),
      paper_(localPaper()) {
  createPage();
}

EditingPageBase* createEditingPage(FileDialogFolders& folders, QWidget* parent) {
  return new EditingPage(folders, std::make_shared<UserInteraction>(), parent);
}

void EditingPage::createPage() {
  setObjectName("editingPage");

  newAction_ = makeAction("newAction", QStringLiteral("New"), QStringLiteral("Define new crossword!"),
                          QKeySequence(Qt::CTRL | Qt::Key_N));
  openAction_ =
      makeAction("openAction", QStringLiteral("Open"), QStringLiteral("Open a crossword from a file"),
                 QKeySequence(Qt::CTRL | Qt::Key_O));
  saveAction_ = makeAction("saveAction", QStringLiteral("Save"),
                           QStringLiteral("Save the crossword to a file under the old name"));
  saveAsAction_ = makeAction("saveAsAction", QStringLiteral("Save as .."),
                             QStringLiteral("Save a crossword to a file after defining new filename"));
  printAction_ =
      makeAction("printAction", QStringLiteral("Print..."),
                 QStringLiteral("Print the crossword with its clues"), QKeySequence(Qt::CTRL | Qt::Key_P));
  exportPdfAction_ = makeAction("exportPdfAction", QStringLiteral("Export PDF..."),
                                QStringLiteral("Write the crossword with its clues as a PDF file"));
  closeAction_ = makeAction("closeAction", QStringLiteral("Close"),
                            QStringLiteral("Close opened crossword and save or discard  changes"),
                            QKeySequence(Qt::CTRL | Qt::Key_F4));
  changeCharsetAction_ = makeAction("changeCharsetAction", QStringLiteral("Change Charset"), QString());
  tryAction_ = makeAction("tryAction", QStringLiteral("Try a crossword"), QString());
  defineAction_ = makeAction("defineAction", QStringLiteral("Define crossword"),
                             QStringLiteral("Define crossword layout and fields"));
  prepareAction_ = makeAction("prepareAction", QStringLiteral("Prepare definitions"), QString());
  newAction_->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
  openAction_->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
  saveAction_->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
  defineAction_->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));

  connect(newAction_, &QAction::triggered, this, &EditingPage::newCrossword);
  connect(openAction_, &QAction::triggered, this, &EditingPage::openCrossword);
  connect(saveAction_, &QAction::triggered, this, &EditingPage::saveCrossword);
  connect(saveAsAction_, &QAction::triggered, this, &EditingPage::saveCrosswordAs);
  connect(printAction_, &QAction::triggered, this, &EditingPage::printCrossword);
  connect(exportPdfAction_, &QAction::triggered, this, &EditingPage::exportPdf);
  connect(closeAction_, &QAction::triggered, this, &EditingPage::closeCrossword);
  connect(changeCharsetAction_, &QAction::triggered, this, &EditingPage::changeCharset);
  connect(tryAction_, &QAction::triggered, this, &EditingPage::tryCrossword);
  connect(defineAction_, &QAction::triggered, this, &EditingPage::defineCrossword);
  connect(prepareAction_, &QAction::triggered, this, &EditingPage::prepareDefinitions);

  auto separator = [this] {
    auto* s = new QAction(this);
    s->setSeparator(true);
    return s;
  };
  menuActions_ = {newAction_,       openAction_,    saveAction_, saveAsAction_,        printAction_,
                  exportPdfAction_, closeAction_,   separator(), changeCharsetAction_, tryAction_,
                  defineAction_,    prepareAction_, separator()};

  toolBar_ = new QToolBar(this);
  toolBar_->setObjectName("editingToolBar");
  toolBar_->addAction(newAction_);
  toolBar_->addAction(openAction_);
  toolBar_->addAction(saveAction_);
  toolBar_->addSeparator();
  toolBar_->addAction(defineAction_);

  model_ = new DefinitionTableModel(crossword_, this);
  connect(model_, &DefinitionTableModel::clueRefused, this, &EditingPage::showMessage);

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
  wordGrid_->setColumnWidth(DefinitionTableModel::WordColumn, 180);
  wordGrid_->horizontalHeader()->setStretchLastSection(true);
  wordGrid_->verticalHeader()->setDefaultSectionSize(18);
  wordGrid_->setMinimumWidth(120);

  clueEditor_ = new ClueEditor(this);
  clueEditor_->setFont(verdana);
  clueEditor_->setAccessibleName(QStringLiteral("Clue"));
  connect(clueEditor_, &ClueEditor::editedByUser, this, [this] {
    if (crossword_.isOpen() && crossword_.definitionCount() > 0) crossword_.setModified();
  });

  mapper_ = new QDataWidgetMapper(this);
  mapper_->setModel(model_);
  mapper_->setSubmitPolicy(QDataWidgetMapper::ManualSubmit);
  mapper_->addMapping(clueEditor_, DefinitionTableModel::ClueColumn);

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
            if (current.isValid()) crossword_.setCurrentDefinition(current.row());
            showCurrentDefinition();
            showStatus();
          });

  auto* splitter = new QSplitter(this);
  splitter->setObjectName("editingSplitter");
  splitter->addWidget(wordGrid_);
  splitter->addWidget(clueEditor_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({209, 400});

  // Which word the clue belongs to, and whether there is anything to save.
  auto* statusBar = new QStatusBar(this);
  statusBar->setObjectName("editingStatusBar");
  statusBar->setSizeGripEnabled(false);
  wordStatus_ = new QLabel(this);
  wordStatus_->setObjectName("wordStatus");
  changeStatus_ = new QLabel(this);
  changeStatus_->setObjectName("changeStatus");
  statusBar->addWidget(wordStatus_, 1);
  statusBar->addPermanentWidget(changeStatus_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(toolBar_);
  layout->addWidget(splitter, 1);
  layout->addWidget(statusBar);

  reloadDefinitions();
  updateActions(pageInFront_);
}

EditingPage::~EditingPage() = default;

QAction* EditingPage::makeAction(const char* name, const QString& caption, const QString& hint,
                                 const QKeySequence& shortcut) {
  auto* a = new QAction(caption, this);
  a->setObjectName(name);
  if (!hint.isEmpty()) {
    a->setToolTip(hint);
    a->setStatusTip(hint);
  }
  if (!shortcut.isEmpty()) a->setShortcut(shortcut);
  // The composing page binds the same keys: only the page in front may take them.
  a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  addAction(a);
  return a;
}

QAction* EditingPage::action(const QString& objectName) const { return findChild<QAction*>(objectName); }

QList<QAction*> EditingPage::fileMenuActions() const { return menuActions_; }

void EditingPage::updateActions(bool pageInFront) {
  pageInFront_ = pageInFront;
  const EditedCrossword& c = crossword_;
  newAction_->setEnabled(pageInFront);
  openAction_->setEnabled(pageInFront && !c.isOpen());
  saveAction_->setEnabled(pageInFront && !c.fileName().empty() && c.hasBoard() && c.isModified() &&
                          c.isOpen());
  saveAsAction_->setEnabled(pageInFront);
  closeAction_->setEnabled(pageInFront && c.isOpen());
  printAction_->setEnabled(pageInFront && c.isOpen() && c.hasBoard());
  exportPdfAction_->setEnabled(pageInFront && c.isOpen() && c.hasBoard());
  changeCharsetAction_->setEnabled(pageInFront);
  tryAction_->setEnabled(pageInFront && c.isOpen() && !c.fileName().empty());
  defineAction_->setEnabled(pageInFront && c.hasBoard() && c.isOpen());
  prepareAction_->setEnabled(pageInFront);
  clueEditor_->setReadOnly(!c.isOpen() || c.definitionCount() == 0);
  showStatus();
}

void EditingPage::showStatus() {
  const int current = crossword_.isOpen() ? crossword_.currentDefinition() : -1;
  QString word;
  if (current >= 0) {
    word = QStringLiteral("Word %1 of %2: %3 at row %4, column %5")
               .arg(current + 1)
               .arg(crossword_.definitionCount())
               .arg(crossword_.isAcross(current) ? QStringLiteral("across") : QStringLiteral("down"))
               .arg(crossword_.definitionRow(current) + 1)
               .arg(crossword_.definitionColumn(current) + 1);
  } else if (crossword_.isOpen()) {
    word = QStringLiteral("No words yet: Define crossword");
  }
  const QString change =
      crossword_.isOpen() && crossword_.isModified() ? QStringLiteral("Modified") : QString();
  if (wordStatus_->text() != word) wordStatus_->setText(word);
  if (changeStatus_->text() != change) changeStatus_->setText(change);
}

void EditingPage::showMessage(const QString& text) { interaction_->showMessage(this, text); }

void EditingPage::setCaptionForFile(const QString& path) {
  Q_EMIT captionChanged(QStringLiteral("Edit: ") + QFileInfo(path).fileName());
}

bool EditingPage::storePendingClue() {
  if (!clueEditor_->hasPendingEdit() || mapper_->currentIndex() < 0) return true;
  const int refusedBefore = model_->refusals();
  mapper_->submit();
  if (model_->refusals() != refusedBefore) return false;
  clueEditor_->markStored();
  return true;
}

void EditingPage::showCurrentDefinition() {
  const int current = crossword_.currentDefinition();
  if (current < 0) {
    mapper_->setCurrentIndex(-1);
    clueEditor_->setClue(QString());
  } else {
    mapper_->setCurrentIndex(current);
    clueEditor_->markStored();
  }
}

void EditingPage::reloadDefinitions() {
  model_->reload();
  int current = crossword_.currentDefinition();
  if (current >= crossword_.definitionCount()) current = crossword_.definitionCount() - 1;
  {
    QSignalBlocker block(wordGrid_->selectionModel());
    if (current >= 0) {
      crossword_.setCurrentDefinition(current);
      wordGrid_->selectionModel()->setCurrentIndex(
          model_->index(current, DefinitionTableModel::WordColumn),
          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    } else {
      wordGrid_->selectionModel()->clear();
    }
  }
  showCurrentDefinition();
  updateActions(pageInFront_);
}

void EditingPage::newCrossword() {
  // Whatever was open is closed first (with its question); if it stays open, New stops.
  if (!closeCrossword()) return;
  NewCrosswordDialog dialog(this);
  Q_EMIT dialogOpened(&dialog);
  if (dialog.exec() != QDialog::Accepted) return;
  crossword_.newCrossword(dialog.rowCount(), dialog.columnCount(), dialog.language(), dialog.clueCharset());
  reloadDefinitions();
  defineCrossword();
}

void EditingPage::openCrossword() {
  if (crossword_.isOpen()) return;
  const QString path = interaction_->chooseOpenFile(this, lastOpenFolder_, kCrosswordFilter);
  if (path.isEmpty()) return;
  readCrossword(path);
}

void EditingPage::openCrosswordFile(const QString& path) {
  if (!closeCrossword()) return;
  readCrossword(path);
}

void EditingPage::readCrossword(const QString& path) {
  EditedCrossword::OpenResult result;
  try {
    result = crossword_.open(toPath(path));
  } catch (const std::exception& e) {
    showMessage(QString::fromStdString(e.what()));
    return;
  }
  for (const std::string& m : result.messages) showMessage(QString::fromStdString(m));
  // The caption names the file even when its format was refused; the crossword stays closed then.
  setCaptionForFile(path);
  if (!result.opened) return;
  lastOpenFolder_ = QFileInfo(path).absolutePath();
  crossword_.setCurrentDefinition(0);
  reloadDefinitions();
}

bool EditingPage::saveCrossword() {
  if (!crossword_.isOpen()) return false;
  if (crossword_.fileName().empty()) return saveCrosswordAs();
  if (!storePendingClue()) return false;
  try {
    crossword_.save();
  } catch (const std::exception& e) {
    showMessage(QString::fromStdString(e.what()));
    return false;
  }
  folders_.editSave = QFileInfo(fromPath(crossword_.fileName())).absolutePath();
  updateActions(pageInFront_);
  return true;
}

bool EditingPage::saveCrosswordAs() {
  // With nothing open there is nothing to write.
  if (!crossword_.isOpen()) return false;
  if (!storePendingClue()) return false;
  const QString proposed =
      crossword_.fileName().empty() ? folders_.editSave : fromPath(crossword_.fileName());
  QString path =
      interaction_->chooseSaveFile(this, QStringLiteral("Save crossword"), proposed, kCrosswordFilter, "C_W");
  if (path.isEmpty()) return false;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".C_W");
  try {
    crossword_.saveAs(toPath(path));
  } catch (const std::exception& e) {
    showMessage(QString::fromStdString(e.what()));
    return false;
  }
  folders_.editSave = QFileInfo(path).absolutePath();
  setCaptionForFile(path);
  updateActions(pageInFront_);
  return true;
}

bool EditingPage::closeCrossword() {
  if (!crossword_.isOpen()) return true;
  if (crossword_.isModified()) {
    if (interaction_->confirmSaveChanges(this)) {
      if (crossword_.fileName().empty() ? !saveCrosswordAs() : !saveCrossword()) return false;
      if (crossword_.isModified()) return false;
    }
  }
  crossword_.close();
  clueEditor_->markStored();
  reloadDefinitions();
  Q_EMIT captionChanged(kEditingTool);
  return true;
}

void EditingPage::changeCharset() {
  NewCrosswordDialog dialog(this);
  dialog.showForCharsetChange(crossword_.rows(), crossword_.columns(), crossword_.language(),
                              crossword_.charset());
  Q_EMIT dialogOpened(&dialog);
  if (dialog.exec() != QDialog::Accepted) return;
  // Without a valid choice the dialog gives back the charset it showed: nothing changes.
  const ClueCharset charset = dialog.clueCharset();
  if (!isKnownClueCharset(charset) || charset == crossword_.charset()) return;
  // A clue being written belongs to the charset it was written in.
  if (!storePendingClue()) return;
  crossword_.setCharset(charset);
  reloadDefinitions();
}

void EditingPage::tryCrossword() {
  if (!crossword_.isOpen() || crossword_.fileName().empty()) return;
  if ((crossword_.isModified() || clueEditor_->hasPendingEdit()) && !saveCrossword()) return;
  interaction_->startSolver(fromPath(crossword_.fileName()));
}

QString EditingPage::printTitle() const {
  return QString::fromStdString(crossword_.fileName().stem().string());
}

QString EditingPage::proposedPdfPath() const {
  if (crossword_.fileName().empty())
    return QDir(folders_.editSave.isEmpty() ? QDir::homePath() : folders_.editSave)
        .filePath(QStringLiteral("crossword.pdf"));
  std::filesystem::path pdf = crossword_.fileName();
  pdf.replace_extension(".pdf");
  return fromPath(pdf);
}

bool EditingPage::paintCrossword(QPagedPaintDevice& device, bool withSolution) {
  try {
    CrosswordPrintOptions options;
    options.title = printTitle();
    options.withSolution = withSolution;
    gw::printCrossword(crossword_.toCrosswordFile(), device, options);
  } catch (const std::exception& e) {
    showMessage(QString::fromStdString(e.what()));
    return false;
  }
  return true;
}

void EditingPage::printCrossword() {
  if (!crossword_.isOpen() || !crossword_.hasBoard()) return;
  // The clue being written is printed too; storing it changes no flag its typing did not.
  if (!storePendingClue()) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(printTitle().isEmpty() ? QStringLiteral("Crossword") : printTitle());
  printer.setPageSize(QPageSize(paper_));
  QPrintDialog dialog(&printer, this);
  dialog.setWindowTitle(QStringLiteral("Print crossword"));
  auto* options = new QWidget(&dialog);  // the dialog takes it as its "Crossword" tab
  options->setObjectName("printOptions");
  options->setWindowTitle(QStringLiteral("Crossword"));
  auto* solution = new QCheckBox(QStringLiteral("Add the &solution page"), options);
  solution->setObjectName("solutionCheckBox");
  solution->setChecked(withSolution_);
  auto* optionsLayout = new QVBoxLayout(options);
  optionsLayout->addWidget(solution);
  optionsLayout->addStretch();
  dialog.setOptionTabs({options});
  Q_EMIT dialogOpened(&dialog);
  if (dialog.exec() != QDialog::Accepted) return;
  withSolution_ = solution->isChecked();
  paintCrossword(printer, withSolution_);
}

bool EditingPage::exportPdf() {
  if (!crossword_.isOpen() || !crossword_.hasBoard()) return false;
  if (!storePendingClue()) return false;
  PdfExportChoice choice;
  {
    PdfExportDialog dialog(
        {proposedPdfPath(), paper_, withSolution_},
        [this](const QString& current) {
          return interaction_->chooseSaveFile(this, QStringLiteral("Export PDF"), current, kPdfFilter,
                                              QStringLiteral("pdf"));
        },
        this);
    Q_EMIT dialogOpened(&dialog);
    if (dialog.exec() != QDialog::Accepted) return false;
    choice = dialog.choice();
  }
  if (choice.path.isEmpty()) return false;
  paper_ = choice.paper;
  withSolution_ = choice.withSolution;
  try {
    CrosswordPrintOptions options;
    options.title = printTitle();
    options.withSolution = choice.withSolution;
    writeCrosswordPdf(crossword_.toCrosswordFile(), toPath(choice.path), choice.paper, options);
  } catch (const std::exception& e) {
    showMessage(QStringLiteral("The PDF file could not be written.\n") + QString::fromStdString(e.what()));
    return false;
  }
  return true;
}

void EditingPage::defineCrossword() {
  if (!crossword_.isOpen() || !crossword_.hasBoard()) return;
  if (!storePendingClue()) return;
  const EditedCrossword::LayoutSnapshot before = crossword_.layoutSnapshot();
  bool accepted = false;
  {
    LayoutEditorDialog dialog(crossword_, interaction_, this);
    Q_EMIT dialogOpened(&dialog);
    accepted = dialog.exec() == QDialog::Accepted;
  }
  // Changes stay whichever way the editor closed; either way they must not be lost silently.
  if (crossword_.layoutSnapshot() != before) crossword_.setModified();
  if (accepted) crossword_.prepareDefinitions();
  reloadDefinitions();
}

void EditingPage::prepareDefinitions() {
  if (!crossword_.isOpen()) return;
  if (!storePendingClue()) return;
  crossword_.prepareDefinitions();
  reloadDefinitions();
}

}  // namespace gw::gui
