// The keyer's sender on the test clock, against the virtual radio's keyer
// fed the same commands at the same moments: each text reaches a radio that
// has keyed the one before (one text of buffer assumed, none ever refused),
// and no later than the 100 ms margin after that, at 20 and 40 wpm; Stop sends nothing more, and a
// message after it waits for what the radio still holds.

#include "clock/testclock.h"
#include "controls/keyersend.h"

#include "virtual-radio/core/keyer.h"

#include <QSignalSpy>
#include <QTest>

namespace {
// The radio as the sender's hook reaches it: what arrived when, and the
// virtual radio's keyer keying it on the test clock.
struct Radio {
    TestClock& clock;
    vradio::Keyer keyer;
    int wpm = 20;
    QList<QByteArray> received;
    QByteArray keyed;   // what the keyer has keyed so far
    QList<double> at;   // seconds on the test clock
    int refused = 0;    // texts that found the keyer's buffer full
    int keyedEarly = 0; // texts that arrived while the keyer held one still
    double idleMs = 0;  // the longest the keyer waited for the next text
    qint64 idleSinceUs = -1;
    int failAt = -1; // the command that the link refuses

    bool take(const CatCommand& command)
    {
        if (received.size() == failAt)
            return false;
        const qint64 nowUs = clock.nowNs() / 1000;
        keyer.advanceTo(nowUs, wpm);
        received << command.framed();
        at << clock.seconds();
        if (command.kind() == CatCommand::Kind::KeyerSpeed) {
            wpm = command.wordsPerMinute();
            return true;
        }
        if (keyer.busy())
            ++keyedEarly;
        for (const auto& run : keyer.takeFinishedRuns()) {
            idleSinceUs = run.endUs;
            keyed += run.text;
        }
        if (idleSinceUs >= 0)
            idleMs = std::max(idleMs, (nowUs - idleSinceUs) / 1000.0);
        if (!keyer.take(vradio::Keyer::keyedText(command.text().mid(3).chopped(1)), wpm))
            ++refused;
        return true;
    }
};

const QString hundred = QStringLiteral("CQ CQ CQ DE K1ABC K1ABC K1ABC K = TNX FER THE CALL UR RST "
                                       "599 5NN QTH BOSTON MA NAME AL HW? K1ABC DE");
} // namespace

class TestKeyerSend : public QObject {
    Q_OBJECT

private slots:
    void pacing_data()
    {
        QTest::addColumn<int>("wpm");
        QTest::addColumn<QList<double>>("sentAt");
        QTest::addColumn<double>("done");
        QTest::newRow("20 wpm") << 20 << QList<double>{0, 15.46, 27.08, 40.74, 52.24} << 57.62;
        QTest::newRow("40 wpm") << 40 << QList<double>{0, 7.78, 13.64, 20.52, 26.32} << 29.06;
    }
    void pacing()
    {
        QFETCH(int, wpm);
        QFETCH(QList<double>, sentAt);
        QFETCH(double, done);
        QCOMPARE(hundred.size(), 100);
        TestClock clock;
        Radio radio{clock};
        KeyerSend send([&radio](const CatCommand& command) { return radio.take(command); });
        QSignalSpy progress(&send, &KeyerSend::progress);
        QSignalSpy finished(&send, &KeyerSend::finished);

        send.start(Cw::planCwMessage(hundred, QString(), std::nullopt, wpm));
        QVERIFY(send.running());
        QVERIFY(clock.advanceUntil([&] { return !send.running(); }));

        QCOMPARE(radio.received.size(), 6); // KS, then five texts
        QCOMPARE(radio.received.first(),
                 QByteArray("KS0%1;\r").replace("%1", QByteArray::number(wpm)));
        QCOMPARE(radio.at.mid(1), sentAt);
        QCOMPARE(radio.refused, 0);
        QCOMPARE(radio.keyedEarly, 0);
        QVERIFY2(radio.idleMs <= 101, qPrintable(QString::number(radio.idleMs)));
        QCOMPARE(progress.size(), 5);
        QCOMPARE(progress.last(), (QVariantList{5, 5}));
        // Finished once the radio has keyed the last text, not when it was sent.
        QCOMPARE(finished.size(), 1);
        QCOMPARE(clock.seconds(), done);
        const auto result = finished.first().first().value<KeyerSendResult>();
        QCOMPARE(result.textsSent, 5);
        QVERIFY(!result.stopped && !result.failed);

        // The radio keyed the message whole, word gaps kept across the texts.
        radio.keyer.advanceTo(clock.nowNs() / 1000, wpm);
        for (const auto& run : radio.keyer.takeFinishedRuns())
            radio.keyed += run.text;
        QCOMPARE(QString::fromLatin1(radio.keyed), hundred);
    }

    // Stop hands over nothing more; the radio keys what it holds, and a new
    // message (the typed line right after Stop) waits for that.
    void stop()
    {
        {
            TestClock clock;
            Radio radio{clock};
            KeyerSend send([&radio](const CatCommand& command) { return radio.take(command); });
            QSignalSpy finished(&send, &KeyerSend::finished);
            send.start(Cw::planCwMessage(hundred, QString(), 20, 20));
            clock.advance(20); // the second text went at 15.46 s
            QCOMPARE(radio.received.size(), 2);
            send.stop();
            QVERIFY(!send.running());
            QCOMPARE(finished.size(), 1);
            const auto result = finished.first().first().value<KeyerSendResult>();
            QVERIFY(result.stopped);
            QCOMPARE(result.textsSent, 2);
            QCOMPARE(result.texts, 5);
            QCOMPARE(result.keyingLeftMs, 7080); // " K1ABC K = TNX FER THE" keyed by 26.98 s
            clock.advance(60);
            QCOMPARE(radio.received.size(), 2);
        }

        // Stop while the radio still keys, then a message at once.
        TestClock clock;
        Radio radio{clock};
        KeyerSend send([&radio](const CatCommand& command) { return radio.take(command); });
        send.start(Cw::planCwMessage(hundred, QString(), 20, 20));
        clock.advance(1);
        send.stop();
        send.start(Cw::planCwMessage(QStringLiteral("TU"), QString(), 20, 20));
        clock.advanceUntil([&] { return !send.running(); });
        QCOMPARE(radio.received, (QList<QByteArray>{"KY CQ CQ CQ DE K1ABC K1ABC ;\r",
                                                    "KY TU                      ;\r"}));
        QCOMPARE(radio.at, (QList<double>{0, 15.46}));
        QCOMPARE(radio.refused, 0);
        QCOMPARE(radio.keyedEarly, 0);
    }

    // A second message while one is sent follows it.
    void queue()
    {
        TestClock clock;
        Radio radio{clock};
        KeyerSend send([&radio](const CatCommand& command) { return radio.take(command); });
        QSignalSpy finished(&send, &KeyerSend::finished);
        send.start(Cw::planCwMessage(QStringLiteral("CQ TEST"), QString(), 20, 20));
        send.start(Cw::planCwMessage(QStringLiteral("DE K1ABC {SPEED+} K"), QString(), 20, 20));
        QVERIFY(clock.advanceUntil([&] { return !send.running(); }));
        QCOMPARE(radio.received, (QList<QByteArray>{"KY CQ TEST                 ;\r",
                                                    "KY DE K1ABC                ;\r", "KS025;\r",
                                                    "KY  K                      ;\r"}));
        // CQ TEST 3.48 s, then DE K1ABC 84 dots (5.04 s) at 20 wpm.
        QCOMPARE(radio.at, (QList<double>{0, 3.58, 8.72, 8.72}));
        QCOMPARE(radio.refused, 0);
        QCOMPARE(radio.keyedEarly, 0);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.first().first().value<KeyerSendResult>().textsSent, 3);
    }

    // A send the link refuses ends the message there.
    void failedSend()
    {
        TestClock failingClock;
        Radio failing{failingClock};
        failing.failAt = 1;
        KeyerSend broken([&failing](const CatCommand& command) { return failing.take(command); });
        QSignalSpy brokenFinished(&broken, &KeyerSend::finished);
        broken.start(Cw::planCwMessage(hundred, QString(), 20, 20));
        failingClock.advanceUntil([&] { return !broken.running(); });
        QCOMPARE(failing.received.size(), 1);
        QCOMPARE(brokenFinished.size(), 1);
        const auto result = brokenFinished.first().first().value<KeyerSendResult>();
        QVERIFY(result.failed);
        QCOMPARE(result.textsSent, 1);
        failingClock.advance(60);
        QCOMPARE(failing.received.size(), 1);
    }

    // The speed box moved while the radio keys: what it still holds and the
    // texts to come take the new speed's time, so no text arrives before the
    // radio has keyed the one before, and none waits longer than the
    // character being keyed at the change (at most 22 dots) makes it.
    void speedChangedWhileKeying_data()
    {
        QTest::addColumn<int>("to");
        QTest::addColumn<double>("longestIdleMs");
        QTest::newRow("slower") << 10 << 22 * 120.0;
        QTest::newRow("faster") << 40 << 22 * 60.0;
    }
    void speedChangedWhileKeying()
    {
        QFETCH(int, to);
        QFETCH(double, longestIdleMs);
        TestClock clock;
        Radio radio{clock};
        KeyerSend send([&radio](const CatCommand& command) { return radio.take(command); });
        send.start(Cw::planCwMessage(hundred, QString(), 20, 20));
        clock.advance(7.68); // within the K of the first K1ABC
        radio.take(CatCommand::keyerSpeed(to));
        send.speedChanged(20, to);
        QVERIFY(clock.advanceUntil([&] { return !send.running(); }));
        QCOMPARE(radio.received.size(), 6);
        QCOMPARE(radio.refused, 0);
        QCOMPARE(radio.keyedEarly, 0);
        QVERIFY2(radio.idleMs <= longestIdleMs + 100, qPrintable(QString::number(radio.idleMs)));
        radio.keyer.advanceTo(clock.nowNs() / 1000, to);
        for (const auto& run : radio.keyer.takeFinishedRuns())
            radio.keyed += run.text;
        QCOMPARE(QString::fromLatin1(radio.keyed), hundred);
    }

    // The window going: nothing more, and no finished().
    void cancel()
    {
        TestClock clock;
        Radio radio{clock};
        KeyerSend send([&radio](const CatCommand& command) { return radio.take(command); });
        QSignalSpy finished(&send, &KeyerSend::finished);
        send.start(Cw::planCwMessage(hundred, QString(), 20, 20));
        send.cancel();
        clock.advance(60);
        QCOMPARE(radio.received.size(), 1);
        QCOMPARE(finished.size(), 0);
        QCOMPARE(clock.pendingAlarms(), 0);
    }
};

QTEST_GUILESS_MAIN(TestKeyerSend)
#include "tst_keyersend.moc"
