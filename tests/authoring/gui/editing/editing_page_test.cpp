// The editing page offscreen, driven as an author would: New, Open, the layout editor, clue
// texts in three charsets, Save, Save as, Close with "Save changes?", Change Charset, Try,
// Print and Export PDF (read back with poppler's pdftotext and pdfinfo where installed).
#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "authoring/gui/dialogs/new_crossword_dialog.h"
#include "authoring/gui/editing/clue_board.h"
#include "authoring/gui/editing/clue_editor.h"
#include "authoring/gui/editing/definition_table_model.h"
#include "authoring/gui/editing/editing_page.h"
#include "authoring/gui/editing/pdf_export_dialog.h"
#include "authoring/gui/layout_editor/layout_editor_dialog.h"
#include "common/crossword_reader.h"
#include "editing_test_support.h"
#include "tests/support/prompt_answers.h"

using namespace gw::gui;
using namespace gw::gui::testing;

namespace {

// The dialog of New, its fields filled in tab order: rows, columns, language, charset.
DialogScript::Step answerNew(int rows, int columns, int language = 0, int charset = 0) {
  return [=](QDialog* d) {
    auto* rowsSpin = d->findChild<QSpinBox*>("rowsSpinBox");
    auto* columnsSpin = d->findChild<QSpinBox*>("columnsSpinBox");
    QCOMPARE(d->focusWidget(), rowsSpin);
    QWidget* next = rowsSpin->nextInFocusChain();
    while (next && next->parentWidget() == rowsSpin) next = next->nextInFocusChain();
    QCOMPARE(next, columnsSpin);
    rowsSpin->setValue(rows);
    columnsSpin->setValue(columns);
    d->findChild<QComboBox*>("languageComboBox")->setCurrentIndex(language);
    d->findChild<QComboBox*>("definitionsComboBox")->setCurrentIndex(charset);
    d->findChild<QPushButton*>("okButton")->click();
  };
}

// Types into the layout editor's board, then accepts (or cancels) it.
DialogScript::Step layoutTyping(std::function<void(LayoutEditorDialog*, QWidget*)> type, bool accept = true) {
  return [=](QDialog* d) {
    auto* editor = qobject_cast<LayoutEditorDialog*>(d);
    QVERIFY(editor);
    type(editor, editor->findChild<QWidget*>("layoutCanvas"));
    editor->action(accept ? "acceptAction" : "cancelAction")->trigger();
  };
}

QString clueCodeText(const char* utf8) { return QString::fromUtf8(utf8); }

// The Export PDF dialog: a file name (as typed, or kept when empty), the paper, the solution page.
DialogScript::Step answerPdf(const QString& file, int paperIndex, bool solution,
                             QString* proposed = nullptr) {
  return [=](QDialog* d) {
    auto* edit = d->findChild<QLineEdit*>("pdfFileEdit");
    if (proposed) *proposed = edit->text();
    if (!file.isEmpty()) edit->setText(file);
    d->findChild<QComboBox*>("paperComboBox")->setCurrentIndex(paperIndex);
    d->findChild<QCheckBox*>("solutionCheckBox")->setChecked(solution);
    d->findChild<QPushButton*>("exportButton")->click();
  };
}

// What a poppler tool says about a PDF; empty when the tool is missing.
QString popplerOutput(const char* tool, const QString& pdf) {
  const QString program = QStandardPaths::findExecutable(tool);
  if (program.isEmpty()) return {};
  QProcess p;
  p.start(program, tool == QByteArray("pdftotext") ? QStringList{pdf, "-"} : QStringList{pdf});
  p.waitForFinished(30000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

class EditingPageTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  FileDialogFolders folders_;
  std::unique_ptr<gw::test::PromptAnswers> answers_;
  std::unique_ptr<EditingPage> page_;
  QStringList captions_;

  QString path(const QString& name) const { return dir_.filePath(name); }
  QString write(const QString& name, const gw::CrosswordFile& f) {
    gw::writeCrosswordFile(path(name).toStdString(), f);
    return path(name);
  }
  bool enabled(const char* name) {
    page_->updateActions(true);
    return page_->action(name)->isEnabled();
  }
  // As the main window does: the enabling rules run when idle, before the next command.
  void trigger(const char* name) {
    page_->updateActions(true);
    page_->action(name)->trigger();
  }
  void selectDefinition(int row) {
    page_->wordGrid()->setCurrentIndex(page_->model()->index(row, DefinitionTableModel::WordColumn));
  }
  // Row of the across word CDE of the small crossword: after the three down words.
  static constexpr int kCdeRow = 4;
  void writeClue(const QString& text) {
    page_->clueEditor()->selectAll();
    page_->clueEditor()->insertPlainText(text);
  }
  const gw::CrosswordDocument& doc() const { return page_->workflow().document(); }
  // What was shown besides the question about missing clues.
  QStringList messages() const {
    QStringList shown = answers_->shown();
    shown.removeIf([](const QString& m) { return m.endsWith("Print anyway?"); });
    return shown;
  }
  // Words without a clue: printing asks first, answered Yes.
  void printAnyway() { answers_->next(QMessageBox::Yes); }

 private Q_SLOTS:
  void init() {
    folders_ = {};
    folders_.editSave = dir_.path();
    answers_ = std::make_unique<gw::test::PromptAnswers>();
    page_ = std::make_unique<EditingPage>(folders_);
    new QAbstractItemModelTester(page_->model(), QAbstractItemModelTester::FailureReportingMode::QtTest,
                                 page_.get());
    captions_.clear();
    connect(page_.get(), &EditingPage::captionChanged, this, [this](const QString& c) { captions_ << c; });
    page_->show();
  }
  void cleanup() {
    page_.reset();
    answers_.reset();
    for (const QString& f : QDir(dir_.path()).entryList(QDir::Files)) QFile::remove(path(f));
  }

  // New 3 × 2, letters and a blank typed in the layout editor, accepted, a clue, Save as:
  // exactly the bytes of the crossword file of two rows "AB " and "CDE".
  void newCrosswordTypedAndSavedGivesTheExactFile() {
    DialogScript dialogs(page_.get());
    dialogs.then(answerNew(2, 3)).then(layoutTyping([](LayoutEditorDialog* editor, QWidget* board) {
      QTest::keyClicks(board, "ab ");
      QCOMPARE(editor->cursorCell(), (BoardCell{0, 2}));  // the last column keeps the cursor
      editor->pressCell({1, 0});
      QTest::keyClicks(board, "cde");
    }));
    trigger("newAction");
    QVERIFY(dialogs.finished());
    QCOMPARE(page_->model()->rowCount(), 5);
    QVERIFY(doc().isModified());

    selectDefinition(kCdeRow);
    QCOMPARE(page_->model()->index(kCdeRow, DefinitionTableModel::WordColumn).data().toString(),
             QString("CDE"));
    writeClue("Hello");
    answers_->nextFile(path("new"));  // no extension typed: .C_W is added
    trigger("saveAsAction");

    const std::string expected = std::string(
                                     "CW10\x00\x02\x03"
                                     "AB CDE",
                                     13) +
                                 std::string(8, '\0') + std::string("\x00\x05\x00\x00\x00", 5) +
                                 std::string("\x00\x00\x00\x02\x00\x00\x00\x00", 8) +
                                 std::string("\x00\x00\x01\x02\x00\x00\x00\x00", 8) +
                                 std::string("\x00\x01\x02\x01\x00\x00\x00\x00", 8) +
                                 std::string("\x01\x00\x00\x02\x00\x00\x00\x00", 8) +
                                 std::string("\x01\x01\x00\x03\x05\x00\x00\x00Hello", 13) +
                                 std::string(4, '\0');
    QCOMPARE(readBytes(path("new.C_W")), expected);
    QVERIFY(!doc().isModified());
    QCOMPARE(captions_.last(), QString("Edit: new.C_W"));
    QCOMPARE(folders_.editSave, dir_.path());
  }

  void commandsAreEnabledByTheCrosswordsState() {
    const char* all[] = {"newAction",   "openAction",      "saveAction",   "saveAsAction",
                         "printAction", "exportPdfAction", "closeAction",  "changeCharsetAction",
                         "tryAction",   "defineAction",    "prepareAction"};
    auto enabledSet = [&] {
      QStringList on;
      for (const char* a : all)
        if (enabled(a)) on << a;
      return on;
    };
    QCOMPARE(enabledSet(), QStringList({"newAction", "openAction", "saveAsAction", "changeCharsetAction",
                                        "prepareAction"}));
    page_->openCrosswordFile(write("small.C_W", smallCrossword()));
    QCOMPARE(enabledSet(),
             QStringList({"newAction", "saveAsAction", "printAction", "exportPdfAction", "closeAction",
                          "changeCharsetAction", "tryAction", "defineAction", "prepareAction"}));
    selectDefinition(1);
    QTest::keyClicks(page_->clueEditor(), "x");
    QVERIFY(enabled("saveAction"));
    page_->updateActions(false);  // behind the composing page nothing answers its keys
    QVERIFY(!page_->action("newAction")->isEnabled());
    QVERIFY(!page_->action("closeAction")->isEnabled());
    QVERIFY(!page_->action("printAction")->isEnabled());
  }

  // Clue texts decode and encode with the open crossword's charset, byte for byte.
  void clueTextsRoundTripInEveryCharset_data() {
    QTest::addColumn<int>("charset");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("ANSI") << 0
                          << QByteArray(
                                 "Gr\xF6\xDF"
                                 "e")
                          << clueCodeText("Größe") << clueCodeText("Äpfel über Öl, Straße")
                          << QByteArray(
                                 "\xC4pfel \xFC"
                                 "ber \xD6l, Stra\xDF"
                                 "e");
    QTest::newRow("SR-Cyrillic") << 1 << QByteArray("\x8A\xF3\xE1\xE0\xE2") << clueCodeText("Љубав")
                                 << clueCodeText("Ђак, Џеп, Ћуп")
                                 << QByteArray("\x80\xE0\xEA, \x8F\xE5\xEF, \x8E\xF3\xEF");
    QTest::newRow("SR-Latin") << 2
                              << QByteArray(
                                     "\xE8"
                                     "a\xE6"
                                     "a")
                              << clueCodeText("čaća") << clueCodeText("Šuma, žaba, đak, ČĆŠŽĐ")
                              << QByteArray(
                                     "\x8Auma, \x9E"
                                     "aba, \xF0"
                                     "ak, \xC8\xC6\x8A\x8E\xD0");
  }
  void clueTextsRoundTripInEveryCharset() {
    QFETCH(int, charset);
    QFETCH(QByteArray, stored);
    QFETCH(QString, shown);
    QFETCH(QString, typed);
    QFETCH(QByteArray, saved);
    const QString file = write("clues.C_W", smallCrossword(charset, stored.toStdString()));
    page_->openCrosswordFile(file);
    selectDefinition(kCdeRow);
    QCOMPARE(page_->clueEditor()->toPlainText(), shown);
    writeClue(typed);
    trigger("saveAction");
    QVERIFY2(messages().isEmpty(), qPrintable(messages().join('\n')));
    const gw::CrosswordFile back = readBack(file);
    QCOMPARE(int(back.charset), charset);
    QCOMPARE(QByteArray::fromStdString(back.definitions.at(kCdeRow).clue), saved);
  }

  // A clue the charset cannot hold keeps its word current, so that the author can mend it.
  void aRefusedClueKeepsItsWordCurrent() {
    page_->openCrosswordFile(write("ansi.C_W", smallCrossword(0, "old")));
    selectDefinition(kCdeRow);
    writeClue(clueCodeText("Љубав"));
    selectDefinition(0);
    QCOMPARE(page_->wordGrid()->currentIndex().row(), kCdeRow);
    QCOMPARE(messages().size(), 1);
    writeClue("new");
    selectDefinition(0);
    QCOMPARE(page_->wordGrid()->currentIndex().row(), 0);
    QCOMPARE(doc().definitions().at(kCdeRow).clue, std::string("new"));
  }

  // A click on a board cell selects the word through it; the same cell again turns the direction.
  void boardClicksSelectWordsAndTurn() {
    page_->openCrosswordFile(write("small.C_W", smallCrossword()));
    ClueBoard* board = page_->board();
    auto click = [board](int row, int column) {
      QTest::mouseClick(board, Qt::LeftButton, {}, cellRect(row, column, board->cellSize()).center());
    };
    QCOMPARE(page_->currentDefinition(), 0);  // AC, down
    click(1, 1);
    QCOMPARE(page_->currentDefinition(), 1);  // BD: the current direction kept
    click(1, 1);
    QCOMPARE(page_->currentDefinition(), kCdeRow);  // the same cell again: across
    click(0, 1);
    QCOMPARE(page_->currentDefinition(), 3);  // AB
    const gw::gui::BoardScene scene = board->scene();
    QVERIFY(scene.fills[scene.index(0, 0)].isValid() && scene.fills[scene.index(0, 1)].isValid());
    QVERIFY(!scene.fills[scene.index(1, 1)].isValid());
    QCOMPARE(page_->clueEditor()->toPlainText(), QString());
  }

  // Enter and Tab store the clue and move on in the list's order, Shift+Tab back; no tab ever
  // enters a clue.
  void theKeyboardWalksFromClueToClue() {
    const QString file = write("small.C_W", smallCrossword());
    page_->openCrosswordFile(file);
    page_->setSortedByNumber(true);  // 1 Across AB, 3 Across CDE, 1 Down AC, 2 Down BD, E
    page_->moveToDefinition(3);
    page_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(page_.get()));
    page_->clueEditor()->setFocus();
    QTest::keyClicks(page_->clueEditor(), "one");
    QTest::keyClick(page_->clueEditor(), Qt::Key_Tab);
    QCOMPARE(page_->currentDefinition(), kCdeRow);
    QTest::keyClicks(page_->clueEditor(), "two");
    QTest::keyClick(page_->clueEditor(), Qt::Key_Return);
    QCOMPARE(page_->currentDefinition(), 0);
    QTest::keyClick(page_->clueEditor(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(page_->currentDefinition(), kCdeRow);
    QCOMPARE(page_->clueEditor()->toPlainText(), QString("two"));
    QTest::keyClick(page_->clueEditor(), Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(page_->currentDefinition(), 0);
    trigger("saveAction");
    const gw::CrosswordFile saved = readBack(file);
    QCOMPARE(saved.definitions.size(), std::size_t(5));
    QCOMPARE(saved.definitions.at(3).clue, std::string("one"));
    QCOMPARE(saved.definitions.at(kCdeRow).clue, std::string("two"));
    QVERIFY(page_->model()->index(0, DefinitionTableModel::NumberColumn).data().toString() == "1 Across");
  }

  // The "No." header's choice is written to crossword.conf only when the author makes it, and
  // a page made later (the next start) opens with it.
  void theSortChoiceIsKeptInTheSettingsFile() {
    const std::filesystem::path conf = path("crossword.conf").toStdString();
    page_->useSettingsFile(conf);
    page_->openCrosswordFile(write("small.C_W", smallCrossword()));
    QVERIFY(!std::filesystem::exists(conf));
    QHeaderView* header = page_->wordGrid()->horizontalHeader();
    const QPoint number(header->sectionViewportPosition(DefinitionTableModel::NumberColumn) + 4, 4);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, number);
    QVERIFY(page_->workflow().sortedByNumber());
    QCOMPARE(readBytes(path("crossword.conf")), std::string("[Edit]\nSort by number=1\n"));
    EditingPage later(folders_);
    later.useSettingsFile(conf);
    QVERIFY(later.workflow().sortedByNumber());
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, number);  // back to the table's order
    EditingPage again(folders_);
    again.useSettingsFile(conf);
    QVERIFY(!again.workflow().sortedByNumber());
  }

  // A word the word list lacks is shown with the list's name as its tooltip and counted below.
  void wordsNotInTheWordListAreShownAndCounted() {
    writeBytes(path("EN.words"), "AB\nCDE\nAC\n");
    page_->workflow().setWordFiles([this](gw::Language) { return path("EN.words").toStdString(); });
    page_->openCrosswordFile(write("small.C_W", smallCrossword()));
    QSignalSpy checked(&page_->workflow(), &EditingWorkflow::wordCheckChanged);
    page_->workflow().layoutEdited(doc().layoutSnapshot(), true);
    QVERIFY(checked.wait());
    const int row = page_->model()->rowOf(1);  // BD
    QCOMPARE(page_->model()->index(row, DefinitionTableModel::WordColumn).data(Qt::ToolTipRole).toString(),
             QString("not in the English word list"));
    QVERIFY(page_->model()->index(row, DefinitionTableModel::WordColumn).data(Qt::ForegroundRole).isValid());
    QVERIFY(!page_->model()->index(page_->model()->rowOf(0), 1).data(Qt::ToolTipRole).isValid());
    QCOMPARE(page_->findChild<QLabel*>("wordCheckStatus")->text(),
             QString("1 word not in the English word list"));
  }

  void enterAddsNoLineBreakToAClue() {
    page_->openCrosswordFile(write("small.C_W", smallCrossword()));
    selectDefinition(kCdeRow);
    QTest::keyClicks(page_->clueEditor(), "one");
    QTest::keyClick(page_->clueEditor(), Qt::Key_Return);
    QTest::keyClick(page_->clueEditor(), Qt::Key_Enter);
    QTest::keyClicks(page_->clueEditor(), "two");
    QCOMPARE(page_->clueEditor()->toPlainText(), QString("onetwo"));
    QGuiApplication::clipboard()->setText("\nthree\r\nfour");
    page_->clueEditor()->paste();
    QCOMPARE(page_->clueEditor()->toPlainText(), QString("onetwo three four"));
  }

  void newStopsWhenTheOpenCrosswordStaysOpen() {
    DialogScript dialogs(page_.get());
    dialogs.then(answerNew(2, 3)).then([](QDialog* d) { d->reject(); });
    page_->newCrossword();
    answers_->next(QMessageBox::Yes);  // Yes, then Save as cancelled
    DialogScript none(page_.get());
    trigger("newAction");
    QVERIFY(none.finished());  // no dialog of New was shown
    QVERIFY(doc().isOpen() && doc().isModified());
    QCOMPARE(doc().rows(), 2);
  }

  void changeCharsetStoresThePendingClueFirstAndNeedsAChoice() {
    const QString file = write("latin.C_W", smallCrossword(2, "\xE8"));
    page_->openCrosswordFile(file);
    selectDefinition(kCdeRow);
    writeClue(clueCodeText("š"));
    DialogScript dialogs(page_.get());
    dialogs.then([](QDialog* d) {
      QVERIFY(!d->findChild<QSpinBox*>("rowsSpinBox")->isEnabled());
      QVERIFY(!d->findChild<QComboBox*>("languageComboBox")->isEnabled());
      QCOMPARE(d->findChild<QSpinBox*>("rowsSpinBox")->value(), 2);
      d->findChild<QComboBox*>("definitionsComboBox")->setCurrentIndex(0);
      d->accept();
    });
    trigger("changeCharsetAction");
    QCOMPARE(int(doc().charset()), 0);
    // š was stored as Windows-1250 0x9A, which Windows-1252 shows as š too; the bytes stay.
    QCOMPARE(doc().definitions().at(kCdeRow).clue, std::string("\x9A"));

    // No valid selection changes nothing.
    dialogs.then([](QDialog* d) {
      d->findChild<QComboBox*>("definitionsComboBox")->setCurrentIndex(-1);
      d->accept();
    });
    trigger("changeCharsetAction");
    QCOMPARE(int(doc().charset()), 0);

    // Only a charset change leaves Save off until another change.
    trigger("saveAction");
    dialogs.then([](QDialog* d) {
      d->findChild<QComboBox*>("definitionsComboBox")->setCurrentIndex(1);
      d->accept();
    });
    trigger("changeCharsetAction");
    QCOMPARE(int(doc().charset()), 1);
    QVERIFY(!enabled("saveAction"));
    QVERIFY(dialogs.finished());
  }

  // Change Charset shows the crossword as it is, even wider than New would make it, with
  // only the charset open; the charset combo with nothing chosen gives back the one shown.
  void theLayoutDialogShowsAnOpenCrosswordForACharsetChange() {
    NewCrosswordDialog dialog;
    dialog.showForCharsetChange(3, 41, gw::Language::Serbian, gw::ClueCharset::SerbianLatin);
    auto* across = dialog.findChild<QSpinBox*>("columnsSpinBox");
    auto* down = dialog.findChild<QSpinBox*>("rowsSpinBox");
    auto* language = dialog.findChild<QComboBox*>("languageComboBox");
    auto* charset = dialog.findChild<QComboBox*>("definitionsComboBox");
    QCOMPARE(across->value(), 41);
    QCOMPARE(down->value(), 3);
    QCOMPARE(language->currentText(), QString("Serbian (Cyrillic)"));
    QVERIFY(!across->isEnabled() && !down->isEnabled() && !language->isEnabled());
    QVERIFY(charset->isEnabled());
    QCOMPARE(dialog.clueCharset(), gw::ClueCharset::SerbianLatin);
    charset->setCurrentIndex(1);
    QCOMPARE(dialog.clueCharset(), gw::ClueCharset::SerbianCyrillic);
    charset->setCurrentIndex(-1);
    QCOMPARE(dialog.clueCharset(), gw::ClueCharset::SerbianLatin);
    QCOMPARE(dialog.columnCount(), 41);
    QCOMPARE(dialog.rowCount(), 3);
  }

  void thePdfDialogCompletesTheFileName() {
    const QString proposed = path("puzzle.pdf");
    QStringList browsedFrom;
    QString browseAnswer;
    PdfExportDialog dialog({proposed, QPageSize::Letter, true, "puzzle", "A. Setter"},
                           [&](const QString& current) {
                             browsedFrom << current;
                             return browseAnswer;
                           });
    auto* edit = dialog.findChild<QLineEdit*>("pdfFileEdit");
    QCOMPARE(dialog.choice().path, proposed);
    QCOMPARE(dialog.choice().paper, QPageSize::Letter);
    QVERIFY(dialog.choice().withSolution);
    QCOMPARE(dialog.choice().author, QString("A. Setter"));
    edit->setText("other");  // a bare name lies beside the proposed file and gets ".pdf"
    QCOMPARE(dialog.choice().path, path("other.pdf"));
    edit->setText(path("LOUD.PDF"));
    QCOMPARE(dialog.choice().path, path("LOUD.PDF"));
    edit->setText("  ");
    QVERIFY(!dialog.findChild<QPushButton*>("exportButton")->isEnabled());
    // Browse starts from the name typed; cancelling it keeps the name.
    edit->setText(path("typed.pdf"));
    dialog.findChild<QPushButton*>("browseButton")->click();
    QCOMPARE(edit->text(), path("typed.pdf"));
    browseAnswer = path("browsed.pdf");
    dialog.findChild<QPushButton*>("browseButton")->click();
    QCOMPARE(edit->text(), path("browsed.pdf"));
    QCOMPARE(browsedFrom, QStringList({path("typed.pdf"), path("typed.pdf")}));
  }

  // The PDF holds the crossword as it stands in the editor, the clue still being typed
  // included; the crossword file and the modified flag stay as they were.
  void exportPdfWritesTheCrosswordAsEdited() {
    const QString file = write("small.C_W", smallCrossword(0, "Saved clue"));
    const std::string before = readBytes(file);
    page_->openCrosswordFile(file);
    selectDefinition(kCdeRow);
    writeClue("Typed clue");
    QString proposed;
    DialogScript dialogs(page_.get());
    dialogs.then(answerPdf({}, 1, true, &proposed));
    printAnyway();
    trigger("exportPdfAction");
    QVERIFY(dialogs.finished());
    QCOMPARE(proposed, path("small.pdf"));
    QVERIFY(readBytes(path("small.pdf")).starts_with("%PDF"));
    QVERIFY(messages().isEmpty());
    QVERIFY(doc().isModified());
    QCOMPARE(readBytes(file), before);

    const QString text = popplerOutput("pdftotext", path("small.pdf"));
    if (text.isEmpty()) QSKIP("pdftotext is not installed");
    QVERIFY2(text.contains("Typed clue") && !text.contains("Saved clue"), qPrintable(text));
    QVERIFY(text.contains("Solution"));
    const QString info = popplerOutput("pdfinfo", path("small.pdf"));
    QVERIFY2(info.contains(QRegularExpression("Pages:\\s+2\\b")), qPrintable(info));
    QVERIFY2(info.contains("letter"), qPrintable(info));

    // The next export proposes the same paper and page; a clean crossword stays clean.
    trigger("saveAction");
    dialogs.then([](QDialog* d) {
      QCOMPARE(d->findChild<QComboBox*>("paperComboBox")->currentText(), QString("Letter"));
      QVERIFY(d->findChild<QCheckBox*>("solutionCheckBox")->isChecked());
      d->findChild<QCheckBox*>("solutionCheckBox")->setChecked(false);
      d->findChild<QComboBox*>("paperComboBox")->setCurrentIndex(0);
      d->accept();
    });
    printAnyway();
    trigger("exportPdfAction");
    QVERIFY(!doc().isModified());
    const QString again = popplerOutput("pdfinfo", path("small.pdf"));
    QVERIFY2(again.contains(QRegularExpression("Pages:\\s+1\\b")) && again.contains("A4"), qPrintable(again));
  }

  void aPdfThatCannotBeWrittenIsReportedAndChangesNothing() {
    page_->openCrosswordFile(write("small.C_W", smallCrossword(0, "clue")));
    // A folder where the PDF should go: it cannot be replaced, even by root, and stays whole.
    QDir(dir_.path()).mkpath("taken.pdf");
    writeBytes(path("taken.pdf/inside"), "kept");
    DialogScript dialogs(page_.get());
    dialogs.then(answerPdf(path("no such folder/x.pdf"), 0, false))
        .then(answerPdf(path("taken.pdf"), 0, false))
        .then([](QDialog* d) { d->reject(); });
    printAnyway();
    QVERIFY(!page_->exportPdf());
    printAnyway();
    QVERIFY(!page_->exportPdf());
    QCOMPARE(messages().size(), 2);
    for (const QString& m : messages())
      QVERIFY2(m.startsWith("The PDF file could not be written."), qPrintable(m));
    QVERIFY(!QFileInfo::exists(path("no such folder")));
    QCOMPARE(readBytes(path("taken.pdf/inside")), std::string("kept"));
    QVERIFY(!doc().isModified());
    printAnyway();
    QVERIFY(!page_->exportPdf());  // cancelled: no message
    QCOMPARE(messages().size(), 2);
    QVERIFY(dialogs.finished());
    QDir(path("taken.pdf")).removeRecursively();
  }

  // Print asks the print dialog, with the solution page as an option of its own.
  void printPaintsThePuzzleAndTheSolutionPageWhenAsked() {
    page_->openCrosswordFile(write("small.C_W", smallCrossword(0, "Printed clue")));
    const QString out = path("printed.pdf");
    {
      DialogScript none(page_.get());
      answers_->next(QMessageBox::No);  // words without a clue: not printed
      trigger("printAction");
      QVERIFY(none.finished());
      QVERIFY(answers_->shown().last().startsWith("3 of 4 words without a clue"));
    }
    DialogScript dialogs(page_.get());
    dialogs.then([](QDialog* d) { d->reject(); }).then([out](QDialog* d) {
      auto* print = qobject_cast<QPrintDialog*>(d);
      QVERIFY(print);
      print->printer()->setOutputFormat(QPrinter::PdfFormat);
      print->printer()->setOutputFileName(out);
      d->findChild<QCheckBox*>("solutionCheckBox")->setChecked(true);
      d->done(QDialog::Accepted);  // the printer as set here, not as the dialog's page shows it
    });
    printAnyway();
    trigger("printAction");
    QVERIFY(!QFileInfo::exists(out));
    printAnyway();
    trigger("printAction");
    QVERIFY(dialogs.finished());
    QVERIFY(readBytes(out).starts_with("%PDF"));
    QVERIFY(!doc().isModified());
    const QString text = popplerOutput("pdftotext", out);
    if (text.isEmpty()) QSKIP("pdftotext is not installed");
    QVERIFY2(text.contains("Printed clue") && text.contains("Solution"), qPrintable(text));
  }
};

QTEST_MAIN(EditingPageTest)
#include "editing_page_test.moc"
