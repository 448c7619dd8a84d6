#include "radio/catcommand.h"
#include "radio/commandwords.h"

#include <QTest>

// The keyer's two commands byte for byte, their bounds, and their words.
class TestKeyerCommand : public QObject {
    Q_OBJECT

private slots:
    void speedBounds_data()
    {
        QTest::addColumn<int>("wpm");
        QTest::addColumn<QByteArray>("wire"); // empty: refused
        QTest::newRow("below") << 9 << QByteArray();
        QTest::newRow("slowest") << 10 << QByteArray("KS010;\r");
        QTest::newRow("usual") << 25 << QByteArray("KS025;\r");
        QTest::newRow("fastest") << 60 << QByteArray("KS060;\r");
        QTest::newRow("above") << 61 << QByteArray();
        QTest::newRow("negative") << -20 << QByteArray();
    }
    void speedBounds()
    {
        QFETCH(int, wpm);
        QFETCH(QByteArray, wire);
        const CatCommand command = CatCommand::keyerSpeed(wpm);
        QCOMPARE(command.isValid(), !wire.isEmpty());
        if (wire.isEmpty()) {
            QCOMPARE(command.kind(), CatCommand::Kind::None);
            return;
        }
        QCOMPARE(command.framed(), wire);
        QCOMPARE(command.kind(), CatCommand::Kind::KeyerSpeed);
        QCOMPARE(command.wordsPerMinute(), wpm);
    }

    // Always 28 bytes before the carriage return, whatever the text's length;
    // anything the radio could not key, or that would not fit, is no command.
    void keyerTexts_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("wire"); // empty: refused
        QTest::newRow("short") << QByteArray("CQ TEST")
                               << QByteArray("KY CQ TEST                 ;\r");
        QTest::newRow("one character")
            << QByteArray("E") << QByteArray("KY E                       ;\r");
        QTest::newRow("carried blank")
            << QByteArray(" K1ABC K") << QByteArray("KY  K1ABC K                ;\r");
        QTest::newRow("full width") << QByteArray("ABCDEFGHIJKLMNOPQRSTUVWX")
                                    << QByteArray("KY ABCDEFGHIJKLMNOPQRSTUVWX;\r");
        QTest::newRow("every sign") << QByteArray(".,?/=+-()'\":@ 0123456789")
                                    << QByteArray("KY .,?/=+-()'\":@ 0123456789;\r");
        QTest::newRow("one too wide") << QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXY") << QByteArray();
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("lower case") << QByteArray("cq test") << QByteArray();
        QTest::newRow("semicolon") << QByteArray("CQ;FA") << QByteArray();
        QTest::newRow("hash") << QByteArray("CQ #1") << QByteArray();
        QTest::newRow("carriage return") << QByteArray("CQ\rTX") << QByteArray();
        QTest::newRow("prosign stand-ins") << QByteArray("<AR>[SK]*_%") << QByteArray();
    }
    void keyerTexts()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, wire);
        const CatCommand command = CatCommand::keyerText(text);
        QCOMPARE(command.isValid(), !wire.isEmpty());
        if (wire.isEmpty())
            return;
        QCOMPARE(command.framed(), wire);
        QCOMPARE(command.framed().size(), 29);
        QCOMPARE(command.kind(), CatCommand::Kind::KeyerText);
        QCOMPARE(command.keyedText(), text);
    }

    void words()
    {
        QCOMPARE(commandWords({CatCommand::keyerSpeed(25)}),
                 QStringLiteral("CW speed 25 words per minute"));
        QCOMPARE(commandWords({CatCommand::keyerText(" K1ABC K")}), QStringLiteral("CW: K1ABC K"));
    }
};

QTEST_GUILESS_MAIN(TestKeyerCommand)
#include "tst_keyercommand.moc"
