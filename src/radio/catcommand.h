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

        // Levels and the filter, each kept as the radio's number: level().
        AfGain,        // 0 to 255
        RfGain,        // 0 to 255
        Squelch,       // 0 to 255
        TransmitPower, // watts, 5 to 100
        MicGain,       // 0 to 100
        IfShift,       // hertz, signed
        FilterWidth,   // mode(), level(): the filter's four-digit value
        // A command the operator typed (a button of their own, the start or
        // exit sequence), checked by operatorCommand() and sent as typed.
        OperatorCommand,
        // The CW keyer.
        KeyerSpeed, // wordsPerMinute()
        KeyerText,  // keyedText()
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

    // Levels, each as three digits in the radio's own steps ("AG128;",
    // "PC050;"), and the IF shift as a sign and four digits ("IS+0300;").
    static constexpr int gainMax = 255;     // AG, RG, SQ
    static constexpr int powerMinWatts = 5; // PC
    static constexpr int powerMaxWatts = 100;
    static constexpr int micGainMax = 100; // MG
    static constexpr int ifShiftLimitHertz = 1000;
    static CatCommand afGain(int level);
    static CatCommand rfGain(int level);
    static CatCommand squelch(int level);
    static CatCommand transmitPower(int watts);
    static CatCommand micGain(int level);
    static CatCommand ifShift(int hertz);
    // "FW0500;": one of the filter values the radio offers in the mode
    // (radio/filterwidths.h); any other value makes no command.
    static CatCommand filterWidth(::Mode mode, int value);
    // A command the operator typed, as it stands: two upper-case letters,
    // parameters of printable ASCII, and one ";" at its end. Anything else,
    // and a bare query ("FA;": Quillard never asks the radio), makes no
    // command; station/operatorcommands.h says why to the operator.
    static CatCommand operatorCommand(const QByteArray& text);
    // Two letters and ";" that set something rather than ask: TX, RX, UP ...
    static bool isBareAction(const QByteArray& name);
    // The CW keyer. KS sets the speed the radio keys KY texts at, 10 to 60
    // words per minute: "KS020;". KY hands the radio one text to key: "KY",
    // a blank, the text left-aligned in a field of keyerTextWidth characters
    // padded with blanks, ";" ("KY CQ TEST                 ;", 28 bytes).
    // The text is at most that wide and only of keyable characters, letters
    // in upper case; anything else makes the invalid command.
    static constexpr int keyerSlowestWpm = 10;
    static constexpr int keyerFastestWpm = 60;
    static constexpr int keyerTextWidth = 24;
    static CatCommand keyerSpeed(int wordsPerMinute);
    static CatCommand keyerText(const QByteArray& text);
    // The characters the radio's keyer knows: A-Z (a-z are sent as upper
    // case), 0-9, the blank and . , ? / = + - ( ) ' " : @
    static bool keyable(QChar c);

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
    int level() const { return m_parameters.level; }
    int wordsPerMinute() const { return m_parameters.wordsPerMinute; }
    const QByteArray& keyedText() const { return m_parameters.keyed; }

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
        int level = 0;
        int wordsPerMinute = 0;
        QByteArray keyed; // without the padding
        bool operator==(const Parameters& other) const = default;
    };

    CatCommand() = default;
    // Three digits of a level in [lowest, highest]: "AG128;".
    static CatCommand levelCommand(const char* name, Kind kind, int value, int lowest, int highest);
    CatCommand(QByteArray text, Kind kind) : m_text(std::move(text)), m_kind(kind) {}
    CatCommand(QByteArray text, Kind kind, Parameters parameters)
        : m_text(std::move(text)), m_kind(kind), m_parameters(parameters)
    {}

    QByteArray m_text;
    Kind m_kind = Kind::None;
    Parameters m_parameters;
};
