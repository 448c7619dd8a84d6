#include "../core/commandframer.h"
#include "../core/logline.h"
#include "../core/ts570.h"
#include "../pty/options.h"

#include <QTest>

using namespace vradio;

namespace {

// One observable piece of the radio state as text, so that a table row can
// name what it expects without a column per field.
QString probe(const RadioState& s, const QString& what)
{
    const auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    if (what == u"vfoA")
        return QString::number(s.vfoA);
    if (what == u"vfoB")
        return QString::number(s.vfoB);
    if (what == u"active")
        return QStringLiteral("%1 mode%2").arg(s.activeFrequency()).arg(int(s.activeMode()));
    if (what == u"modes")
        return QStringLiteral("%1 %2 %3")
            .arg(int(s.modeA))
            .arg(int(s.modeB))
            .arg(int(s.memoryMode));
    if (what == u"receiver") {
        const QString names[] = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("M")};
        QString text = names[int(s.receiver)];
        if (s.receiver == Receiver::Memory)
            text += QString::number(s.memoryChannel).rightJustified(2, QLatin1Char('0'));
        return text;
    }
    if (what.startsWith(u"mem")) {
        const MemoryChannel& m = s.memories[what.mid(3).toInt()];
        if (!m.stored)
            return QStringLiteral("empty");
        QString text = QStringLiteral("%1 mode%2 lockout%3 tone%4/%5")
                           .arg(m.frequency)
                           .arg(int(m.mode))
                           .arg(flag(m.lockout), flag(m.tone))
                           .arg(m.toneNumber);
        if (m.split)
            text += QStringLiteral(" split %1 mode%2").arg(m.splitFrequency).arg(int(m.splitMode));
        return text;
    }
    if (what == u"nb")
        return flag(s.noiseBlanker);
    if (what == u"nr")
        return QString::number(s.noiseReduction);
    if (what == u"att")
        return flag(s.attenuator);
    if (what == u"pre")
        return flag(s.preamp);
    if (what == u"proc")
        return flag(s.processor);
    if (what == u"vox")
        return flag(s.vox);
    if (what == u"lock")
        return flag(s.locked);
    if (what == u"scan")
        return flag(s.scanning);
    if (what == u"ant")
        return QString::number(s.antenna);
    if (what == u"tuner")
        return flag(s.tunerInLine) + QLatin1Char('/') + flag(s.tuning);
    if (what == u"tx")
        return flag(s.transmitting);
    if (what == u"power")
        return flag(s.powered);
    return QStringLiteral("unknown probe ") + what;
}

const QByteArray ch07 = "MW0 070002748500020001 ;"; // 27.485 MHz USB
const QByteArray ch03 = "MW0 030000703500030001 ;"; // 7.035 MHz CW

} // namespace

class TestDecoder : public QObject {
    Q_OBJECT
private slots:
    void commandChangesState_data();
    void commandChangesState();
    void rejectedCommandChangesNothing_data();
    void rejectedCommandChangesNothing();
    void readCommandsAnswer_data();
    void readCommandsAnswer();
    void switchedOffRadioHearsOnlyPower();
    void tuningEnds();
    void autoInformationReports_data();
    void autoInformationReports();
    void modelD();
    void switchedOffRadioStillSaysWhoItIs();
    void coverage_data();
    void coverage();
    void levelBounds_data();
    void levelBounds();
    void filterWidths_data();
    void filterWidths();

    void keyerKeysInTime();
    void keyerHoldsTwoTexts();
    void keyerRefusesMalformedText_data();
    void keyerRefusesMalformedText();
    void pacedSenderNeverOverflows();
    void switchingOffCutsTheKeying();

    void framing_data();
    void framing();
    void framerBoundsUnterminatedText();

    void logLines();
    void options_data();
    void options();
    void modelAndDelayOptions_data();
    void modelAndDelayOptions();
};

void TestDecoder::commandChangesState_data()
{
    QTest::addColumn<QList<QByteArray>>("commands");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("expected");

    using L = QList<QByteArray>;
    QTest::newRow("defaults") << L{} << "active"
                              << "14000000 mode2";
    QTest::newRow("FA") << L{"FA00007000000;"} << "vfoA"
                        << "7000000";
    QTest::newRow("FA Hz kept") << L{"FA00003581500;"} << "vfoA"
                                << "3581500";
    QTest::newRow("FA leaves B") << L{"FA00007000000;"} << "vfoB"
                                 << "14000000";
    QTest::newRow("FB") << L{"FB00021000000;"} << "vfoB"
                        << "21000000";
    QTest::newRow("FB while on A") << L{"FB00021000000;"} << "active"
                                   << "14000000 mode2";
    QTest::newRow("FR1 listens on B") << L{"FB00021000000;", "FR1;"} << "active"
                                      << "21000000 mode2";
    QTest::newRow("FR0") << L{"FR1;", "FR0;"} << "receiver"
                         << "A";
    QTest::newRow("FR1") << L{"FR1;"} << "receiver"
                         << "B";
    QTest::newRow("FR2") << L{"FR2;"} << "receiver"
                         << "M00";
    QTest::newRow("FR2 on empty channel") << L{"FR2;"} << "active"
                                          << "0 mode2";

    QTest::newRow("MW0 stores") << L{ch07} << "mem07"
                                << "27485000 mode2 lockout0 tone0/1";
    QTest::newRow("MW0 all fields") << L{"MW0 990000500000051120 ;"} << "mem99"
                                    << "5000000 mode5 lockout1 tone1/20";
    QTest::newRow("MW0 not used characters") << L{"MW0x070002748500020001_;"} << "mem07"
                                             << "27485000 mode2 lockout0 tone0/1";
    QTest::newRow("MW0 leaves others") << L{ch07} << "mem06"
                                       << "empty";
    QTest::newRow("MW0 overwrites") << L{ch07, "MW0 070000700000010001 ;"} << "mem07"
                                    << "7000000 mode1 lockout0 tone0/1";
    QTest::newRow("MW1 adds split") << L{ch07, "MW1 070002800000020001 ;"} << "mem07"
                                    << "27485000 mode2 lockout0 tone0/1 split 28000000 mode2";
    QTest::newRow("MW0 clears split") << L{ch07, "MW1 070002800000020001 ;", ch07} << "mem07"
                                      << "27485000 mode2 lockout0 tone0/1";
    QTest::newRow("MC recalls") << L{ch07, "FR2;", "MC 07;"} << "active"
                                << "27485000 mode2";
    QTest::newRow("MC enters memory") << L{ch07, "MC 07;"} << "receiver"
                                      << "M07";
    QTest::newRow("MC keeps VFOs") << L{ch07, "MC 07;"} << "vfoA"
                                   << "14000000";
    QTest::newRow("MW refreshes recalled")
        << L{ch07, "MC 07;", "MW0 070000700000030001 ;"} << "active"
        << "7000000 mode3";
    QTest::newRow("FR0 leaves memory") << L{ch07, "MC 07;", "FR0;"} << "active"
                                       << "14000000 mode2";
    QTest::newRow("FR2 returns to channel") << L{ch07, "MC 07;", "FR0;", "FR2;"} << "active"
                                            << "27485000 mode2";

    for (int digit = 1; digit <= 6; ++digit) {
        const QByteArray md = "MD" + QByteArray::number(digit) + ';';
        QTest::newRow(md.constData())
            << L{md} << "active" << QStringLiteral("14000000 mode%1").arg(digit);
    }
    QTest::newRow("MD on B only") << L{"FR1;", "MD3;"} << "modes"
                                  << "2 3 2";
    QTest::newRow("MD on memory keeps stored") << L{ch07, "MC 07;", "MD5;"} << "mem07"
                                               << "27485000 mode2 lockout0 tone0/1";
    QTest::newRow("MD on memory works") << L{ch07, "MC 07;", "MD5;"} << "active"
                                        << "27485000 mode5";

    QTest::newRow("NB1") << L{"NB1;"} << "nb"
                         << "1";
    QTest::newRow("NB0") << L{"NB1;", "NB0;"} << "nb"
                         << "0";
    QTest::newRow("NR1") << L{"NR1;"} << "nr"
                         << "1";
    QTest::newRow("NR2") << L{"NR2;"} << "nr"
                         << "2";
    QTest::newRow("NR0") << L{"NR2;", "NR0;"} << "nr"
                         << "0";
    QTest::newRow("RA01") << L{"RA01;"} << "att"
                          << "1";
    QTest::newRow("RA00") << L{"RA01;", "RA00;"} << "att"
                          << "0";
    QTest::newRow("PA1") << L{"PA1;"} << "pre"
                         << "1";
    QTest::newRow("PA0") << L{"PA1;", "PA0;"} << "pre"
                         << "0";
    QTest::newRow("PR1") << L{"PR1;"} << "proc"
                         << "1";
    QTest::newRow("PR0") << L{"PR1;", "PR0;"} << "proc"
                         << "0";
    QTest::newRow("VX1") << L{"VX1;"} << "vox"
                         << "1";
    QTest::newRow("VX0") << L{"VX1;", "VX0;"} << "vox"
                         << "0";
    QTest::newRow("LK1") << L{"LK1;"} << "lock"
                         << "1";
    QTest::newRow("LK0") << L{"LK1;", "LK0;"} << "lock"
                         << "0";
    QTest::newRow("SC1") << L{"SC1;"} << "scan"
                         << "1";
    QTest::newRow("SC0") << L{"SC1;", "SC0;"} << "scan"
                         << "0";
    QTest::newRow("AN2") << L{"AN2;"} << "ant"
                         << "2";
    QTest::newRow("AN1") << L{"AN2;", "AN1;"} << "ant"
                         << "1";
    QTest::newRow("AC 11 tunes") << L{"AC 11;"} << "tuner"
                                 << "1/1";
    QTest::newRow("AC 10 in line") << L{"AC 11;", "AC 10;"} << "tuner"
                                   << "1/0";
    QTest::newRow("AC 01 cannot tune through") << L{"AC 01;"} << "tuner"
                                               << "0/0";
    QTest::newRow("TX") << L{"TX;"} << "tx"
                        << "1";
    QTest::newRow("RX") << L{"TX;", "RX;"} << "tx"
                        << "0";

    QTest::newRow("PS0") << L{"PS0;"} << "power"
                         << "0";
    QTest::newRow("PS1 after PS0") << L{"PS0;", "PS1;"} << "power"
                                   << "1";
    QTest::newRow("power cycle keeps VFO") << L{"FA00007000000;", "PS0;", "PS1;"} << "vfoA"
                                           << "7000000";
    QTest::newRow("power off ends TX") << L{"TX;", "PS0;", "PS1;"} << "tx"
                                       << "0";
    QTest::newRow("power off ends scan") << L{"SC1;", "PS0;", "PS1;"} << "scan"
                                         << "0";

    const L busy{"FA00007000000;", "FB00021000000;", "FR1;", "MD3;", "NB1;", "NR2;",
                 "RA01;",          "PA1;",           "PR1;", "VX1;", "LK1;", "SC1;",
                 "AN2;",           "AC 11;",         "TX;",  ch07};
    QTest::newRow("SR1 resets VFO A") << busy + L{"SR1;"} << "vfoA"
                                      << "14000000";
    QTest::newRow("SR1 resets receiver and mode") << busy + L{"SR1;"} << "active"
                                                  << "14000000 mode2";
    QTest::newRow("SR1 resets switches") << busy + L{"SR1;"} << "nr"
                                         << "0";
    QTest::newRow("SR1 resets antenna") << busy + L{"SR1;"} << "ant"
                                        << "1";
    QTest::newRow("SR1 resets TX") << busy + L{"SR1;"} << "tx"
                                   << "0";
    QTest::newRow("SR1 keeps memories") << busy + L{"SR1;"} << "mem07"
                                        << "27485000 mode2 lockout0 tone0/1";
    QTest::newRow("SR2 clears memories") << busy + L{"SR2;"} << "mem07"
                                         << "empty";
    QTest::newRow("SR2 resets tuner") << busy + L{"SR2;"} << "tuner"
                                      << "0/0";

    // What the radio's manual allows beyond what Quillard sends.
    QTest::newRow("lower case") << L{"fa00007000000;"} << "vfoA"
                                << "7000000";
    QTest::newRow("mixed case") << L{"Fb00021000000;"} << "vfoB"
                                << "21000000";
    QTest::newRow("CR inside skipped") << L{"FA0000\r7000000;"} << "vfoA"
                                       << "7000000";
    QTest::newRow("control characters skipped") << L{"\x01N\x7f"
                                                     "B1\t;"}
                                                << "nb"
                                                << "1";
    QTest::newRow("MD7 CW-R") << L{"MD7;"} << "active"
                              << "14000000 mode7";
    QTest::newRow("MD9 FSK-R") << L{"FR1;", "MD9;"} << "modes"
                               << "2 9 2";
    QTest::newRow("MW mode 7") << L{"MW0 070002748500070001 ;"} << "mem07"
                               << "27485000 mode7 lockout0 tone0/1";
    QTest::newRow("MW tone off 00") << L{"MW0 070002748500020000 ;"} << "mem07"
                                    << "27485000 mode2 lockout0 tone0/0";
    // Hamlib empties a channel, or its transmit half, with a zero frequency
    // and nothing after it.
    QTest::newRow("MW0 zero empties") << L{ch07, "MW0 0700000000000;"} << "mem07"
                                      << "empty";
    QTest::newRow("MW1 zero ends split")
        << L{ch07, "MW1 070002800000020001 ;", "MW1 0700000000000;"} << "mem07"
        << "27485000 mode2 lockout0 tone0/1";
    QTest::newRow("MW0 zero in memory mode")
        << L{ch07, "MC 07;", "MW0 070000000000000000 ;"} << "active"
        << "0 mode2";

    QTest::newRow("UP") << L{"UP;"} << "vfoA"
                        << "14000010";
    QTest::newRow("DN") << L{"DN;"} << "vfoA"
                        << "13999990";
    QTest::newRow("UP on B") << L{"FR1;", "UP;", "UP;"} << "vfoB"
                             << "14000020";
    QTest::newRow("UP on B leaves A") << L{"FR1;", "UP;"} << "vfoA"
                                      << "14000000";
    QTest::newRow("UP locked") << L{"LK1;", "UP;"} << "vfoA"
                               << "14000000";
    QTest::newRow("FA while locked") << L{"LK1;", "FA00007000000;"} << "vfoA"
                                     << "7000000";
    QTest::newRow("UP at top edge") << L{"FA00059999995;", "UP;"} << "vfoA"
                                    << "59999995";
    QTest::newRow("DN at bottom edge") << L{"FA00000500000;", "DN;"} << "vfoA"
                                       << "500000";
    QTest::newRow("UP next channel") << L{ch03, ch07, "MC 03;", "UP;"} << "receiver"
                                     << "M07";
    QTest::newRow("DN wraps channels") << L{ch03, ch07, "MC 03;", "DN;"} << "receiver"
                                       << "M07";
    QTest::newRow("UP only channel") << L{ch07, "MC 07;", "UP;"} << "active"
                                     << "27485000 mode2";
}

void TestDecoder::commandChangesState()
{
    QFETCH(QList<QByteArray>, commands);
    QFETCH(QString, what);
    QFETCH(QString, expected);

    Ts570 radio;
    for (const QByteArray& command : commands) {
        const Outcome outcome = radio.execute(command);
        QVERIFY2(outcome.kind == Outcome::Kind::Applied, command.constData());
        QVERIFY2(outcome.reply.isEmpty(), command.constData());
    }
    QCOMPARE(probe(radio.state(), what), expected);
}

void TestDecoder::rejectedCommandChangesNothing_data()
{
    QTest::addColumn<QByteArray>("command");

    QTest::newRow("short frequency") << QByteArray("FA123;");
    QTest::newRow("long frequency") << QByteArray("FA000140000000;");
    QTest::newRow("letter in frequency") << QByteArray("FA0001400000A;");
    QTest::newRow("below coverage") << QByteArray("FA00000499999;");
    QTest::newRow("above coverage") << QByteArray("FB00060000001;");
    QTest::newRow("unknown name") << QByteArray("XX;");
    QTest::newRow("lower case parameter") << QByteArray("MC a05;");
    QTest::newRow("MC without blank") << QByteArray("MC5;");
    QTest::newRow("MC one digit") << QByteArray("MC 5;");
    QTest::newRow("MC empty channel") << QByteArray("MC 07;");
    QTest::newRow("MC control char") << QByteArray("MC\t03;");
    QTest::newRow("MW without mode") << QByteArray("MW0 07000274850020001 ;");
    QTest::newRow("MW mode 8") << QByteArray("MW0 070002748500080001 ;");
    QTest::newRow("MW mode 0") << QByteArray("MW0 070002748500000001 ;");
    QTest::newRow("MW tone on 00") << QByteArray("MW0 070002748500020100 ;");
    QTest::newRow("MW frequency letters") << QByteArray("MW0 07000abcdefg020001 ;");
    QTest::newRow("MW out of coverage") << QByteArray("MW0 070009999999020001 ;");
    QTest::newRow("MW1 on empty channel") << QByteArray("MW1 070002748500020001 ;");
    QTest::newRow("MW2") << QByteArray("MW2 070002748500020001 ;");
    QTest::newRow("FR3") << QByteArray("FR3;");
    QTest::newRow("MD0") << QByteArray("MD0;");
    QTest::newRow("MD8") << QByteArray("MD8;");
    QTest::newRow("NB2") << QByteArray("NB2;");
    QTest::newRow("NB blank") << QByteArray("NB 1;");
    QTest::newRow("NR3") << QByteArray("NR3;");
    QTest::newRow("RA one digit") << QByteArray("RA1;");
    QTest::newRow("RA02") << QByteArray("RA02;");
    QTest::newRow("AN0") << QByteArray("AN0;");
    QTest::newRow("AN3") << QByteArray("AN3;");
    QTest::newRow("AC short") << QByteArray("AC11;");
    QTest::newRow("AC 21") << QByteArray("AC 21;");
    QTest::newRow("TX1") << QByteArray("TX1;");
    QTest::newRow("PS2") << QByteArray("PS2;");
    QTest::newRow("SR3") << QByteArray("SR3;");
    QTest::newRow("SR read") << QByteArray("SR;");
    QTest::newRow("UP1") << QByteArray("UP1;");
    QTest::newRow("MR without blank") << QByteArray("MR007;");
    QTest::newRow("MR half 2") << QByteArray("MR2 07;");
    QTest::newRow("MR one digit") << QByteArray("MR0 7;");
    QTest::newRow("MR read form") << QByteArray("MR;");
    QTest::newRow("MW1 zero without channel") << QByteArray("MW1 0x00000000000;");
    QTest::newRow("FT3") << QByteArray("FT3;");
    QTest::newRow("PC below 5 W") << QByteArray("PC004;");
    QTest::newRow("PC above 100 W") << QByteArray("PC101;");
    QTest::newRow("SL12") << QByteArray("SL12;");
    QTest::newRow("IS beyond 1100") << QByteArray("IS+1200;");
    QTest::newRow("IS bad sign") << QByteArray("IS*0100;");
    QTest::newRow("SM set") << QByteArray("SM1;");
    QTest::newRow("RU with step") << QByteArray("RU1;");
    QTest::newRow("TX2") << QByteArray("TX2;");
    QTest::newRow("AI2") << QByteArray("AI2;");
    QTest::newRow("IF with parameter") << QByteArray("IF1;");
    QTest::newRow("bare terminator") << QByteArray(";");
    QTest::newRow("no terminator") << QByteArray("FA00007000000");
    QTest::newRow("CR inside MC blank") << QByteArray("MC\r05;");
}

void TestDecoder::rejectedCommandChangesNothing()
{
    QFETCH(QByteArray, command);

    Ts570 radio;
    radio.execute("NB1;");
    const RadioState before = radio.state();
    const Outcome outcome = radio.execute(command);
    QVERIFY(outcome.kind == Outcome::Kind::Rejected);
    QCOMPARE(outcome.reply, QByteArray("?;"));
    QVERIFY(radio.state() == before);
}

void TestDecoder::readCommandsAnswer_data()
{
    QTest::addColumn<QList<QByteArray>>("setup");
    QTest::addColumn<QByteArray>("query");
    QTest::addColumn<QByteArray>("reply");

    using L = QList<QByteArray>;
    QTest::newRow("FA") << L{} << QByteArray("FA;") << QByteArray("FA00014000000;");
    QTest::newRow("FB") << L{"FB00003581500;"} << QByteArray("FB;") << QByteArray("FB00003581500;");
    QTest::newRow("FR") << L{"FR1;"} << QByteArray("FR;") << QByteArray("FR1;");
    QTest::newRow("MD") << L{"MD6;"} << QByteArray("MD;") << QByteArray("MD6;");
    QTest::newRow("MC") << L{ch07, "MC 07;"} << QByteArray("MC;") << QByteArray("MC 07;");
    QTest::newRow("RA two digits") << L{"RA01;"} << QByteArray("RA;") << QByteArray("RA01;");
    QTest::newRow("NR") << L{"NR2;"} << QByteArray("NR;") << QByteArray("NR2;");
    QTest::newRow("AN") << L{"AN2;"} << QByteArray("AN;") << QByteArray("AN2;");
    QTest::newRow("AC") << L{"AC 11;"} << QByteArray("AC;") << QByteArray("AC111;");
    QTest::newRow("PS") << L{} << QByteArray("PS;") << QByteArray("PS1;");
    QTest::newRow("PS while off") << L{"PS0;"} << QByteArray("PS;") << QByteArray("PS0;");
    QTest::newRow("ID") << L{} << QByteArray("ID;") << QByteArray("ID018;");
    QTest::newRow("lower case read")
        << L{"FA00007000000;"} << QByteArray("fa;") << QByteArray("FA00007000000;");

    // IF: frequency, 5 blanks, RIT/XIT offset, RIT, XIT, 0, channel, TX,
    // mode, VFO/memory, scan, split, tone, tone number, a blank.
    QTest::newRow("IF defaults") << L{} << QByteArray("IF;")
                                 << QByteArray("IF00014000000     +00000000002000001 ;");
    QTest::newRow("IF RIT up 30 Hz") << L{"RT1;", "RU;", "RU;", "RU;"} << QByteArray("IF;")
                                     << QByteArray("IF00014000000     +00301000002000001 ;");
    QTest::newRow("IF XIT down 20 Hz") << L{"XT1;", "RD;", "RD;"} << QByteArray("IF;")
                                       << QByteArray("IF00014000000     -00200100002000001 ;");
    QTest::newRow("IF RIT cleared") << L{"RT1;", "RU;", "RC;"} << QByteArray("IF;")
                                    << QByteArray("IF00014000000     +00001000002000001 ;");
    QTest::newRow("IF RIT stops at 9990") << QList<QByteArray>(1000, "RU;") << QByteArray("IF;")
                                          << QByteArray("IF00014000000     +99900000002000001 ;");
    QTest::newRow("IF memory channel") << L{ch07, "MC 07;"} << QByteArray("IF;")
                                       << QByteArray("IF00027485000     +00000000702200001 ;");
    QTest::newRow("IF CW-R on B") << L{"FB00007030000;", "FR1;", "MD7;"} << QByteArray("IF;")
                                  << QByteArray("IF00007030000     +00000000007100001 ;");
    QTest::newRow("IF split receiving") << L{"FB00021076000;", "FT1;"} << QByteArray("IF;")
                                        << QByteArray("IF00014000000     +00000000002001001 ;");
    QTest::newRow("IF split transmitting shows B")
        << L{"FB00021076000;", "FT1;", "TX;"} << QByteArray("IF;")
        << QByteArray("IF00021076000     +00000000012101001 ;");
    QTest::newRow("IF scan and tone") << L{"SC1;", "TO1;", "TN12;"} << QByteArray("IF;")
                                      << QByteArray("IF00014000000     +00000000002010112 ;");
    QTest::newRow("IF RIT stops at -9990") << QList<QByteArray>(1000, "RD;") << QByteArray("IF;")
                                           << QByteArray("IF00014000000     -99900000002000001 ;");
    QTest::newRow("IF XIT shares RIT's offset")
        << L{"RT1;", "RU;", "RU;", "XT1;", "RD;"} << QByteArray("IF;")
        << QByteArray("IF00014000000     +00101100002000001 ;");
    QTest::newRow("IF RIT off keeps offset")
        << L{"RT1;", "RU;", "RT0;"} << QByteArray("IF;")
        << QByteArray("IF00014000000     +00100000002000001 ;");
    QTest::newRow("FR ends split") << L{"FT1;", "FR0;"} << QByteArray("FT;") << QByteArray("FT0;");
    QTest::newRow("FR1 moves transmitter too")
        << L{"FR0;", "FT1;", "FR1;"} << QByteArray("FT;") << QByteArray("FT1;");
    QTest::newRow("split after band button")
        << L{"FR0;", "FT1;", "FR0;", "FA00007030000;"} << QByteArray("IF;")
        << QByteArray("IF00007030000     +00000000002000001 ;");
    QTest::newRow("FT") << L{"FR1;", "FT0;"} << QByteArray("FT;") << QByteArray("FT0;");

    // MR: half, blank, channel, frequency, mode, lockout, tone, tone number,
    // blank; the layout MW writes.
    QTest::newRow("MR empty channel")
        << L{} << QByteArray("MR0 07;") << QByteArray("MR0 070000000000000000 ;");
    QTest::newRow("MR1 empty channel")
        << L{} << QByteArray("MR1 99;") << QByteArray("MR1 990000000000000000 ;");
    QTest::newRow("MR stored") << L{ch07} << QByteArray("MR0 07;")
                               << QByteArray("MR0 070002748500020001 ;");
    QTest::newRow("MR all fields") << L{"MW0 990005012500041120 ;"} << QByteArray("MR0 99;")
                                   << QByteArray("MR0 990005012500041120 ;");
    QTest::newRow("MR1 simplex repeats")
        << L{ch07} << QByteArray("MR1 07;") << QByteArray("MR1 070002748500020001 ;");
    QTest::newRow("MR1 split") << L{ch07, "MW1 070002800000030001 ;"} << QByteArray("MR1 07;")
                               << QByteArray("MR1 070002800000030001 ;");
    QTest::newRow("MR0 of split") << L{ch07, "MW1 070002800000030001 ;"} << QByteArray("MR0 07;")
                                  << QByteArray("MR0 070002748500020001 ;");
    QTest::newRow("MR after Hamlib's erase")
        << L{ch07, "MW0 0700000000000;"} << QByteArray("MR0 07;")
        << QByteArray("MR0 070000000000000000 ;");

    QTest::newRow("AI") << L{} << QByteArray("AI;") << QByteArray("AI0;");
    QTest::newRow("AI1") << L{"AI1;"} << QByteArray("AI;") << QByteArray("AI1;");
    QTest::newRow("SL") << L{"SL03;"} << QByteArray("SL;") << QByteArray("SL03;");
    QTest::newRow("PC") << L{} << QByteArray("PC;") << QByteArray("PC100;");
    QTest::newRow("IS") << L{} << QByteArray("IS;") << QByteArray("IS+0000;");
    QTest::newRow("IS down") << L{"IS-0200;"} << QByteArray("IS;") << QByteArray("IS-0200;");
    QTest::newRow("IS blank sign") << L{"IS 0300;"} << QByteArray("IS;") << QByteArray("IS+0300;");
    QTest::newRow("RM") << L{"RM3;"} << QByteArray("RM;") << QByteArray("RM30000;");
    QTest::newRow("SM") << L{} << QByteArray("SM;") << QByteArray("SM0007;");
    QTest::newRow("SM transmitting") << L{"TX;"} << QByteArray("SM;") << QByteArray("SM0000;");
    QTest::newRow("BY") << L{} << QByteArray("BY;") << QByteArray("BY0;");
    QTest::newRow("KY room") << L{} << QByteArray("KY;") << QByteArray("KY0;");
    QTest::newRow("FW USB") << L{} << QByteArray("FW;") << QByteArray("FW0001;");
    QTest::newRow("FW CW") << L{"MD3;"} << QByteArray("FW;") << QByteArray("FW0500;");
    QTest::newRow("TX0 microphone")
        << L{"TX0;"} << QByteArray("IF;") << QByteArray("IF00014000000     +00000000012000001 ;");
}

void TestDecoder::readCommandsAnswer()
{
    QFETCH(QList<QByteArray>, setup);
    QFETCH(QByteArray, query);
    QFETCH(QByteArray, reply);

    Ts570 radio;
    for (const QByteArray& command : setup)
        radio.execute(command);
    const RadioState before = radio.state();
    const Outcome outcome = radio.execute(query);
    QVERIFY(outcome.kind == Outcome::Kind::Answered);
    QCOMPARE(outcome.reply, reply);
    QVERIFY(radio.state() == before);
}

void TestDecoder::switchedOffRadioHearsOnlyPower()
{
    Ts570 radio;
    radio.execute("PS0;");
    const RadioState off = radio.state();
    for (const QByteArray& command :
         {QByteArray("FA00007000000;"), QByteArray("XX;"), QByteArray("SR2;"), QByteArray("FA;")}) {
        const Outcome outcome = radio.execute(command);
        QVERIFY2(outcome.kind == Outcome::Kind::IgnoredWhileOff, command.constData());
        QVERIFY(outcome.reply.isEmpty());
    }
    QVERIFY(radio.state() == off);
    QVERIFY(radio.execute("PS1;").kind == Outcome::Kind::Applied);
    QVERIFY(radio.execute("FA00007000000;").kind == Outcome::Kind::Applied);
    QCOMPARE(radio.state().vfoA, 7'000'000);
}

void TestDecoder::tuningEnds()
{
    Ts570 radio;
    radio.execute("AC 11;");
    radio.finishTuning();
    QCOMPARE(probe(radio.state(), QStringLiteral("tuner")), QStringLiteral("1/0"));
}

void TestDecoder::autoInformationReports_data()
{
    QTest::addColumn<QList<QByteArray>>("setup");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("report");

    using L = QList<QByteArray>;
    QTest::newRow("off: no report") << L{} << QByteArray("FA00007000000;") << QByteArray();
    QTest::newRow("frequency: IF") << L{"AI1;"} << QByteArray("FA00007000000;")
                                   << QByteArray("IF00007000000     +00000000002000001 ;");
    QTest::newRow("VFO B not shown: own answer")
        << L{"AI1;"} << QByteArray("FB00007000000;") << QByteArray("FB00007000000;");
    QTest::newRow("transmit: IF") << L{"AI1;"} << QByteArray("TX;")
                                  << QByteArray("IF00014000000     +00000000012000001 ;");
    QTest::newRow("mode: IF") << L{"AI1;"} << QByteArray("MD3;")
                              << QByteArray("IF00014000000     +00000000003000001 ;");
    QTest::newRow("switch: own answer") << L{"AI1;"} << QByteArray("NB1;") << QByteArray("NB1;");
    QTest::newRow("level: own answer") << L{"AI1;"} << QByteArray("PC050;") << QByteArray("PC050;");
    QTest::newRow("no change: nothing") << L{"AI1;"} << QByteArray("NB0;") << QByteArray();
    QTest::newRow("AI0 ends reports") << L{"AI1;"} << QByteArray("AI0;") << QByteArray();
    QTest::newRow("AI1 itself unreported") << L{} << QByteArray("AI1;") << QByteArray();
    QTest::newRow("power off: silent") << L{"AI1;"} << QByteArray("PS0;") << QByteArray();
    QTest::newRow("Quillard's memory write") << L{"AI1;"} << QByteArray(ch07) << QByteArray();
}

void TestDecoder::autoInformationReports()
{
    QFETCH(QList<QByteArray>, setup);
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, report);

    Ts570 radio;
    for (const QByteArray& c : setup)
        QVERIFY(radio.execute(c).kind == Outcome::Kind::Applied);
    const Outcome outcome = radio.execute(command);
    QVERIFY(outcome.kind == Outcome::Kind::Applied);
    QCOMPARE(outcome.reply, report);
    // A read is answered once, never reported on top.
    if (radio.state().powered) {
        const Outcome read = radio.execute("NB;");
        QVERIFY(read.kind == Outcome::Kind::Answered);
        QCOMPARE(read.reply, radio.state().noiseBlanker ? QByteArray("NB1;") : QByteArray("NB0;"));
    }
}

void TestDecoder::modelD()
{
    Ts570 radio(Model::D);
    QCOMPARE(radio.execute("ID;").reply, QByteArray("ID017;"));
    // No 6 m band on the D.
    QVERIFY(radio.execute("FA00050125000;").kind == Outcome::Kind::Rejected);
    QVERIFY(radio.execute("MW0 000005012500020001 ;").kind == Outcome::Kind::Rejected);
    QVERIFY(radio.execute("FA00030000000;").kind == Outcome::Kind::Applied);
    QVERIFY(radio.execute("FA00030000001;").kind == Outcome::Kind::Rejected);
    QCOMPARE(radio.execute("FA;").reply, QByteArray("FA00030000000;"));
    // A reset does not turn it into an S.
    radio.execute("SR2;");
    QCOMPARE(radio.execute("ID;").reply, QByteArray("ID017;"));

    Ts570 s;
    QVERIFY(s.execute("FA00050125000;").kind == Outcome::Kind::Applied);
}

void TestDecoder::switchedOffRadioStillSaysWhoItIs()
{
    Ts570 radio;
    radio.execute("PS0;");
    const Outcome id = radio.execute("id;");
    QVERIFY(id.kind == Outcome::Kind::Answered);
    QCOMPARE(id.reply, QByteArray("ID018;"));
    // Hamlib wakes the radio with ";;;;PS1;": the semicolons go unheard.
    for (const QByteArray& command : {QByteArray(";"), QByteArray("IF;"), QByteArray("AI1;")}) {
        const Outcome outcome = radio.execute(command);
        QVERIFY2(outcome.kind == Outcome::Kind::IgnoredWhileOff, command.constData());
        QVERIFY(outcome.reply.isEmpty());
    }
    QVERIFY(radio.execute("PS1;").kind == Outcome::Kind::Applied);
    QCOMPARE(radio.execute(";").reply, QByteArray("?;"));
    QVERIFY(!radio.state().autoInformation);
}

void TestDecoder::coverage_data()
{
    QTest::addColumn<bool>("modelD");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<bool>("taken");

    // The S receives 500 kHz to 60 MHz, general coverage between and above
    // the bands included; the D 500 kHz to 30 MHz. Both ends are in.
    QTest::newRow("S 500 kHz") << false << QByteArray("FA00000500000;") << true;
    QTest::newRow("S below 500 kHz") << false << QByteArray("FA00000499999;") << false;
    QTest::newRow("S 35 MHz") << false << QByteArray("FA00035000000;") << true;
    QTest::newRow("S 6 m") << false << QByteArray("FB00050125000;") << true;
    QTest::newRow("S 57 MHz") << false << QByteArray("FA00057000000;") << true;
    QTest::newRow("S 60 MHz") << false << QByteArray("FA00060000000;") << true;
    QTest::newRow("S above 60 MHz") << false << QByteArray("FA00060000001;") << false;
    QTest::newRow("D 500 kHz") << true << QByteArray("FB00000500000;") << true;
    QTest::newRow("D 30 MHz") << true << QByteArray("FA00030000000;") << true;
    QTest::newRow("D above 30 MHz") << true << QByteArray("FA00030000100;") << false;
    QTest::newRow("D 6 m") << true << QByteArray("FB00050000000;") << false;
}

void TestDecoder::coverage()
{
    QFETCH(bool, modelD);
    QFETCH(QByteArray, command);
    QFETCH(bool, taken);

    Ts570 radio(modelD ? Model::D : Model::S);
    const Outcome outcome = radio.execute(command);
    QCOMPARE(outcome.kind, taken ? Outcome::Kind::Applied : Outcome::Kind::Rejected);
    const QByteArray read = command.first(2) + ';';
    QCOMPARE(radio.execute(read).reply,
             taken ? command : read.first(2) + QByteArray("00014000000;"));
}

void TestDecoder::levelBounds_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("reply"); // of the read form afterwards

    // Each level at its bounds and beyond; a refused value leaves the
    // default.
    QTest::newRow("PC 5 W") << QByteArray("PC005;") << QByteArray("PC005;");
    QTest::newRow("PC 4 W") << QByteArray("PC004;") << QByteArray("PC100;");
    QTest::newRow("PC 50 W") << QByteArray("PC050;") << QByteArray("PC050;");
    QTest::newRow("PC 101 W") << QByteArray("PC101;") << QByteArray("PC100;");
    QTest::newRow("PC two digits") << QByteArray("PC50;") << QByteArray("PC100;");
    QTest::newRow("AG 0") << QByteArray("AG000;") << QByteArray("AG000;");
    QTest::newRow("AG 255") << QByteArray("AG255;") << QByteArray("AG255;");
    QTest::newRow("AG 256") << QByteArray("AG256;") << QByteArray("AG100;");
    QTest::newRow("RG 0") << QByteArray("RG000;") << QByteArray("RG000;");
    QTest::newRow("RG 256") << QByteArray("RG256;") << QByteArray("RG255;");
    QTest::newRow("SQ 255") << QByteArray("SQ255;") << QByteArray("SQ255;");
    QTest::newRow("SQ 256") << QByteArray("SQ256;") << QByteArray("SQ000;");
    // Hamlib 4.5.4 sets squelch with a receiver digit, as on the TS-2000.
    QTest::newRow("SQ with receiver") << QByteArray("SQ0128;") << QByteArray("SQ000;");
    QTest::newRow("MG 0") << QByteArray("MG000;") << QByteArray("MG000;");
    QTest::newRow("MG 100") << QByteArray("MG100;") << QByteArray("MG100;");
    QTest::newRow("MG 101") << QByteArray("MG101;") << QByteArray("MG050;");
    QTest::newRow("KS 10") << QByteArray("KS010;") << QByteArray("KS010;");
    QTest::newRow("KS 9") << QByteArray("KS009;") << QByteArray("KS020;");
    QTest::newRow("KS 60") << QByteArray("KS060;") << QByteArray("KS060;");
    QTest::newRow("KS 61") << QByteArray("KS061;") << QByteArray("KS020;");
    QTest::newRow("IS +1100") << QByteArray("IS+1100;") << QByteArray("IS+1100;");
    QTest::newRow("IS -1100") << QByteArray("IS-1100;") << QByteArray("IS-1100;");
    QTest::newRow("IS -1101") << QByteArray("IS-1101;") << QByteArray("IS+0000;");
    QTest::newRow("IS without sign") << QByteArray("IS1000;") << QByteArray("IS+0000;");
    QTest::newRow("IS three digits") << QByteArray("IS+100;") << QByteArray("IS+0000;");
    QTest::newRow("SL 11") << QByteArray("SL11;") << QByteArray("SL11;");
    QTest::newRow("SH 12") << QByteArray("SH12;") << QByteArray("SH11;");
}

void TestDecoder::levelBounds()
{
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, reply);

    Ts570 radio;
    radio.execute(command);
    const Outcome read = radio.execute(command.first(2) + ';');
    QVERIFY(read.kind == Outcome::Kind::Answered);
    QCOMPARE(read.reply, reply);
}

void TestDecoder::filterWidths_data()
{
    QTest::addColumn<QList<QByteArray>>("commands");
    QTest::addColumn<QByteArray>("reply");

    using L = QList<QByteArray>;
    // The radio's manual: each range of values keeps one filter.
    QTest::newRow("CW 0000") << L{"MD3;", "FW0000;"} << QByteArray("FW0050;");
    QTest::newRow("CW 0079") << L{"MD3;", "FW0079;"} << QByteArray("FW0050;");
    QTest::newRow("CW 0080") << L{"MD3;", "FW0080;"} << QByteArray("FW0080;");
    QTest::newRow("CW 0149") << L{"MD3;", "FW0149;"} << QByteArray("FW0100;");
    QTest::newRow("CW 0150") << L{"MD3;", "FW0150;"} << QByteArray("FW0150;");
    QTest::newRow("CW 0250") << L{"MD3;", "FW0250;"} << QByteArray("FW0200;");
    QTest::newRow("CW 0300") << L{"MD3;", "FW0300;"} << QByteArray("FW0300;");
    QTest::newRow("CW 0400") << L{"MD3;", "FW0400;"} << QByteArray("FW0400;");
    QTest::newRow("CW 0599") << L{"MD3;", "FW0599;"} << QByteArray("FW0500;");
    QTest::newRow("CW 0999") << L{"MD3;", "FW0999;"} << QByteArray("FW0600;");
    QTest::newRow("CW 1999") << L{"MD3;", "FW1999;"} << QByteArray("FW1000;");
    QTest::newRow("CW 9999") << L{"MD3;", "FW9999;"} << QByteArray("FW2000;");
    QTest::newRow("CW-R shares CW") << L{"MD3;", "FW0200;", "MD7;"} << QByteArray("FW0200;");
    QTest::newRow("FSK 0499") << L{"MD6;", "FW0499;"} << QByteArray("FW0250;");
    QTest::newRow("FSK 0500") << L{"MD6;", "FW0500;"} << QByteArray("FW0500;");
    QTest::newRow("FSK 1499") << L{"MD9;", "FW1499;"} << QByteArray("FW1000;");
    QTest::newRow("FSK 1500") << L{"MD6;", "FW1500;"} << QByteArray("FW1500;");
    QTest::newRow("USB narrow") << L{"FW0000;"} << QByteArray("FW0000;");
    QTest::newRow("USB 2400 is wide") << L{"FW2400;"} << QByteArray("FW0001;");
    QTest::newRow("AM narrow") << L{"MD5;", "FW0000;"} << QByteArray("FW0000;");
    QTest::newRow("each family its own")
        << L{"MD3;", "FW0300;", "MD2;", "FW0000;", "MD6;", "FW1000;", "MD3;"}
        << QByteArray("FW0300;");
    QTest::newRow("on VFO B") << L{"FR1;", "MD3;", "FW0100;", "FR0;", "MD3;"}
                              << QByteArray("FW0100;");
}

void TestDecoder::filterWidths()
{
    QFETCH(QList<QByteArray>, commands);
    QFETCH(QByteArray, reply);

    Ts570 radio;
    for (const QByteArray& command : commands)
        QVERIFY2(radio.execute(command).kind == Outcome::Kind::Applied, command.constData());
    QCOMPARE(radio.execute("FW;").reply, reply);
    for (const QByteArray& bad :
         {QByteArray("FW500;"), QByteArray("FW00500;"), QByteArray("FW05O0;")})
        QVERIFY2(radio.execute(bad).kind == Outcome::Kind::Rejected, bad.constData());
    QCOMPARE(radio.execute("FW;").reply, reply);
}

namespace {

// "KY " and a text padded to the radio's 24 characters.
QByteArray ky(const QByteArray& text)
{
    return "KY " + text.leftJustified(24, ' ') + ';';
}

} // namespace

void TestDecoder::keyerKeysInTime()
{
    // At 20 wpm a dot is 60 ms. PARIS: P 14 units, A 8, R 10, I 6, S 8
    // (each with the 3-unit gap after it): 840, 1320, 1920, 2280, 2760 ms.
    Ts570 radio;
    QVERIFY(radio.execute("KS020;").kind == Outcome::Kind::Applied);
    radio.advanceClock(1'000'000);
    QVERIFY(radio.execute(ky("PARIS")).kind == Outcome::Kind::Applied);
    QCOMPARE(radio.keyer().waiting(), QByteArray("PARIS"));
    radio.advanceClock(1'000'000 + 839'999);
    QCOMPARE(radio.keyer().waiting(), QByteArray("PARIS"));
    radio.advanceClock(1'000'000 + 840'000);
    QCOMPARE(radio.keyer().waiting(), QByteArray("ARIS"));
    radio.advanceClock(1'000'000 + 2'759'999);
    QCOMPARE(radio.keyer().waiting(), QByteArray("S"));
    QVERIFY(radio.takeKeyedRuns().isEmpty());
    radio.advanceClock(1'000'000 + 2'760'000);
    QVERIFY(!radio.keyer().busy());
    QList<Keyer::Run> runs = radio.takeKeyedRuns();
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs[0].text, QByteArray("PARIS"));
    QCOMPARE(runs[0].endUs, 3'760'000);
    QVERIFY(!runs[0].cut);

    // At 25 wpm (48 ms a dot) a word gap of 7 units and lower case letters:
    // " cq" is 4 + C 14 + Q 16 = 34 units, 1632 ms; a text sent while one is
    // being keyed follows it without a pause.
    QVERIFY(radio.execute("KS025;").kind == Outcome::Kind::Applied);
    radio.advanceClock(5'000'000);
    QVERIFY(radio.execute(ky("E")).kind == Outcome::Kind::Applied);
    QVERIFY(radio.execute(ky(" cq")).kind == Outcome::Kind::Applied);
    QCOMPARE(radio.keyer().waiting(), QByteArray("E CQ"));
    // E is 4 units, 192 ms.
    radio.advanceClock(5'000'000 + 192'000 + 1'631'999);
    QCOMPARE(radio.keyer().waiting(), QByteArray("Q"));
    radio.advanceClock(5'000'000 + 192'000 + 1'632'000);
    runs = radio.takeKeyedRuns();
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs[0].text, QByteArray("E CQ"));
    QCOMPARE(runs[0].endUs, 6'824'000);

    // Time never runs back.
    radio.advanceClock(1'000);
    QVERIFY(radio.execute(ky("T")).kind == Outcome::Kind::Applied);
    radio.advanceClock(6'824'000 + 287'999); // T: 6 units, 288 ms at 25 wpm
    QVERIFY(radio.keyer().busy());
    radio.advanceClock(6'824'000 + 288'000);
    QVERIFY(!radio.keyer().busy());
}

void TestDecoder::keyerHoldsTwoTexts()
{
    Ts570 radio;
    const QByteArray first = ky("CQ CQ CQ DE QUILLARD QUI");
    const QByteArray second = ky("LLARD QUILLARD K");
    const QByteArray third = ky(" TEST");
    QCOMPARE(radio.execute("KY;").reply, QByteArray("KY0;"));
    QVERIFY(radio.execute(first).kind == Outcome::Kind::Applied);
    QCOMPARE(radio.execute("KY;").reply, QByteArray("KY0;"));
    QVERIFY(radio.execute(second).kind == Outcome::Kind::Applied);
    QCOMPARE(radio.execute("KY;").reply, QByteArray("KY1;"));

    // A third text while two are held is refused whole, and said so.
    const RadioState before = radio.state();
    const Outcome refused = radio.execute(third);
    QVERIFY(refused.kind == Outcome::Kind::Rejected);
    QCOMPARE(refused.reply, QByteArray("?;"));
    QVERIFY(refused.overflow.has_value());
    QCOMPARE(refused.overflow->waiting, QByteArray("CQ CQ CQ DE QUILLARD QUILLARD QUILLARD K"));
    QCOMPARE(refused.overflow->refused, QByteArray(" TEST"));
    QVERIFY(radio.state() == before);
    QCOMPARE(radio.keyer().waiting(), QByteArray("CQ CQ CQ DE QUILLARD QUILLARD QUILLARD K"));

    // Once the first text is keyed there is room again. Its 24 characters at
    // 20 wpm: C 14, Q 16, space 4, ... 240 units in all, 14.4 s.
    radio.advanceClock(14'399'999);
    QCOMPARE(radio.execute("KY;").reply, QByteArray("KY1;"));
    radio.advanceClock(14'400'000);
    QCOMPARE(radio.execute("KY;").reply, QByteArray("KY0;"));
    const Outcome taken = radio.execute(third);
    QVERIFY(taken.kind == Outcome::Kind::Applied);
    QVERIFY(!taken.overflow.has_value());
    QCOMPARE(radio.keyer().waiting(), QByteArray("LLARD QUILLARD K TEST"));

    // A text of blanks only adds nothing, even to a full buffer.
    QVERIFY(radio.execute(ky("")).kind == Outcome::Kind::Applied);
    QCOMPARE(radio.keyer().waiting(), QByteArray("LLARD QUILLARD K TEST"));
}

void TestDecoder::keyerRefusesMalformedText_data()
{
    QTest::addColumn<QByteArray>("command");

    QTest::newRow("23 characters") << "KY " + QByteArray("CQ TEST").leftJustified(23) + ';';
    QTest::newRow("25 characters") << "KY " + QByteArray("CQ TEST").leftJustified(25) + ';';
    QTest::newRow("no P1") << "KY" + QByteArray("CQ TEST").leftJustified(24) + ';';
    QTest::newRow("unknown character") << ky("CQ #TEST");
    QTest::newRow("prosign star") << ky("CQ*");
    QTest::newRow("umlaut") << ky("CQ \xc4");
    QTest::newRow("clear form") << QByteArray("KY0;");
}

void TestDecoder::keyerRefusesMalformedText()
{
    QFETCH(QByteArray, command);

    Ts570 radio;
    const Outcome outcome = radio.execute(command);
    QVERIFY(outcome.kind == Outcome::Kind::Rejected);
    QCOMPARE(outcome.reply, QByteArray("?;"));
    QVERIFY(!outcome.overflow.has_value());
    QVERIFY(!radio.keyer().busy());
    // P1 is not used: any printable character will do.
    const QByteArray all = "KYx" + QByteArray("CQ TEST ?/=+-().,'\":@9").leftJustified(24) + ';';
    QVERIFY(radio.execute(all).kind == Outcome::Kind::Applied);
    QCOMPARE(radio.keyer().waiting(), QByteArray("CQ TEST ?/=+-().,'\":@9"));
}

void TestDecoder::pacedSenderNeverOverflows()
{
    // A sender that waits until the radio has keyed each text before the
    // next, as a send-only program must, is never refused; one that does not
    // wait is, on its third text.
    const QByteArray message = "CQ CQ DE QUILLARD QUILLARD QUILLARD TEST TEST TEST K";
    const QList<QByteArray> texts{ky("CQ CQ DE QUILLARD"), ky(" QUILLARD QUILLARD TEST"),
                                  ky(" TEST TEST K")};
    // At 40 wpm (30 ms a dot): 170, 204 and 72 units.
    const qint64 ends[] = {5'100'000, 11'220'000, 13'380'000};

    Ts570 paced;
    paced.execute("KS040;");
    qint64 now = 0;
    for (int i = 0; i < texts.size(); ++i) {
        const Outcome outcome = paced.execute(texts[i]);
        QVERIFY2(outcome.kind == Outcome::Kind::Applied, texts[i].constData());
        now = ends[i];
        paced.advanceClock(now - 1);
        QVERIFY(paced.keyer().busy());
        paced.advanceClock(now);
        QVERIFY(!paced.keyer().busy());
    }
    const QList<Keyer::Run> runs = paced.takeKeyedRuns();
    QCOMPARE(runs.size(), 3);
    QCOMPARE(runs[0].text + runs[1].text + runs[2].text, message);

    Ts570 hasty;
    hasty.execute("KS040;");
    QVERIFY(hasty.execute(texts[0]).kind == Outcome::Kind::Applied);
    hasty.advanceClock(1'000'000);
    QVERIFY(hasty.execute(texts[1]).kind == Outcome::Kind::Applied);
    hasty.advanceClock(2'000'000);
    const Outcome third = hasty.execute(texts[2]);
    QVERIFY(third.overflow.has_value());
    QCOMPARE(third.overflow->refused, QByteArray(" TEST TEST K"));
}

void TestDecoder::switchingOffCutsTheKeying()
{
    Ts570 radio;
    QVERIFY(radio.execute(ky("EEE")).kind == Outcome::Kind::Applied);
    radio.advanceClock(300'000); // at 20 wpm each E is 240 ms
    QVERIFY(radio.execute("PS0;").kind == Outcome::Kind::Applied);
    QVERIFY(!radio.keyer().busy());
    QList<Keyer::Run> runs = radio.takeKeyedRuns();
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs[0].text, QByteArray("E"));
    QVERIFY(runs[0].cut);
    QVERIFY(radio.execute(ky("E")).kind == Outcome::Kind::IgnoredWhileOff);
    QVERIFY(radio.execute("KY;").kind == Outcome::Kind::IgnoredWhileOff);

    QVERIFY(radio.execute("PS1;").kind == Outcome::Kind::Applied);
    QVERIFY(radio.execute(ky("TEST")).kind == Outcome::Kind::Applied);
    QVERIFY(radio.execute("SR1;").kind == Outcome::Kind::Applied);
    QVERIFY(!radio.keyer().busy());
    runs = radio.takeKeyedRuns();
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs[0].text, QByteArray());
    QVERIFY(runs[0].cut);
}

void TestDecoder::framing_data()
{
    QTest::addColumn<QList<QByteArray>>("reads");
    QTest::addColumn<QList<QByteArray>>("commands");

    using L = QList<QByteArray>;
    QTest::newRow("one framed") << L{"FA00014000000;\r"} << L{"FA00014000000;"};
    QTest::newRow("CR LF between")
        << L{"\r\nFA00014000000;\r\n\r\rMD1;\n"} << L{"FA00014000000;", "MD1;"};
    QTest::newRow("split over reads") << L{"FA000", "1400", "0000", ";\r"} << L{"FA00014000000;"};
    QTest::newRow("split blank") << L{"MC", " ", "05", ";"} << L{"MC 05;"};
    QTest::newRow("several in one read") << L{"NB1;\rNR2;\rPA1;\r"} << L{"NB1;", "NR2;", "PA1;"};
    QTest::newRow("no separators") << L{"TX;RX;"} << L{"TX;", "RX;"};
    QTest::newRow("blanks kept") << L{"MW0 070002748500020001 ;\r"}
                                 << L{"MW0 070002748500020001 ;"};
    QTest::newRow("CR inside kept") << L{"FA0\r01;"} << L{"FA0\r01;"};
    QTest::newRow("leading blank kept") << L{" NB1;"} << L{" NB1;"};
    QTest::newRow("empty command") << L{";;"} << L{";", ";"};
    QTest::newRow("unterminated waits") << L{"\r\nFA0001"} << L{};
}

void TestDecoder::framing()
{
    QFETCH(QList<QByteArray>, reads);
    QFETCH(QList<QByteArray>, commands);

    CommandFramer framer;
    QList<QByteArray> got;
    for (const QByteArray& read : reads)
        got += framer.feed(read);
    QCOMPARE(got, commands);
}

void TestDecoder::framerBoundsUnterminatedText()
{
    CommandFramer framer;
    const QList<QByteArray> got = framer.feed(QByteArray(300, 'A'));
    QCOMPARE(got.size(), 2);
    QCOMPARE(got[0].size(), CommandFramer::MaxPending);
    // Whatever a runaway sender produces is refused, never half-applied.
    Ts570 radio;
    QVERIFY(radio.execute(got[0]).kind == Outcome::Kind::Rejected);
    const QList<QByteArray> rest = framer.feed("FA00007000000;");
    QCOMPARE(rest.size(), 1);
    QVERIFY(radio.execute(rest[0]).kind == Outcome::Kind::Rejected);
    QVERIFY(!framer.hasPending());
    QCOMPARE(framer.feed("FA00007000000;"), QList<QByteArray>{"FA00007000000;"});
}

void TestDecoder::logLines()
{
    const QDateTime at(QDate(2026, 12, 9), QTime(9, 13, 50, 123), Qt::UTC);
    const qint64 ns = 1'234'567'890;
    QCOMPARE(logline::received(at, ns, "FA00014000000;", Outcome::Kind::Applied),
             QByteArray("RX 2026-12-09T09:13:50.123Z 1234.567 FA00014000000;\n"));
    QCOMPARE(logline::received(at, ns, "XYZ;", Outcome::Kind::Rejected),
             QByteArray("RX 2026-12-09T09:13:50.123Z 1234.567 ? XYZ;\n"));
    QCOMPARE(logline::received(at, 5, "MD1;", Outcome::Kind::IgnoredWhileOff),
             QByteArray("RX 2026-12-09T09:13:50.123Z 0.000 - MD1;\n"));
    QCOMPARE(logline::received(at, 42'000'000, "MC 05;", Outcome::Kind::Applied),
             QByteArray("RX 2026-12-09T09:13:50.123Z 42.000 MC 05;\n"));
    QCOMPARE(logline::answer(at, ns, "?;"),
             QByteArray("ANS 2026-12-09T09:13:50.123Z 1234.567 ?;\n"));
    // A local time is still written as UTC.
    QCOMPARE(logline::answer(at.toOffsetFromUtc(3600), 0, "?;"),
             QByteArray("ANS 2026-12-09T09:13:50.123Z 0.000 ?;\n"));
    // One command must stay one line, whatever bytes it carries.
    QCOMPARE(logline::escaped("A\r\n\\\x7f\xff;"), QByteArray("A\\x0D\\x0A\\x5C\\x7F\\xFF;"));
    QCOMPARE(logline::ready(QStringLiteral("/dev/pts/4"), QStringLiteral("/tmp/my com1")),
             QByteArray("READY /dev/pts/4 /tmp/my com1\n"));
    QCOMPARE(logline::overflow(at, ns, 40, " TEST"),
             QByteArray("OVERFLOW 2026-12-09T09:13:50.123Z 1234.567 KY buffer full, 40 characters "
                        "waiting; refused:  TEST\n"));
    QCOMPARE(logline::keyed(at, ns, "CQ TEST", false),
             QByteArray("CW 2026-12-09T09:13:50.123Z 1234.567 CQ TEST\n"));
    QCOMPARE(logline::keyed(at, ns, "CQ", true),
             QByteArray("CW 2026-12-09T09:13:50.123Z 1234.567 - CQ\n"));
}

void TestDecoder::options_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("result"); // action, or port|link|window when running

    using S = QStringList;
    QTest::newRow("defaults") << S{} << "1||window";
    QTest::newRow("port") << S{"--port", "3"} << "3||window";
    QTest::newRow("port equals") << S{"--port=4"} << "4||window";
    QTest::newRow("link") << S{"--link", "/tmp/x/com9"} << "1|/tmp/x/com9|window";
    QTest::newRow("no-window") << S{"--no-window"} << "1||none";
    QTest::newRow("headless") << S{"--headless"} << "1||none";
    QTest::newRow("help") << S{"--help"} << "help";
    QTest::newRow("h") << S{"-h"} << "help";
    QTest::newRow("port zero") << S{"--port", "0"} << "error";
    QTest::newRow("port text") << S{"--port", "two"} << "error";
    QTest::newRow("port missing") << S{"--port"} << "error";
    QTest::newRow("empty link") << S{"--link", ""} << "error";
    QTest::newRow("unknown option") << S{"--fast"} << "error";
    QTest::newRow("stray argument") << S{"com1"} << "error";
}

void TestDecoder::options()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, result);

    const ParsedOptions parsed = parseOptions(QStringList{QStringLiteral("vr")} + arguments);
    QString got;
    switch (parsed.action) {
    case ParsedOptions::Action::Help:
        got = QStringLiteral("help");
        break;
    case ParsedOptions::Action::Error:
        got = QStringLiteral("error");
        QVERIFY(!parsed.error.isEmpty());
        break;
    case ParsedOptions::Action::Run:
        got = QStringLiteral("%1|%2|%3")
                  .arg(parsed.options.port)
                  .arg(parsed.options.linkPath,
                       parsed.options.window ? QStringLiteral("window") : QStringLiteral("none"));
        break;
    }
    QCOMPARE(got, result);
}

void TestDecoder::modelAndDelayOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("result"); // model|delay, or error

    using S = QStringList;
    QTest::newRow("defaults") << S{} << "S|0";
    QTest::newRow("model D") << S{"--model", "D"} << "D|0";
    QTest::newRow("model d") << S{"--model=d"} << "D|0";
    QTest::newRow("model S") << S{"--model", "S"} << "S|0";
    QTest::newRow("delay") << S{"--reply-delay", "250"} << "S|250";
    QTest::newRow("delay limit") << S{"--reply-delay", "10000"} << "S|10000";
    QTest::newRow("model X") << S{"--model", "X"} << "error --model";
    QTest::newRow("model 570D") << S{"--model", "570D"} << "error --model";
    QTest::newRow("negative delay") << S{"--reply-delay", "-1"} << "error --reply-delay";
    QTest::newRow("delay too long") << S{"--reply-delay", "10001"} << "error --reply-delay";
    QTest::newRow("delay text") << S{"--reply-delay", "soon"} << "error --reply-delay";
}

void TestDecoder::modelAndDelayOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, result);

    const ParsedOptions parsed = parseOptions(QStringList{QStringLiteral("vr")} + arguments);
    if (parsed.action == ParsedOptions::Action::Error) {
        // The message names the option at fault.
        QCOMPARE(QStringLiteral("error ") + parsed.error.section(QLatin1Char(' '), 0, 0), result);
        return;
    }
    QVERIFY(parsed.action == ParsedOptions::Action::Run);
    QCOMPARE(QStringLiteral("%1|%2")
                 .arg(parsed.options.model == Model::D ? QStringLiteral("D") : QStringLiteral("S"))
                 .arg(parsed.options.replyDelayMs),
             result);
}

QTEST_APPLESS_MAIN(TestDecoder)
#include "tst_vradio_decoder.moc"
