// The real main window, offscreen: its settings file, page switching with the menus that
// go with each page, the captions, the shortcuts that must reach the page in front, a
// layout named on the command line, and closing with unsaved work.
#include "authoring/gui/main_window.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "authoring/composing/composing_files.h"
#include "authoring/gui/app/help_window.h"
#include "authoring/gui/composing/compose_controller.h"
#include "common/errors.h"
#include "modal_answerer.h"

using gw::gui::EditingPageBase;
using gw::gui::MainWindow;
using Page = MainWindow::Page;

namespace {

const QString kCreationCaption = QStringLiteral("Brevant Software: Crossword Authoring");
const QString kStartCaption = QStringLiteral("Brevant Software : Crosswords Authoring");

gw::ProgramFolders portableFolders(const QString& folder) {
  gw::ProgramFolders f;
  f.executableFolder = f.dataFolder = f.writableFolder = f.configFolder = folder.toStdString();
  return f;
}

QByteArray readFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

// An editing page with a crossword that the test modifies; "Save changes?" is answered
// by `keepsChanges`: true stands for a cancelled save, the crossword stays modified.
class FakeEditingPage : public EditingPageBase {
 public:
  explicit FakeEditingPage(QWidget* parent) : EditingPageBase(parent) {
    newCrossword = new QAction("New", this);
    newCrossword->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    newCrossword->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(newCrossword);
    setFocusPolicy(Qt::StrongFocus);
  }
  QList<QAction*> fileMenuActions() const override { return {newCrossword}; }
  void updateActions(bool pageInFront) override { newCrossword->setEnabled(pageInFront); }
  bool closeCrossword() override {
    if (!modified) return true;
    ++questions;
    if (keepsChanges) return false;
    modified = false;
    return true;
  }
  bool modified = false;
  bool keepsChanges = false;
  int questions = 0;
  QAction* newCrossword;
};

QAction* actionWithShortcut(const QList<QAction*>& actions, const QKeySequence& key) {
  for (QAction* a : actions) {
    if (a->shortcuts().contains(key)) return a;
  }
  return nullptr;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  FakeEditingPage* fakeEditing_ = nullptr;

  QString settingsPath() const { return dir_.filePath("crossword.conf"); }
  std::unique_ptr<MainWindow> makeWindow(bool fakeEditingPage = false) {
    MainWindow::EditingPageFactory editing;
    if (fakeEditingPage) {
      editing = [this](QWidget* parent) { return fakeEditing_ = new FakeEditingPage(parent); };
    }
    return std::make_unique<MainWindow>(portableFolders(dir_.path()), settingsPath().toStdString(), editing);
  }
  static void showActive(MainWindow& w) {
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
  }
  static void click(MainWindow& w, const char* buttonName) {
    auto* button = w.findChild<QPushButton*>(buttonName);
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
  }
  static bool menuShown(MainWindow& w, const char* menuName) {
    auto* menu = w.findChild<QMenu*>(menuName);
    return menu && menu->menuAction()->isVisible();
  }

 private Q_SLOTS:
  void init() {
    QVERIFY(dir_.isValid());
    QFile::remove(settingsPath());
  }

  void firstStartWritesTheFourFoldersInOrderAtExit() {
    auto w = makeWindow();
    // Without a settings file the layouts start in "Make", the crosswords in "Data".
    QCOMPARE(w->dialogFolders().composeOpen, dir_.filePath("Make"));
    QCOMPARE(w->dialogFolders().editSave, dir_.filePath("Data"));
    QVERIFY2(QFileInfo(dir_.filePath("Make/Results")).isDir(), "results folder made at start");
    QVERIFY(!QFile::exists(settingsPath()));
    w->dialogFolders().composeSave = "/somewhere/else";
    QVERIFY(w->close());
    const QByteArray expected = "[Folders]\nMake:Open=" + dir_.filePath("Make").toUtf8() +
                                "\nMake:Save=/somewhere/else\nEdit:Open=" + dir_.filePath("Data").toUtf8() +
                                "\nEdit:Save=" + dir_.filePath("Data").toUtf8() + "\n";
    QCOMPARE(readFile(settingsPath()), expected);
  }

  void settingsKeepEmptyValuesAndOtherSectionsAndRestoreTheKeyOrder() {
    writeFile(settingsPath(), "[Window]\nx=5\n[Folders]\nEdit:Save=/e/save\nMake:Open=\nEdit:Open=/e/open\n");
    auto w = makeWindow();
    QCOMPARE(w->dialogFolders().composeOpen, QString());              // present but empty: no folder
    QCOMPARE(w->dialogFolders().composeSave, dir_.filePath("Make"));  // absent: the default
    QCOMPARE(w->dialogFolders().editOpen, QString("/e/open"));
    QVERIFY(w->close());
    const QByteArray text = readFile(settingsPath());
    QVERIFY2(text.contains("[Window]\nx=5\n"), text.constData());
    QVERIFY2(text.contains("[Folders]\nMake:Open=\nMake:Save=" + dir_.filePath("Make").toUtf8() +
                           "\nEdit:Open=/e/open\nEdit:Save=/e/save\n"),
             text.constData());
    // The next start reads back what was written.
    auto again = makeWindow();
    QCOMPARE(again->dialogFolders().editSave, QString("/e/save"));
    QCOMPARE(again->dialogFolders().composeOpen, QString());
  }

  void composeOptionsAreReadAtStartAndWrittenOnlyWhenTheAuthorChangesThem() {
    writeFile(settingsPath(), "[Compose]\nNo repeated words=1\nQuick fill lanes=3\n");
    auto w = makeWindow();
    auto* noRepeat = w->composingPage()->findChild<QAction*>("noRepeatedWordsAction");
    QVERIFY(noRepeat->isChecked());
    QVERIFY(w->composingPage()->controller().composer().noRepeat());
    QCOMPARE(w->composingPage()->composeOptions().quickFillLanes, 3);
    QVERIFY(w->close());
    QVERIFY2(readFile(settingsPath()).contains("[Compose]\nNo repeated words=1\nQuick fill lanes=3\n"),
             readFile(settingsPath()).constData());

    // The author unticks it: written as 0, and the next start has it off.
    auto again = makeWindow();
    again->composingPage()->findChild<QAction*>("noRepeatedWordsAction")->trigger();
    QVERIFY(!again->composingPage()->controller().composer().noRepeat());
    QVERIFY(again->close());
    QVERIFY2(readFile(settingsPath()).contains("No repeated words=0\n"),
             readFile(settingsPath()).constData());
    auto third = makeWindow();
    QVERIFY(!third->composingPage()->composeOptions().noRepeatedWords);
  }

  void startPageButtonsSwitchPagesWithTheirMenus() {
    auto w = makeWindow();
    showActive(*w);
    QCOMPARE(w->windowTitle(), kCreationCaption);
    QCOMPARE(w->currentPage(), Page::Start);
    QVERIFY(!menuShown(*w, "composeFileMenu"));
    QVERIFY(!menuShown(*w, "editFileMenu"));
    QVERIFY(menuShown(*w, "editWordsMenu"));
    QVERIFY(menuShown(*w, "helpMenu"));

    click(*w, "composeButton");
    QCOMPARE(w->currentPage(), Page::Composing);
    QVERIFY(menuShown(*w, "composeFileMenu"));
    QVERIFY(!menuShown(*w, "editFileMenu"));

    w->findChild<QAction*>("quitComposeAction")->trigger();
    QCOMPARE(w->currentPage(), Page::Start);
    QCOMPARE(w->windowTitle(), kStartCaption);
    QVERIFY(!menuShown(*w, "composeFileMenu"));

    click(*w, "editButton");
    QCOMPARE(w->currentPage(), Page::Editing);
    QVERIFY(menuShown(*w, "editFileMenu"));
    QVERIFY(!menuShown(*w, "composeFileMenu"));
    w->findChild<QAction*>("quitEditingAction")->trigger();
    QCOMPARE(w->currentPage(), Page::Start);
    QCOMPARE(w->windowTitle(), kStartCaption);
    QVERIFY(!menuShown(*w, "editFileMenu"));
  }

  void quitComposeClosesTheLayout() {
    const QString layout = dir_.filePath("en-5x5.C_WM");
    QFile::remove(layout);
    QVERIFY(QFile::copy(GW_SOURCE_DIR "/data/layouts/en-5x5.C_WM", layout));
    auto w = makeWindow();
    showActive(*w);
    click(*w, "composeButton");
    {
      ModalAnswerer answers;
      w->composingPage()->openPatternFile(layout);
      QVERIFY(w->composingPage()->hasOpenLayout());
    }
    QTRY_COMPARE(QApplication::activeWindow(), w.get());  // back from the busy window
    w->updateActions();
    QTest::keyClick(w.get(), Qt::Key_F4, Qt::AltModifier);
    QCOMPARE(w->currentPage(), Page::Start);
    QVERIFY(!w->composingPage()->hasOpenLayout());
  }

  void editWordsEntriesWaitForTheDictionaryEditor() {
    auto w = makeWindow();
    auto* english = w->findChild<QAction*>("editEnglishWordsAction");
    QVERIFY(english);
    w->updateActions();
    QVERIFY(!english->isEnabled());
    QList<gw::Language> asked;
    w->setWordListEditor([&asked](gw::Language l, MainWindow&) { asked << l; });
    QVERIFY(english->isEnabled());
    w->findChild<QAction*>("editSerbianWordsAction")->trigger();
    QCOMPARE(asked, QList<gw::Language>{gw::Language::Serbian});
  }

  // Ctrl+N, Ctrl+O, Ctrl+F4 and Alt+F4 belong to a command of each page; the front page's runs.
  void sharedShortcutsReachThePageInFront() {
    auto w = makeWindow(true);
    showActive(*w);
    const QKeySequence ctrlO(Qt::CTRL | Qt::Key_O);
    QAction* composeOpen = actionWithShortcut(w->composingPage()->fileMenuActions(), ctrlO);
    QVERIFY2(composeOpen, "the composing page has a Ctrl+O command");
    QSignalSpy composeOpened(composeOpen, &QAction::triggered);
    QSignalSpy editNew(fakeEditing_->newCrossword, &QAction::triggered);
    ModalAnswerer answers;  // the open dialog is cancelled

    QTest::keyClick(w.get(), Qt::Key_O, Qt::ControlModifier);  // start page: nobody's
    QTest::keyClick(w.get(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(composeOpened.count(), 0);
    QCOMPARE(editNew.count(), 0);

    click(*w, "editButton");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(editNew.count(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4, Qt::AltModifier);
    QCOMPARE(w->currentPage(), Page::Start);

    click(*w, "composeButton");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(composeOpened.count(), 1);
    QCOMPARE(editNew.count(), 1);
    showActive(*w);  // back from the cancelled open dialog
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4, Qt::AltModifier);
    QCOMPARE(w->currentPage(), Page::Start);

    // On the start page Alt+F4 closes the window, as the system's close does.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4, Qt::AltModifier);
    QVERIFY(!w->isVisible());
  }

  // A command-line layout opens from the event loop, never inside window creation; what the
  // pattern reader refuses gets its message and changes nothing.
  void commandLineLayoutOpensAfterStartUp() {
    const QString good = dir_.filePath("good.C_WM");
    QFile::remove(good);
    QVERIFY(QFile::copy(GW_SOURCE_DIR "/data/layouts/en-5x5.C_WM", good));
    auto w = makeWindow();
    ModalAnswerer answers;
    w->openPatternFileAtStart(good);
    QVERIFY2(!w->composingPage()->hasOpenLayout(), "not opened inside start-up");
    QTRY_VERIFY(w->composingPage()->hasOpenLayout());
    QCOMPARE(w->currentPage(), Page::Start);
    QVERIFY(answers.messages.isEmpty());
  }

  void commandLineFileThatIsNoLayoutGetsTheReadersMessage() {
    const QByteArray pattern = readFile(GW_SOURCE_DIR "/data/layouts/en-5x5.C_WM");
    QVERIFY(pattern.size() == static_cast<qsizetype>(gw::kPatternFileSize));
    QByteArray rows = pattern;
    rows[0] = char(99);  // 99 rows
    QByteArray language = pattern;
    language[8] = char(7);
    const std::pair<const char*, QByteArray> files[] = {
        {"crossword file", readFile(GW_SOURCE_DIR "/data/examples/en-igloo.C_W")},
        {"short file", pattern.left(100)},
        {"rows out of range", rows},
        {"language out of range", language}};

    for (const auto& [what, bytes] : files) {
      const QString bad = dir_.filePath("bad.C_WM");
      writeFile(bad, bytes);
      QString readerMessage;
      try {
        gw::readPatternFile(bad.toStdString());
      } catch (const std::exception& e) {
        readerMessage = QString::fromUtf8(e.what());
      }
      QVERIFY2(!readerMessage.isEmpty(), what);

      auto w = makeWindow();
      const QString caption = w->windowTitle();
      ModalAnswerer answers;
      w->openPatternFileAtStart(bad);
      QTRY_VERIFY2(!answers.messages.isEmpty(), what);
      QCOMPARE(answers.messages, QStringList{readerMessage});
      QVERIFY2(!w->composingPage()->hasOpenLayout(), what);
      QCOMPARE(w->currentPage(), Page::Start);
      QCOMPARE(w->windowTitle(), caption);
    }
  }

  void commandLineNameOfNoFileIsIgnored() {
    auto w = makeWindow();
    ModalAnswerer answers;
    w->openPatternFileAtStart(dir_.filePath("missing.C_WM"));
    w->openPatternFileAtStart(dir_.path());  // a folder is no file either
    QTest::qWait(50);
    QVERIFY(answers.messages.isEmpty());
    QVERIFY(!w->composingPage()->hasOpenLayout());
  }

  // Closing the window with a modified crossword asks as the editing Close asks, and the
  // program stays if the crossword is still modified.
  void closingWithUnsavedCrosswordAsksAndMayStay() {
    auto w = makeWindow(true);
    showActive(*w);
    fakeEditing_->modified = true;
    fakeEditing_->keepsChanges = true;
    QVERIFY(!w->close());
    QCOMPARE(fakeEditing_->questions, 1);
    QVERIFY(w->isVisible());
    QVERIFY2(!QFile::exists(settingsPath()), "nothing is written while the program stays");

    fakeEditing_->keepsChanges = false;
    QVERIFY(w->close());
    QCOMPARE(fakeEditing_->questions, 2);
    QVERIFY(QFile::exists(settingsPath()));
  }

  void quitEditingReturnsToStartEvenWhenTheCrosswordStays() {
    auto w = makeWindow(true);
    showActive(*w);
    click(*w, "editButton");
    fakeEditing_->modified = true;
    fakeEditing_->keepsChanges = true;
    w->findChild<QAction*>("quitEditingAction")->trigger();
    QCOMPARE(w->currentPage(), Page::Start);
    QVERIFY(fakeEditing_->modified);  // still there for the next visit
    QCOMPARE(fakeEditing_->questions, 1);
  }

  // Closing the window while a search runs stops it as Stop does (its state file written)
  // and the window goes: no search goes on without a window.
  void closingDuringASearchStopsItAsStopDoes() {
    QAction* start = nullptr;
    auto w = makeWindow();
    for (QAction* a : w->composingPage()->fileMenuActions()) {
      if (a->text() == "Start compose ...") start = a;
    }
    if (!start) QSKIP("this composing page has no Start command");
    if (!QFile::exists(GW_PROGRAM_DIR "/Make/EN.words")) QSKIP("the word lists are not built");
    QDir(dir_.path()).mkpath("Make");
    QFile::remove(dir_.filePath("Make/EN.words"));
    QVERIFY(QFile::copy(GW_PROGRAM_DIR "/Make/EN.words", dir_.filePath("Make/EN.words")));
    w = makeWindow();  // with the word list in its program folder
    const QString layout = dir_.filePath("en-9x9.C_WM");
    const QString state = dir_.filePath("en-9x9.TMP");
    QFile::remove(layout);
    QFile::remove(state);
    QVERIFY(QFile::copy(GW_SOURCE_DIR "/data/layouts/en-9x9.C_WM", layout));
    showActive(*w);
    click(*w, "composeButton");
    ModalAnswerer answers({}, true);  // the word order is taken as it is
    w->composingPage()->openPatternFile(layout);
    QVERIFY(w->composingPage()->hasOpenLayout());
    w->updateActions();
    for (QAction* a : w->composingPage()->fileMenuActions()) {
      if (a->text() == "Start compose ...") a->trigger();
    }
    QTRY_VERIFY(w->composingPage()->isComposing());
    w->updateActions();
    QVERIFY2(!w->findChild<QAction*>("quitComposeAction")->isEnabled(), "no Quit compose during a search");

    QVERIFY(w->close());
    QVERIFY(!w->composingPage()->isComposing());
    QVERIFY2(QFile::exists(state), "the search is kept in its state file");
    QVERIFY(QFile::exists(settingsPath()));
  }

  void aboutAndHelpAreOnTheHelpMenu() {
    auto w = makeWindow();
    showActive(*w);
    {
      ModalAnswerer answers;
      w->findChild<QAction*>("aboutAction")->trigger();
      QCOMPARE(answers.dialogs, 1);
    }
    w->findChild<QAction*>("helpContentsAction")->trigger();
    auto* help = w->findChild<gw::gui::HelpWindow*>();
    QVERIFY(help && help->isVisible());
    QCOMPARE(help->currentPage(), QString("contents.html"));
    QVERIFY(w->close());
    QVERIFY2(!help->isVisible(), "help goes with the main window");
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
