// The level, filter and typed-command builders and their words: each level at
// and beyond its bounds, every filter each mode offers, and what a typed
// command may be. Expected bytes and words are written out as they go on the
// wire and are spoken.

#include "radio/commandwords.h"
#include "radio/filterwidths.h"

#include <QTest>

#include <functional>

using Kind = CatCommand::Kind;
using Builder = std::function<CatCommand(int)>;
Q_DECLARE_METATYPE(Builder)

class TestLevelCommands : public QObject {
    Q_OBJECT

private slots:
    // Below, at and above each bound: out of range makes no command at all
    // (never a clipped or truncated text).
    void levelBounds_data()
    {
        QTest::addColumn<Builder>("build");
        QTest::addColumn<int>("value");
        QTest::addColumn<QByteArray>("expected"); // empty: refused
        const Builder ag = CatCommand::afGain, rg = CatCommand::rfGain, sq = CatCommand::squelch,
                      pc = CatCommand::transmitPower, mg = CatCommand::micGain,
                      is = CatCommand::ifShift;
        QTest::newRow("AG below") << ag << -1 << QByteArray();
        QTest::newRow("AG lowest") << ag << 0 << QByteArray("AG000;");
        QTest::newRow("AG middle") << ag << 128 << QByteArray("AG128;");
        QTest::newRow("AG highest") << ag << 255 << QByteArray("AG255;");
        QTest::newRow("AG above") << ag << 256 << QByteArray();
        QTest::newRow("RG below") << rg << -1 << QByteArray();
        QTest::newRow("RG lowest") << rg << 0 << QByteArray("RG000;");
        QTest::newRow("RG highest") << rg << 255 << QByteArray("RG255;");
        QTest::newRow("RG above") << rg << 256 << QByteArray();
        QTest::newRow("SQ below") << sq << -1 << QByteArray();
        QTest::newRow("SQ two digits") << sq << 50 << QByteArray("SQ050;");
        QTest::newRow("SQ highest") << sq << 255 << QByteArray("SQ255;");
        QTest::newRow("SQ above") << sq << 256 << QByteArray();
        QTest::newRow("PC below") << pc << 4 << QByteArray();
        QTest::newRow("PC zero") << pc << 0 << QByteArray();
        QTest::newRow("PC lowest") << pc << 5 << QByteArray("PC005;");
        QTest::newRow("PC fifty") << pc << 50 << QByteArray("PC050;");
        QTest::newRow("PC highest") << pc << 100 << QByteArray("PC100;");
        QTest::newRow("PC above") << pc << 101 << QByteArray();
        QTest::newRow("MG below") << mg << -1 << QByteArray();
        QTest::newRow("MG lowest") << mg << 0 << QByteArray("MG000;");
        QTest::newRow("MG highest") << mg << 100 << QByteArray("MG100;");
        QTest::newRow("MG above") << mg << 101 << QByteArray();
        QTest::newRow("IS below") << is << -1001 << QByteArray();
        QTest::newRow("IS lowest") << is << -1000 << QByteArray("IS-1000;");
        QTest::newRow("IS minus") << is << -300 << QByteArray("IS-0300;");
        QTest::newRow("IS zero has its sign") << is << 0 << QByteArray("IS+0000;");
        QTest::newRow("IS plus") << is << 300 << QByteArray("IS+0300;");
        QTest::newRow("IS highest") << is << 1000 << QByteArray("IS+1000;");
        QTest::newRow("IS above") << is << 1001 << QByteArray();
    }
    void levelBounds()
    {
        QFETCH(Builder, build);
        QFETCH(int, value);
        QFETCH(QByteArray, expected);
        const CatCommand command = build(value);
        QCOMPARE(command.text(), expected);
        QCOMPARE(command.isValid(), !expected.isEmpty());
        if (command.isValid()) {
            QCOMPARE(command.level(), value);
            QCOMPARE(command.framed(), expected + '\r');
        } else {
            QCOMPARE(command.kind(), Kind::None);
        }
    }

    // Each mode family's filters, exactly the values the radio keeps as
    // those filters, and nothing else.
    void filtersPerMode_data()
    {
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<QStringList>("offered");
        const QStringList cw = {"FW0050;", "FW0080;", "FW0100;", "FW0150;", "FW0200;", "FW0300;",
                                "FW0400;", "FW0500;", "FW0600;", "FW1000;", "FW2000;"};
        const QStringList fsk = {"FW0250;", "FW0500;", "FW1000;", "FW1500;"};
        const QStringList voice = {"FW0000;", "FW0001;"};
        QTest::newRow("CW") << Mode::CW << cw;
        QTest::newRow("FSK") << Mode::FSK << fsk;
        QTest::newRow("LSB") << Mode::LSB << voice;
        QTest::newRow("USB") << Mode::USB << voice;
        QTest::newRow("AM") << Mode::AM << voice;
        QTest::newRow("FM") << Mode::FM << voice;
    }
    void filtersPerMode()
    {
        QFETCH(Mode, mode);
        QFETCH(QStringList, offered);
        QStringList built;
        for (const FilterChoice& choice : filterChoices(mode)) {
            const CatCommand command = CatCommand::filterWidth(mode, choice.value);
            QCOMPARE(command.kind(), Kind::FilterWidth);
            QCOMPARE(command.mode(), mode);
            built << QString::fromLatin1(command.text());
        }
        QCOMPARE(built, offered);
        // Values between filters, and another family's, are refused.
        for (int value : {-1, 1, 49, 70, 251, 1200, 2001, 10000}) {
            if (offered.contains(QStringLiteral("FW%1;").arg(value, 4, 10, QLatin1Char('0'))))
                continue;
            QVERIFY2(!CatCommand::filterWidth(mode, value).isValid(),
                     qPrintable(QString::number(value)));
        }
    }

    // What a typed command may be: sent as typed when well formed, else no
    // command at all.
    void operatorCommands_data()
    {
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("setting") << QByteArray("PC005;") << true;
        QTest::newRow("blank inside") << QByteArray("MC 05;") << true;
        QTest::newRow("bare action TX") << QByteArray("TX;") << true;
        QTest::newRow("bare action RC") << QByteArray("RC;") << true;
        QTest::newRow("query FA") << QByteArray("FA;") << false;
        QTest::newRow("query IF") << QByteArray("IF;") << false;
        QTest::newRow("lower case") << QByteArray("pc005;") << false;
        QTest::newRow("mixed case") << QByteArray("Pc005;") << false;
        QTest::newRow("no semicolon") << QByteArray("PC005") << false;
        QTest::newRow("two commands") << QByteArray("PC005;MD3;") << false;
        QTest::newRow("carriage return") << QByteArray("PC005;\r") << false;
        QTest::newRow("control byte") << QByteArray("PC0\x05"
                                                    "5;")
                                      << false;
        QTest::newRow("high byte") << QByteArray("PC0\xe9;") << false;
        QTest::newRow("digit first") << QByteArray("1C005;") << false;
        QTest::newRow("lone semicolon") << QByteArray(";") << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void operatorCommands()
    {
        QFETCH(QByteArray, typed);
        QFETCH(bool, accepted);
        const CatCommand command = CatCommand::operatorCommand(typed);
        QCOMPARE(command.isValid(), accepted);
        QCOMPARE(command.kind(), accepted ? Kind::OperatorCommand : Kind::None);
        if (accepted)
            QCOMPARE(command.framed(), typed + '\r');
    }

    void words_data()
    {
        QTest::addColumn<QList<CatCommand>>("commands");
        QTest::addColumn<QString>("words");
        QTest::newRow("power") << QList{CatCommand::transmitPower(50)} << "Power 50 watts as sent";
        QTest::newRow("af") << QList{CatCommand::afGain(128)} << "AF gain 128 as sent";
        QTest::newRow("rf") << QList{CatCommand::rfGain(0)} << "RF gain 0 as sent";
        QTest::newRow("squelch") << QList{CatCommand::squelch(50)} << "Squelch 50 as sent";
        QTest::newRow("mic") << QList{CatCommand::micGain(100)} << "Microphone gain 100 as sent";
        QTest::newRow("shift down")
            << QList{CatCommand::ifShift(-300)} << "IF shift minus 300 Hz as sent";
        QTest::newRow("shift centre") << QList{CatCommand::ifShift(0)} << "IF shift 0 Hz as sent";
        QTest::newRow("cw filter")
            << QList{CatCommand::filterWidth(Mode::CW, 500)} << "Filter 500 Hz as sent";
        QTest::newRow("ssb narrow")
            << QList{CatCommand::filterWidth(Mode::USB, 0)} << "Filter narrow as sent";
        QTest::newRow("am wide") << QList{CatCommand::filterWidth(Mode::AM, 1)}
                                 << "Filter wide as sent";
        QTest::newRow("typed run")
            << QList{CatCommand::operatorCommand("PC005;"), CatCommand::operatorCommand("MD3;")}
            << "Sent PC005; MD3;";
        QTest::newRow("typed then mode")
            << QList{CatCommand::operatorCommand("PC005;"), CatCommand::mode(Mode::CW)}
            << "Sent PC005;, CW";
    }
    void words()
    {
        QFETCH(QList<CatCommand>, commands);
        QFETCH(QString, words);
        QCOMPARE(commandWords(commands), words);
    }
};

QTEST_GUILESS_MAIN(TestLevelCommands)
#include "tst_levelcommands.moc"
