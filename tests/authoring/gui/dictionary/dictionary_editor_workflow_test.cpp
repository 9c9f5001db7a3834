// The dictionary editor's rules on its workflow, without a window: what is enabled when,
// adding, finding and deleting, imports and their messages, Re-check, and OK's word file.
#include <QAbstractItemModelTester>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/gui/dictionary/dictionary_editor_workflow.h"
#include "authoring/gui/dictionary/progress_runner.h"
#include "authoring/gui/dictionary/word_list_model.h"
#include "big_import_file.h"
#include "tests/support/prompt_answers.h"
#include "tests/support/temp_folder.h"

using gw::Language;
using gw::gui::DictionaryEditorWorkflow;
namespace fs = std::filesystem;

class DictionaryEditorWorkflowTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void addFindAndDeleteFollowTheState();
  void okWritesTheListAndReloads();
  void okThatCannotWriteKeepsTheList();
  void recheckShowsTheBusyWindow();
  void importAsksThenReportsTheWordsAdded();
  void importCancelledPartWay();
  void secondImportIsRefusedWhileOneRuns();
  void importFileThatCannotBeRead();
  void scoresAreImportedEditedAndSaved();

 private:
  std::unique_ptr<DictionaryEditorWorkflow> open(Language language, const std::string& words);
  fs::path bigImportFile(int count) { return gw::test::writeBigImportFile(dir_->path(), count); }
  QString fileText(const fs::path& p) { return QString::fromStdString(p.string()); }

  std::unique_ptr<gw::test::TempFolder> dir_;
  fs::path wordFile_;
};

void DictionaryEditorWorkflowTest::init() {
  dir_ = std::make_unique<gw::test::TempFolder>("gw_dictionary_workflow");
  wordFile_ = *dir_ / "Make/EN.words";
}

std::unique_ptr<DictionaryEditorWorkflow> DictionaryEditorWorkflowTest::open(Language language,
                                                                             const std::string& words) {
  if (words != "<none>") gw::test::writeFile(wordFile_, words);
  auto w = std::make_unique<DictionaryEditorWorkflow>(language, wordFile_, wordFile_, nullptr);
  w->loadWordFile();
  return w;
}

void DictionaryEditorWorkflowTest::addFindAndDeleteFollowTheState() {
  gw::test::PromptAnswers answers;
  auto w = open(Language::English, "DOG\r\nABC\r\nAB\r\n");
  QAbstractItemModelTester tester(&w->model());
  QSignalSpy found(w.get(), &DictionaryEditorWorkflow::rowFound);
  QSignalSpy notices(w.get(), &DictionaryEditorWorkflow::noticeChanged);
  QCOMPARE(w->state().count, 3);
  QVERIFY(!w->state().canAdd() && !w->state().canFind() && !w->state().canDelete());

  w->setWord("CAT");
  QVERIFY(w->state().canAdd() && w->state().canFind());
  w->addWord();
  w->addWord();  // listed already: nothing
  QCOMPARE(w->state().count, 4);
  QCOMPARE(w->model().data(w->model().index(2, 0)).toString(), QString("CAT"));

  w->setWord("ABCX");
  w->findWord();
  QCOMPARE(found.count(), 1);
  QCOMPARE(found.at(0).at(0).toInt(), 1);  // ABC, the longest leading part
  QCOMPARE(notices.last().at(0).toString(), QString("\"ABCX\" not found"));
  w->setWord("ZZZ");
  w->findWord();
  QCOMPARE(found.count(), 1);  // nothing found: the selection stays
  QCOMPARE(notices.last().at(0).toString(), QString("\"ZZZ\" not found"));
  w->setWord("DOG");
  w->findWord();
  QCOMPARE(notices.last().at(0).toString(), QString());

  w->setSelectedRow(1);
  QVERIFY(w->state().canDelete());
  answers.next(QMessageBox::Cancel);
  w->deleteWord();
  QCOMPARE(answers.shown(), QStringList{"Delete selected word?!"});
  QCOMPARE(w->state().count, 4);
  answers.next(QMessageBox::Ok);
  w->deleteWord();
  QCOMPARE(w->state().count, 3);
  QVERIFY(!w->model().words().find("ABC"));

  w->setSelectedRow(5);  // past the end: nothing to delete
  QVERIFY(!w->state().canDelete());
  QVERIFY(answers.allUsed());
}

void DictionaryEditorWorkflowTest::okWritesTheListAndReloads() {
  auto w = open(Language::English, "<none>");  // no "Make" folder yet
  gw::Dictionary dictionary;
  w->setDictionaryReload([&](const fs::path& file) { dictionary.load(file, Language::English); });
  for (const char* word : {"PEAR", "APPLE", "FIG"}) {
    w->setWord(word);
    w->addWord();
  }
  QVERIFY(w->save());
  QCOMPARE(gw::test::readFile(wordFile_), std::string("APPLE\r\nFIG\r\nPEAR\r\n"));
  QCOMPARE(dictionary.totalWordCount(), std::size_t(3));
  QVERIFY(dictionary.containsWord("FIG"));
}

void DictionaryEditorWorkflowTest::okThatCannotWriteKeepsTheList() {
  gw::test::writeFile(wordFile_, "OLD\r\n");
  gw::test::writeFile(*dir_ / "plain", "x");  // no folder can be made under a plain file
  DictionaryEditorWorkflow w(Language::English, wordFile_, *dir_ / "plain/EN.words", nullptr);
  w.loadWordFile();
  QSignalSpy failed(&w, &DictionaryEditorWorkflow::failed);
  w.setWord("NEW");
  w.addWord();
  QVERIFY(!w.save());
  QCOMPARE(failed.count(), 1);
  QVERIFY2(failed.at(0).at(0).toString().contains("Cannot create"),
           qPrintable(failed.at(0).at(0).toString()));
  QCOMPARE(w.state().count, 2);
  QCOMPARE(gw::test::readFile(wordFile_), std::string("OLD\r\n"));
}

void DictionaryEditorWorkflowTest::recheckShowsTheBusyWindow() {
  auto w = open(Language::English, "Abc\r\nABC\r\n" + std::string(41, 'Q') + "\r\nZ\r\n");
  QStringList busy;
  w->setBusyIndicator([&](const QString& s) { busy << s; }, [&] { busy << "hidden"; });
  QCOMPARE(w->state().count, 4);
  w->recheckWords();
  QCOMPARE(busy, (QStringList{"Re-checking words ...", "hidden"}));
  QCOMPARE(w->state().count, 2);
}

void DictionaryEditorWorkflowTest::importAsksThenReportsTheWordsAdded() {
  gw::test::PromptAnswers answers;
  auto w = open(Language::German, "HAUS\r\n");
  const fs::path file = gw::test::writeFile(*dir_ / "de.txt",
                                            "M\xC3\xA4"
                                            "dchen\nhaus\nStra\xC3\x9F"
                                            "e 2\n");
  QSignalSpy finished(w.get(), &DictionaryEditorWorkflow::importFinished);
  answers.nextFile(fileText(file));
  answers.next(QMessageBox::No);
  w->importWords();
  QCOMPARE(answers.shown(), QStringList{"Found 3 entries!\r\nWant to import?"});
  QVERIFY(!w->importRunning());

  answers.nextFile(fileText(file));
  answers.next(QMessageBox::Yes);
  w->importWords();
  QVERIFY(!w->state().canImport());
  QTRY_COMPARE(finished.count(), 1);
  QCOMPARE(answers.shown().last(), QString("Added 2 words!"));
  QCOMPARE(w->state().count, 3);
  QVERIFY(w->state().canImport());
  QVERIFY(w->model().words().find("MAEDCHEN"));
  QVERIFY(w->model().words().find("STRASSE"));

  // Nothing new: no "Added" message.
  const qsizetype shownBefore = answers.shown().size();
  answers.next(QMessageBox::Yes);
  w->importFile(fileText(file));
  QTRY_COMPARE(finished.count(), 2);
  QCOMPARE(answers.shown().size(), shownBefore + 1);
}

void DictionaryEditorWorkflowTest::importCancelledPartWay() {
  gw::test::PromptAnswers answers;
  auto w = open(Language::English, "");
  QSignalSpy finished(w.get(), &DictionaryEditorWorkflow::importFinished);
  answers.next(QMessageBox::Yes);
  w->importFile(fileText(bigImportFile(400000)));
  QTRY_VERIFY(w->model().rowCount() > 0);  // words arrive while the import runs
  auto* window = w->importRunner().window();
  QVERIFY(window && window->isVisible());
  QCOMPARE(window->windowTitle(), QString("Processing..."));
  QTest::mouseClick(window->findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
  QTRY_COMPARE(finished.count(), 1);
  QCOMPARE(finished.at(0).at(1).toBool(), true);
  const qint64 added = finished.at(0).at(0).toLongLong();
  QVERIFY(added > 0 && added < 400000);
  QCOMPARE(qint64(w->state().count), added);
  QCOMPARE(answers.shown().last(), QString("Added %1 words!").arg(added));
}

void DictionaryEditorWorkflowTest::secondImportIsRefusedWhileOneRuns() {
  gw::test::PromptAnswers answers;
  auto w = open(Language::English, "");
  QSignalSpy finished(w.get(), &DictionaryEditorWorkflow::importFinished);
  const fs::path file = bigImportFile(400000);
  answers.next(QMessageBox::Yes);
  w->importFile(fileText(file));
  QVERIFY(w->importRunning());
  QVERIFY(!w->state().canImport());
  w->importFile(fileText(file));  // refused, no question asked
  QCOMPARE(answers.shown().size(), 1);
  w->importRunner().cancelAndWait();
  QCOMPARE(finished.count(), 1);
  QVERIFY(w->state().canImport());
}

void DictionaryEditorWorkflowTest::importFileThatCannotBeRead() {
  gw::test::PromptAnswers answers;
  auto w = open(Language::English, "ANT\r\n");
  QSignalSpy failed(w.get(), &DictionaryEditorWorkflow::failed);
  w->importFile(QString::fromStdString(dir_->str()));  // a folder: its lines cannot be counted
  QCOMPARE(failed.count(), 1);
  QVERIFY(answers.shown().isEmpty());
  QVERIFY(!w->importRunning());
  QCOMPARE(w->state().count, 1);
}

void DictionaryEditorWorkflowTest::scoresAreImportedEditedAndSaved() {
  gw::test::PromptAnswers answers;
  auto w = open(Language::English, "CAT\r\nDOG\r\n");
  const fs::path file = gw::test::writeFile(*dir_ / "scored.txt", "cat;80\nemu;10\n12\nyak;300\n");
  QSignalSpy finished(w.get(), &DictionaryEditorWorkflow::importFinished);
  answers.next(QMessageBox::Yes);
  w->importFile(fileText(file));
  QTRY_COMPARE(finished.count(), 1);
  const QStringList shown = answers.shown();
  QCOMPARE(shown.at(1), QString("Added 1 words!"));
  QVERIFY2(
      shown.at(2).contains("Skipped 1 line without letters") && shown.at(2).contains("line 4: \"yak;300\""),
      qPrintable(shown.at(2)));

  auto& model = w->model();
  const QModelIndex catScore = model.index(0, gw::gui::WordListModel::ScoreColumn);
  QCOMPARE(model.data(catScore).toInt(), 80);
  QVERIFY(!model.setData(catScore, 101));
  QVERIFY(model.setData(model.index(1, gw::gui::WordListModel::ScoreColumn), 0));  // DOG
  QVERIFY(w->save());
  QCOMPARE(gw::test::readFile(wordFile_), std::string("CAT\r\nDOG\r\nEMU\r\n"));
  QCOMPARE(gw::test::readFile(*dir_ / "Make/EN.scores"), std::string("CAT;80\nDOG;0\nEMU;10\n"));
}

QTEST_MAIN(DictionaryEditorWorkflowTest)
#include "dictionary_editor_workflow_test.moc"
