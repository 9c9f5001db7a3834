#include "authoring/gui/dictionary/dictionary_editor_dialog.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include "authoring/gui/authoring_look.h"
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

  listView_ = new QListView(this);
  listView_->setObjectName("wordListView");
  listView_->setModel(&workflow_->model());
  listView_->setUniformItemSizes(true);  // rows of one height: 356,000 of them scroll at once
  listView_->setSelectionMode(QAbstractItemView::SingleSelection);
  listView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  QFont listFont("Verdana");
  listFont.setPixelSize(9);
  listView_->setFont(listFont);
  listView_->setContextMenuPolicy(Qt::ActionsContextMenu);

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

  auto* wordRow = new QHBoxLayout;
  wordRow->addWidget(wordBox_, 1);
  wordRow->addWidget(addButton_);
  wordRow->addWidget(findButton_);
  auto* buttonRow = new QHBoxLayout;
  buttonRow->addWidget(countBox, 1);
  buttonRow->addWidget(importButton_);
  buttonRow->addWidget(cancelButton);
  buttonRow->addWidget(okButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(listView_, 1);
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

void DictionaryEditorDialog::showState(const DictionaryEditorState& state) {
  addAction_->setEnabled(state.canAdd());
  findAction_->setEnabled(state.canFind());
  deleteAction_->setEnabled(state.canDelete());
  importAction_->setEnabled(state.canImport());
  addButton_->setEnabled(state.canAdd());
  findButton_->setEnabled(state.canFind());
  importButton_->setEnabled(state.canImport());
  countLabel_->setText(QString::number(state.count));
}

void DictionaryEditorDialog::reportSelection() {
  const QModelIndexList rows = listView_->selectionModel()->selectedRows();
  workflow_->setSelectedRow(rows.isEmpty() ? std::nullopt : std::optional<int>(rows.first().row()));
}

void DictionaryEditorDialog::selectRow(int row) {
  QModelIndex index = workflow_->model().index(row, 0);
  listView_->setCurrentIndex(index);
  listView_->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
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
