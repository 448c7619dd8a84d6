// Tuning anywhere, without a window: a typed frequency, split and the
// transmit frequency, RIT/XIT and their shared offset, and the 6 m band,
// each as the commands sent, the station afterwards and the words.

#include "station/station.h"

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

const Band& band(const char* caption)
{
    for (const Band& row : bands)
        if (qstrcmp(row.caption, caption) == 0)
            return row;
    qFatal("no band %s", caption);
}

StationState shownPanel(RadioModel model = RadioModel::TS570D)
{
    StationState state = Station::chooseVfoA(Station::load(StationState()).state).state;
    return Station::useModel(state, model).state;
}

StationState after(StationState state, const QList<Action>& actions)
{
    for (const Action& act : actions)
        state = act(state).state;
    return state;
}

const Action splitOn = [](const StationState& s) { return Station::switchSplit(s, true); };
const Action ritOn = [](const StationState& s) { return Station::switchRit(s, true); };
const Action up = [](const StationState& s) { return Station::stepOffset(s, OffsetStep::Up); };
} // namespace

Q_DECLARE_METATYPE(Action)

class TestTuning : public QObject {
    Q_OBJECT

private slots:
    // A typed frequency goes to the VFO given, receiver first, then the mode
    // when one was chosen; the words keep every digit the operator typed.
    void typedFrequency()
    {
        const StationStep a = Station::tuneFrequency(shownPanel(), Vfo::A, 14074000);
        QCOMPARE(texts(a), QStringList({"FR0;", "FA00014074000;"}));
        QCOMPARE(a.words, QStringLiteral("VFO A, 14.074 MHz"));
        QCOMPARE(a.state.frequencyA, std::optional<quint64>(14074000));
        QCOMPARE(a.state.receiver, Receiver::VfoA);

        const StationStep b = Station::tuneFrequency(a.state, Vfo::B, 7030500, Mode::CW);
        QCOMPARE(texts(b), QStringList({"FR1;", "FB00007030500;", "MD3;"}));
        QCOMPARE(b.words, QStringLiteral("VFO B, 7.0305 MHz, CW"));
        QCOMPARE(b.state.mode, Mode::CW);
        QCOMPARE(b.state.frequencyA, std::optional<quint64>(14074000));

        const StationStep hertz = Station::tuneFrequency(b.state, Vfo::A, 14074123);
        QCOMPARE(hertz.words, QStringLiteral("VFO A, 14.074123 MHz"));

        // Beyond the radio's range: nothing sent, the state as it was.
        const StationStep refused = Station::tuneFrequency(b.state, Vfo::A, 50100000);
        QVERIFY(refused.commands.isEmpty());
        QCOMPARE(refused.state, b.state);
        QCOMPARE(refused.refusal,
                 QStringLiteral("50.100 MHz is outside the TS-570D's range, 500 kHz to 30 MHz."));
    }

    // Split on receives on A and transmits on B; every receiver command
    // (a band, "VFO A", "VFO B", "Mem", a memory, a typed frequency) moves
    // the transmitter with it, so split shows off afterwards. A time signal
    // sends no receiver command and leaves split as it was.
    void splitEndsWithEveryReceiverCommand_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<bool>("splitAfter");
        QTest::newRow("band") << Action([](const StationState& s) {
            return Station::tuneBand(s, band("20m"));
        }) << false;
        QTest::newRow("VFO A") << Action(Station::chooseVfoA) << false;
        QTest::newRow("VFO B") << Action(Station::chooseVfoB) << false;
        QTest::newRow("Mem") << Action(Station::chooseMemoryMode) << false;
        QTest::newRow("memory") << Action([](const StationState& s) {
            return Station::recallMemory(s, 5);
        }) << false;
        QTest::newRow("typed") << Action([](const StationState& s) {
            return Station::tuneFrequency(s, Vfo::A, 14074000);
        }) << false;
        QTest::newRow("time signal") << Action([](const StationState& s) {
            return Station::tuneTimeSignal(s, timeSignals[0]);
        }) << true;
        QTest::newRow("mode") << Action([](const StationState& s) {
            return Station::selectMode(s, Mode::USB);
        }) << true;
    }

    void splitEndsWithEveryReceiverCommand()
    {
        QFETCH(Action, action);
        QFETCH(bool, splitAfter);
        const StationStep on = Station::switchSplit(shownPanel(), true);
        QCOMPARE(texts(on), QStringList({"FR0;", "FT1;"}));
        QCOMPARE(on.words, QStringLiteral("Split on: receive A, transmit B"));
        QCOMPARE(on.state.split(), std::optional<bool>(true));
        QCOMPARE(action(on.state).state.split(), std::optional<bool>(splitAfter));
    }

    // Split off transmits where the radio receives; the transmit frequency
    // is VFO B's, typed or above VFO A as sent.
    void splitOffAndTheTransmitFrequency()
    {
        QCOMPARE(Station::switchSplit(shownPanel(), false).state.split(), std::nullopt);
        const StationState split = after(shownPanel(), {splitOn});
        const StationStep off = Station::switchSplit(split, false);
        QCOMPARE(texts(off), QStringList({"FT0;"}));
        QCOMPARE(off.words, QStringLiteral("Split off: receive and transmit A"));
        QCOMPARE(off.state.split(), std::optional<bool>(false));

        // Up 5 needs VFO A's frequency as sent.
        const StationStep unknown = Station::transmitAboveA(split, 5);
        QVERIFY(unknown.commands.isEmpty());
        QVERIFY(!unknown.refusal.isEmpty());
        const StationState tuned = Station::tuneFrequency(split, Vfo::A, 14195000).state;
        const StationStep up5 = Station::transmitAboveA(tuned, 5);
        QCOMPARE(texts(up5), QStringList({"FB00014200000;"}));
        QCOMPARE(up5.words, QStringLiteral("VFO B, 14.200 MHz"));
        QCOMPARE(texts(Station::setTransmitFrequency(tuned, 14199500)),
                 QStringList({"FB00014199500;"}));
        // 29.995 MHz up 10 leaves a D's range.
        const StationState top = Station::tuneFrequency(split, Vfo::A, 29995000).state;
        QVERIFY(Station::transmitAboveA(top, 10).commands.isEmpty());
        QCOMPARE(Station::transmitAboveA(top, 10).refusal,
                 QStringLiteral("30.005 MHz is outside the TS-570D's range, 500 kHz to 30 MHz."));
    }

    // RIT and XIT switch apart but share one offset, known from a clear on;
    // the offset commands act only with RIT or XIT on, so RIT goes on first.
    void offsetStepsAndTheirLimit()
    {
        const StationStep cleared = Station::clearOffset(shownPanel());
        QCOMPARE(texts(cleared), QStringList({"RT1;", "RC;"}));
        QCOMPARE(cleared.words, QStringLiteral("RIT on, offset cleared"));
        QCOMPARE(cleared.state.offset.hertz, std::optional<int>(0));

        const StationStep typed = Station::setOffset(shownPanel(), 120);
        QCOMPARE(texts(typed), QStringList({"RT1;", "RC;", "RU;", "RU;", "RU;", "RU;", "RU;", "RU;",
                                            "RU;", "RU;", "RU;", "RU;", "RU;", "RU;"}));
        QCOMPARE(typed.words, QStringLiteral("RIT on, plus 120 Hz"));

        const StationStep down = Station::setOffset(typed.state, -30);
        QCOMPARE(texts(down), QStringList({"RC;", "RD;", "RD;", "RD;"}));
        QCOMPARE(down.words, QStringLiteral("Offset minus 30 Hz"));

        // An offset not known (RIT on, no clear yet) is told as a move.
        const StationStep moved = Station::stepOffset(after(shownPanel(), {ritOn}), OffsetStep::Up);
        QCOMPARE(texts(moved), QStringList({"RU;"}));
        QCOMPARE(moved.words, QStringLiteral("Offset up 10 Hz"));

        // At 9990 Hz a further step up sends nothing; a step down does.
        const StationState top = Station::setOffset(shownPanel(), 9990).state;
        const StationStep beyond = Station::stepOffset(top, OffsetStep::Up);
        QVERIFY(beyond.commands.isEmpty());
        QCOMPARE(beyond.refusal, QStringLiteral("The offset is at its limit, plus 9990 Hz."));
        QCOMPARE(texts(Station::stepOffset(top, OffsetStep::Down)), QStringList({"RD;"}));
        QCOMPARE(Station::stepOffset(top, OffsetStep::Down).state.offset.hertz,
                 std::optional<int>(9980));
        QVERIFY(Station::setOffset(shownPanel(), 10000).commands.isEmpty());
        QVERIFY(Station::setOffset(shownPanel(), 125).commands.isEmpty());

        // XIT on its own keeps RIT as it was, and the offset acts through it.
        const StationStep xit = Station::switchXit(shownPanel(), true);
        QCOMPARE(texts(xit), QStringList({"XT1;"}));
        QCOMPARE(xit.words, QStringLiteral("XIT on"));
        QCOMPARE(texts(Station::clearOffset(xit.state)), QStringList({"RC;"}));
        const StationState stepped = after(xit.state, {up});
        QVERIFY(!stepped.offset.rit.value_or(false));
    }

    // The 6 m band only on a TS-570S; a D refuses it and sends nothing.
    void sixMetresOnlyOnS()
    {
        const StationStep onS = Station::tuneBand(shownPanel(RadioModel::TS570S), sixMetres);
        QCOMPARE(texts(onS), QStringList({"FR0;", "FA00050000000;"}));
        QCOMPARE(onS.words, QStringLiteral("6 metres, VFO A, 50.000 MHz"));
        QCOMPARE(onS.cue, nullptr);
        const StationState onB = Station::chooseVfoB(shownPanel(RadioModel::TS570S)).state;
        QCOMPARE(texts(Station::tuneBand(onB, sixMetres)), QStringList({"FR1;", "FB00050000000;"}));

        const StationStep onD = Station::tuneBand(shownPanel(), sixMetres);
        QVERIFY(onD.commands.isEmpty());
        QCOMPARE(onD.refusal,
                 QStringLiteral("6 metres is outside the TS-570D's range, 500 kHz to 30 MHz."));
        QVERIFY(Station::tuneFrequency(shownPanel(RadioModel::TS570S), Vfo::A, 52525000)
                    .refusal.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestTuning)
#include "tst_tuning.moc"
