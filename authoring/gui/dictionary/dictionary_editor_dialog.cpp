#include "authoring/gui/dictionary/dictionary_editor_dialog.h"

#include <QAction>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <chrono>
#include <mutex>
#include <vector>

#include "authoring/composing/word_collation.h"
#include "authoring/composing/word_lists/import_file.h"
#include "authoring/composing/word_lists/word_import.h"
#include "authoring/gui/authoring_look.h"
#include "authoring/gui/dictionary/progress_runner.h"
#include "authoring/gui/dictionary/word_box.h"
#include "authoring/gui/dictionary/word_list_model.h"
#include "common/errors.h"

namespace gw::gui {

namespace {

QString captionFor(Language language) {
  switch (language) {
    case Language::German: return "Word dictionary : German";
    case Language::Serbian: return "Word dictionary : Serbian (Cyrillic)";
    default: return "Word dictionary : English";
  }
}

}  // namespace

// Words found by the import worker, waiting for the user-interface thread to merge them.
struct DictionaryEditorDialog::ImportBatches {
  std::mutex mutex;
  std::vector<std::vector<WordEntry>> pending;  // sorted runs, in the order found
};

DictionaryEditorDialog::DictionaryEditorDialog(Language language, std::filesystem::path readFile,
                                               std::filesystem::path writeFile, QWidget* parent)
    : QDialog(parent),
      language_(language),
      readFile_(std::move(readFile)),
      writeFile_(std::move(writeFile)),
      model_(new WordListModel(language, this)),
      importRunner_(new ProgressRunner(this, this)),
      batches_(std::make_shared<ImportBatches>()) {
  setObjectName("dictionaryEditorDialog");
  setWindowTitle(captionFor(language));
  buildWindow();
  connect(importRunner_, &ProgressRunner::finished, this, &DictionaryEditorDialog::onImportEnded);
  chooseImportFile_ = [](QWidget* parent) { return QFileDialog::getOpenFileName(parent); };
  updateCount();
  updateActions();
}

DictionaryEditorDialog::~DictionaryEditorDialog() { endImportQuietly(); }

void DictionaryEditorDialog::buildWindow() {
  applyAuthoringLook(this);
  resize(410, 372);
  setMinimumWidth(410);

  listView_ = new QListView(this);
  listView_->setObjectName("wordListView");
  listView_->setModel(model_);
  listView_->setUniformItemSizes(true);  // rows of one height: 356,000 of them scroll at once
  listView_->setSelectionMode(QAbstractItemView::SingleSelection);
  listView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  QFont listFont("Verdana");
  listFont.setPixelSize(9);
  listView_->setFont(listFont);
  listView_->setContextMenuPolicy(Qt::ActionsContextMenu);

  wordBox_ = new WordBox(language_, this);
  wordBox_->setObjectName("wordEdit");
  auto* addButton = new QPushButton("Add ", this);
  addButton->setObjectName("addButton");
  addButton->setAutoDefault(false);
  auto* findButton = new QPushButton("Find", this);
  findButton->setObjectName("findButton");
  findButton->setAutoDefault(false);

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
  wordRow->addWidget(addButton);
  wordRow->addWidget(findButton);
  auto* buttonRow = new QHBoxLayout;
  buttonRow->addWidget(countBox, 1);
  buttonRow->addWidget(importButton_);
  buttonRow->addWidget(cancelButton);
  buttonRow->addWidget(okButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(listView_, 1);
  layout->addLayout(wordRow);
  layout->addLayout(buttonRow);

  addAction_ = new QAction("Add word", this);
  addAction_->setObjectName("addWordAction");
  addAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert));
  findAction_ = new QAction("Find word", this);
  findAction_->setObjectName("findWordAction");
  findAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  deleteAction_ = new QAction("Delete word", this);
  deleteAction_->setObjectName("deleteWordAction");
  deleteAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
  recheckAction_ = new QAction("Re-check", this);
  recheckAction_->setObjectName("recheckAction");
  importAction_ = new QAction("Import from file", this);
  importAction_->setObjectName("importAction");
  for (QAction* a : {addAction_, findAction_, deleteAction_}) {
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(a);  // the shortcuts work anywhere in the dialog
  }
  auto* separator = new QAction(this);
  separator->setSeparator(true);
  listView_->addActions({deleteAction_, addAction_, findAction_, separator, recheckAction_, importAction_});
  wordBox_->addActions({addAction_, findAction_});

  connect(addAction_, &QAction::triggered, this, &DictionaryEditorDialog::addWord);
  connect(findAction_, &QAction::triggered, this, &DictionaryEditorDialog::findWord);
  connect(deleteAction_, &QAction::triggered, this, &DictionaryEditorDialog::deleteWord);
  connect(recheckAction_, &QAction::triggered, this, &DictionaryEditorDialog::recheckWords);
  connect(importAction_, &QAction::triggered, this, &DictionaryEditorDialog::importWords);
  connect(addButton, &QPushButton::clicked, addAction_, &QAction::trigger);
  connect(findButton, &QPushButton::clicked, findAction_, &QAction::trigger);
  connect(importButton_, &QPushButton::clicked, importAction_, &QAction::trigger);
  connect(okButton, &QPushButton::clicked, this, &DictionaryEditorDialog::accept);
  connect(cancelButton, &QPushButton::clicked, this, &DictionaryEditorDialog::reject);
  // Add and Find follow their actions' enabling.
  connect(addAction_, &QAction::enabledChanged, addButton, &QWidget::setEnabled);
  connect(findAction_, &QAction::enabledChanged, findButton, &QWidget::setEnabled);
  connect(importAction_, &QAction::enabledChanged, importButton_, &QWidget::setEnabled);

  // One place decides what is enabled, whenever what it depends on changes.
  connect(wordBox_, &QLineEdit::textChanged, this, &DictionaryEditorDialog::updateActions);
  connect(listView_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &DictionaryEditorDialog::updateActions);
  connect(model_, &QAbstractItemModel::rowsInserted, this, &DictionaryEditorDialog::updateActions);
  connect(model_, &QAbstractItemModel::rowsRemoved, this, &DictionaryEditorDialog::updateActions);
  connect(model_, &QAbstractItemModel::modelReset, this, &DictionaryEditorDialog::updateActions);
  connect(model_, &QAbstractItemModel::layoutChanged, this, &DictionaryEditorDialog::updateActions);
  wordBox_->setFocus();
}

void DictionaryEditorDialog::loadWordFile() {
  model_->load(readFile_);
  updateCount();
  updateActions();
}

void DictionaryEditorDialog::setDictionaryReload(std::function<void(const std::filesystem::path&)> reload) {
  reloadDictionary_ = std::move(reload);
}

void DictionaryEditorDialog::setBusyIndicator(std::function<void(const QString&)> show,
                                              std::function<void()> hide) {
  showBusy_ = std::move(show);
  hideBusy_ = std::move(hide);
}

void DictionaryEditorDialog::setImportFileChooser(std::function<QString(QWidget*)> choose) {
  chooseImportFile_ = std::move(choose);
}

bool DictionaryEditorDialog::importRunning() const { return importRunner_->isRunning(); }

void DictionaryEditorDialog::updateActions() {
  const bool haveText = !wordBox_->text().isEmpty();
  const bool haveWords = model_->rowCount() > 0;
  addAction_->setEnabled(haveText);
  findAction_->setEnabled(haveWords && haveText);
  deleteAction_->setEnabled(haveWords && selectedRow().has_value());
  importAction_->setEnabled(!importRunning());  // one import at a time
}

void DictionaryEditorDialog::updateCount() { countLabel_->setText(QString::number(model_->rowCount())); }

std::optional<int> DictionaryEditorDialog::selectedRow() const {
  const QModelIndexList rows = listView_->selectionModel()->selectedRows();
  if (rows.isEmpty()) return std::nullopt;
  return rows.first().row();
}

void DictionaryEditorDialog::selectRow(int row) {
  QModelIndex index = model_->index(row, 0);
  listView_->setCurrentIndex(index);
  listView_->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
  listView_->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void DictionaryEditorDialog::showError(const QString& message) {
  QMessageBox::critical(this, windowTitle(), message);
}

void DictionaryEditorDialog::addWord() {
  if (!addAction_->isEnabled()) return;
  model_->addWord(wordBox_->word());  // a word listed already: nothing, and no message
  updateCount();
}

void DictionaryEditorDialog::findWord() {
  if (!findAction_->isEnabled()) return;
  if (auto row = model_->words().findLongestLeadingPart(wordBox_->word())) selectRow(static_cast<int>(*row));
}

void DictionaryEditorDialog::deleteWord() {
  if (!deleteAction_->isEnabled()) return;
  auto row = selectedRow();
  if (!row) return;
  if (QMessageBox::question(this, windowTitle(), "Delete selected word?!",
                            QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) != QMessageBox::Ok)
    return;
  model_->removeWordAt(*row);
  updateCount();
}

void DictionaryEditorDialog::recheckWords() {
  if (showBusy_) showBusy_("Re-checking words ...");
  model_->recheck();
  if (hideBusy_) hideBusy_();
  updateCount();
}

void DictionaryEditorDialog::importWords() {
  if (!importAction_->isEnabled()) return;
  QString path = chooseImportFile_ ? chooseImportFile_(this) : QString();
  if (!path.isEmpty()) importFile(path);
}

void DictionaryEditorDialog::importFile(const QString& path) {
  if (importRunning()) return;  // a second import waits for the first to end
  const std::filesystem::path file = path.toStdString();
  ImportFileScan scan;
  try {
    scan = scanImportFile(file);
  } catch (const FileError& e) {
    showError(QString::fromUtf8(e.what()));
    return;
  }
  if (QMessageBox::question(this, windowTitle(),
                            "Found " + QString::number(scan.lineCount) + " entries!\r\nWant to import?",
                            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) != QMessageBox::Yes)
    return;
  if (importRunning()) return;

  ProgressRunner::Options options;
  options.inThread = true;
  options.showDialog = true;
  options.canCancel = true;
  options.waitTillFinish = false;
  options.caption = "Processing...";
  options.text = "Please wait";
  options.updateTimes = 200;
  options.position = ProgressRunner::ScreenPosition::BottomRight;
  importRunner_->setOptions(options);
  importAdded_ = 0;
  quietImportEnd_ = false;

  // The worker reads and converts lines and computes sort keys; the list itself is only
  // ever touched here, on the user-interface thread, in batches.
  const Language language = language_;
  std::shared_ptr<ImportBatches> batches = batches_;
  ProgressRunner* runner = importRunner_;
  QPointer<DictionaryEditorDialog> self(this);
  importRunner_->setJob([=] {
    WordCollation collation(language);
    WordRules rules(language);
    std::vector<WordEntry> batch;
    auto lastHandOver = std::chrono::steady_clock::now();
    auto handOver = [&] {
      lastHandOver = std::chrono::steady_clock::now();
      if (batch.empty()) return;
      WordList::prepareBatch(batch);  // here, not on the user-interface thread
      bool wasEmpty;
      {
        std::lock_guard lock(batches->mutex);
        wasEmpty = batches->pending.empty();
        batches->pending.push_back(std::move(batch));
      }
      batch = {};
      if (wasEmpty)
        QMetaObject::invokeMethod(
            runner,
            [self] {
              if (self) self->drainImportedWords();
            },
            Qt::QueuedConnection);
    };
    ImportCallbacks callbacks;
    callbacks.progress = [&](std::int64_t done, std::int64_t total) {
      runner->updateProgress(done, total);
      if (std::chrono::steady_clock::now() - lastHandOver > std::chrono::milliseconds(100)) handOver();
    };
    callbacks.cancelled = [&] { return runner->cancelled(); };
    callbacks.wordFound = [&](std::string word) {
      batch.push_back(WordEntry{collation.sortKey(word), std::move(word)});
    };
    try {
      ImportFileReader reader(file, scan.encoding, language);
      readImportWords(reader, scan.lineCount, rules, callbacks);
    } catch (...) {
      handOver();  // the words found before the error stay
      throw;
    }
    handOver();
  });
  importRunner_->execute(true);
  updateActions();
}

void DictionaryEditorDialog::drainImportedWords() {
  std::vector<std::vector<WordEntry>> runs;
  {
    std::lock_guard lock(batches_->mutex);
    runs.swap(batches_->pending);
  }
  if (runs.empty()) return;
  for (auto& run : runs) importAdded_ += static_cast<qint64>(model_->mergeWords(std::move(run)));
  updateCount();
}

void DictionaryEditorDialog::onImportEnded(bool cancelled, const QString& error) {
  drainImportedWords();  // the worker has ended: nothing more will come
  updateCount();
  updateActions();
  const qint64 added = importAdded_;
  Q_EMIT importFinished(added, cancelled);
  if (quietImportEnd_) return;  // the dialog is closing
  if (!error.isEmpty()) showError(error);
  if (added > 0) QMessageBox::information(this, windowTitle(), "Added " + QString::number(added) + " words!");
}

void DictionaryEditorDialog::endImportQuietly() {
  if (!importRunning()) return;
  quietImportEnd_ = true;
  importRunner_->cancelAndWait();
}

void DictionaryEditorDialog::accept() {
  endImportQuietly();  // OK writes the list as it stands
  try {
    model_->words().save(writeFile_);
  } catch (const FileError& e) {
    showError(QString::fromUtf8(e.what()));
    return;  // the dialog stays open with its list
  }
  if (reloadDictionary_) {
    try {
      reloadDictionary_(writeFile_);
    } catch (const FileError& e) {
      showError(QString::fromUtf8(e.what()));
    }
  }
  QDialog::accept();
}

void DictionaryEditorDialog::reject() {
  endImportQuietly();
  QDialog::reject();
}

}  // namespace gw::gui
