// WaitSeconds: the event loop keeps running inside it, on the real clock it
// lasts its time and sleeps, and a test clock can take its place. Alarms ring
// once, in time, inside waits; a cancelled one or one whose context has gone
// never does. The UTC now is the system's, or the moment a test sets.

#include "clock/clock.h"
#include "clock/testclock.h"
#include "radio/processusage.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimeZone>
#include <QTimer>

class TestClockSeam : public QObject {
    Q_OBJECT

private slots:
    // Real time on purpose: this is the wait the program runs on.
    void waitRunsEventsSleepsAndEndsOnTime()
    {
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, &timer, [&] { ++ticks; });
        timer.start(20);
        QElapsedTimer clock;
        clock.start();
        const double cpuBefore = processCpuSeconds();
        WaitSeconds(0.5);
        const qint64 elapsed = clock.elapsed();
        QVERIFY2(elapsed >= 500 && elapsed < 2500, qPrintable(QString::number(elapsed)));
        QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
        // A busy wait would burn the whole half second.
        QVERIFY(processCpuSeconds() - cpuBefore < 0.25);

        // A handler that runs inside the wait and leaves its own nested loop
        // early does not cut the wait short.
        clock.restart();
        QTimer::singleShot(50, &timer, [] { WaitSeconds(0.01); });
        WaitSeconds(0.2);
        QVERIFY(clock.elapsed() >= 200);
    }

    // Real time on purpose: the program's alarms are its timers.
    void alarmsRingOnceInTimeUnlessCancelled()
    {
        QStringList rung;
        QObject context;
        auto kept = Clock::current().alarmAfter(std::chrono::milliseconds(100), &context,
                                                [&] { rung << QStringLiteral("kept"); });
        auto cancelled = Clock::current().alarmAfter(std::chrono::milliseconds(20), &context,
                                                     [&] { rung << QStringLiteral("cancelled"); });
        auto orphan = std::make_unique<QObject>();
        auto orphaned = Clock::current().alarmAfter(std::chrono::milliseconds(20), orphan.get(),
                                                    [&] { rung << QStringLiteral("orphaned"); });
        cancelled.reset();
        orphan.reset();
        // Qt's coarse timers may ring a little early, never at half the time.
        WaitSeconds(0.05);
        QVERIFY(rung.isEmpty());
        WaitSeconds(0.35);
        QCOMPARE(rung, QStringList{"kept"});
    }

    // The test clock rings alarms and runs actions in the order they fall
    // due, ties in the order they were set, only as a wait passes them.
    void testClockRingsAlarmsWithTheActionsInOrder()
    {
        TestClock clock;
        QStringList seen;
        QObject context;
        clock.at(2.0, [&] { seen << QStringLiteral("action at %1").arg(clock.seconds()); });
        auto alarm = clock.alarmAfter(std::chrono::milliseconds(2000), &context, [&] {
            seen << QStringLiteral("alarm at %1").arg(clock.seconds());
        });
        auto early = clock.alarmAfter(std::chrono::milliseconds(500), &context, [&] {
            seen << QStringLiteral("early at %1").arg(clock.seconds());
        });
        QCOMPARE(clock.pendingAlarms(), 2);
        WaitSeconds(0);
        QVERIFY(seen.isEmpty());
        clock.advance(1.9);
        QCOMPARE(seen, QStringList{"early at 0.5"});
        QCOMPARE(clock.pendingAlarms(), 1);
        WaitSeconds(0.1);
        QCOMPARE(seen, QStringList({"early at 0.5", "action at 2", "alarm at 2"}));
        QCOMPARE(clock.pendingAlarms(), 0);
        QCOMPARE(clock.seconds(), 2.0);
    }

    void installedClockTakesTheWaits()
    {
        TestClock clock;
        QStringList seen;
        clock.at(0.5, [&] {
            seen << QStringLiteral("at %1").arg(clock.seconds());
            WaitSeconds(0.25); // a handler that waits inside the wait
            seen << QStringLiteral("after %1").arg(clock.seconds());
        });
        bool posted = false;
        QObject context;
        QTimer::singleShot(0, &context, [&posted] { posted = true; });
        QElapsedTimer real;
        real.start();
        WaitSeconds(2);
        QVERIFY(posted); // events ran inside the wait
        QCOMPARE(seen, QStringList({"at 0.5", "after 0.75"}));
        QCOMPARE(clock.seconds(), 2.0);
        QVERIFY(real.elapsed() < 2000); // not the real two seconds
    }

    // The calendar: the system's UTC on the program's clock; on the test
    // clock the moment set, moving on with its waits and alarms.
    void utcNowIsTheSystemsOrTheTestsMoment()
    {
        const QDateTime system = Clock::current().utcNow();
        QCOMPARE(system.timeSpec(), Qt::UTC);
        QVERIFY(qAbs(system.secsTo(QDateTime::currentDateTimeUtc())) < 5);

        TestClock clock;
        clock.advance(3);
        clock.setUtc(QDateTime(QDate(2025, 6, 15), QTime(23, 59, 30), QTimeZone::utc()));
        QCOMPARE(Clock::current().utcNow(),
                 QDateTime(QDate(2025, 6, 15), QTime(23, 59, 30), QTimeZone::utc()));
        QDateTime rungAt;
        QObject context;
        auto alarm =
            clock.alarmAfter(std::chrono::seconds(30), &context, [&] { rungAt = clock.utcNow(); });
        WaitSeconds(45);
        QCOMPARE(rungAt, QDateTime(QDate(2025, 6, 16), QTime(0, 0), QTimeZone::utc()));
        QCOMPARE(clock.utcNow(), QDateTime(QDate(2025, 6, 16), QTime(0, 0, 15), QTimeZone::utc()));
    }
};

QTEST_GUILESS_MAIN(TestClockSeam)
#include "tst_clock.moc"
