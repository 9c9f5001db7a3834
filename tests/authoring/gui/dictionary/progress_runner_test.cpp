// The progress component: its two modes, the window's texts, Cancel, errors, and that the
// end step runs exactly once on the user-interface thread.
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QWidget>
#include <atomic>
#include <stdexcept>

#include "authoring/gui/dictionary/progress_runner.h"
#include "authoring/gui/dictionary/progress_window.h"

using gw::gui::ProgressRunner;
using gw::gui::ProgressWindow;

class ProgressRunnerTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void withoutAJobNothingHappens();
  void workerReportsReachTheWindow();
  void cancelIsSeenByTheWorkerAndReported();
  void withoutCancelButtonNothingCancels();
  void workerErrorIsReportedAtTheEnd();
  void sameThreadErrorComesAfterTheEndStep();
  void textModeShowsThePosition();
  void percentageOfHugeTotalsAndZero();
  void cancelAndWaitEndsOnce();
  void windowSitsInItsCorner_data();
  void windowSitsInItsCorner();
};

void ProgressRunnerTest::withoutAJobNothingHappens() {
  ProgressRunner runner;
  QSignalSpy finished(&runner, &ProgressRunner::finished);
  runner.execute(true);
  QVERIFY(!runner.window());
  QVERIFY(!runner.isRunning());
  QCoreApplication::processEvents();
  QCOMPARE(finished.count(), 0);
}

void ProgressRunnerTest::workerReportsReachTheWindow() {
  ProgressRunner runner;
  std::atomic<bool> release{false};
  auto releaseOnExit = qScopeGuard([&] { release = true; });
  ProgressRunner::Options options;
  options.updateTimes = 10;
  runner.setOptions(options);
  runner.setJob([&] {
    for (int i = 0; i < 51; ++i) runner.updateProgress(i, 100);  // refreshes at 10, 20, ..., 50
    while (!release) QThread::msleep(1);
  });
  QSignalSpy finished(&runner, &ProgressRunner::finished);
  runner.execute(true);
  QPointer<ProgressWindow> window = runner.window();
  QVERIFY(window && window->isVisible());
  QCOMPARE(window->windowTitle(), QString("Processing..."));
  QCOMPARE(window->findChild<QLabel*>("textLabel")->text(), QString("Please wait"));
  QTRY_COMPARE(window->findChild<QLabel*>("percentLabel")->text(), QString("50%"));
  QCOMPARE(window->findChild<QProgressBar*>("progressBar")->value(), 50);
  release = true;
  QTRY_COMPARE(finished.count(), 1);
  QCOMPARE(finished.at(0).at(0).toBool(), false);
  QTRY_VERIFY(!window);  // a closed window destroys itself
  QVERIFY(!runner.isRunning());
}

void ProgressRunnerTest::cancelIsSeenByTheWorkerAndReported() {
  ProgressRunner runner;
  std::atomic<int> rounds{0};
  runner.setJob([&] {
    while (!runner.cancelled()) {
      ++rounds;
      QThread::msleep(1);
    }
  });
  QSignalSpy finished(&runner, &ProgressRunner::finished);
  runner.execute(true);
  QTRY_VERIFY(rounds > 5);
  QVERIFY2(runner.window()->isVisible(), "the window stays until the job notices");
  QTest::mouseClick(runner.window()->findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
  QTRY_COMPARE(finished.count(), 1);
  QCOMPARE(finished.at(0).at(0).toBool(), true);
}

void ProgressRunnerTest::withoutCancelButtonNothingCancels() {
  ProgressRunner runner;
  ProgressRunner::Options options;
  options.canCancel = false;
  runner.setOptions(options);
  std::atomic<bool> release{false};
  auto releaseOnExit = qScopeGuard([&] { release = true; });
  bool sawCancel = false;
  runner.setJob([&] {
    while (!release) QThread::msleep(1);
    sawCancel = runner.cancelled();
  });
  QSignalSpy finished(&runner, &ProgressRunner::finished);
  runner.execute(true);
  ProgressWindow* window = runner.window();
  QVERIFY(!window->findChild<QPushButton*>("cancelButton")->isVisible());
  QVERIFY(window->height() < 96);
  window->reject();  // Esc
  window->close();   // the close box
  QVERIFY(window->isVisible());
  release = true;
  QTRY_COMPARE(finished.count(), 1);
  QVERIFY(!sawCancel);
  QCOMPARE(finished.at(0).at(0).toBool(), false);
}

void ProgressRunnerTest::workerErrorIsReportedAtTheEnd() {
  ProgressRunner runner;
  runner.setJob([] { throw std::runtime_error("Cannot read \"words.txt\": Input/output error"); });
  QSignalSpy finished(&runner, &ProgressRunner::finished);
  runner.execute(true);
  QTRY_COMPARE(finished.count(), 1);
  QCOMPARE(finished.at(0).at(1).toString(), QString("Cannot read \"words.txt\": Input/output error"));
  QVERIFY(!runner.window());
}

void ProgressRunnerTest::sameThreadErrorComesAfterTheEndStep() {
  QWidget owner;
  ProgressRunner runner(&owner);
  ProgressRunner::Options options;
  options.inThread = false;
  options.waitTillFinish = true;
  runner.setOptions(options);
  bool ownerDisabled = false;
  runner.setJob([&] {
    ownerDisabled = !owner.isEnabled();
    throw std::runtime_error("broken");
  });
  QSignalSpy finished(&runner, &ProgressRunner::finished);
  bool thrown = false;
  try {
    runner.execute(true);
  } catch (const std::runtime_error&) {
    thrown = true;
    QCOMPARE(finished.count(), 1);  // the end step came first
  }
  QVERIFY(thrown);
  QVERIFY(ownerDisabled);
  QVERIFY(owner.isEnabled());
  QVERIFY(!runner.isRunning());
}

void ProgressRunnerTest::textModeShowsThePosition() {
  ProgressRunner runner;
  ProgressRunner::Options options;
  options.inThread = false;
  options.text = "Line %1";
  options.updateTimes = 2;
  runner.setOptions(options);
  QString seen;
  runner.setJob([&] {
    for (int i = 1; i <= 5; ++i) runner.updateProgress(i, 5);  // the 3rd and 5th report refresh
    seen = runner.window()->findChild<QLabel*>("textLabel")->text();
    QVERIFY(!runner.window()->findChild<QProgressBar*>("progressBar")->isVisible());
  });
  runner.execute(false);
  QCOMPARE(seen, QString("Line 5"));
}

void ProgressRunnerTest::percentageOfHugeTotalsAndZero() {
  ProgressWindow window("Processing...", "Please wait", true, true);
  window.setProgress(3'000'000'000LL, 6'000'000'000LL);
  QCOMPARE(window.findChild<QLabel*>("percentLabel")->text(), QString("50%"));
  auto* bar = window.findChild<QProgressBar*>("progressBar");
  QCOMPARE(bar->value() * 2, bar->maximum());
  window.setProgress(0, 0);
  QCOMPARE(window.findChild<QLabel*>("percentLabel")->text(), QString("100%"));
  QCOMPARE(bar->value(), bar->maximum());
}

void ProgressRunnerTest::cancelAndWaitEndsOnce() {
  ProgressRunner runner;
  runner.setJob([&] {
    while (!runner.cancelled()) QThread::msleep(1);
  });
  QSignalSpy finished(&runner, &ProgressRunner::finished);
  runner.execute(true);
  runner.cancelAndWait();
  QCOMPARE(finished.count(), 1);
  QCOMPARE(finished.at(0).at(0).toBool(), true);
  QTest::qWait(50);  // the worker's queued end must not run the end step again
  QCOMPARE(finished.count(), 1);
}

void ProgressRunnerTest::windowSitsInItsCorner_data() {
  QTest::addColumn<int>("position");
  QTest::addColumn<bool>("right");
  QTest::addColumn<bool>("bottom");
  QTest::newRow("top right") << int(ProgressRunner::ScreenPosition::TopRight) << true << false;
  QTest::newRow("top left") << int(ProgressRunner::ScreenPosition::TopLeft) << false << false;
  QTest::newRow("bottom right") << int(ProgressRunner::ScreenPosition::BottomRight) << true << true;
  QTest::newRow("bottom left") << int(ProgressRunner::ScreenPosition::BottomLeft) << false << true;
}

void ProgressRunnerTest::windowSitsInItsCorner() {
  QFETCH(int, position);
  QFETCH(bool, right);
  QFETCH(bool, bottom);
  ProgressRunner runner;
  ProgressRunner::Options options;
  options.position = static_cast<ProgressRunner::ScreenPosition>(position);
  options.inThread = false;
  runner.setOptions(options);
  QRect placed;
  runner.setJob([&] { placed = runner.window()->frameGeometry(); });
  runner.execute(true);
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  QCOMPARE(placed.center().x() > screen.center().x(), right);
  QCOMPARE(placed.center().y() > screen.center().y(), bottom);
  QVERIFY(screen.contains(placed));
}

QTEST_MAIN(ProgressRunnerTest)
#include "progress_runner_test.moc"
