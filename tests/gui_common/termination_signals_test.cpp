// Termination signals raised in the test process itself arrive in the event loop, every one of
// them, and a signal ignored before stays ignored.
#include <QSignalSpy>
#include <QtTest>
#include <csignal>

#include "gui_common/termination_signals.h"

using gw::gui::TerminationSignals;

class TerminationSignalsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // The test runner may have started as a background job, with SIGINT ignored.
  void init() {
    for (int s : {SIGTERM, SIGINT, SIGHUP}) std::signal(s, SIG_DFL);
  }

  void eachSignalArrivesInTheEventLoop() {
    TerminationSignals termination;
    QVERIFY(termination.isInstalled());
    QSignalSpy received(&termination, &TerminationSignals::received);
    std::raise(SIGTERM);
    QCOMPARE(received.count(), 0);  // nothing runs inside the C handler
    std::raise(SIGHUP);
    std::raise(SIGINT);
    QTRY_COMPARE(received.count(), 3);
    QCOMPARE(received[0][0].toInt(), SIGTERM);
    QCOMPARE(received[1][0].toInt(), SIGHUP);
    QCOMPARE(received[2][0].toInt(), SIGINT);
  }

  void destroyingGivesTheDefaultActionBack() {
    { TerminationSignals termination; }
    struct sigaction current {};
    QCOMPARE(::sigaction(SIGTERM, nullptr, &current), 0);
    QVERIFY(current.sa_handler == SIG_DFL);
    // A second instance installs them again.
    TerminationSignals again;
    QVERIFY(again.isInstalled());
    QSignalSpy received(&again, &TerminationSignals::received);
    std::raise(SIGTERM);
    QTRY_COMPARE(received.count(), 1);
  }

  // nohup: the program started with SIGHUP ignored, and the log-out it is meant to survive
  // must not end it.
  void aSignalIgnoredAtStartStaysIgnored() {
    std::signal(SIGHUP, SIG_IGN);
    {
      TerminationSignals termination;
      QSignalSpy received(&termination, &TerminationSignals::received);
      std::raise(SIGHUP);
      std::raise(SIGTERM);
      QTRY_COMPARE(received.count(), 1);
      QCOMPARE(received[0][0].toInt(), SIGTERM);
    }
    struct sigaction current {};
    QCOMPARE(::sigaction(SIGHUP, nullptr, &current), 0);
    QVERIFY(current.sa_handler == SIG_IGN);
  }
};

QTEST_GUILESS_MAIN(TerminationSignalsTest)
#include "termination_signals_test.moc"
