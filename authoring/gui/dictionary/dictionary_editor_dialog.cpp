#include "authoring/gui/dictionary/dictionary_editor_dialog.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include "authoring/gui/common/authoring_look.h"
#include "authoring/gui/dictionary/word_box.h"
#include "authoring/gui/dictionary/word_list_model.h"
#include "gui_common/make_action.h"
#include "gui_common/prompts.h"

namespace gw::gui {

DictionaryEditorDialog::DictionaryEditorDialog(Language language, std::filesystem::path readFile,
                                               std::filesystem::path writeFile, QWidget* parent)
    : QDialog(parent),
      workflow_(
          new DictionaryEditorWorkflow(language, std::move(readFile), std::move(writeFile), this, this)) {
  setObjectName("dictionaryEditorDialog");
  setWindowTitle(workflow_->caption());
  buildWindow();
  connect(workflow_, &DictionaryEditorWorkflow::stateChanged, this, &DictionaryEditorDialog::showState);
  connect(workflow_, &DictionaryEditorWorkflow::rowFound, this, &DictionaryEditorDialog::selectRow);
  connect(workflow_, &DictionaryEditorWorkflow::failed, this,
          [this](const QString& message) { Prompts::fail(this, windowTitle(), message); });
  showState(workflow_->state());
}

DictionaryEditorDialog::~DictionaryEditorDialog() {
  // A running import ends while the widgets it reports to still stand.
  workflow_->discard();
}

void DictionaryEditorDialog::buildWindow() {
  applyAuthoringLook(this);
  resize(410, 372);
  setMinimumWidth(410);

  listView_ = new QTableView(this);
  listView_->setObjectName("wordListView");
  listView_->setModel(&workflow_->model());
  listView_->setSelectionMode(QAbstractItemView::SingleSelection);
  listView_->setSelectionBehavior(QAbstractItemView::SelectRows);
  // Only the score column is editable: a double click or F2 edits it.
  listView_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  listView_->setShowGrid(false);
  listView_->setWordWrap(false);
  QFont listFont("Verdana");
  listFont.setPixelSize(9);
  listView_->setFont(listFont);
  listView_->setContextMenuPolicy(Qt::ActionsContextMenu);
  // Rows of one height: 356,000 of them scroll at once.
  listView_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  listView_->verticalHeader()->setDefaultSectionSize(16);
  listView_->verticalHeader()->hide();
  listView_->horizontalHeader()->setSectionResizeMode(WordListModel::WordColumn, QHeaderView::Stretch);
  listView_->horizontalHeader()->setSectionResizeMode(WordListModel::ScoreColumn,
                                                      QHeaderView::ResizeToContents);
  listView_->horizontalHeader()->setSortIndicatorShown(true);
  listView_->horizontalHeader()->setSortIndicator(WordListModel::WordColumn, Qt::AscendingOrder);
  listView_->horizontalHeader()->setSectionsClickable(true);

  proxy_ = new QSortFilterProxyModel(this);
  proxy_->setFilterCaseSensitivity(Qt::CaseInsensitive);
  proxy_->setFilterKeyColumn(WordListModel::WordColumn);
  proxy_->setSortRole(Qt::EditRole);  // scores sort as numbers

  patternEdit_ = new QLineEdit(this);
  patternEdit_->setObjectName("patternEdit");
  patternEdit_->setPlaceholderText("Pattern, e.g. C?T*");
  patternEdit_->setAccessibleName("Pattern");
  patternEdit_->setToolTip("? stands for one letter, * for any letters");
  patternEdit_->setClearButtonEnabled(true);
  noticeLabel_ = new QLabel(this);
  noticeLabel_->setObjectName("noticeLabel");

  wordBox_ = new WordBox(workflow_->language(), this);
  wordBox_->setObjectName("wordEdit");
  addButton_ = new QPushButton("Add ", this);
  addButton_->setObjectName("addButton");
  addButton_->setAutoDefault(false);
  findButton_ = new QPushButton("Find", this);
  findButton_->setObjectName("findButton");
  findButton_->setAutoDefault(false);

  auto* countBox = new QGroupBox("Count", this);
  countBox->setObjectName("countGroupBox");
  countLabel_ = new QLabel(countBox);
  countLabel_->setObjectName("countLabel");
  auto* countLayout = new QHBoxLayout(countBox);
  countLayout->addWidget(countLabel_);

  importButton_ = new QPushButton("Import from file", this);
  importButton_->setObjectName("importButton");
  importButton_->setToolTip("Import words from a file");
  importButton_->setAutoDefault(false);
  auto* cancelButton = new QPushButton("Cancel", this);
  cancelButton->setObjectName("cancelButton");
  cancelButton->setAutoDefault(false);
  auto* okButton = new QPushButton("OK", this);
  okButton->setObjectName("okButton");
  okButton->setDefault(true);

  deleteButton_ = new QPushButton("Delete", this);
  deleteButton_->setObjectName("deleteButton");
  deleteButton_->setAutoDefault(false);

  auto* patternRow = new QHBoxLayout;
  patternRow->addWidget(patternEdit_, 1);
  patternRow->addWidget(noticeLabel_, 1);
  auto* wordRow = new QHBoxLayout;
  wordRow->addWidget(wordBox_, 1);
  wordRow->addWidget(addButton_);
  wordRow->addWidget(findButton_);
  wordRow->addWidget(deleteButton_);
  auto* buttonRow = new QHBoxLayout;
  buttonRow->addWidget(countBox, 1);
  buttonRow->addWidget(importButton_);
  buttonRow->addWidget(cancelButton);
  buttonRow->addWidget(okButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(listView_, 1);
  layout->addLayout(patternRow);
  layout->addLayout(wordRow);
  layout->addLayout(buttonRow);

  // The shortcuts work anywhere in the dialog.
  constexpr auto inDialog = Qt::WidgetWithChildrenShortcut;
  addAction_ =
      makeAction(this, {"addWordAction", "Add word", {}, QKeySequence(Qt::CTRL | Qt::Key_Insert), inDialog});
  findAction_ =
      makeAction(this, {"findWordAction", "Find word", {}, QKeySequence(Qt::CTRL | Qt::Key_F), inDialog});
  deleteAction_ = makeAction(
      this, {"deleteWordAction", "Delete word", {}, QKeySequence(Qt::CTRL | Qt::Key_Delete), inDialog});
  recheckAction_ = makeAction(this, {"recheckAction", "Re-check", {}, {}, inDialog});
  importAction_ = makeAction(this, {"importAction", "Import from file", {}, {}, inDialog});
  auto* separator = new QAction(this);
  separator->setSeparator(true);
  listView_->addActions({deleteAction_, addAction_, findAction_, separator, recheckAction_, importAction_});
  wordBox_->addActions({addAction_, findAction_});

  DictionaryEditorWorkflow* w = workflow_;
  connect(addAction_, &QAction::triggered, w, &DictionaryEditorWorkflow::addWord);
  connect(findAction_, &QAction::triggered, w, &DictionaryEditorWorkflow::findWord);
  connect(deleteAction_, &QAction::triggered, w, &DictionaryEditorWorkflow::deleteWord);
  connect(recheckAction_, &QAction::triggered, w, &DictionaryEditorWorkflow::recheckWords);
  connect(importAction_, &QAction::triggered, w, &DictionaryEditorWorkflow::importWords);
  connect(addButton_, &QPushButton::clicked, addAction_, &QAction::trigger);
  connect(findButton_, &QPushButton::clicked, findAction_, &QAction::trigger);
  connect(importButton_, &QPushButton::clicked, importAction_, &QAction::trigger);
  connect(deleteButton_, &QPushButton::clicked, deleteAction_, &QAction::trigger);
  connect(patternEdit_, &QLineEdit::textChanged, this, &DictionaryEditorDialog::updateView);
  connect(listView_->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
          &DictionaryEditorDialog::updateView);
  connect(workflow_, &DictionaryEditorWorkflow::noticeChanged, noticeLabel_, &QLabel::setText);
  connect(okButton, &QPushButton::clicked, this, &DictionaryEditorDialog::accept);
  connect(cancelButton, &QPushButton::clicked, this, &DictionaryEditorDialog::reject);

  connect(wordBox_, &QLineEdit::textChanged, this, [this] { workflow_->setWord(wordBox_->word()); });
  connect(listView_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &DictionaryEditorDialog::reportSelection);

  connect(&workflow_->model(), &QAbstractItemModel::modelReset, this,
          &DictionaryEditorDialog::reportSelection);
  connect(&workflow_->model(), &QAbstractItemModel::layoutChanged, this,
          &DictionaryEditorDialog::reportSelection);
  connect(&workflow_->model(), &QAbstractItemModel::rowsRemoved, this,
          &DictionaryEditorDialog::reportSelection);
  connect(&workflow_->model(), &QAbstractItemModel::rowsInserted, this,
          &DictionaryEditorDialog::reportSelection);
  wordBox_->setFocus();
}

void DictionaryEditorDialog::updateView() {
  const QString pattern = patternEdit_->text().trimmed();
  const int column = listView_->horizontalHeader()->sortIndicatorSection();
  const Qt::SortOrder order = listView_->horizontalHeader()->sortIndicatorOrder();
  const bool plain = pattern.isEmpty() && column == WordListModel::WordColumn && order == Qt::AscendingOrder;
  QAbstractItemModel* wanted = plain ? static_cast<QAbstractItemModel*>(&workflow_->model()) : proxy_;
  if (!plain) {
    if (!proxy_->sourceModel()) proxy_->setSourceModel(&workflow_->model());
    // Anchored: C?T* is the words that begin so, not those holding such a run.
    proxy_->setFilterRegularExpression(
        pattern.isEmpty() ? QRegularExpression()
                          : QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern),
                                               QRegularExpression::CaseInsensitiveOption));
    proxy_->sort(column, order);
  }
  if (listView_->model() != wanted) {
    listView_->setModel(wanted);
    connect(listView_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &DictionaryEditorDialog::reportSelection);
    if (plain) proxy_->setSourceModel(nullptr);  // no proxy work while nobody looks
  }
  reportSelection();
}

QModelIndex DictionaryEditorDialog::toView(const QModelIndex& source) const {
  return listView_->model() == proxy_ ? proxy_->mapFromSource(source) : source;
}

QModelIndex DictionaryEditorDialog::toSource(const QModelIndex& shown) const {
  return listView_->model() == proxy_ ? proxy_->mapToSource(shown) : shown;
}

void DictionaryEditorDialog::showState(const DictionaryEditorState& state) {
  addAction_->setEnabled(state.canAdd());
  findAction_->setEnabled(state.canFind());
  deleteAction_->setEnabled(state.canDelete());
  deleteButton_->setEnabled(state.canDelete());
  importAction_->setEnabled(state.canImport());
  addButton_->setEnabled(state.canAdd());
  findButton_->setEnabled(state.canFind());
  importButton_->setEnabled(state.canImport());
  countLabel_->setText(QString::number(state.count));
}

void DictionaryEditorDialog::reportSelection() {
  const QModelIndexList rows = listView_->selectionModel()->selectedRows();
  const QModelIndex source = rows.isEmpty() ? QModelIndex() : toSource(rows.first());
  workflow_->setSelectedRow(source.isValid() ? std::optional<int>(source.row()) : std::nullopt);
}

void DictionaryEditorDialog::selectRow(int row) {
  QModelIndex index = toView(workflow_->model().index(row, 0));
  if (!index.isValid()) {  // hidden by the pattern: show every word again
    patternEdit_->clear();
    index = toView(workflow_->model().index(row, 0));
  }
  listView_->setCurrentIndex(index);
  listView_->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  listView_->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void DictionaryEditorDialog::accept() {
  if (workflow_->save()) QDialog::accept();  // else the dialog stays open with its list
}

void DictionaryEditorDialog::reject() {
  workflow_->discard();
  QDialog::reject();
}

}  // namespace gw::gui
