// The real main window, offscreen: its settings file, page switching with the menus that
// go with each page, the captions, the shortcuts that must reach the page in front, a
// layout named on the command line, closing with unsaved work, and the end on a termination
// signal with the recovery at the next start.
#include "authoring/gui/main_window.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

#include "authoring/composing/layout/composing_files.h"
#include "authoring/gui/composing/compose_controller.h"
#include "authoring/gui/composing/layout_grid_view.h"
#include "authoring/gui/help/help_window.h"
#include "authoring/recovery/recovery_store.h"
#include "common/errors.h"
#include "modal_answerer.h"
#include "tests/support/gui_test_base.h"

using gw::gui::ClosablePage;
using gw::gui::EditingPageBase;
using gw::gui::MainWindow;
using Page = MainWindow::Page;

namespace {

const QString kCreationCaption = QStringLiteral("Brevant Software: Crossword Authoring");
const QString kStartCaption = QStringLiteral("Brevant Software : Crosswords Authoring");

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
class FakeEditingPage : public EditingPageBase, public ClosablePage {
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
  bool maybeSave() override { return closeCrossword(); }
  std::optional<QString> unsavedFile() const override {
    return modified ? std::optional<QString>(fileName) : std::nullopt;
  }
  bool writeRecovery(const QString& path) override {
    writeFile(path, "clues");
    return true;
  }
  void openRecovered(const QString& path) override { opened << path; }
  bool modified = false;
  QString fileName;
  QStringList opened;
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

class MainWindowTest : public gw::test::GuiTestBase {
  Q_OBJECT

 private:
  FakeEditingPage* fakeEditing_ = nullptr;

  QString settingsPath() const { return QFile::decodeName(settingsFile().c_str()); }
  std::unique_ptr<MainWindow> makeWindow(bool fakeEditingPage = false) {
    MainWindow::EditingPageFactory editing;
    if (fakeEditingPage) {
      editing = [this](QWidget* parent) { return fakeEditing_ = new FakeEditingPage(parent); };
    }
    return std::make_unique<MainWindow>(folders(), settingsFile(), editing);
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
  void firstStartWritesTheFourFoldersInOrderAtExit() {
    auto w = makeWindow();
    // Without a settings file the layouts start in "Make", the crosswords in "Data".
    QCOMPARE(w->dialogFolders().composeOpen, programPath("Make"));
    QCOMPARE(w->dialogFolders().editSave, programPath("Data"));
    QVERIFY2(QFileInfo(programPath("Make/Results")).isDir(), "results folder made at start");
    QVERIFY(!QFile::exists(settingsPath()));
    w->dialogFolders().composeSave = "/somewhere/else";
    QVERIFY(w->close());
    const QByteArray expected = "[Folders]\nMake:Open=" + programPath("Make").toUtf8() +
                                "\nMake:Save=/somewhere/else\nEdit:Open=" + programPath("Data").toUtf8() +
                                "\nEdit:Save=" + programPath("Data").toUtf8() + "\n";
    QCOMPARE(readFile(settingsPath()), expected);
  }

  void settingsKeepEmptyValuesAndOtherSectionsAndRestoreTheKeyOrder() {
    writeFile(settingsPath(), "[Window]\nx=5\n[Folders]\nEdit:Save=/e/save\nMake:Open=\nEdit:Open=/e/open\n");
    auto w = makeWindow();
    QCOMPARE(w->dialogFolders().composeOpen, QString());            // present but empty: no folder
    QCOMPARE(w->dialogFolders().composeSave, programPath("Make"));  // absent: the default
    QCOMPARE(w->dialogFolders().editOpen, QString("/e/open"));
    QVERIFY(w->close());
    const QByteArray text = readFile(settingsPath());
    QVERIFY2(text.contains("[Window]\nx=5\n"), text.constData());
    QVERIFY2(text.contains("[Folders]\nMake:Open=\nMake:Save=" + programPath("Make").toUtf8() +
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
    QVERIFY(third->close());
    QVERIFY(!readFile(settingsPath()).contains("Minimum word score"));

    // "Minimum word score" likewise: its own key, once the author sets it.
    auto fourth = makeWindow();
    fourth->composingPage()->findChild<QSpinBox*>("minWordScoreSpinBox")->setValue(60);
    QVERIFY(fourth->close());
    QVERIFY2(readFile(settingsPath()).contains("Minimum word score=60\n"),
             readFile(settingsPath()).constData());
    auto fifth = makeWindow();
    QCOMPARE(fifth->composingPage()->composeOptions().minWordScore, 60);
    QCOMPARE(fifth->composingPage()->findChild<QSpinBox*>("minWordScoreSpinBox")->value(), 60);
  }

  void symmetryAndCellSizeAreRememberedOnlyOnceChanged() {
    auto w = makeWindow();
    QVERIFY(w->close());
    QVERIFY2(!readFile(settingsPath()).contains("Symmetry"), readFile(settingsPath()).constData());
    auto again = makeWindow();
    again->composingPage()->findChild<QAction*>("rotationalSymmetryAction")->trigger();
    again->composingPage()->findChild<QAction*>("zoomInAction")->trigger();
    QVERIFY(again->close());
    auto third = makeWindow();
    QCOMPARE(third->composingPage()->workflow().symmetry(), gw::LayoutSymmetry::Rotational);
    QVERIFY(third->composingPage()->findChild<QAction*>("rotationalSymmetryAction")->isChecked());
    QVERIFY(third->composingPage()->grid()->cellSize() > gw::kDefaultCellSize);
    QVERIFY(third->composingPage()->workflow().quickFillNoRepeatedWords());
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

    // Each button leads to its page with its own File menu alone; the page's quit leads back.
    const struct {
      const char* button;
      Page page;
      const char* menu;
      const char* otherMenu;
      const char* quit;
    } pages[] = {{"composeButton", Page::Composing, "composeFileMenu", "editFileMenu", "quitComposeAction"},
                 {"editButton", Page::Editing, "editFileMenu", "composeFileMenu", "quitEditingAction"}};
    for (const auto& p : pages) {
      click(*w, p.button);
      QCOMPARE(w->currentPage(), p.page);
      QVERIFY(menuShown(*w, p.menu));
      QVERIFY(!menuShown(*w, p.otherMenu));
      w->findChild<QAction*>(p.quit)->trigger();
      QCOMPARE(w->currentPage(), Page::Start);
      QCOMPARE(w->windowTitle(), kStartCaption);
      QVERIFY(!menuShown(*w, p.menu));
    }
  }

  void quitComposeClosesTheLayout() {
    const QString layout = programPath("en-5x5.C_WM");
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
    const QString good = programPath("good.C_WM");
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
      const QString bad = programPath("bad.C_WM");
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
      gw::gui::Prompts::reset();
      w->openPatternFileAtStart(bad);
      QTRY_VERIFY2(!answers().shown().isEmpty(), what);
      QCOMPARE(answers().shown(), QStringList{readerMessage});
      QVERIFY2(!w->composingPage()->hasOpenLayout(), what);
      QCOMPARE(w->currentPage(), Page::Start);
      QCOMPARE(w->windowTitle(), caption);
    }
  }

  void commandLineNameOfNoFileIsIgnored() {
    auto w = makeWindow();
    ModalAnswerer answers;
    w->openPatternFileAtStart(programPath("missing.C_WM"));
    w->openPatternFileAtStart(programPath(""));  // a folder is no file either
    QTest::qWait(50);
    QVERIFY(answers.messages.isEmpty());
    QVERIFY(!w->composingPage()->hasOpenLayout());
  }

  // Closing the window with a modified crossword asks the page (maybeSave), and the program
  // stays if the author cancelled.
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

  // A termination signal never waits for an answer: the unsaved crossword goes to the recovery
  // store, never over the user's file, and the next start offers it back: Yes opens a copy
  // beside the user's file, No forgets it.
  void terminationKeepsUnsavedWorkForTheNextStart_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("opened");
    QTest::newRow("recovered") << int(QMessageBox::Yes) << QStringList{"Data/igloo (recovered).C_W"};
    QTest::newRow("forgotten") << int(QMessageBox::No) << QStringList{};
  }
  void terminationKeepsUnsavedWorkForTheNextStart() {
    QFETCH(int, answer);
    QFETCH(QStringList, opened);
    for (QString& file : opened) file = programPath(file);
    const QString userFile = copyIn(GW_SOURCE_DIR "/data/examples/en-igloo.C_W", "Data/igloo.C_W");
    const QByteArray saved = readFile(userFile);
    auto w = makeWindow(true);
    showActive(*w);
    fakeEditing_->modified = true;
    fakeEditing_->keepsChanges = true;
    fakeEditing_->fileName = userFile;
    QSignalSpy closed(w.get(), &MainWindow::closed);
    w->closeForTermination();
    QCOMPARE(closed.count(), 1);
    QVERIFY(!w->isVisible());
    QCOMPARE(fakeEditing_->questions, 0);
    QVERIFY(answers().shown().isEmpty());
    QVERIFY(QFile::exists(settingsPath()));
    QCOMPARE(readFile(userFile), saved);
    const gw::RecoveryStore store = gw::RecoveryStore::forProgram(folders());
    QCOMPARE(store.entries().size(), std::size_t(1));

    auto next = makeWindow(true);
    answers().next(static_cast<QMessageBox::StandardButton>(answer));
    next->offerRecovery();
    QCOMPARE(answers().shown(), QStringList{"Recover unsaved changes to igloo.C_W?"});
    QCOMPARE(fakeEditing_->opened, opened);
    QCOMPARE(next->currentPage(), opened.isEmpty() ? Page::Start : Page::Editing);
    QVERIFY(store.entries().empty());
    QCOMPARE(readFile(userFile), saved);
    for (const QString& copy : opened) QCOMPARE(readFile(copy), QByteArray("clues"));
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
    QDir(programPath("")).mkpath("Make");
    QFile::remove(programPath("Make/EN.words"));
    QVERIFY(QFile::copy(GW_PROGRAM_DIR "/Make/EN.words", programPath("Make/EN.words")));
    w = makeWindow();  // with the word list in its program folder
    const QString layout = programPath("en-9x9.C_WM");
    const QString state = programPath("en-9x9.TMP");
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
