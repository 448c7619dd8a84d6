// The front panel picture's record of what was sent: the last of each kind,
// in a fixed order, in the panel's words.

#include "station/sentrecord.h"

#include <QTest>

namespace {
SentRecord recordOf(const QList<CatCommand>& sent)
{
    SentRecord record;
    for (const CatCommand& command : sent)
        record.add(command);
    return record;
}
} // namespace

class TestSentRecord : public QObject {
    Q_OBJECT

private slots:
    void nothingYet()
    {
        const SentRecord record;
        QCOMPARE(record.summary(), QStringLiteral("Nothing sent yet"));
        QCOMPARE(record.brief(), QString());
        // Commands that leave nothing to tell afterwards.
        const SentRecord plain = recordOf({CatCommand::transmit(), CatCommand::tuneAntenna(),
                                           CatCommand::fullReset(), CatCommand::frequencyUp()});
        QCOMPARE(plain.summary(), QStringLiteral("Nothing sent yet"));
    }

    // Switches and power in one order however they were sent; the last
    // setting of each; both VFOs, A first.
    void summaryKeepsTheLastOfEach()
    {
        const SentRecord record = recordOf({
            CatCommand::setSwitch(Switch::Vox, 1),
            CatCommand::setSwitch(Switch::Attenuator, 1),
            CatCommand::power(true),
            CatCommand::receiveOn(Receiver::VfoB),
            CatCommand::frequency(Vfo::B, 14000000),
            CatCommand::setSwitch(Switch::NoiseReduction, 2),
            CatCommand::mode(Mode::LSB),
            CatCommand::setSwitch(Switch::Lock, 1),
            CatCommand::mode(Mode::USB),
            CatCommand::frequency(Vfo::A, 10000000),
            CatCommand::power(false),
            CatCommand::setSwitch(Switch::NoiseBlanker, 0),
            CatCommand::setSwitch(Switch::Lock, 0),
        });
        QCOMPARE(record.summary(),
                 QStringLiteral("Last sent: receiver VFO B, VFO A 10.000 MHz, VFO B 14.000 MHz, "
                                "USB, frequency lock off, noise blanker off, noise reduction on, "
                                "level 2, power off, RF attenuator on, VOX on"));
        QCOMPARE(record.brief(), QStringLiteral("last sent: VFO B, 14.000 MHz, USB"));
    }

    // A recall names its channel until the receiver is chosen again; the
    // memory has no frequency to tell.
    void memoryInTheRecord()
    {
        SentRecord record =
            recordOf({CatCommand::frequency(Vfo::A, 7000000), CatCommand::mode(Mode::CW),
                      CatCommand::receiveOn(Receiver::Memory), CatCommand::recallMemory(5)});
        QCOMPARE(record.brief(), QStringLiteral("last sent: memory 05, CW"));
        record.add(CatCommand::receiveOn(Receiver::Memory));
        QCOMPARE(record.brief(), QStringLiteral("last sent: memory, CW"));
        QCOMPARE(record.summary(),
                 QStringLiteral("Last sent: receiver memory, VFO A 7.000 MHz, CW"));
        // No receiver chosen yet: VFO A's frequency.
        QCOMPARE(recordOf({CatCommand::frequency(Vfo::A, 5000000)}).brief(),
                 QStringLiteral("last sent: 5.000 MHz"));
    }
};

QTEST_GUILESS_MAIN(TestSentRecord)
#include "tst_sentrecord.moc"
