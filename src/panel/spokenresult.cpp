#include "panel/spokenresult.h"

#include "panel/bands.h"

#include <QStringList>

#include <optional>

namespace {
struct SwitchWords {
    const char* letters;
    const char* words;
};

// The radio's own switches, in the words an operator says.
constexpr SwitchWords switchWords[] = {
    {"NB", "Noise blanker"},  {"NR", "Noise reduction"},
    {"PA", "Preamplifier"},   {"PR", "Speech processor"},
    {"LK", "Frequency lock"}, {"RA", "RF attenuator"},
    {"SC", "Scan"},           {"VX", "VOX"},
};

const char* modeWords[] = {"", "LSB", "USB", "CW", "FM", "AM", "FSK"};

QByteArray body(const QByteArray& command)
{
    return command.endsWith(';') ? command.chopped(1) : command;
}

QString megahertz(quint64 hertz)
{
    return QStringLiteral("%1.%2 MHz")
        .arg(hertz / 1'000'000)
        .arg((hertz / 1000) % 1000, 3, 10, QLatin1Char('0'));
}

std::optional<QString> bandAt(quint64 hertz)
{
    for (const BandButton& band : bandButtons) {
        if (band.hertz == hertz)
            return QString::fromLatin1(band.caption).chopped(1) + QStringLiteral(" metres");
    }
    return std::nullopt;
}

const SwitchWords* switchOf(const QByteArray& text)
{
    for (const SwitchWords& row : switchWords) {
        if (text.startsWith(row.letters))
            return &row;
    }
    return nullptr;
}

// "Noise blanker" as it reads inside a sentence; "RF attenuator" and "VOX" keep their capitals.
QString inSentence(QString words)
{
    if (words.size() > 1 && words[1].isLower())
        words[0] = words[0].toLower();
    return words;
}

QString switchState(const QByteArray& text)
{
    const QByteArray digits = text.mid(2);
    if (text.startsWith("NR") && digits != "0")
        return QStringLiteral("on, level %1").arg(QString::fromLatin1(digits));
    return digits.toInt() != 0 ? QStringLiteral("on") : QStringLiteral("off");
}
} // namespace

std::optional<bool> switchSetting(const QByteArray& command)
{
    const QByteArray text = body(command);
    if (!switchOf(text) || text.size() < 3)
        return std::nullopt;
    return text.mid(2).toInt() != 0;
}

QString spokenResult(const QList<QByteArray>& sent)
{
    QStringList words;
    QString receiver;
    for (const QByteArray& command : sent) {
        const QByteArray text = body(command);
        if (text == "FR0" || text == "FR1") {
            receiver = text == "FR0" ? QStringLiteral("VFO A") : QStringLiteral("VFO B");
        } else if (text == "FR2") {
            receiver = QStringLiteral("Memory mode");
        } else if ((text.startsWith("FA") || text.startsWith("FB")) && text.size() == 13) {
            const quint64 hertz = text.mid(2).toULongLong();
            const QString vfo =
                text.startsWith("FA") ? QStringLiteral("VFO A") : QStringLiteral("VFO B");
            if (const std::optional<QString> band = bandAt(hertz); band && !receiver.isEmpty())
                words << *band;
            words << vfo << megahertz(hertz);
            receiver.clear();
        } else if (text.startsWith("MC")) {
            words << QStringLiteral("Memory %1 recalled")
                         .arg(QString::fromLatin1(text.mid(2).trimmed()));
            receiver.clear();
        } else if (text.startsWith("MD") && text.size() == 3 && text[2] >= '1' && text[2] <= '6') {
            words << QString::fromLatin1(modeWords[text[2] - '0']);
        } else if (text == "PS1" || text == "PS0") {
            words << (text == "PS1" ? QStringLiteral("Radio switched on")
                                    : QStringLiteral("Radio switched off"));
        } else if (const SwitchWords* row = switchOf(text)) {
            words << QString::fromLatin1(row->words) + QLatin1Char(' ') + switchState(text);
        } else if (text.startsWith("AN")) {
            words << QStringLiteral("Antenna %1").arg(QString::fromLatin1(text.mid(2)));
        } else if (text == "AC 11") {
            words << QStringLiteral("Antenna tuner started");
        } else if (text == "UP" || text == "DN") {
            words << (text == "UP" ? QStringLiteral("Frequency up")
                                   : QStringLiteral("Frequency down"));
        } else if (text == "TX" || text == "RX") {
            words << (text == "TX" ? QStringLiteral("Transmitting") : QStringLiteral("Receiving"));
        } else if (text == "SR1" || text == "SR2") {
            words << (text == "SR1" ? QStringLiteral("Partial reset sent")
                                    : QStringLiteral("Full reset sent"));
        } else {
            words << QString::fromLatin1(command);
        }
    }
    if (!receiver.isEmpty())
        words.prepend(receiver);
    return words.join(QStringLiteral(", "));
}

void SentRecord::add(const QByteArray& command)
{
    const QByteArray text = body(command);
    if (text == "FR0" || text == "FR1") {
        m_receiver = text == "FR0" ? QStringLiteral("VFO A") : QStringLiteral("VFO B");
    } else if (text == "FR2") {
        m_receiver = QStringLiteral("memory");
    } else if (text.startsWith("MC")) {
        m_receiver = QStringLiteral("memory %1").arg(QString::fromLatin1(text.mid(2).trimmed()));
    } else if ((text.startsWith("FA") || text.startsWith("FB")) && text.size() == 13) {
        m_frequency[text[1]] = megahertz(text.mid(2).toULongLong());
    } else if (text.startsWith("MD") && text.size() == 3 && text[2] >= '1' && text[2] <= '6') {
        m_mode = QString::fromLatin1(modeWords[text[2] - '0']);
    } else if (const SwitchWords* row = switchOf(text)) {
        m_switches[row->letters] =
            inSentence(QString::fromLatin1(row->words)) + QLatin1Char(' ') + switchState(text);
    } else if (text == "PS1" || text == "PS0") {
        m_switches["PS"] = text == "PS1" ? QStringLiteral("power on") : QStringLiteral("power off");
    }
}

QString SentRecord::summary() const
{
    QStringList parts;
    if (!m_receiver.isEmpty())
        parts << QStringLiteral("receiver ") + m_receiver;
    for (auto it = m_frequency.begin(); it != m_frequency.end(); ++it)
        parts << QStringLiteral("VFO %1 %2").arg(QChar::fromLatin1(it.key()), it.value());
    if (!m_mode.isEmpty())
        parts << m_mode;
    parts << m_switches.values();
    if (parts.isEmpty())
        return QStringLiteral("Nothing sent yet");
    return QStringLiteral("Last sent: ") + parts.join(QStringLiteral(", "));
}

QString SentRecord::brief() const
{
    QStringList parts;
    if (!m_receiver.isEmpty())
        parts << m_receiver;
    const char vfo = m_receiver == QLatin1String("VFO B") ? 'B' : 'A';
    if (!m_receiver.startsWith(QLatin1String("memory")) && m_frequency.contains(vfo))
        parts << m_frequency.value(vfo);
    if (!m_mode.isEmpty())
        parts << m_mode;
    if (parts.isEmpty())
        return {};
    return QStringLiteral("last sent: ") + parts.join(QStringLiteral(", "));
}
