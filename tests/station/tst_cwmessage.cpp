// A CW message into KS and KY commands without a window: the texts cut at
// word boundaries, the radio's keying time of each, the characters and macros
// refused before anything is sent. Bytes and times are written out as they go
// on the wire and as a stopwatch would measure them (PARIS: at 25 wpm a dot
// is 48 ms).

#include "station/cwmessage.h"

#include <QTest>

namespace {
QList<QByteArray> wire(const CwMessage& message)
{
    QList<QByteArray> sent;
    for (const CwPiece& piece : message.pieces)
        sent << piece.command.framed();
    return sent;
}

QList<qint64> keying(const CwMessage& message)
{
    QList<qint64> times;
    for (const CwPiece& piece : message.pieces)
        times << piece.keyingMs;
    return times;
}
} // namespace

class TestCwMessage : public QObject {
    Q_OBJECT

private slots:
    // The 60-character message of the keyer's acceptance, at 25 wpm, with and
    // without a speed sent before.
    void sixtyCharacters()
    {
        const QString text =
            QStringLiteral("CQ CQ CQ DE K1ABC K1ABC K1ABC PSE K TNX FER CALL 73 ES GL SK");
        QCOMPARE(text.size(), 60);

        const CwMessage fresh = Cw::planCwMessage(text, QString(), std::nullopt, 25);
        QVERIFY(fresh.refusal.isEmpty());
        QCOMPARE(wire(fresh), (QList<QByteArray>{"KS025;\r", "KY CQ CQ CQ DE K1ABC K1ABC ;\r",
                                                 "KY  K1ABC PSE K TNX FER    ;\r",
                                                 "KY  CALL 73 ES GL SK       ;\r"}));
        QCOMPARE(keying(fresh), (QList<qint64>{0, 12288, 8544, 7392}));
        QCOMPARE(fresh.keyingMs(), 28224);
        QCOMPARE(fresh.speedAfter, 25);
        QCOMPARE(fresh.spoken, text);

        // With 25 wpm as sent no KS goes; the control's other value is not used.
        const CwMessage known = Cw::planCwMessage(text, QString(), 25, 40);
        QCOMPARE(wire(known).size(), 3);
        QCOMPARE(wire(known).first(), QByteArray("KY CQ CQ CQ DE K1ABC K1ABC ;\r"));
        QCOMPARE(known.keyingMs(), 28224);
    }

    // How the message is cut: lower case goes up, runs of blanks are one word
    // gap, a word wider than a text is sliced, the blank between two texts
    // starts the second.
    void cutting_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QList<QByteArray>>("texts");
        QTest::newRow("lower case, blanks around")
            << QStringLiteral("  cq   test  ")
            << QList<QByteArray>{"KY CQ TEST                 ;\r"};
        QTest::newRow("exactly one text") << QStringLiteral("ABCDEFGHIJK MNOPQRSTUVWX")
                                          << QList<QByteArray>{"KY ABCDEFGHIJK MNOPQRSTUVWX;\r"};
        QTest::newRow("one character more") << QStringLiteral("ABCDEFGHIJK MNOPQRSTUVWXY")
                                            << QList<QByteArray>{"KY ABCDEFGHIJK             ;\r",
                                                                 "KY  MNOPQRSTUVWXY          ;\r"};
        QTest::newRow("a word wider than a text")
            << QStringLiteral("DE ABCDEFGHIJKLMNOPQRSTUVWXYZ0123 K")
            << QList<QByteArray>{"KY DE                      ;\r", "KY  ABCDEFGHIJKLMNOPQRSTUVW;\r",
                                 "KY XYZ0123 K               ;\r"};
    }
    void cutting()
    {
        QFETCH(QString, message);
        QFETCH(QList<QByteArray>, texts);
        QCOMPARE(wire(Cw::planCwMessage(message, QString(), 20, 20)), texts);
    }

    // PARIS timing, each character's gap after it included.
    void timing_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("wpm");
        QTest::addColumn<int>("dots");
        QTest::addColumn<qint64>("ms");
        QTest::newRow("PARIS at 20") << QByteArray("PARIS ") << 20 << 50 << qint64(3000);
        QTest::newRow("CQ TEST at 20") << QByteArray("CQ TEST") << 20 << 58 << qint64(3480);
        QTest::newRow("CQ TEST at 40") << QByteArray("CQ TEST") << 40 << 58 << qint64(1740);
        QTest::newRow("E at 60") << QByteArray("E") << 60 << 4 << qint64(80);
        QTest::newRow("0 at 10") << QByteArray("0") << 10 << 22 << qint64(2640);
        QTest::newRow("@ at 25") << QByteArray("@") << 25 << 20 << qint64(960);
        QTest::newRow("carried blank") << QByteArray(" E") << 20 << 8 << qint64(480);
        // 12 dots at 7 wpm would be 2057.14 ms: never sooner than the radio.
        QTest::newRow("rounded up") << QByteArray("TT") << 7 << 12 << qint64(2058);
    }
    void timing()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, wpm);
        QFETCH(int, dots);
        QFETCH(qint64, ms);
        QCOMPARE(Cw::dots(text), dots);
        QCOMPARE(Cw::keyingMilliseconds(text, wpm), ms);
    }

    // Nothing at all is sent when any part of the message cannot be keyed;
    // the refusal names what is wrong.
    void refusals_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("callSign");
        QTest::addColumn<QString>("named");
        QTest::newRow("hash and percent, each once")
            << QStringLiteral("CQ #1 50% #2") << QString()
            << QStringLiteral("these characters: # and %.");
        QTest::newRow("tab") << QStringLiteral("CQ\tTEST") << QString()
                             << QStringLiteral("this character: tab.");
        QTest::newRow("accented letter")
            << QStringLiteral("CQ FRANÇOIS") << QString() << QStringLiteral("this character: Ç.");
        QTest::newRow("prosign stand-ins") << QStringLiteral("<AR> [SK] *") << QString()
                                           << QStringLiteral("these characters: < > [ ] and *.");
        QTest::newRow("semicolon")
            << QStringLiteral("73;TX") << QString() << QStringLiteral("this character: ;.");
        QTest::newRow("stray brace") << QStringLiteral("CQ {CALL") << QStringLiteral("K1ABC")
                                     << QStringLiteral("this character: {.");
        QTest::newRow("in the call sign") << QStringLiteral("DE {CALL}") << QStringLiteral("K1ABC#")
                                          << QStringLiteral("this character: #.");
        QTest::newRow("unknown macro") << QStringLiteral("CQ {NAME} K") << QString()
                                       << QStringLiteral("does not know the macro {NAME}");
        QTest::newRow("call sign not set") << QStringLiteral("CQ DE {CALL}") << QStringLiteral("  ")
                                           << QStringLiteral("no call sign is set");
        QTest::newRow("blank") << QStringLiteral("   ") << QString()
                               << QStringLiteral("nothing to send");
        QTest::newRow("macro alone")
            << QStringLiteral("{SPEED+}") << QString() << QStringLiteral("nothing to send");
    }
    void refusals()
    {
        QFETCH(QString, message);
        QFETCH(QString, callSign);
        QFETCH(QString, named);
        const CwMessage plan = Cw::planCwMessage(message, callSign, std::nullopt, 20);
        QVERIFY(plan.pieces.isEmpty());
        QVERIFY2(plan.refusal.contains(named), qPrintable(plan.refusal));
    }

    // {CALL} and the speed steps: a KS between two texts, within 10 to 60,
    // the texts' keying time at the speed they are keyed at.
    void macros()
    {
        const CwMessage call = Cw::planCwMessage(QStringLiteral("cq de {call} {CALL} k"),
                                                 QStringLiteral(" k1abc "), 20, 20);
        QCOMPARE(wire(call), (QList<QByteArray>{"KY CQ DE K1ABC K1ABC K     ;\r"}));
        QCOMPARE(call.spoken, QStringLiteral("CQ DE K1ABC K1ABC K"));

        const CwMessage faster =
            Cw::planCwMessage(QStringLiteral("TEST {SPEED+} 5NN{SPEED-}TU"), QString(), 20, 20);
        QCOMPARE(wire(faster), (QList<QByteArray>{"KY TEST                    ;\r", "KS025;\r",
                                                  "KY  5NN                    ;\r", "KS020;\r",
                                                  "KY TU                      ;\r"}));
        // TEST 24 dots at 20 wpm; " 5NN" 4 + 12 + 8 + 8 = 32 dots at 25;
        // TU (run on to 5NN: no blank before it) 6 + 10 = 16 dots at 20.
        QCOMPARE(keying(faster), (QList<qint64>{1440, 0, 1536, 0, 960}));
        QCOMPARE(faster.spoken, QStringLiteral("TEST 5NNTU"));
        QCOMPARE(faster.speedAfter, 20);

        const CwMessage atTop =
            Cw::planCwMessage(QStringLiteral("E {SPEED+} E {SPEED+} E"), QString(), 55, 20);
        QCOMPARE(wire(atTop), (QList<QByteArray>{"KY E                       ;\r", "KS060;\r",
                                                 "KY  E                      ;\r",
                                                 "KY  E                      ;\r"}));
        const CwMessage atBottom =
            Cw::planCwMessage(QStringLiteral("{SPEED-}E"), QString(), std::nullopt, 10);
        QCOMPARE(wire(atBottom), (QList<QByteArray>{"KS010;\r", "KY E                       ;\r"}));
    }

    void speedControl()
    {
        StationState state;
        const StationStep step = Station::setKeyerSpeed(state, 30);
        QCOMPARE(step.commands.size(), 1);
        QCOMPARE(step.commands.first().framed(), QByteArray("KS030;\r"));
        QCOMPARE(step.state.keyerWordsPerMinute, std::optional<int>(30));
        QCOMPARE(step.words, QStringLiteral("CW speed 30 words per minute as sent"));

        const StationStep tooFast = Station::setKeyerSpeed(step.state, 61);
        QVERIFY(tooFast.commands.isEmpty());
        QCOMPARE(tooFast.state.keyerWordsPerMinute, std::optional<int>(30));
        QVERIFY(!tooFast.refusal.isEmpty());

        const CwMessage faster =
            Cw::planCwMessage(QStringLiteral("A {SPEED+} B"), QString(), 30, 30);
        StationState after = step.state;
        for (const CwPiece& piece : faster.pieces)
            after = Station::sendCwPiece(after, piece).state;
        QCOMPARE(after.keyerWordsPerMinute, std::optional<int>(35));
    }
};

QTEST_GUILESS_MAIN(TestCwMessage)
#include "tst_cwmessage.moc"
