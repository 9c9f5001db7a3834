// The pieces around the main window: the mouse-wheel rule, the busy window and about box,
// help routing and the help pages' links, and the pages' action poller.
#include <QDirIterator>
#include <QEventLoop>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QtTest>

#include "authoring/gui/help/help_router.h"
#include "authoring/gui/help/splash_window.h"
#include "authoring/gui/help/version_text.h"
#include "authoring/gui/page_action_poller.h"
#include "gui_common/mouse_wheel_filter.h"

using namespace gw::gui;

namespace {

void turnWheel(QWidget* target, int delta) {
  const QPointF at(target->width() / 2.0, target->height() / 2.0);
  QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &wheel);
}

// Runs the event loop as the program does (waiting for events), for `ms` milliseconds.
void runEventLoop(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

QStringList helpPages() {
  QStringList pages;
  QDirIterator it(":/help", {"*.html"});
  while (it.hasNext()) pages << it.next().section('/', -1);
  return pages;
}

}  // namespace

class ShellPartsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void wheelNotchesBecomeArrowKeysForTheFocusedWidget() {
    MouseWheelFilter filter;
    qApp->installEventFilter(&filter);
    QWidget window;
    auto* list = new QListWidget(&window);
    auto* other = new QListWidget(&window);
    for (int i = 0; i < 10; ++i) list->addItem(QString::number(i));
    other->setGeometry(0, 200, 100, 100);
    window.show();
    list->setCurrentRow(5);
    list->setFocus();

    turnWheel(list->viewport(), 120);  // forward: up
    QCOMPARE(list->currentRow(), 4);
    turnWheel(list->viewport(), -240);  // two notches back: down twice
    QCOMPARE(list->currentRow(), 6);
    turnWheel(list->viewport(), 60);  // a touchpad's half notches add up
    QCOMPARE(list->currentRow(), 6);
    turnWheel(list->viewport(), 60);
    QCOMPARE(list->currentRow(), 5);
    // The focused widget gets the key, wherever the mouse is.
    turnWheel(other->viewport(), -120);
    QCOMPARE(list->currentRow(), 6);
    qApp->removeEventFilter(&filter);
  }

  void sidewaysWheelIsLeftAlone() {
    MouseWheelFilter filter;
    qApp->installEventFilter(&filter);
    QListWidget list;
    for (int i = 0; i < 3; ++i) list.addItem(QString::number(i));
    list.show();
    list.setCurrentRow(1);
    list.setFocus();
    QWheelEvent sideways(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(120, 0), Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
    QApplication::sendEvent(list.viewport(), &sideways);
    QCOMPARE(list.currentRow(), 1);
    qApp->removeEventFilter(&filter);
  }

  void versionLineFromFourNumbers() {
    QCOMPARE(versionText(1, 1, 1, 1), QString("Version 1.1 (Build 1.1)"));
    QCOMPARE(versionText(0, 0, 0, 0), QString("Version 0.0 (Build 0.0)"));
    QCOMPARE(versionText(2, 10, 3, 0), QString("Version 2.10 (Build 3.0)"));
    SplashWindow splash;
    QCOMPARE(splash.versionLine(), versionText(gw::kVersionMajor, gw::kVersionMinor, gw::kVersionPatch, 0));
  }

  void aboutBoxClosesOnAClickAnywhere() {
    const std::pair<const char*, QPoint> places[] = {{"on the word Crossword", QPoint(60, 80)},
                                                     {"on the version line", QPoint(105, 118)},
                                                     {"on the status line", QPoint(105, 146)},
                                                     {"near a corner", QPoint(30, 30)}};
    for (const auto& [place, where] : places) {
      SplashWindow about;
      bool clicked = false;
      QTimer::singleShot(50, &about, [&, where = where] {
        QVERIFY(about.isVisible());
        QVERIFY(about.statusText().isEmpty());
        QWidget* under = about.childAt(where) ? about.childAt(where) : &about;
        QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFrom(&about, where));
        clicked = true;
      });
      QTimer::singleShot(3000, &about, &QDialog::reject);  // a failure must not hang the test
      about.showAbout();
      QVERIFY2(clicked, place);
      QVERIFY2(about.result() == QDialog::Accepted, place);
    }
  }

  void busyWindowShowsItsStatusAndStaysOnAClick() {
    SplashWindow busy;
    busy.showBusy("Sorting words ...");
    QVERIFY(busy.isVisible());
    QCOMPARE(busy.statusText(), QString("Sorting words ..."));
    QTest::mouseClick(&busy, Qt::LeftButton, {}, QPoint(100, 80));
    QVERIFY(busy.isVisible());
    busy.hide();
  }

  void helpRequestsReachTheirPages() {
    QWidget owner;
    HelpRouter help(&owner);
    QVERIFY(!help.window());
    help.handle(HelpRequest::Quit);  // nothing open: nothing happens
    QVERIFY(!help.window());

    help.handle(HelpRequest::Contents);
    QVERIFY(help.window() && help.window()->isVisible());
    QCOMPARE(help.window()->currentPage(), QString("contents.html"));
    help.handle(HelpRequest::Context, help_context::kCompose);
    QCOMPARE(help.window()->currentPage(), QString("compose.html"));
    help.handle(HelpRequest::ContextPopup, help_context::kEdit);
    QCOMPARE(help.window()->currentPage(), QString("edit.html"));
    help.handle(HelpRequest::Context, 12345);
    QCOMPARE(help.window()->currentPage(), QString("contents.html"));
    help.handle(HelpRequest::Finder, "solve.html");
    QCOMPARE(help.window()->currentPage(), QString("solve.html"));
    help.handle(HelpRequest::Finder, "no-such-page.html");
    QCOMPARE(help.window()->currentPage(), QString("contents.html"));
    help.handle(HelpRequest::Key, "Isles");
    QCOMPARE(help.window()->currentPage(), QString("index.html"));
    QCOMPARE(help.window()->browser()->textCursor().selectedText(), QString("Isles"));
    help.handle(HelpRequest::Quit);
    QVERIFY(!help.window()->isVisible());
  }

  // Every page has a title and every link and picture of every page is there.
  void helpPagesHaveNoBrokenLinks() {
    const QStringList pages = helpPages();
    QVERIFY(pages.contains("contents.html"));
    QVERIFY(pages.contains("index.html"));
    HelpWindow window;
    const QRegularExpression reference("(?:href|src)=\"([^\"#:]*)(?:#([^\"]*))?\"");
    for (const QString& page : pages) {
      window.showTopic(page);
      QCOMPARE(window.currentPage(), page);
      QVERIFY2(!window.currentTitle().isEmpty(), qPrintable(page));
      QFile file(":/help/" + page);
      QVERIFY(file.open(QIODevice::ReadOnly));
      const QString html = QString::fromUtf8(file.readAll());
      for (const QRegularExpressionMatch& m : reference.globalMatch(html)) {
        const QString target = m.captured(1).isEmpty() ? page : m.captured(1);
        QVERIFY2(QFile::exists(":/help/" + target), qPrintable(page + " -> " + target));
        if (!m.captured(2).isEmpty()) {
          QFile linked(":/help/" + target);
          QVERIFY(linked.open(QIODevice::ReadOnly));
          QVERIFY2(linked.readAll().contains(("name=\"" + m.captured(2) + "\"").toUtf8()),
                   qPrintable(page + " -> " + target + "#" + m.captured(2)));
        }
      }
    }
    window.close();
  }

  void actionRulesRunWhenTheLoopGoesIdleAndRestWhenNothingHappens() {
    int passes = 0;
    PageActionPoller updater([&passes] { ++passes; }, nullptr, 20);
    runEventLoop(100);
    QVERIFY(passes >= 1);
    // An event shortly after a pass is looked at once the throttle allows.
    const int before = passes;
    QTimer::singleShot(1, [] {});
    runEventLoop(100);
    QVERIFY(passes > before);
    // Nothing happening: no passes of its own making (a pass every 20 ms would give 25 here;
    // a stray wake-up of the loop may give one or two).
    runEventLoop(50);
    const int settled = passes;
    runEventLoop(500);
    QVERIFY2(passes - settled <= 3, qPrintable(QString::number(passes - settled)));
  }

  void actionRulesAreThrottledWhileTheLoopSpins() {
    int passes = 0;
    PageActionPoller updater([&passes] { ++passes; }, nullptr, 1000);
    int spins = 0;
    QTimer spinner;  // as a search steps: a zero-interval timer
    QObject::connect(&spinner, &QTimer::timeout, [&spins] { ++spins; });
    spinner.start(0);
    runEventLoop(200);
    spinner.stop();
    QVERIFY(spins > 50);
    QCOMPARE(passes, 1);
  }
};

QTEST_MAIN(ShellPartsTest)
#include "shell_parts_test.moc"
