// The dictionary editor driven as a user drives it: typing, the buttons and menus, imports
// with the progress window, and the word file's bytes after OK and Cancel.
#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/gui/dictionary/dictionary_editor_dialog.h"
#include "authoring/gui/dictionary/edit_word_list.h"
#include "authoring/gui/dictionary/progress_runner.h"
#include "authoring/gui/dictionary/word_box.h"
#include "authoring/gui/dictionary/word_list_model.h"
#include "big_import_file.h"
#include "common/file_io.h"
#include "tests/support/prompt_answers.h"

using gw::Language;
using gw::gui::DictionaryEditorDialog;
namespace fs = std::filesystem;

namespace {

// Whether a modal window blocks input to `w`, as the user would find when clicking it.
bool blockedByModalWindow(QWidget* w) {
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal || modal == w->window()) return false;
  for (QWidget* p = w; p; p = p->parentWidget())
    if (p == modal) return false;
  return true;
}

std::string fileBytes(const fs::path& p) {
  return fs::exists(p) ? gw::readWholeFile(p) : std::string("<none>");
}

void writeFile(const fs::path& p, const std::string& bytes) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << bytes;
}

// Answers the message boxes that the next steps open, in order, and records their texts.
class MessageBoxAnswers : public QObject {
 public:
  explicit MessageBoxAnswers(QList<QMessageBox::StandardButton> answers) : answers_(std::move(answers)) {
    connect(&timer_, &QTimer::timeout, this, &MessageBoxAnswers::poll);
    timer_.start(5);
  }
  QStringList texts;

 private:
  void poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible() || answers_.isEmpty()) return;
    texts << box->text();
    QAbstractButton* button = box->button(answers_.takeFirst());
    if (button)
      button->click();
    else
      box->reject();
  }
  QList<QMessageBox::StandardButton> answers_;
  QTimer timer_;
};

}  // namespace

class DictionaryEditorTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void wordBoxTakesLettersOfTheLanguage_data();
  void wordBoxTakesLettersOfTheLanguage();
  void buttonsAndKeysFollowTheWorkflow();
  void cancelAndEscDiscardEverything();
  void okThatCannotWriteKeepsTheDialog();
  void progressCancelWorksUnderTheModalEditor();
  void closingDuringAnImportEndsItFirst_data();
  void closingDuringAnImportEndsItFirst();
  void importFileThatVanishes();
  void mergeKeepsTheSelectedWord();
  void editWordListReloadsOnlyWhenAllowed();
  void editWordListHidesTheBusyWindowWhenLoadingFails();

 private:
  std::unique_ptr<DictionaryEditorDialog> openEditor(Language language, const std::string& words);
  fs::path bigImportFile(int count) {
    return gw::test::writeBigImportFile(dir_->path().toStdString(), count);
  }
  QAbstractItemView* list(DictionaryEditorDialog& d) {
    return d.findChild<QAbstractItemView*>("wordListView");
  }
  gw::gui::WordBox* box(DictionaryEditorDialog& d) { return d.findChild<gw::gui::WordBox*>("wordEdit"); }
  QString count(DictionaryEditorDialog& d) { return d.findChild<QLabel*>("countLabel")->text(); }
  QAction* action(DictionaryEditorDialog& d, const char* name) { return d.findChild<QAction*>(name); }

  std::unique_ptr<QTemporaryDir> dir_;
  fs::path wordFile_;
};

void DictionaryEditorTest::init() {
  dir_ = std::make_unique<QTemporaryDir>();
  wordFile_ = fs::path(dir_->path().toStdString()) / "Make" / "EN.words";
}

std::unique_ptr<DictionaryEditorDialog> DictionaryEditorTest::openEditor(Language language,
                                                                         const std::string& words) {
  if (words != "<none>") writeFile(wordFile_, words);
  auto d = std::make_unique<DictionaryEditorDialog>(language, wordFile_, wordFile_);
  d->workflow().loadWordFile();
  d->show();
  d->activateWindow();
  if (!QTest::qWaitForWindowActive(d.get())) qWarning("the editor did not become active");
  return d;
}

void DictionaryEditorTest::wordBoxTakesLettersOfTheLanguage_data() {
  QTest::addColumn<int>("language");
  QTest::addColumn<QString>("keys");
  QTest::addColumn<QString>("shown");
  QTest::newRow("English") << int(Language::English) << "ab1c"
                           << "ABC";
  QTest::newRow("German") << int(Language::German) << "z-y"
                          << "ZY";
  QTest::newRow("Serbian q") << int(Language::Serbian) << "q" << QString::fromUtf8("Љ");
  QTest::newRow("Serbian [") << int(Language::Serbian) << "[" << QString::fromUtf8("Ш");
  QTest::newRow("Serbian word") << int(Language::Serbian) << "kuca," << QString::fromUtf8("КУЦА");
}

void DictionaryEditorTest::wordBoxTakesLettersOfTheLanguage() {
  QFETCH(int, language);
  QFETCH(QString, keys);
  QFETCH(QString, shown);
  auto d = openEditor(static_cast<Language>(language), "");
  auto* wordBox = box(*d);
  QTest::keyClicks(wordBox, keys);
  QCOMPARE(wordBox->text(), shown);
  QTest::keyClick(wordBox, Qt::Key_Backspace);
  QCOMPARE(wordBox->text(), shown);  // Backspace has no effect
  QTest::keyClicks(wordBox, QString(50, 'x'));
  QVERIFY(wordBox->text().size() <= 40);
}

void DictionaryEditorTest::buttonsAndKeysFollowTheWorkflow() {
  auto d = openEditor(Language::English, "DOG\r\nABC\r\nAB\r\nSCAT\r\n");
  gw::test::PromptAnswers answers;
  QCOMPARE(count(*d), QString("4"));
  QVERIFY(!d->findChild<QPushButton*>("findButton")->isEnabled());
  QTest::keyClicks(box(*d), "cat");
  QVERIFY(d->findChild<QPushButton*>("findButton")->isEnabled());
  QTest::mouseClick(d->findChild<QPushButton*>("addButton"), Qt::LeftButton);
  QCOMPARE(count(*d), QString("5"));

  box(*d)->clear();
  QTest::keyClicks(box(*d), "abcx");
  QTest::keyClick(box(*d), Qt::Key_F, Qt::ControlModifier);  // Find word selects ABC
  QCOMPARE(list(*d)->currentIndex().row(), 1);
  QVERIFY(action(*d, "deleteWordAction")->isEnabled());
  answers.next(QMessageBox::Ok);
  action(*d, "deleteWordAction")->trigger();
  QCOMPARE(count(*d), QString("4"));

  // A pattern shows the words it fits (from their first letter: not SCAT); the score column sorts; Find still
  // reaches every word.
  QTest::keyClicks(d->findChild<QLineEdit*>("patternEdit"), "c?t*");
  QCOMPARE(list(*d)->model()->rowCount(), 1);
  QCOMPARE(list(*d)->model()->index(0, 0).data().toString(), QString("CAT"));
  d->findChild<QLineEdit*>("patternEdit")->clear();
  QCOMPARE(list(*d)->model()->rowCount(), 4);
  d->workflow().model().setData(d->model().index(2, 1), 90);  // DOG
  d->findChild<QTableView*>("wordListView")->horizontalHeader()->setSortIndicator(1, Qt::DescendingOrder);
  QCOMPARE(list(*d)->model()->index(0, 0).data().toString(), QString("DOG"));

  QTest::keyClick(box(*d), Qt::Key_Return);  // OK is the default button
  QCOMPARE(d->result(), int(QDialog::Accepted));
  QCOMPARE(fileBytes(wordFile_), std::string("AB\r\nCAT\r\nDOG\r\nSCAT\r\n"));
}

void DictionaryEditorTest::cancelAndEscDiscardEverything() {
  const std::string before = "ONE\r\nTWO\r\n";
  for (int way = 0; way < 3; ++way) {
    auto d = openEditor(Language::English, before);
    bool reloaded = false;
    d->workflow().setDictionaryReload([&](const fs::path&) { reloaded = true; });
    QTest::keyClicks(box(*d), "three");
    d->findChild<QAction*>("addWordAction")->trigger();
    d->findChild<QAction*>("recheckAction")->trigger();
    if (way == 0) QTest::mouseClick(d->findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
    if (way == 1) QTest::keyClick(d.get(), Qt::Key_Escape);
    if (way == 2) d->close();
    QCOMPARE(d->result(), int(QDialog::Rejected));
    QVERIFY(!d->isVisible());
    QCOMPARE(fileBytes(wordFile_), before);
    QVERIFY(!reloaded);
  }
}

void DictionaryEditorTest::okThatCannotWriteKeepsTheDialog() {
  writeFile(wordFile_, "OLD\r\n");
  // The word file is to go under a plain file: no folder can be made there.
  fs::path blocked = wordFile_.parent_path() / "plain" / "EN.words";
  writeFile(wordFile_.parent_path() / "plain", "x");
  DictionaryEditorDialog d(Language::English, wordFile_, blocked);
  d.workflow().loadWordFile();
  d.show();
  QTest::keyClicks(box(d), "new");
  d.findChild<QAction*>("addWordAction")->trigger();
  MessageBoxAnswers answers({QMessageBox::Ok});
  QTest::mouseClick(d.findChild<QPushButton*>("okButton"), Qt::LeftButton);
  QCOMPARE(answers.texts.size(), 1);
  QVERIFY2(answers.texts.first().contains("Cannot create"), qPrintable(answers.texts.first()));
  QVERIFY(d.isVisible());
  QCOMPARE(count(d), QString("2"));
  QCOMPARE(fileBytes(wordFile_), std::string("OLD\r\n"));
}

void DictionaryEditorTest::progressCancelWorksUnderTheModalEditor() {
  // "Edit words" shows the editor modally: the progress window must still take clicks.
  writeFile(wordFile_, "");
  DictionaryEditorDialog d(Language::English, wordFile_, wordFile_);
  d.workflow().loadWordFile();
  d.setWindowModality(Qt::ApplicationModal);
  d.show();
  QVERIFY(QTest::qWaitForWindowExposed(&d));
  QSignalSpy finished(&d.workflow(), &gw::gui::DictionaryEditorWorkflow::importFinished);
  MessageBoxAnswers answers({QMessageBox::Yes, QMessageBox::Ok});
  d.workflow().importFile(QString::fromStdString(bigImportFile(400000).string()));
  QTRY_VERIFY(d.model().rowCount() > 0);
  QWidget* window = d.workflow().importRunner().window();
  QVERIFY(window);
  QVERIFY(QTest::qWaitForWindowExposed(window));
  QVERIFY(!blockedByModalWindow(window));
  QTest::mouseClick(window->findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
  QTRY_COMPARE(finished.count(), 1);
  QCOMPARE(finished.at(0).at(1).toBool(), true);
}

void DictionaryEditorTest::closingDuringAnImportEndsItFirst_data() {
  QTest::addColumn<QString>("way");
  QTest::newRow("OK") << "ok";
  QTest::newRow("Cancel") << "cancel";
  QTest::newRow("Esc") << "esc";
  QTest::newRow("destroyed") << "destroy";
}

void DictionaryEditorTest::closingDuringAnImportEndsItFirst() {
  QFETCH(QString, way);
  auto d = openEditor(Language::English, "ZEBRA\r\n");
  MessageBoxAnswers answers({QMessageBox::Yes});
  d->workflow().importFile(QString::fromStdString(bigImportFile(400000).string()));
  QTRY_VERIFY(d->model().rowCount() > 1);
  QPointer<QWidget> progress = d->workflow().importRunner().window();
  if (way == "ok") QTest::mouseClick(d->findChild<QPushButton*>("okButton"), Qt::LeftButton);
  if (way == "cancel") QTest::mouseClick(d->findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
  if (way == "esc") QTest::keyClick(d.get(), Qt::Key_Escape);
  if (way == "destroy") d.reset();
  if (d) {
    QVERIFY(!d->isVisible());
    QVERIFY(!d->workflow().importRunning());
  }
  QTRY_VERIFY(!progress);
  QCOMPARE(answers.texts.size(), 1);  // no "Added" message while closing
  if (way == "ok") {
    // The list as it stood when the import ended, every word once, sorted.
    QCOMPARE(fileBytes(wordFile_), d->model().words().fileBytes());
    QVERIFY(d->model().rowCount() > 1);
  } else {
    QCOMPARE(fileBytes(wordFile_), std::string("ZEBRA\r\n"));
  }
}

void DictionaryEditorTest::importFileThatVanishes() {
  auto d = openEditor(Language::English, "ANT\r\n");
  fs::path file = fs::path(dir_->path().toStdString()) / "gone.txt";
  writeFile(file, "bee\ncat\n");
  QSignalSpy finished(&d->workflow(), &gw::gui::DictionaryEditorWorkflow::importFinished);
  // The file goes while the question is asked, after its lines were counted.
  QTimer::singleShot(0, [&] { fs::remove(file); });
  {
    MessageBoxAnswers answers({QMessageBox::Yes, QMessageBox::Ok, QMessageBox::Ok});
    d->workflow().importFile(QString::fromStdString(file.string()));
    QTRY_COMPARE(finished.count(), 1);
    QTRY_COMPARE(answers.texts.size(), 2);
    QVERIFY2(answers.texts.at(1).contains("gone.txt"), qPrintable(answers.texts.at(1)));
    QTest::qWait(50);
    QCOMPARE(answers.texts.size(), 2);  // no "Added" message
  }
  QVERIFY(!d->workflow().importRunner().window());
  QCOMPARE(count(*d), QString("1"));

  // A file that cannot be read when its lines are counted: an error, nothing imported.
  MessageBoxAnswers unreadable({QMessageBox::Ok});
  d->workflow().importFile(QString::fromStdString(dir_->path().toStdString()));
  QCOMPARE(unreadable.texts.size(), 1);
  QVERIFY(!d->workflow().importRunning());
}

void DictionaryEditorTest::mergeKeepsTheSelectedWord() {
  gw::gui::WordListModel model(Language::English);
  QAbstractItemModelTester tester(&model);
  model.addWord("MOOSE");
  model.addWord("ZEBRA");
  QListView view;
  view.setModel(&model);
  view.setCurrentIndex(model.index(1, 0));
  std::vector<gw::WordEntry> batch;
  for (const char* w : {"ANT", "YAK", "BEE", "ZEBRA", "zebu"}) batch.push_back(model.words().entryFor(w));
  QCOMPARE(model.mergeWords(std::move(batch)), std::size_t(4));
  QCOMPARE(model.rowCount(), 6);
  QCOMPARE(view.currentIndex().data().toString(), QString("ZEBRA"));
  QCOMPARE(view.selectionModel()->currentIndex().row(), 4);
}

void DictionaryEditorTest::editWordListReloadsOnlyWhenAllowed() {
  writeFile(fs::path(dir_->path().toStdString()) / "Make" / "DE.words", "HAUS\r\n");
  gw::ProgramFolders folders = gw::programFoldersFor(dir_->path().toStdString(), dir_->path().toStdString());
  folders.portable = true;
  folders.dataFolder = folders.writableFolder = dir_->path().toStdString();
  for (bool allowed : {false, true}) {
    gw::Dictionary dictionary;
    dictionary.loadLines({"CAT"}, Language::English);
    QStringList busy;
    gw::gui::WordListEditing editing;
    editing.showBusy = [&](const QString& s) { busy << s; };
    editing.hideBusy = [&] { busy << "hidden"; };
    editing.mayReloadDictionary = [&](Language edited) { return allowed && edited == Language::German; };
    QTimer::singleShot(0, [] {
      auto* d = qobject_cast<DictionaryEditorDialog*>(QApplication::activeModalWidget());
      if (d) QTest::mouseClick(d->findChild<QPushButton*>("okButton"), Qt::LeftButton);
    });
    QVERIFY(gw::gui::editWordList(Language::German, dictionary, folders, editing, nullptr));
    QCOMPARE(busy, (QStringList{"Loading words ...", "hidden"}));
    QCOMPARE(dictionary.language(), allowed ? Language::German : Language::English);
    QCOMPARE(dictionary.containsWord("HAUS"), allowed);
  }
}

void DictionaryEditorTest::editWordListHidesTheBusyWindowWhenLoadingFails() {
  fs::path root = dir_->path().toStdString();
  fs::create_directories(root / "Make" / "EN.words");  // a folder where the word file should be
  gw::ProgramFolders folders = gw::programFoldersFor(root, root);
  folders.portable = true;
  folders.dataFolder = folders.writableFolder = root;
  QStringList busy;
  gw::gui::WordListEditing editing;
  editing.showBusy = [&](const QString& s) { busy << s; };
  editing.hideBusy = [&] { busy << "hidden"; };
  gw::Dictionary dictionary;
  MessageBoxAnswers answers({QMessageBox::Ok});
  QVERIFY(!gw::gui::editWordList(Language::English, dictionary, folders, editing, nullptr));
  QCOMPARE(busy, (QStringList{"Loading words ...", "hidden"}));
  QCOMPARE(answers.texts.size(), 1);
}

QTEST_MAIN(DictionaryEditorTest)
#include "dictionary_editor_test.moc"
