// WaitSeconds: the event loop keeps running inside it, on the real clock it
// lasts its time and sleeps, and a test clock can take its place.

#include "clock/clock.h"
#include "radio/processusage.h"
#include "testclock.h"
#include "uitest.h"

#include <QElapsedTimer>
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
};

QUILLARD_TEST_MAIN(TestClockSeam)
#include "tst_clock.moc"
