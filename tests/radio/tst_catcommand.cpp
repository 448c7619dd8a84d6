#include "radio/catcommand.h"

#include <QTest>

// Every command Quillard can put on the wire, byte for byte: the text, one
// carriage return, nothing else.
class TestCatCommand : public QObject {
    Q_OBJECT

private slots:
    void catalogueBytes_data()
    {
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<QByteArray>("expected");
        const auto row = [](const QByteArray& expected, const CatCommand& command) {
            QTest::newRow(expected.constData()) << command.framed() << expected + '\r';
        };

        // The band buttons, on either VFO, and guide entries with half-kHz steps.
        row("FA00001800000;", CatCommand::frequency(Vfo::A, 1800000));
        row("FB00001800000;", CatCommand::frequency(Vfo::B, 1800000));
        row("FA00003500000;", CatCommand::frequency(Vfo::A, 3500000));
        row("FB00003500000;", CatCommand::frequency(Vfo::B, 3500000));
        row("FA00007000000;", CatCommand::frequency(Vfo::A, 7000000));
        row("FB00007000000;", CatCommand::frequency(Vfo::B, 7000000));
        row("FA00010100000;", CatCommand::frequency(Vfo::A, 10100000));
        row("FB00010100000;", CatCommand::frequency(Vfo::B, 10100000));
        row("FA00014000000;", CatCommand::frequency(Vfo::A, 14000000));
        row("FB00014000000;", CatCommand::frequency(Vfo::B, 14000000));
        row("FA00018068000;", CatCommand::frequency(Vfo::A, 18068000));
        row("FB00018068000;", CatCommand::frequency(Vfo::B, 18068000));
        row("FA00021000000;", CatCommand::frequency(Vfo::A, 21000000));
        row("FB00021000000;", CatCommand::frequency(Vfo::B, 21000000));
        row("FA00024890000;", CatCommand::frequency(Vfo::A, 24890000));
        row("FB00024890000;", CatCommand::frequency(Vfo::B, 24890000));
        row("FA00028000000;", CatCommand::frequency(Vfo::A, 28000000));
        row("FB00028000000;", CatCommand::frequency(Vfo::B, 28000000));
        row("FA00003581500;", CatCommand::frequency(Vfo::A, 3581500));
        row("FA00014225000;", CatCommand::frequency(Vfo::A, 14225000));
        row("FA00000000000;", CatCommand::frequency(Vfo::A, 0));
        row("FB99999999999;", CatCommand::frequency(Vfo::B, 99999999999ULL));

        row("FR0;", CatCommand::receiveOn(Receiver::VfoA));
        row("FR1;", CatCommand::receiveOn(Receiver::VfoB));
        row("FR2;", CatCommand::receiveOn(Receiver::Memory));

        row("MC 00;", CatCommand::recallMemory(0));
        row("MC 01;", CatCommand::recallMemory(1));
        row("MC 05;", CatCommand::recallMemory(5));
        row("MC 09;", CatCommand::recallMemory(9));
        row("MC 10;", CatCommand::recallMemory(10));
        row("MC 42;", CatCommand::recallMemory(42));
        row("MC 99;", CatCommand::recallMemory(99));

        row("MD1;", CatCommand::mode(Mode::LSB));
        row("MD2;", CatCommand::mode(Mode::USB));
        row("MD3;", CatCommand::mode(Mode::CW));
        row("MD4;", CatCommand::mode(Mode::FM));
        row("MD5;", CatCommand::mode(Mode::AM));
        row("MD6;", CatCommand::mode(Mode::FSK));

        row("NB0;", CatCommand::setSwitch(Switch::NoiseBlanker, 0));
        row("NB1;", CatCommand::setSwitch(Switch::NoiseBlanker, 1));
        row("NR0;", CatCommand::setSwitch(Switch::NoiseReduction, 0));
        row("NR1;", CatCommand::setSwitch(Switch::NoiseReduction, 1));
        row("NR2;", CatCommand::setSwitch(Switch::NoiseReduction, 2));
        row("RA00;", CatCommand::setSwitch(Switch::Attenuator, 0));
        row("RA01;", CatCommand::setSwitch(Switch::Attenuator, 1));
        row("PA0;", CatCommand::setSwitch(Switch::Preamplifier, 0));
        row("PA1;", CatCommand::setSwitch(Switch::Preamplifier, 1));
        row("PR0;", CatCommand::setSwitch(Switch::Processor, 0));
        row("PR1;", CatCommand::setSwitch(Switch::Processor, 1));
        row("VX0;", CatCommand::setSwitch(Switch::Vox, 0));
        row("VX1;", CatCommand::setSwitch(Switch::Vox, 1));
        row("LK0;", CatCommand::setSwitch(Switch::Lock, 0));
        row("LK1;", CatCommand::setSwitch(Switch::Lock, 1));
        row("SC0;", CatCommand::setSwitch(Switch::Scan, 0));
        row("SC1;", CatCommand::setSwitch(Switch::Scan, 1));

        row("AN1;", CatCommand::antenna(1));
        row("AN2;", CatCommand::antenna(2));
        row("AC 11;", CatCommand::tuneAntenna());
        row("TX;", CatCommand::transmit());
        row("RX;", CatCommand::receive());
        row("PS1;", CatCommand::power(true));
        row("PS0;", CatCommand::power(false));
        row("UP;", CatCommand::frequencyUp());
        row("DN;", CatCommand::frequencyDown());
        row("SR1;", CatCommand::partialReset());
        row("SR2;", CatCommand::fullReset());

        // Memory writes: the entry as typed, the mode digit, or none.
        const auto write = [](int channel, const char* entry, const char* digit) {
            return *CatCommand::memoryWrite(channel, QString::fromLatin1(entry),
                                            QString::fromLatin1(digit));
        };
        row("MW0 070002748500020001 ;", write(7, "2748500", "2"));
        row("MW0 000000700000010001 ;", write(0, "0700000", "1"));
        row("MW0 090001410000060001 ;", write(9, "1410000", "6"));
        row("MW0 01000141000060001 ;", write(1, "141000", "6"));
        row("MW0 02000141000000001 ;", write(2, "1410000", ""));
        row("MW0 03000abc 1.2030001 ;", write(3, "abc 1.2", "3"));
        row("MW0 100001405000020001 ;", write(10, "1405000", "2"));
        row("MW0 450000703000030001 ;", write(45, "0703000", "3"));
        row("MW0 990005000000050001 ;", write(99, "5000000", "5"));
    }

    void catalogueBytes()
    {
        QFETCH(QByteArray, wire);
        QFETCH(QByteArray, expected);
        QCOMPARE(wire, expected);
    }

    void memoryWriteIsTwentyFourCharacters()
    {
        const auto command =
            CatCommand::memoryWrite(7, QStringLiteral("2748500"), QStringLiteral("2"));
        QVERIFY(command);
        QCOMPARE(command->text().size(), 24);
        // The frequency field reads as hertz: "000", the entry in tens of hertz, "0".
        QCOMPARE(command->text().mid(6, 11), QByteArray("00027485000"));
    }

    // Texts that would smuggle other commands onto the wire, or arguments
    // outside what the radio takes, never become a command.
    void refusedTexts_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("digit");
        QTest::newRow("semicolon in entry") << 0 << "70;TX;0"
                                            << "1";
        QTest::newRow("carriage return in entry") << 0 << "7000\r00"
                                                  << "1";
        QTest::newRow("line feed in mode") << 0 << "7000000"
                                           << "\n";
        QTest::newRow("semicolon as mode") << 0 << "7000000"
                                           << ";";
        QTest::newRow("non-ASCII") << 0 << QString::fromUtf8("70000é0") << "1";
        QTest::newRow("channel 100") << 100 << "7000000"
                                     << "1";
        QTest::newRow("channel -1") << -1 << "7000000"
                                    << "1";
    }

    void refusedTexts()
    {
        QFETCH(int, channel);
        QFETCH(QString, entry);
        QFETCH(QString, digit);
        QVERIFY(!CatCommand::memoryWrite(channel, entry, digit));
    }

    void outOfRangeArgumentsMakeNoCommand()
    {
        QVERIFY(!CatCommand::frequency(Vfo::A, 100000000000ULL).isValid());
        QVERIFY(!CatCommand::recallMemory(100).isValid());
        QVERIFY(!CatCommand::recallMemory(-1).isValid());
        QVERIFY(!CatCommand::setSwitch(Switch::NoiseReduction, 3).isValid());
        QVERIFY(!CatCommand::setSwitch(Switch::Attenuator, 2).isValid());
        QVERIFY(!CatCommand::setSwitch(Switch::Scan, -1).isValid());
        QVERIFY(!CatCommand::antenna(3).isValid());
        QVERIFY(!CatCommand::mode(static_cast<Mode>(7)).isValid());
        QVERIFY(!CatCommand::receiveOn(static_cast<Receiver>(3)).isValid());
        QVERIFY(CatCommand::fullReset().isValid());
    }

    // What each command means, kept beside its text by the builder that made
    // it; a refused one means nothing.
    void commandsKeepTheirMeaning()
    {
        using Kind = CatCommand::Kind;
        const CatCommand fb = CatCommand::frequency(Vfo::B, 21200000);
        QCOMPARE(fb.kind(), Kind::Frequency);
        QCOMPARE(fb.vfo(), Vfo::B);
        QCOMPARE(fb.hertz(), 21200000ULL);
        QCOMPARE(CatCommand::receiveOn(Receiver::Memory).receiver(), Receiver::Memory);
        QCOMPARE(CatCommand::recallMemory(42).kind(), Kind::MemoryRecall);
        QCOMPARE(CatCommand::recallMemory(42).channel(), 42);
        QCOMPARE(CatCommand::mode(Mode::CW).mode(), Mode::CW);
        const CatCommand nr2 = CatCommand::setSwitch(Switch::NoiseReduction, 2);
        QCOMPARE(nr2.kind(), Kind::Switch);
        QCOMPARE(nr2.switchName(), Switch::NoiseReduction);
        QCOMPARE(nr2.setting(), 2);
        QCOMPARE(CatCommand::setSwitch(Switch::Attenuator, 0).switchName(), Switch::Attenuator);
        QCOMPARE(CatCommand::antenna(2).connector(), 2);
        QVERIFY(CatCommand::power(true).on());
        QVERIFY(!CatCommand::power(false).on());
        QCOMPARE(CatCommand::fullReset().reset(), ResetKind::Full);
        QCOMPARE(CatCommand::partialReset().reset(), ResetKind::Partial);
        const auto write =
            CatCommand::memoryWrite(7, QStringLiteral("2748500"), QStringLiteral("2"));
        QCOMPARE(write->kind(), Kind::MemoryWrite);
        QCOMPARE(write->channel(), 7);
        const QList<std::pair<CatCommand, Kind>> plain = {
            {CatCommand::tuneAntenna(), Kind::Tuner},
            {CatCommand::transmit(), Kind::Transmit},
            {CatCommand::receive(), Kind::Receive},
            {CatCommand::frequencyUp(), Kind::FrequencyUp},
            {CatCommand::frequencyDown(), Kind::FrequencyDown}};
        for (const auto& [command, kind] : plain)
            QCOMPARE(command.kind(), kind);
        QCOMPARE(CatCommand::recallMemory(100).kind(), Kind::None);
        QCOMPARE(CatCommand::setSwitch(Switch::Vox, 2).kind(), Kind::None);
    }

    void modeDigits_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("digit");
        QTest::newRow("lsb") << "lsb"
                             << "1";
        QTest::newRow("LSB") << "LSB"
                             << "1";
        QTest::newRow("usb") << "usb"
                             << "2";
        QTest::newRow("USB") << "USB"
                             << "2";
        QTest::newRow("cw") << "cw"
                            << "3";
        QTest::newRow("CW") << "CW"
                            << "3";
        QTest::newRow("fm") << "fm"
                            << "4";
        QTest::newRow("FM") << "FM"
                            << "4";
        QTest::newRow("am") << "am"
                            << "5";
        QTest::newRow("AM") << "AM"
                            << "5";
        QTest::newRow("fsk") << "fsk"
                             << "6";
        QTest::newRow("FSK") << "FSK"
                             << "6";
        QTest::newRow("mixed case") << "Usb" << QString();
        QTest::newRow("blank around") << " usb" << QString();
        QTest::newRow("empty") << "" << QString();
        QTest::newRow("ssb") << "ssb" << QString();
    }

    void modeDigits()
    {
        QFETCH(QString, word);
        QFETCH(QString, digit);
        QCOMPARE(CatCommand::modeDigitFor(word).value_or(QString()), digit);
    }
};

QTEST_APPLESS_MAIN(TestCatCommand)
#include "tst_catcommand.moc"
