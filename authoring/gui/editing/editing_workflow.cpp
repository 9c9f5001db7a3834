#include "authoring/gui/editing/editing_workflow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QRegularExpression>
#include <QtConcurrent/QtConcurrentRun>
#include <exception>

#include "authoring/definitions/clue_list.h"
#include "common/errors.h"
#include "gui_common/prompts.h"
#include "gui_common/qt_bridge.h"

namespace gw::gui {

namespace {
const QString kCrosswordFilter = QStringLiteral("Crossword files (*.C_W)");
const QString kEditingTool = QStringLiteral("Editing tool");

std::filesystem::path toPath(const QString& path) { return std::filesystem::path(path.toStdString()); }
QString fromPath(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }
QString editCaption(const QString& path) { return QStringLiteral("Edit: ") + QFileInfo(path).fileName(); }
}  // namespace

EditingWorkflow::EditingWorkflow(FileDialogFolders& folders, QObject* parent)
    : QObject(parent), folders_(folders), lastOpenFolder_(folders.editOpen) {}

EditingState EditingWorkflow::state() const {
  return {document_.isOpen(), document_.isModified(), document_.hasBoard(), !document_.fileName().empty(),
          static_cast<int>(document_.definitions().size())};
}

template <typename Work>
bool EditingWorkflow::attempt(Work work, const QString& prefix) {
  try {
    work();
    return true;
  } catch (const std::exception& e) {
    Q_EMIT failed(prefix + QString::fromStdString(e.what()));
    return false;
  }
}

void EditingWorkflow::changed() { Q_EMIT stateChanged(state()); }

void EditingWorkflow::renumber() {
  numbers_ = printedNumbers(document_);
  order_ = gw::listOrder(document_.definitions(), numbers_, sortedByNumber_);
}

void EditingWorkflow::reset() {
  renumber();
  markUnknownAnswers();
  Q_EMIT definitionsReset();
  changed();
}

QString EditingWorkflow::printedLabel(int i) const {
  const int number = printedNumber(i);
  if (number == 0) return {};
  const bool across = document_.definitions().at(static_cast<std::size_t>(i)).direction == Direction::Across;
  return QStringLiteral("%1 %2").arg(number).arg(across ? QStringLiteral("Across") : QStringLiteral("Down"));
}

void EditingWorkflow::setSortedByNumber(bool byNumber) {
  if (byNumber == sortedByNumber_) return;
  sortedByNumber_ = byNumber;
  reset();
}

int EditingWorkflow::stepDefinition(int current, int step) const {
  if (current < 0) return order_.empty() ? -1 : static_cast<int>(order_.front());
  const auto next = stepInOrder(order_, static_cast<std::size_t>(current), step);
  return next ? static_cast<int>(*next) : -1;
}

int EditingWorkflow::definitionForClick(CellPos cell, int current) const {
  std::optional<std::size_t> now;
  if (current >= 0) now = static_cast<std::size_t>(current);
  const auto chosen = gw::definitionForClick(document_.definitions(), cell, now);
  return chosen ? static_cast<int>(*chosen) : -1;
}

QString EditingWorkflow::clueStatus() const {
  if (!document_.isOpen()) return {};
  const ClueCount count = countMissingClues(document_.definitions());
  return QStringLiteral("%1 of %2 words without a clue").arg(count.missing).arg(count.words);
}

bool EditingWorkflow::notInWordList(int i) const {
  return i >= 0 && static_cast<std::size_t>(i) < notInList_.size() && notInList_[static_cast<std::size_t>(i)];
}

QString EditingWorkflow::notInWordListText() const {
  return QStringLiteral("not in the %1 word list").arg(QString::fromUtf8(languageName(document_.language())));
}

QString EditingWorkflow::wordCheckStatus() const {
  const auto count = std::count(notInList_.begin(), notInList_.end(), true);
  if (count == 0) return {};
  return QStringLiteral("%1 %2 %3")
      .arg(count)
      .arg(count == 1 ? QStringLiteral("word") : QStringLiteral("words"), notInWordListText());
}

void EditingWorkflow::checkWords() {
  if (!wordFile_ || !document_.isOpen()) return;
  checkingWords_ = true;
  const Language language = document_.language();
  if (knownWords_.contains(language)) {
    markUnknownAnswers();
    Q_EMIT wordCheckChanged();
    return;
  }
  if (loadingLanguage_) return;  // the check follows when that list is read
  loadingLanguage_ = language;
  const std::filesystem::path file = wordFile_(language);
  auto* watcher = new QFutureWatcher<std::shared_ptr<const KnownWords>>(this);
  connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, language] {
    watcher->deleteLater();
    loadingLanguage_.reset();
    try {
      knownWords_[language] = watcher->result();
    } catch (const std::exception& e) {
      // Read once per session: an unreadable list is reported once, then checks nothing.
      knownWords_[language] = std::make_shared<const KnownWords>();
      Q_EMIT failed(QString::fromStdString(e.what()));
    }
    if (checkingWords_ && document_.isOpen() && document_.language() != language) {
      checkWords();
      return;
    }
    markUnknownAnswers();
    Q_EMIT wordCheckChanged();
  });
  watcher->setFuture(QtConcurrent::run(
      [file, language] { return std::make_shared<const KnownWords>(KnownWords::load(file, language)); }));
}

void EditingWorkflow::markUnknownAnswers() {
  notInList_.clear();
  if (!checkingWords_ || !document_.isOpen()) return;
  const auto words = knownWords_.find(document_.language());
  if (words == knownWords_.end()) return;
  notInList_ = answersNotInList(document_.definitions().rows(), *words->second);
}

void EditingWorkflow::stopCheckingWords() {
  checkingWords_ = false;
  notInList_.clear();
}

QString EditingWorkflow::cleanClueText(QString text) {
  static const QRegularExpression breaks(QStringLiteral("[\\t\\r\\n\\x{2028}\\x{2029}]+"));
  return text.replace(breaks, QStringLiteral(" "));
}

bool EditingWorkflow::confirmPrintingWithMissingClues() {
  const ClueCount count = countMissingClues(document_.definitions());
  if (count.missing == 0) return true;
  Question question;
  question.title = QCoreApplication::applicationName();
  question.text = clueStatus() + QStringLiteral(". Print anyway?");
  question.informativeText = QStringLiteral("Words without a clue are printed with their numbers alone.");
  question.buttons = QMessageBox::Yes | QMessageBox::No;
  question.defaultButton = QMessageBox::No;
  return Prompts::ask(dialogParent_, question) == QMessageBox::Yes;
}

QString EditingWorkflow::word(int i) const {
  return fromCodePage(document_.definitions().at(i).word, boardCodePage(document_.language()));
}

QString EditingWorkflow::clue(int i) const {
  return fromCodePage(document_.definitions().at(i).clue, clueCodePage(document_.charset()));
}

bool EditingWorkflow::setClue(int i, const QString& text) {
  std::string bytes;
  if (!attempt([&] { bytes = toCodePage(text, clueCodePage(document_.charset())); })) return false;
  const Definition& d = document_.definitions().at(static_cast<std::size_t>(i));
  if (d.clue == bytes) return true;
  // A one-letter word is printed, and numbered, only while it has a clue.
  const bool renumbers = d.length() == 1 && hasClueText(d.clue) != hasClueText(bytes);
  document_.setClue(static_cast<std::size_t>(i), std::move(bytes));
  if (renumbers) {
    reset();
  } else {
    changed();
  }
  return true;
}

void EditingWorkflow::markModified() {
  if (!document_.isOpen() || document_.isModified()) return;
  document_.setModified();
  changed();
}

bool EditingWorkflow::maybeSave() {
  if (!document_.isOpen() || !document_.isModified()) return true;
  Question question;
  question.title = QCoreApplication::applicationName();
  question.text = QStringLiteral("Save changes?");
  question.buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  question.defaultButton = QMessageBox::Yes;
  switch (Prompts::ask(dialogParent_, question)) {
    case QMessageBox::Yes:
      return (document_.fileName().empty() ? saveAs() : save()) && !document_.isModified();
    case QMessageBox::No: return true;
    default: return false;
  }
}

bool EditingWorkflow::closeCrossword() {
  if (!document_.isOpen()) return true;
  if (!maybeSave()) return false;
  document_.close();
  stopCheckingWords();
  Q_EMIT captionChanged(kEditingTool);
  reset();
  return true;
}

void EditingWorkflow::newCrossword(int rows, int columns, Language language, ClueCharset charset) {
  document_.newCrossword(rows, columns, language, charset);
  stopCheckingWords();
  reset();
}

bool EditingWorkflow::openCrossword() {
  if (document_.isOpen()) return false;
  FileChoice choice;
  choice.objectName = QStringLiteral("openCrosswordDialog");
  choice.folder = lastOpenFolder_;
  choice.filter = kCrosswordFilter;
  const QString path = Prompts::chooseFile(dialogParent_, choice);
  if (path.isEmpty()) return false;
  readCrossword(path);
  return document_.isOpen();
}

bool EditingWorkflow::openFile(const QString& path) {
  if (!closeCrossword()) return false;
  readCrossword(path);
  return document_.isOpen();
}

void EditingWorkflow::readCrossword(const QString& path) {
  std::vector<std::string> messages;
  bool opened = false;
  try {
    messages = document_.open(toPath(path));
    opened = true;
  } catch (const CrosswordOpenError& e) {
    messages = e.messages();
  } catch (const std::exception& e) {
    Q_EMIT failed(QString::fromStdString(e.what()));
    return;
  }
  for (const std::string& m : messages) Q_EMIT failed(QString::fromStdString(m));
  // The caption names the file even when its format was refused; the crossword stays closed then.
  Q_EMIT captionChanged(editCaption(path));
  if (!opened) return;
  lastOpenFolder_ = QFileInfo(path).absolutePath();
  stopCheckingWords();
  reset();
}

bool EditingWorkflow::save() {
  if (!document_.isOpen()) return false;
  if (document_.fileName().empty()) return saveAs();
  if (!attempt([this] { document_.save(); })) return false;
  folders_.editSave = QFileInfo(fromPath(document_.fileName())).absolutePath();
  changed();
  return true;
}

bool EditingWorkflow::saveAs() {
  // With nothing open there is nothing to write.
  if (!document_.isOpen()) return false;
  FileChoice choice;
  choice.mode = FileChoice::Mode::Save;
  choice.objectName = QStringLiteral("saveCrosswordDialog");
  choice.title = QStringLiteral("Save crossword");
  choice.folder = document_.fileName().empty() ? folders_.editSave : fromPath(document_.fileName());
  choice.filter = kCrosswordFilter;
  choice.defaultSuffix = QStringLiteral("C_W");
  // Saving a crossword replaces an existing file of that name without a question.
  choice.confirmOverwrite = false;
  QString path = Prompts::chooseFile(dialogParent_, choice);
  if (path.isEmpty()) return false;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".C_W");
  if (!attempt([&] { document_.saveAs(toPath(path)); })) return false;
  folders_.editSave = QFileInfo(path).absolutePath();
  Q_EMIT captionChanged(editCaption(path));
  changed();
  return true;
}

void EditingWorkflow::changeCharset(ClueCharset charset) {
  // Without a valid choice nothing changes.
  if (!isKnownClueCharset(charset) || charset == document_.charset()) return;
  document_.setCharset(charset);
  reset();
}

void EditingWorkflow::tryCrossword() {
  if (!document_.canTry()) return;
  if (document_.isModified() && !save()) return;
  Q_EMIT solverRequested(fromPath(document_.fileName()));
}

void EditingWorkflow::prepareDefinitions() {
  if (!document_.isOpen()) return;
  document_.prepareDefinitions();
  reset();
}

void EditingWorkflow::layoutEdited(const CrosswordDocument::LayoutSnapshot& before, bool accepted) {
  // Changes stay whichever way the editor closed; either way they must not be lost silently.
  if (document_.layoutSnapshot() != before) document_.setModified();
  if (accepted) document_.prepareDefinitions();
  reset();
  // The author shaped the words: those the word list does not know are marked, never refused.
  if (accepted) checkWords();
}

QString EditingWorkflow::printTitle() const {
  return QString::fromStdString(document_.fileName().stem().string());
}

QString EditingWorkflow::proposedPdfPath() const {
  if (document_.fileName().empty())
    return QDir(folders_.editSave.isEmpty() ? QDir::homePath() : folders_.editSave)
        .filePath(QStringLiteral("crossword.pdf"));
  std::filesystem::path pdf = document_.fileName();
  pdf.replace_extension(".pdf");
  return fromPath(pdf);
}

bool EditingWorkflow::print(QPagedPaintDevice& device, const CrosswordPrintOptions& options) {
  return attempt([&] { printCrossword(document_.toCrosswordFile(), device, options); });
}

bool EditingWorkflow::writePdf(const QString& path, QPageSize::PageSizeId paper,
                               const CrosswordPrintOptions& options) {
  return attempt([&] { writeCrosswordPdf(document_.toCrosswordFile(), toPath(path), paper, options); },
                 QStringLiteral("The PDF file could not be written.\n"));
}

}  // namespace gw::gui
