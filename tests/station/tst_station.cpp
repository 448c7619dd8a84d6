// The station engine without a window: each operator action as the commands
// it sends, the station afterwards, its words, cue and pause. Expected bytes
// and words are written out as they go on the wire and are spoken.

#include "station/station.h"
#include "station/switches.h"

#include <QTest>

#include <functional>

namespace {
using Action = std::function<StationStep(const StationState&)>;

QStringList texts(const StationStep& step)
{
    QStringList sent;
    for (const CatCommand& command : step.commands)
        sent << QString::fromLatin1(command.text());
    return sent;
}

QString cueOf(const StationStep& step)
{
    return step.cue ? QString::fromLatin1(step.cue) : QString();
}

// The station after these actions from a panel just shown (its start-up
// "VFO A" absorbed).
StationState after(const QList<Action>& actions)
{
    StationState state = Station::chooseVfoA(Station::load(StationState()).state).state;
    for (const Action& act : actions)
        state = act(state).state;
    return state;
}

const Band& band(const char* caption)
{
    for (const Band& row : bands)
        if (qstrcmp(row.caption, caption) == 0)
            return row;
    qFatal("no band %s", caption);
}

const Action vfoA = Station::chooseVfoA;
const Action vfoB = Station::chooseVfoB;
const Action memoryMode = Station::chooseMemoryMode;
} // namespace

Q_DECLARE_METATYPE(QList<Action>)

class TestStation : public QObject {
    Q_OBJECT

private slots:
    // Before anything is sent, nothing is known: no made-up defaults.
    void nothingKnownBeforeItIsSent()
    {
        const StationState fresh;
        QCOMPARE(fresh.vfo, VfoChoice::NotChosen);
        QVERIFY(!fresh.receiver && !fresh.frequencyA && !fresh.frequencyB && !fresh.mode);
        QVERIFY(!fresh.band && !fresh.memoryChannel && !fresh.powerOn && !fresh.antenna);
        QVERIFY(!fresh.switches.of(Switch::NoiseBlanker) && !fresh.switches.of(Switch::Vox));
        QVERIFY(!fresh.transmitter && !fresh.offset.rit && !fresh.offset.xit &&
                !fresh.offset.hertz);
        QVERIFY(!fresh.levels.afGain && !fresh.model);
    }

    // The first "VFO A" after the window loads is the window's own: absorbed,
    // whatever came before it; the next one acts.
    void startupVfoAIsAbsorbedOnce()
    {
        const StationStep loaded = Station::load(StationState());
        QVERIFY(loaded.commands.isEmpty());
        QVERIFY(loaded.state.startupSelectionPending);

        // "VFO B" does not spend it.
        const StationStep b = Station::chooseVfoB(loaded.state);
        QCOMPARE(texts(b), QStringList{"FR1;"});
        QVERIFY(b.state.startupSelectionPending);

        const StationStep absorbed = Station::chooseVfoA(b.state);
        QVERIFY(absorbed.commands.isEmpty());
        QCOMPARE(cueOf(absorbed), QString());
        QVERIFY(absorbed.words.isEmpty());
        QVERIFY(!absorbed.state.startupSelectionPending);
        QCOMPARE(absorbed.state.vfo, VfoChoice::B); // the choice stays as it was

        const StationStep real = Station::chooseVfoA(absorbed.state);
        QCOMPARE(texts(real), QStringList{"FR0;"});
        QCOMPARE(cueOf(real), QStringLiteral("vfoa.wav"));
        QCOMPARE(real.words, QStringLiteral("VFO A"));
        QCOMPARE(real.state.vfo, VfoChoice::A);
        QCOMPARE(real.state.receiver, Receiver::VfoA);

        // A new load arms it again.
        QVERIFY(Station::load(real.state).state.startupSelectionPending);
    }

    void bandTunesTheChosenVfo_data()
    {
        QTest::addColumn<QList<Action>>("before");
        QTest::addColumn<QString>("band");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QString>("words");
        QTest::addColumn<Receiver>("receiver");
        QTest::newRow("20m, no VFO chosen yet")
            << QList<Action>{} << "20m" << QStringList{"FR0;", "FA00014000000;"}
            << "20 metres, VFO A, 14.000 MHz" << Receiver::VfoA;
        QTest::newRow("160m after VFO B")
            << QList<Action>{vfoB} << "160m" << QStringList{"FR1;", "FB00001800000;"}
            << "160 metres, VFO B, 1.800 MHz" << Receiver::VfoB;
        QTest::newRow("17m after VFO B, then VFO A")
            << QList<Action>{vfoB, vfoA} << "17m" << QStringList{"FR0;", "FA00018068000;"}
            << "17 metres, VFO A, 18.068 MHz" << Receiver::VfoA;
        QTest::newRow("40m after VFO B, then Mem: still VFO B")
            << QList<Action>{vfoB, memoryMode} << "40m" << QStringList{"FR1;", "FB00007000000;"}
            << "40 metres, VFO B, 7.000 MHz" << Receiver::VfoB;
        QTest::newRow("10m after a memory recall leaves memory mode")
            << QList<Action>{[](const StationState& s) { return Station::recallMemory(s, 12); }}
            << "10m" << QStringList{"FR0;", "FA00028000000;"} << "10 metres, VFO A, 28.000 MHz"
            << Receiver::VfoA;
        QTest::newRow("30m is a band edge, unlike the 10 MHz time signal")
            << QList<Action>{[](const StationState& s) {
                   return Station::tuneTimeSignal(s, timeSignals[1]);
               }}
            << "30m" << QStringList{"FR0;", "FA00010100000;"} << "30 metres, VFO A, 10.100 MHz"
            << Receiver::VfoA;
    }

    void bandTunesTheChosenVfo()
    {
        QFETCH(QList<Action>, before);
        QFETCH(QString, band);
        QFETCH(QStringList, sent);
        QFETCH(QString, words);
        QFETCH(Receiver, receiver);
        const StationState state = after(before);
        const Band& tuned = ::band(qPrintable(band));
        const StationStep step = Station::tuneBand(state, tuned);
        QCOMPARE(texts(step), sent);
        QCOMPARE(step.words, words);
        QCOMPARE(cueOf(step), band + QStringLiteral(".wav"));
        QCOMPARE(step.pauseSeconds, 0.0);
        QCOMPARE(step.state.receiver, receiver);
        QCOMPARE(step.state.band, &tuned);
        QCOMPARE(step.state.vfo, state.vfo); // a band never changes the choice
        QCOMPARE(step.state.mode, state.mode);
    }

    void bandSetsTheFrequencyOfItsVfo()
    {
        const StationState b = after({vfoB});
        const StationStep step = Station::tuneBand(b, band("15m"));
        QCOMPARE(step.state.frequencyB, 21000000ULL);
        QVERIFY(!step.state.frequencyA);
    }

    // "Mem" and the quick memories leave the VFO the band buttons address.
    void memoryKeepsTheVfoChoice()
    {
        const StationStep mem = Station::chooseMemoryMode(after({vfoB}));
        QCOMPARE(texts(mem), QStringList{"FR2;"});
        QCOMPARE(cueOf(mem), QStringLiteral("mem.wav"));
        QCOMPARE(mem.words, QStringLiteral("Memory mode"));
        QCOMPARE(mem.state.vfo, VfoChoice::B);
        QCOMPARE(mem.state.receiver, Receiver::Memory);

        const StationStep recall = Station::recallMemory(mem.state, 5);
        QCOMPARE(texts(recall), QStringList({"FR2;", "MC 05;"}));
        QCOMPARE(cueOf(recall), QString());
        QCOMPARE(recall.words, QStringLiteral("Memory 05 recalled"));
        QCOMPARE(recall.state.memoryChannel, 5);
        QCOMPARE(recall.state.vfo, VfoChoice::B);

        // A channel the radio does not have is not recorded as recalled.
        const StationStep refused = Station::recallMemory(recall.state, 100);
        QVERIFY(!refused.commands[1].isValid());
        QCOMPARE(refused.state.memoryChannel, 5);
    }

    // Time signals: AM and VFO A, no receiver command, the VFO choice left alone.
    void timeSignalLeavesTheVfoChoiceAlone()
    {
        const StationState b = after({vfoB});
        const StationStep step = Station::tuneTimeSignal(b, timeSignals[2]);
        QCOMPARE(texts(step), QStringList({"MD5;", "FA00015000000;"}));
        QCOMPARE(step.words, QStringLiteral("AM, VFO A, 15.000 MHz"));
        QCOMPARE(cueOf(step), QString());
        QCOMPARE(step.state.vfo, VfoChoice::B);
        QCOMPARE(step.state.receiver, Receiver::VfoB);
        QCOMPARE(step.state.frequencyA, 15000000ULL);
        QCOMPARE(step.state.mode, Mode::AM);
        QCOMPARE(texts(Station::tuneBand(step.state, band("20m"))),
                 QStringList({"FR1;", "FB00014000000;"}));

        const StationStep five = Station::tuneTimeSignal(StationState(), timeSignals[0]);
        QCOMPARE(texts(five), QStringList({"MD5;", "FA00005000000;"}));
        QCOMPARE(five.state.vfo, VfoChoice::NotChosen);
    }

    void modeIsOneCommand()
    {
        const StationStep step = Station::selectMode(StationState(), Mode::FSK);
        QCOMPARE(texts(step), QStringList{"MD6;"});
        QCOMPARE(step.words, QStringLiteral("FSK"));
        QCOMPARE(step.state.mode, Mode::FSK);
        QCOMPARE(cueOf(step), QString());
    }

    void switchCycles_data()
    {
        QTest::addColumn<Switch>("which");
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<double>("pause");
        QTest::newRow("noise blanker starts with off")
            << Switch::NoiseBlanker << QStringList{"NB0;", "NB1;", "NB0;", "NB1;"}
            << QStringList{"Noise blanker off", "Noise blanker on", "Noise blanker off",
                           "Noise blanker on"}
            << 0.0;
        QTest::newRow("noise reduction cycles three")
            << Switch::NoiseReduction << QStringList{"NR1;", "NR2;", "NR0;", "NR1;"}
            << QStringList{"Noise reduction on, level 1", "Noise reduction on, level 2",
                           "Noise reduction off", "Noise reduction on, level 1"}
            << 0.0;
        QTest::newRow("attenuator")
            << Switch::Attenuator << QStringList{"RA01;", "RA00;", "RA01;", "RA00;"}
            << QStringList{"RF attenuator on", "RF attenuator off", "RF attenuator on",
                           "RF attenuator off"}
            << 0.0;
        QTest::newRow("lock") << Switch::Lock << QStringList{"LK1;", "LK0;", "LK1;", "LK0;"}
                              << QStringList{"Frequency lock on", "Frequency lock off",
                                             "Frequency lock on", "Frequency lock off"}
                              << 0.0;
        QTest::newRow("processor")
            << Switch::Processor << QStringList{"PR1;", "PR0;", "PR1;", "PR0;"}
            << QStringList{"Speech processor on", "Speech processor off", "Speech processor on",
                           "Speech processor off"}
            << 0.0;
        QTest::newRow("preamplifier")
            << Switch::Preamplifier << QStringList{"PA1;", "PA0;", "PA1;", "PA0;"}
            << QStringList{"Preamplifier on", "Preamplifier off", "Preamplifier on",
                           "Preamplifier off"}
            << 0.0;
        QTest::newRow("scan") << Switch::Scan << QStringList{"SC1;", "SC0;", "SC1;", "SC0;"}
                              << QStringList{"Scan on", "Scan off", "Scan on", "Scan off"} << 0.0;
        QTest::newRow("VOX pauses after each")
            << Switch::Vox << QStringList{"VX1;", "VX0;", "VX1;", "VX0;"}
            << QStringList{"VOX on", "VOX off", "VOX on", "VOX off"} << 0.2;
    }

    // Power and a reset between presses do not disturb a cycle.
    void switchCycles()
    {
        QFETCH(Switch, which);
        QFETCH(QStringList, presses);
        QFETCH(QStringList, words);
        QFETCH(double, pause);
        StationState state = after({});
        for (qsizetype press = 0; press < presses.size(); ++press) {
            const StationStep step = Station::pressSwitch(state, which);
            QCOMPARE(texts(step), QStringList{presses[press]});
            QCOMPARE(step.words, words[press]);
            QCOMPARE(step.pauseSeconds, pause);
            QCOMPARE(cueOf(step), QString());
            QCOMPARE(step.state.switches.of(which), step.commands[0].setting());
            state = Station::switchPower(step.state, false).state;
            state = Station::resetRadio(state, ResetKind::Full).state;
            state = Station::switchPower(state, true).state;
        }
    }

    // The next press follows the setting last sent, however it was sent.
    void nextPressFollowsTheSettingLastSent()
    {
        StationState state;
        state.switches.set(Switch::NoiseReduction, 2);
        QCOMPARE(texts(Station::pressSwitch(state, Switch::NoiseReduction)), QStringList{"NR0;"});
        state.switches.set(Switch::NoiseBlanker, 0);
        QCOMPARE(texts(Station::pressSwitch(state, Switch::NoiseBlanker)), QStringList{"NB1;"});
        QVERIFY(!state.switches.isOn(Switch::NoiseBlanker));
        QVERIFY(state.switches.isOn(Switch::NoiseReduction));
    }

    // A reset is the radio's: what the panel sent stays as it was.
    void resetLeavesTheState()
    {
        const StationState state =
            after({vfoB, [](const StationState& s) { return Station::tuneBand(s, band("80m")); },
                   [](const StationState& s) { return Station::pressSwitch(s, Switch::Scan); },
                   [](const StationState& s) { return Station::selectMode(s, Mode::CW); }});
        const StationStep full = Station::resetRadio(state, ResetKind::Full);
        QCOMPARE(texts(full), QStringList{"SR2;"});
        QCOMPARE(full.words, QStringLiteral("Full reset sent"));
        QCOMPARE(cueOf(full), QString());
        QVERIFY(full.state == state);
        const StationStep partial = Station::resetRadio(state, ResetKind::Partial);
        QCOMPARE(texts(partial), QStringList{"SR1;"});
        QCOMPARE(partial.words, QStringLiteral("Partial reset sent"));
        QVERIFY(partial.state == state);
    }

    void powerOnAndOff()
    {
        const StationState state = after({vfoB});
        const StationStep off = Station::switchPower(state, false);
        QCOMPARE(texts(off), QStringList{"PS0;"});
        QCOMPARE(cueOf(off), QStringLiteral("poff.wav"));
        QCOMPARE(off.words, QStringLiteral("Radio switched off"));
        QCOMPARE(off.state.powerOn, false);
        QCOMPARE(off.state.vfo, VfoChoice::B);
        const StationStep on = Station::switchPower(off.state, true);
        QCOMPARE(texts(on), QStringList{"PS1;"});
        QCOMPARE(cueOf(on), QStringLiteral("pon.wav"));
        QCOMPARE(on.words, QStringLiteral("Radio switched on"));
        QCOMPARE(on.state.powerOn, true);
        // Again: the same command and cue each time.
        QCOMPARE(texts(Station::switchPower(on.state, true)), QStringList{"PS1;"});
    }

    void plainPushButtons()
    {
        const StationState state = after({});
        const StationStep tuner = Station::tuneAntenna(state);
        QCOMPARE(texts(tuner), QStringList{"AC 11;"});
        QCOMPARE(cueOf(tuner), QStringLiteral("anttun.wav"));
        QCOMPARE(tuner.words, QStringLiteral("Antenna tuner started"));
        const StationStep one = Station::selectAntenna(state, 1);
        QCOMPARE(texts(one), QStringList{"AN1;"});
        QCOMPARE(cueOf(one), QStringLiteral("ant1.wav"));
        QCOMPARE(one.state.antenna, 1);
        const StationStep two = Station::selectAntenna(state, 2);
        QCOMPARE(texts(two), QStringList{"AN2;"});
        QCOMPARE(cueOf(two), QStringLiteral("ant2.wav"));
        QCOMPARE(two.words, QStringLiteral("Antenna 2"));
        const StationStep tx = Station::transmit(state);
        QCOMPARE(texts(tx), QStringList{"TX;"});
        QCOMPARE(tx.state.transmitting, true);
        QCOMPARE(tx.words, QStringLiteral("Transmitting"));
        const StationStep rx = Station::receive(tx.state);
        QCOMPARE(texts(rx), QStringList{"RX;"});
        QCOMPARE(rx.state.transmitting, false);
        for (const StationStep& quiet : {tx, rx})
            QCOMPARE(cueOf(quiet), QString());
    }

    // UP and DN move by the radio's own step: the frequency (or, in memory
    // mode, the channel) last sent is no longer what the radio has.
    void frequencyStepForgetsWhatItMoved()
    {
        const StationState onA = after(
            {[](const StationState& s) { return Station::tuneBand(s, band("20m")); },
             [](const StationState& s) { return Station::tuneTimeSignal(s, timeSignals[0]); }, vfoB,
             [](const StationState& s) { return Station::tuneBand(s, band("40m")); }, vfoA});
        QCOMPARE(onA.frequencyA, 5000000ULL);
        const StationStep up = Station::stepFrequency(onA, FrequencyStep::Up);
        QCOMPARE(texts(up), QStringList{"UP;"});
        QCOMPARE(up.words, QStringLiteral("Frequency up"));
        QVERIFY(!up.state.frequencyA);
        QCOMPARE(up.state.frequencyB, 7000000ULL);

        const StationState inMemory = Station::recallMemory(onA, 7).state;
        const StationStep down = Station::stepFrequency(inMemory, FrequencyStep::Down);
        QCOMPARE(texts(down), QStringList{"DN;"});
        QVERIFY(!down.state.memoryChannel);
        QCOMPARE(down.state.frequencyA, 5000000ULL);
    }

    // The band table names the cues the program ships (the build holds it
    // to Cue::All), one per band.
    void bandTable()
    {
        QStringList rows;
        for (const Band& row : bands)
            rows << QStringLiteral("%1 %2 %3 %4 %5")
                        .arg(QLatin1String(row.name), QLatin1String(row.caption))
                        .arg(row.hertz)
                        .arg(QLatin1String(row.cue), QLatin1String(row.spoken));
        QCOMPARE(rows,
                 QStringList(
                     {"m160 160m 1800000 160m.wav 160 metres", "m80 80m 3500000 80m.wav 80 metres",
                      "m40 40m 7000000 40m.wav 40 metres", "m30 30m 10100000 30m.wav 30 metres",
                      "m20 20m 14000000 20m.wav 20 metres", "m17 17m 18068000 17m.wav 17 metres",
                      "m15 15m 21000000 15m.wav 15 metres", "m12 12m 24890000 12m.wav 12 metres",
                      "m10 10m 28000000 10m.wav 10 metres"}));
    }
};

QTEST_GUILESS_MAIN(TestStation)
#include "tst_station.moc"
