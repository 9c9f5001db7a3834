#include "authoring/gui/composing/composing_workflow.h"

#include <QApplication>
#include <QFileInfo>
#include <QLocale>

#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/composing/layout/composing_files.h"
#include "authoring/gui/composing/compose_controller.h"
#include "authoring/gui/composing/grid_typing.h"
#include "authoring/gui/composing/quick_fill_controller.h"
#include "authoring/gui/composing/selection_fill.h"
#include "gui_common/prompts.h"

namespace gw::gui {

namespace {

const QString kPatternFilter = "Crossword making pattern (*.C_WM)";

const char* statusLanguageCode(Language language) {
  switch (language) {
    case Language::English: return "ENG";
    case Language::German: return "GER";
    case Language::Serbian: return "SER";
  }
  return "";
}

QString languageText(Language language) {
  const std::string_view name = gw::languageName(language);
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

QString fileNameOnly(const std::filesystem::path& path) {
  return QString::fromStdString(path.filename().string());
}

QString folderOf(const QString& file) { return QFileInfo(file).absolutePath(); }

std::filesystem::path toPath(const QString& file) { return std::filesystem::path(file.toStdString()); }

QString messageTitle() { return QApplication::applicationDisplayName(); }

FileChoice patternFileChoice(FileChoice::Mode mode, const QString& folder) {
  const bool open = mode == FileChoice::Mode::Open;
  return FileChoice{mode,
                    open ? "openPatternDialog" : "savePatternDialog",
                    open ? "Open" : "Save",
                    folder,
                    kPatternFilter,
                    "C_WM",
                    true,
                    {}};
}

}  // namespace

ComposingWorkflow::ComposingWorkflow(Dictionary& dictionary, const ProgramFolders& folders,
                                     FileDialogFolders& dialogFolders, QObject* parent)
    : QObject(parent), folders_(folders), dialogFolders_(dialogFolders) {
  ComposingFiles files;
  files.wordFile = [folders](Language l) { return folders.readPath(std::string(wordFileName(l))); };
  files.resultsFolder = folders.resultsFolder();
  controller_ = std::make_unique<ComposeController>(dictionary, std::move(files));
  quickFill_ = std::make_unique<QuickFillController>();

  connect(controller_.get(), &ComposeController::frameDue, this, &ComposingWorkflow::frameDue);
  connect(controller_.get(), &ComposeController::composingStateChanged, this,
          &ComposingWorkflow::searchStateChanged);
  connect(controller_.get(), &ComposeController::searchFinished, this, &ComposingWorkflow::searchFinished);
  connect(controller_.get(), &ComposeController::dictionaryLoadStarted, this,
          [this](Language l) { Q_EMIT busy(QString("Loading %1 dictionary ...").arg(languageText(l))); });
  connect(controller_.get(), &ComposeController::dictionaryLoadFinished, this, [this](Language l) {
    languageName_ = languageText(l);
    Q_EMIT languageLoaded(languageName_);
    Q_EMIT idle();
  });
  connect(quickFill_.get(), &QuickFillController::progressed, this, [this](std::uint64_t steps) {
    setStatusMessage(QString("Quick fill (seed %1): %2 words tried")
                         .arg(quickFill_->seed())
                         .arg(QLocale().toString(static_cast<qulonglong>(steps))));
  });
  connect(quickFill_.get(), &QuickFillController::finished, this, &ComposingWorkflow::quickFillFinished);
}

ComposingWorkflow::~ComposingWorkflow() {
  // A search never outlives its workflow: it is saved as Stop saves it, with nobody left to tell.
  controller_->disconnect(this);
  quickFill_->disconnect(this);
  controller_->stop();
  quickFill_->stop();
}

// ---------------------------------------------------------------- state

ComposingStatus ComposingWorkflow::status() const {
  const LayoutSession& session = controller_->session();
  ComposingStatus s;
  s.layout = session.state();
  s.quickFilling = quickFill_->isRunning();
  s.pageInFront = pageInFront_;
  if (session.isOpen()) {
    const Layout& l = session.layout();
    s.bigEnough = l.rows >= 4 && l.columns >= 4;
    s.hasWords = session.dictionary().totalWordCount() > 0;
    s.modified = modified_;
    s.canUndo = history_.canUndo();
    s.canRedo = history_.canRedo();
    s.savedSearch = s.layout != ComposingState::Running && session.hasSavedSearch();
    if (l.contains(current_.row, current_.column)) {
      s.current = l.board.isEmpty(current_.row, current_.column)  ? CurrentCell::Empty
                  : l.board.isIsle(current_.row, current_.column) ? CurrentCell::Isle
                                                                  : CurrentCell::Letter;
    }
  }
  return s;
}

void ComposingWorkflow::publishStatus() {
  const ComposingStatus now = status();
  if (published_ && *published_ == now) return;
  published_ = now;
  Q_EMIT statusChanged(now);
}

bool ComposingWorkflow::hasOpenLayout() const { return controller_->session().isOpen(); }

const Layout& ComposingWorkflow::layout() const { return controller_->session().layout(); }

const Layout& ComposingWorkflow::shownLayout() const {
  if (quickFillShown_ && controller_->state() == ComposingState::Editable) return *quickFillShown_;
  return controller_->shownLayout();
}

PreviewState ComposingWorkflow::previewState() const { return controller_->previewState(); }

QStringList ComposingWorkflow::counterTexts() const {
  if (!hasOpenLayout()) return {};
  const Composer& composer = controller_->composer();
  return {statusLanguageCode(layout().language), QString("R:%1").arg(composer.resultCount()),
          QString("T: %1").arg(composer.depth()), QString("M: %1").arg(composer.deepestDepth())};
}

std::optional<Language> ComposingWorkflow::layoutLanguage() const {
  if (!hasOpenLayout()) return std::nullopt;
  return layout().language;
}

void ComposingWorkflow::setComposeOptions(const ComposeSettings& options) {
  noRepeatedWords_ = options.noRepeatedWords;
  controller_->composer().setNoRepeat(options.noRepeatedWords);
  quickFillLanes_ = options.quickFillLanes;
  minWordScore_ = options.minWordScore;
  controller_->session().setMinWordScore(minWordScore_);
}

ComposeSettings ComposingWorkflow::composeOptions() const {
  return ComposeSettings{noRepeatedWords_, quickFillLanes_, minWordScore_};
}

void ComposingWorkflow::setMinWordScore(int score) {
  if (!rules::minWordScore(status())) return;
  minWordScore_ = score;
  controller_->session().setMinWordScore(score);
  Q_EMIT minWordScoreChanged(score);
  // A score that left no words disabled Quick fill, which is what would apply a lower one.
  if (!status().hasWords) applyMinWordScore();
}

bool ComposingWorkflow::applyMinWordScore() {
  try {
    controller_->session().applyMinWordScore();
  } catch (const std::runtime_error& e) {
    fail(QString::fromStdString(e.what()));
    return false;
  }
  publishStatus();  // the words left may be none
  return true;
}

void ComposingWorkflow::setNoRepeatedWords(bool on) {
  if (!rules::noRepeatedWords(status())) return;
  noRepeatedWords_ = on;
  controller_->composer().setNoRepeat(on);
  Q_EMIT noRepeatedWordsChanged(on);
}

void ComposingWorkflow::setPageInFront(bool inFront) {
  pageInFront_ = inFront;
  publishStatus();
}

void ComposingWorkflow::fail(const QString& text, bool information) {
  Q_EMIT failed(ComposingFailure{text, information});
}

void ComposingWorkflow::searchStateChanged(ComposingState state) {
  if (state == ComposingState::Stopped)
    setStatusMessage("The search is stopped: Start compose resumes it");
  else if (state == ComposingState::Running)
    setStatusMessage({});
  publishStatus();
}

QString ComposingWorkflow::savedSearchSummary() const {
  const LayoutSession& session = controller_->session();
  const QFileInfo state(QString::fromStdString(session.stateFile().string()));
  QString text;
  try {
    const SearchState saved = readStateFile(session.stateFile(), session.layout());
    text = QString("The saved search has written %1 result%2 so far")
               .arg(saved.resultCount)
               .arg(saved.resultCount == 1 ? "" : "s");
  } catch (const std::exception&) {
    text = "The saved search";
  }
  text += QString(" and was stopped on %1.\n")
              .arg(QLocale().toString(state.lastModified(), QLocale::ShortFormat));
  text +=
      QString(
          "Yes resumes it. No starts afresh from this layout and keeps the saved search in %1 until the next "
          "search overwrites it.")
          .arg(state.fileName());
  return text;
}

void ComposingWorkflow::discardSavedSearch() {
  if (!rules::discardSavedSearch(status())) return;
  LayoutSession& session = controller_->session();
  const QString name = QString::fromStdString(session.stateFile().filename().string());
  const Question question{messageTitle(), "Discard the saved search?",
                          QString("%1 is deleted and the layout can be edited again.").arg(name),
                          QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel};
  if (Prompts::ask(dialogParent_, question) != QMessageBox::Yes) return;
  std::error_code ec;
  std::filesystem::remove(session.stateFile(), ec);
  if (ec) return fail(QString("%1 could not be deleted: %2").arg(name, QString::fromStdString(ec.message())));
  if (session.state() == ComposingState::Stopped) {
    // Opening the layout again discards the stopped search; the layout is as it was saved at the start.
    openPatternFile(QString::fromStdString(session.patternFile().string()));
    return;
  }
  setStatusMessage({});
  publishStatus();
}

void ComposingWorkflow::setCaption(const char* prefix) {
  Q_EMIT captionChanged(prefix + fileNameOnly(controller_->session().patternFile()));
}

void ComposingWorkflow::setStatusMessage(const QString& text) {
  if (statusMessage_ == text) return;
  statusMessage_ = text;
  Q_EMIT statusMessageChanged(text);
}

// ---------------------------------------------------------------- layout commands

void ComposingWorkflow::newLayout(int rows, int columns, Language language) {
  if (!rules::newLayout(status())) return;
  try {
    controller_->session().newLayout(rows, columns, language);
  } catch (const std::runtime_error& e) {
    Q_EMIT idle();
    return fail(QString::fromStdString(e.what()));
  }
  replacedLayout();
}

void ComposingWorkflow::openLayout() {
  if (!rules::openLayout(status()) || !maybeSave()) return;
  const QString file = Prompts::chooseFile(
      dialogParent_, patternFileChoice(FileChoice::Mode::Open, dialogFolders_.composeOpen));
  if (file.isEmpty()) return;
  openPatternFile(file);
  const LayoutSession& session = controller_->session();
  if (session.isOpen() && session.patternFile() == toPath(file)) dialogFolders_.composeOpen = folderOf(file);
}

void ComposingWorkflow::openPatternFile(const QString& path) {
  if (isComposing()) return;
  LayoutSession& session = controller_->session();
  try {
    session.open(toPath(path));
  } catch (const std::runtime_error& e) {
    // The reader's message; the layout that was open stays as it was.
    Q_EMIT idle();
    return fail(QString::fromStdString(e.what()));
  }
  replacedLayout();
  setCaption("Composing : ");
  if (!session.hasSavedSearch()) return;
  const Question question{messageTitle(), "Continue?", savedSearchSummary(),
                          QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes};
  if (Prompts::ask(dialogParent_, question) != QMessageBox::Yes) return;
  try {
    controller_->resume();
  } catch (const std::runtime_error& e) {
    fail(QString::fromStdString(e.what()));
  }
  publishStatus();
}

bool ComposingWorkflow::ensureFileName() {
  LayoutSession& session = controller_->session();
  if (session.hasFileName()) return true;
  const QString file = Prompts::chooseFile(
      dialogParent_, patternFileChoice(FileChoice::Mode::Save, dialogFolders_.composeSave));
  if (file.isEmpty()) return false;
  try {
    session.saveAs(toPath(file));
  } catch (const std::runtime_error& e) {
    fail(QString::fromStdString(e.what()));
    return false;
  }
  setCaption("Make : ");
  dialogFolders_.composeSave = folderOf(file);
  layoutSaved();
  return true;
}

void ComposingWorkflow::saveLayout() {
  if (rules::saveLayout(status())) saveLayoutNow();
}

bool ComposingWorkflow::saveLayoutNow() {
  LayoutSession& session = controller_->session();
  if (!session.hasFileName()) return ensureFileName();
  try {
    // The author's layout, never the letters a search placed.
    session.save();
  } catch (const std::runtime_error& e) {
    fail(QString::fromStdString(e.what()));
    return false;
  }
  setCaption("Make : ");
  dialogFolders_.composeSave = folderOf(QString::fromStdString(session.patternFile().string()));
  layoutSaved();
  return true;
}

void ComposingWorkflow::layoutSaved() {
  modified_ = false;
  publishStatus();
}

bool ComposingWorkflow::maybeSave() {
  if (!hasOpenLayout() || !modified_) return true;
  const Question question{messageTitle(),
                          "Save changes?",
                          {},
                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                          QMessageBox::Yes};
  switch (Prompts::ask(dialogParent_, question)) {
    case QMessageBox::Yes: return saveLayoutNow();
    case QMessageBox::No: return true;
    default: return false;
  }
}

void ComposingWorkflow::closeLayout() {
  if (isComposing()) return;
  controller_->session().close();
  replacedLayout();
}

void ComposingWorkflow::replacedLayout() {
  // A new layout starts a new history.
  history_.clear();
  modified_ = false;
  quickFillShown_.reset();
  setStatusMessage({});
  Q_EMIT layoutReplaced();
  current_ = {};
  Q_EMIT currentCellMoved(current_);
  Q_EMIT frameDue();
  Q_EMIT layoutEdited();
  publishStatus();
}

// ---------------------------------------------------------------- composing

void ComposingWorkflow::startComposing(const WordOrderChoice& chooseOrder) {
  if (!rules::startCompose(status())) return;
  if (controller_->state() == ComposingState::Stopped) {
    controller_->start();
    return publishStatus();
  }
  if (!ensureFileName() || !applyMinWordScore()) return;
  quickFillShown_.reset();
  setStatusMessage({});
  Composer& composer = controller_->composer();
  Q_EMIT busy("Sorting words ...");
  std::vector<Slot> order = composer.proposedOrder();
  Q_EMIT idle();
  std::vector<int> answer;
  if (!order.empty() && chooseOrder) {
    if (std::optional<std::vector<int>> chosen = chooseOrder(order)) answer = std::move(*chosen);
  }
  try {
    controller_->start(answer);
    modified_ = false;  // a start saves the layout first
  } catch (const std::runtime_error& e) {
    fail(QString::fromStdString(e.what()));
  }
  publishStatus();
}

void ComposingWorkflow::toggleComposing(const WordOrderChoice& chooseOrder) {
  if (!rules::startCompose(status())) return stopComposing();
  if (!status().bigEnough) return fail("Define crossword pattern first!", true);
  startComposing(chooseOrder);
}

void ComposingWorkflow::stopComposing() {
  if (quickFill_->isRunning())
    quickFill_->stop();
  else
    controller_->stop();
  publishStatus();
}

void ComposingWorkflow::stopBeforeExit() {
  quickFill_->stop();
  controller_->stop();
  publishStatus();
}

void ComposingWorkflow::searchFinished(ComposeOutcome outcome, const QString& message) {
  Q_EMIT frameDue();
  publishStatus();
  if (!message.isEmpty()) fail(message, outcome == ComposeOutcome::NoWords);
}

void ComposingWorkflow::quickFill() {
  if (rules::quickFill(status())) runQuickFill(nullptr);
}

void ComposingWorkflow::quickFillSelection(const std::vector<CellPos>& selection) {
  if (!rules::quickFill(status())) return;
  // The grid as the author sees it: a Quick fill shown there is kept outside the selection.
  const std::optional<SelectionFill> fill = selectionFill(shownLayout(), selection);
  if (!fill) return fail("The selection holds no cell of a word: select the cells to fill first.", true);
  runQuickFill(&*fill);
}

void ComposingWorkflow::runQuickFill(const SelectionFill* selection) {
  if (!ensureFileName() || !applyMinWordScore()) return;
  LayoutSession& session = controller_->session();
  FirstFillOptions options;
  options.seed = QuickFillController::newSeed();
  options.lanes = quickFillLanes_;
  options.noRepeat = quickFillNoRepeat_;
  std::optional<QuickFillRefusal> refusal;
  try {
    refusal = selection ? quickFill_->startSelection(session, options, *selection)
                        : quickFill_->start(session, options);
    modified_ = false;  // saved as Start compose saves it
  } catch (const std::runtime_error& e) {
    return fail(QString::fromStdString(e.what()));
  }
  // Saved as Start compose saves it.
  setCaption("Make : ");
  if (refusal) return fail(refusal->message, refusal->outcome == ComposeOutcome::NoWords);
  quickFillShown_.reset();
  setStatusMessage(QString("Quick fill (seed %1) ...").arg(options.seed));
  Q_EMIT frameDue();
  publishStatus();
}

void ComposingWorkflow::quickFillFinished(const QuickFillReport& report) {
  const QString seed = QString("seed %1").arg(report.seed);
  const QString repeated = report.noRepeat ? " without repeated words" : "";
  switch (report.outcome) {
    case QuickFillOutcome::Filled:
      if (report.selection) {
        // Into the author's layout, one step to undo.
        edit([&](LayoutSession& session) { return session.restoreBoard(report.filled.board); });
        setStatusMessage(
            report.written
                ? QString("Quick fill selection: %1 written (%2)").arg(fileNameOnly(report.file), seed)
                : QString("Quick fill selection: filled (%1); the grid has empty "
                          "cells, so no result file was written")
                      .arg(seed));
      } else {
        quickFillShown_ = report.filled;
        setStatusMessage(QString("Quick fill: %1 written (%2)").arg(fileNameOnly(report.file), seed) +
                         (report.scores.isEmpty() ? QString() : ". " + report.scores));
      }
      if (report.written) controller_->playSound(ComposerSound::ResultWritten);
      break;
    case QuickFillOutcome::NoFill:
      setStatusMessage(
          QString("Quick fill%1: no fill exists with this word list%2; nothing %3")
              .arg(report.selection ? " selection" : "", repeated, report.selection ? "changed" : "written"));
      break;
    case QuickFillOutcome::Stopped:
      setStatusMessage(QString("Quick fill stopped (%1); nothing written").arg(seed));
      break;
    case QuickFillOutcome::Failed:
      setStatusMessage(QString("Quick fill: the fill could not be written (%1)").arg(seed));
      fail(report.message);
      break;
  }
  Q_EMIT frameDue();
  publishStatus();
}

// ---------------------------------------------------------------- cells

void ComposingWorkflow::setCurrentCell(CellPos cell) {
  if (cell == current_) return;
  current_ = cell;
  publishStatus();
}

void ComposingWorkflow::cellsEdited() {
  // The author works on the layout again: the fill made from the old one goes.
  quickFillShown_.reset();
  Q_EMIT frameDue();
  Q_EMIT layoutEdited();
  publishStatus();
}

void ComposingWorkflow::edit(const std::function<bool(LayoutSession&)>& change) {
  if (!rules::cellsEditable(status())) return;
  const ComposingBoard before = layout().board;
  if (!change(controller_->session())) return;
  history_.recordChange(before);
  modified_ = true;
  cellsEdited();
}

std::optional<CellPos> ComposingWorkflow::partnerOf(CellPos cell) const {
  return symmetricPartner(cell, layout().rows, layout().columns, symmetry_);
}

void ComposingWorkflow::setIsle() {
  if (!rules::setIsle(status())) return;
  edit([this](LayoutSession& session) {
    bool changed = session.setIsle(current_.row, current_.column);
    if (const auto p = partnerOf(current_)) changed = session.setIsle(p->row, p->column) || changed;
    return changed;
  });
}

void ComposingWorkflow::setIsleAndMoveOn() {
  if (!rules::setIsle(status())) return;
  setIsle();
  if (status().current != CurrentCell::Isle) return;
  current_ = cursorAfterLetter(current_, layout().rows, layout().columns);
  Q_EMIT currentCellMoved(current_);
  publishStatus();
}

void ComposingWorkflow::clearField() {
  if (!rules::clearField(status())) return;
  const bool wasIsle = status().current == CurrentCell::Isle;
  edit([this, wasIsle](LayoutSession& session) {
    bool changed = session.clearCell(current_.row, current_.column);
    // Symmetry is about isles: a partner's letter stays.
    const auto p = partnerOf(current_);
    if (wasIsle && p && layout().board.isIsle(p->row, p->column))
      changed = session.clearCell(p->row, p->column) || changed;
    return changed;
  });
}

void ComposingWorkflow::clearLayout() {
  if (rules::clearLayout(status())) edit([](LayoutSession& session) { return session.clearAll(); });
}

void ComposingWorkflow::typeCharacter(char usCharacter) {
  const Layout& l = layout();
  const std::optional<char> letter = typedBoardLetter(usCharacter, l.language);
  if (!letter || !rules::cellsEditable(status())) return;
  bool put = false;
  edit([&](LayoutSession& session) {
    return put = session.putLetter(current_.row, current_.column, *letter);
  });
  if (!put) return;
  current_ = cursorAfterLetter(current_, l.rows, l.columns);
  Q_EMIT currentCellMoved(current_);
  publishStatus();
}

void ComposingWorkflow::toggleCell(CellPos cell) {
  edit([this, cell](LayoutSession& session) {
    const bool wasIsle = layout().board.isIsle(cell.row, cell.column);
    if (!session.toggleCell(cell.row, cell.column)) return false;
    if (const auto p = partnerOf(cell)) {
      if (layout().board.isIsle(cell.row, cell.column))
        session.setIsle(p->row, p->column);
      else if (wasIsle && layout().board.isIsle(p->row, p->column))
        session.clearCell(p->row, p->column);
    }
    return true;
  });
}

void ComposingWorkflow::undo() {
  if (!rules::undo(status())) return;
  if (const auto board = history_.undo(layout().board)) controller_->session().restoreBoard(*board);
  modified_ = true;
  cellsEdited();
}

void ComposingWorkflow::redo() {
  if (!rules::redo(status())) return;
  if (const auto board = history_.redo(layout().board)) controller_->session().restoreBoard(*board);
  modified_ = true;
  cellsEdited();
}

void ComposingWorkflow::placeWord(const Slot& slot, const std::string& word) {
  if (static_cast<int>(word.size()) != slot.length) return;
  edit([&](LayoutSession& session) {
    bool changed = false;
    for (int k = 0; k < slot.length; ++k) {
      const int index = slot.cellIndex(k);
      const BoardCell cell = layout().board.at(index);
      if (cell.length != 0 && cell.character == word[static_cast<std::size_t>(k)]) continue;
      changed =
          session.putLetter(index % kBoardSide, index / kBoardSide, word[static_cast<std::size_t>(k)]) ||
          changed;
    }
    return changed;
  });
}

void ComposingWorkflow::setSymmetry(LayoutSymmetry symmetry) {
  if (symmetry_ == symmetry) return;
  symmetry_ = symmetry;
  Q_EMIT layoutEdited();
}

bool ComposingWorkflow::isSymmetric() const { return gw::isSymmetric(layout(), symmetry_); }

LayoutStatistics ComposingWorkflow::statistics() const { return layoutStatistics(layout()); }

}  // namespace gw::gui
