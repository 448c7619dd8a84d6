// The words a screen reader says for what an action sent, made from the
// commands' meaning: one row per kind of action the panel has.

#include "radio/commandwords.h"

#include <QTest>

Q_DECLARE_METATYPE(QList<CatCommand>)

class TestCommandWords : public QObject {
    Q_OBJECT

private slots:
    void wordsForWhatWasSent_data()
    {
        QTest::addColumn<QList<CatCommand>>("sent");
        QTest::addColumn<QString>("words");
        // The band buttons' words add the band in front (the engine's tests).
        QTest::newRow("VFO A and a frequency")
            << QList{CatCommand::receiveOn(Receiver::VfoA), CatCommand::frequency(Vfo::A, 14000000)}
            << "VFO A, 14.000 MHz";
        QTest::newRow("VFO B and a frequency")
            << QList{CatCommand::receiveOn(Receiver::VfoB), CatCommand::frequency(Vfo::B, 1800000)}
            << "VFO B, 1.800 MHz";
        QTest::newRow("kilohertz kept")
            << QList{CatCommand::frequency(Vfo::A, 18068000)} << "VFO A, 18.068 MHz";
        QTest::newRow("Mem 05") << QList{CatCommand::receiveOn(Receiver::Memory),
                                         CatCommand::recallMemory(5)}
                                << "Memory 05 recalled";
        QTest::newRow("Mem") << QList{CatCommand::receiveOn(Receiver::Memory)} << "Memory mode";
        QTest::newRow("VFO B") << QList{CatCommand::receiveOn(Receiver::VfoB)} << "VFO B";
        QTest::newRow("USB") << QList{CatCommand::mode(Mode::USB)} << "USB";
        QTest::newRow("10 MHz") << QList{CatCommand::mode(Mode::AM),
                                         CatCommand::frequency(Vfo::A, 10000000)}
                                << "AM, VFO A, 10.000 MHz";
        // A receiver choice no frequency follows is said first.
        QTest::newRow("mode, then receiver")
            << QList{CatCommand::mode(Mode::FSK), CatCommand::receiveOn(Receiver::VfoB)}
            << "VFO B, FSK";
        QTest::newRow("noise blanker first press")
            << QList{CatCommand::setSwitch(Switch::NoiseBlanker, 0)} << "Noise blanker off";
        QTest::newRow("noise blanker")
            << QList{CatCommand::setSwitch(Switch::NoiseBlanker, 1)} << "Noise blanker on";
        QTest::newRow("noise reduction 1")
            << QList{CatCommand::setSwitch(Switch::NoiseReduction, 1)}
            << "Noise reduction on, level 1";
        QTest::newRow("noise reduction 2")
            << QList{CatCommand::setSwitch(Switch::NoiseReduction, 2)}
            << "Noise reduction on, level 2";
        QTest::newRow("noise reduction off")
            << QList{CatCommand::setSwitch(Switch::NoiseReduction, 0)} << "Noise reduction off";
        QTest::newRow("attenuator")
            << QList{CatCommand::setSwitch(Switch::Attenuator, 1)} << "RF attenuator on";
        QTest::newRow("attenuator off")
            << QList{CatCommand::setSwitch(Switch::Attenuator, 0)} << "RF attenuator off";
        QTest::newRow("preamplifier")
            << QList{CatCommand::setSwitch(Switch::Preamplifier, 1)} << "Preamplifier on";
        QTest::newRow("processor")
            << QList{CatCommand::setSwitch(Switch::Processor, 0)} << "Speech processor off";
        QTest::newRow("lock") << QList{CatCommand::setSwitch(Switch::Lock, 1)}
                              << "Frequency lock on";
        QTest::newRow("scan") << QList{CatCommand::setSwitch(Switch::Scan, 1)} << "Scan on";
        QTest::newRow("VOX") << QList{CatCommand::setSwitch(Switch::Vox, 1)} << "VOX on";
        QTest::newRow("Off") << QList{CatCommand::power(false)} << "Radio switched off";
        QTest::newRow("On") << QList{CatCommand::power(true)} << "Radio switched on";
        QTest::newRow("antenna 2") << QList{CatCommand::antenna(2)} << "Antenna 2";
        QTest::newRow("tuner") << QList{CatCommand::tuneAntenna()} << "Antenna tuner started";
        QTest::newRow("up") << QList{CatCommand::frequencyUp()} << "Frequency up";
        QTest::newRow("down") << QList{CatCommand::frequencyDown()} << "Frequency down";
        QTest::newRow("transmit") << QList{CatCommand::transmit()} << "Transmitting";
        QTest::newRow("receive") << QList{CatCommand::receive()} << "Receiving";
        QTest::newRow("partial reset") << QList{CatCommand::partialReset()} << "Partial reset sent";
        QTest::newRow("full reset") << QList{CatCommand::fullReset()} << "Full reset sent";
        QTest::newRow("nothing") << QList<CatCommand>{} << "";
    }

    void wordsForWhatWasSent()
    {
        QFETCH(QList<CatCommand>, sent);
        QFETCH(QString, words);
        QCOMPARE(commandWords(sent), words);
    }
};

QTEST_APPLESS_MAIN(TestCommandWords)
#include "tst_commandwords.moc"
