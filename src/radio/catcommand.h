#pragma once

// Kenwood CAT commands as Quillard sends them. A command is its text (two
// upper-case letters, fixed-width parameters, ";") and goes on the wire as
// that text followed by exactly one carriage return, in one write.
//
// CatCommand can only be made by the builders below, so no other command text
// can reach the radio. Quillard only talks: it never sends a query. Beside its
// text each command keeps what it means, typed (its kind and the parameters
// its builder was given), so whatever tells the operator what was sent reads
// those and never takes the text apart again.

#include <QByteArray>
#include <QString>

#include <optional>

enum class Vfo { A, B };
enum class Receiver { VfoA = 0, VfoB = 1, Memory = 2 };
enum class Mode { LSB = 1, USB = 2, CW = 3, FM = 4, AM = 5, FSK = 6 };
enum class ResetKind { Partial = 1, Full = 2 };

// On/off switches of the radio and their command names. A switch's setting is
// the number the radio takes: 0 off, 1 on; the noise reduction has a second
// level, 2 (and its 1 is level 1).
enum class Switch {
    NoiseBlanker,   // NB0, NB1
    NoiseReduction, // NR0, NR1, NR2
    Attenuator,     // RA00, RA01
    Preamplifier,   // PA0, PA1
    Processor,      // PR0, PR1
    Vox,            // VX0, VX1
    Lock,           // LK0, LK1
    Scan,           // SC0, SC1
};
inline constexpr int switchCount = 8;

class CatCommand {
public:
    // What a command does. A command a builder refused (an argument out of
    // range) is None.
    enum class Kind {
        None,
        Frequency,     // vfo(), hertz()
        Receiver,      // receiver()
        MemoryRecall,  // channel()
        Mode,          // mode()
        Switch,        // switchName(), setting()
        Antenna,       // connector()
        Tuner,         // "AC 11;": tuner in line, start tuning
        Transmit,      //
        Receive,       //
        Power,         // on()
        FrequencyUp,   //
        FrequencyDown, //
        Reset,         // reset()
        MemoryWrite,   // channel()
        Transmitter,   // receiver(): where the radio transmits (split when it differs)
        Rit,           // on()
        Xit,           // on()
        OffsetClear,   // RIT/XIT offset to zero
        OffsetUp,      // one step up
        OffsetDown,    // one step down
    };

    // The RIT/XIT offset, which RIT and XIT share, moves by one step per
    // command and stops at the limit either side.
    static constexpr int offsetStepHertz = 10;
    static constexpr int offsetLimitHertz = 9990;

    // "FA" or "FB" with the frequency in hertz as eleven digits.
    static CatCommand frequency(Vfo vfo, quint64 hertz);
    static CatCommand receiveOn(Receiver receiver); // FR0, FR1, FR2
    static CatCommand recallMemory(int channel);    // "MC 05;", channel 0 to 99
    static CatCommand mode(Mode mode);              // MD1 to MD6
    static CatCommand setSwitch(Switch which, int setting);
    static CatCommand antenna(int connector); // AN1, AN2
    static CatCommand tuneAntenna();          // "AC 11;"
    static CatCommand transmit();             // TX
    static CatCommand receive();              // RX
    static CatCommand power(bool on);         // PS1, PS0
    static CatCommand frequencyUp();          // UP
    static CatCommand frequencyDown();        // DN
    static CatCommand partialReset();         // SR1
    static CatCommand fullReset();            // SR2
    // FT0, FT1, FT2. A receiver command (FR) moves the transmitter with it, so
    // FT comes after FR when the two are to differ (split).
    static CatCommand transmitOn(Receiver transmitter);
    static CatCommand rit(bool on);  // RT1, RT0
    static CatCommand xit(bool on);  // XT1, XT0
    static CatCommand clearOffset(); // RC
    static CatCommand offsetUp();    // RU
    static CatCommand offsetDown();  // RD

    // Memory write of channel 00 to 99: "MW0 ", the channel, "000", the
    // operator's frequency entry as typed, "0", the mode digit, "0001 ;".
    // The entry and the mode digit go out as they are, whatever their length,
    // but a text that could break the framing (anything other than printable
    // ASCII, or a ";") is refused: that would make the radio see other commands.
    static std::optional<CatCommand> memoryWrite(int channel, const QString& frequencyEntry,
                                                 const QString& modeDigit);

    // The mode digit for a mode word of the memory sheet: all lower or all
    // upper case ("usb", "USB"); anything else has none.
    static std::optional<QString> modeDigitFor(const QString& modeWord);

    // False for the empty command that a builder makes from an argument out of
    // its range; such a command is never sent.
    bool isValid() const { return !m_text.isEmpty(); }
    const QByteArray& text() const { return m_text; }
    QByteArray framed() const { return m_text + '\r'; }

    // What it means; each parameter is the one its builder was given, for the
    // kinds named beside it above (the others read as their defaults).
    Kind kind() const { return m_kind; }
    Vfo vfo() const { return m_parameters.vfo; }
    quint64 hertz() const { return m_parameters.hertz; }
    ::Receiver receiver() const { return m_parameters.receiver; }
    int channel() const { return m_parameters.channel; }
    ::Mode mode() const { return m_parameters.mode; }
    ::Switch switchName() const { return m_parameters.which; }
    int setting() const { return m_parameters.setting; }
    int connector() const { return m_parameters.connector; }
    bool on() const { return m_parameters.on; }
    ResetKind reset() const { return m_parameters.reset; }

    bool operator==(const CatCommand& other) const = default;

private:
    struct Parameters {
        Vfo vfo = Vfo::A;
        quint64 hertz = 0;
        ::Receiver receiver = ::Receiver::VfoA;
        int channel = 0;
        ::Mode mode = ::Mode::LSB;
        ::Switch which = ::Switch::NoiseBlanker;
        int setting = 0;
        int connector = 0;
        bool on = false;
        ResetKind reset = ResetKind::Partial;
        bool operator==(const Parameters& other) const = default;
    };

    CatCommand() = default;
    CatCommand(QByteArray text, Kind kind) : m_text(std::move(text)), m_kind(kind) {}
    CatCommand(QByteArray text, Kind kind, Parameters parameters)
        : m_text(std::move(text)), m_kind(kind), m_parameters(parameters)
    {}

    QByteArray m_text;
    Kind m_kind = Kind::None;
    Parameters m_parameters;
};
