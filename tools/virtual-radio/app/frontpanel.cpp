#include "frontpanel.h"

#include "../pty/radiosession.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace vradio {

namespace {

constexpr int LogLines = 2000;

const char* modeName(Mode mode)
{
    switch (mode) {
    case Mode::Lsb:
        return "LSB";
    case Mode::Usb:
        return "USB";
    case Mode::Cw:
        return "CW";
    case Mode::Fm:
        return "FM";
    case Mode::Am:
        return "AM";
    case Mode::Fsk:
        return "FSK";
    case Mode::CwReverse:
        return "CW-R";
    case Mode::FskReverse:
        return "FSK-R";
    }
    return "";
}

// The levels shown, in the order of the panel's row.
const char* const levelNames[] = {"PWR", "AF", "RF", "SQL", "MIC", "SHIFT", "WIDTH", "KEY"};

// "+20", "-300": an offset as the radio's display gives it.
QString signedHz(int hz)
{
    return (hz < 0 ? QStringLiteral("-") : QStringLiteral("+")) + QString::number(qAbs(hz));
}

QString widthText(const RadioState& s)
{
    if (filterFamily(s.activeMode()) == FilterFamily::Voice)
        return s.voiceWidth == 0 ? QStringLiteral("NARROW") : QStringLiteral("WIDE");
    return QStringLiteral("%1 Hz").arg(s.filterWidth());
}

} // namespace

FrontPanel::FrontPanel(const RadioSession* session, const QString& linkPath, QWidget* parent)
    : QWidget(parent), m_session(session), m_frequency(new QLabel(this)), m_mode(new QLabel(this)),
      m_receiver(new QLabel(this)), m_keying(new QLabel(this)), m_log(new QPlainTextEdit(this))
{
    setWindowTitle(QStringLiteral("Virtual TS-570 - %1").arg(linkPath));

    QFont digits = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    digits.setPointSize(36);
    digits.setBold(true);
    m_frequency->setFont(digits);
    m_frequency->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_frequency->setStyleSheet(QStringLiteral("background:#10200c; color:#f0b020; padding:6px"));

    QFont large = font();
    large.setPointSize(large.pointSize() + 4);
    m_mode->setFont(large);
    m_receiver->setFont(large);

    auto* top = new QHBoxLayout;
    auto* side = new QVBoxLayout;
    side->addWidget(m_receiver);
    side->addWidget(m_mode);
    top->addLayout(side);
    top->addWidget(m_frequency, 1);

    const QStringList names{QStringLiteral("POWER"), QStringLiteral("TX"),  QStringLiteral("NB"),
                            QStringLiteral("NR"),    QStringLiteral("ATT"), QStringLiteral("PRE"),
                            QStringLiteral("PROC"),  QStringLiteral("VOX"), QStringLiteral("LOCK"),
                            QStringLiteral("SCAN"),  QStringLiteral("ANT"), QStringLiteral("AT"),
                            QStringLiteral("SPLIT"), QStringLiteral("RIT"), QStringLiteral("XIT"),
                            QStringLiteral("AI")};
    auto* indicators = new QGridLayout;
    for (int i = 0; i < names.size(); ++i) {
        auto* label = new QLabel(names[i], this);
        label->setObjectName(QStringLiteral("indicator %1").arg(names[i]));
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(64);
        m_indicators.insert(names[i], label);
        indicators->addWidget(label, i / 8, i % 8);
    }

    auto* levels = new QHBoxLayout;
    for (const char* name : levelNames) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("level %1").arg(QLatin1String(name)));
        label->setAlignment(Qt::AlignCenter);
        label->setStyleSheet(QStringLiteral("padding:3px"));
        m_levels.insert(QLatin1String(name), label);
        levels->addWidget(label);
    }
    m_keying->setObjectName(QStringLiteral("keying"));
    m_keying->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_keying->setTextFormat(Qt::PlainText);

    m_log->setReadOnly(true);
    m_log->setMaximumBlockCount(LogLines);
    m_log->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(indicators);
    layout->addLayout(levels);
    layout->addWidget(m_keying);
    layout->addWidget(m_log, 1);
    resize(720, 480);

    connect(m_session, &RadioSession::stateChanged, this, &FrontPanel::refresh);
    connect(m_session, &RadioSession::lineWritten, this, &FrontPanel::appendLog);
    refresh();
}

QString FrontPanel::frequencyText(qint64 hz)
{
    const QString khz = QString::number(hz / 1000 % 1000).rightJustified(3, QLatin1Char('0'));
    const QString rest = QString::number(hz % 1000).rightJustified(3, QLatin1Char('0'));
    return QStringLiteral("%1.%2.%3").arg(hz / 1'000'000).arg(khz, rest);
}

void FrontPanel::refresh()
{
    const RadioState& s = m_session->state();
    const bool on = s.powered;

    // Transmitting split, the display turns to the transmit side, as the
    // radio's does.
    const Receiver shown = s.shownSide();
    const qint64 hz = s.frequencyOf(shown);
    m_frequency->setText(!on      ? QString()
                         : hz > 0 ? frequencyText(hz)
                                  : QStringLiteral("--.---.---"));
    m_mode->setText(on ? QString::fromLatin1(modeName(s.modeOf(shown))) : QString());
    switch (shown) {
    case Receiver::VfoA:
        m_receiver->setText(on ? QStringLiteral("VFO A") : QString());
        break;
    case Receiver::VfoB:
        m_receiver->setText(on ? QStringLiteral("VFO B") : QString());
        break;
    case Receiver::Memory:
        m_receiver->setText(on ? QStringLiteral("M.CH %1%2")
                                     .arg(s.memoryChannel, 2, 10, QLatin1Char('0'))
                                     .arg(s.memoryValid ? QString() : QStringLiteral(" (empty)"))
                               : QString());
        break;
    }

    setIndicator(QStringLiteral("POWER"), on, on ? QStringLiteral("POWER") : QStringLiteral("OFF"));
    setIndicator(QStringLiteral("TX"), on && s.transmitting,
                 s.transmitting ? QStringLiteral("TX") : QStringLiteral("RX"));
    setIndicator(QStringLiteral("NB"), on && s.noiseBlanker);
    setIndicator(QStringLiteral("NR"), on && s.noiseReduction > 0,
                 s.noiseReduction == 2 ? QStringLiteral("NR2") : QStringLiteral("NR1"));
    setIndicator(QStringLiteral("ATT"), on && s.attenuator);
    setIndicator(QStringLiteral("PRE"), on && s.preamp);
    setIndicator(QStringLiteral("PROC"), on && s.processor);
    setIndicator(QStringLiteral("VOX"), on && s.vox);
    setIndicator(QStringLiteral("LOCK"), on && s.locked);
    setIndicator(QStringLiteral("SCAN"), on && s.scanning);
    setIndicator(QStringLiteral("ANT"), on, QStringLiteral("ANT%1").arg(s.antenna));
    setIndicator(QStringLiteral("AT"), on && s.tunerInLine,
                 s.tuning ? QStringLiteral("AT TUNE") : QStringLiteral("AT"));
    setIndicator(QStringLiteral("SPLIT"), on && s.split());
    const QString offset = signedHz(s.ritOffset);
    setIndicator(QStringLiteral("RIT"), on && s.rit, QStringLiteral("RIT ") + offset);
    setIndicator(QStringLiteral("XIT"), on && s.xit, QStringLiteral("XIT ") + offset);
    setIndicator(QStringLiteral("AI"), on && s.autoInformation);
    refreshLevels(s);
}

void FrontPanel::refreshLevels(const RadioState& s)
{
    const bool on = s.powered;
    // An AM carrier goes to 25 W at most, whatever PC says.
    const bool amLimited = s.activeMode() == Mode::Am && s.outputPower > 25;
    const QString texts[] = {
        QStringLiteral("PWR %1 W%2")
            .arg(s.outputPower)
            .arg(amLimited ? QStringLiteral(" (AM 25)") : QString()),
        QStringLiteral("AF %1").arg(s.afGain),
        QStringLiteral("RF %1").arg(s.rfGain),
        QStringLiteral("SQL %1").arg(s.squelch),
        QStringLiteral("MIC %1").arg(s.micGain),
        QStringLiteral("SHIFT %1 Hz").arg(signedHz(s.ifShift)),
        QStringLiteral("WIDTH %1").arg(widthText(s)),
        QStringLiteral("KEY %1 wpm").arg(s.keySpeed),
    };
    for (std::size_t i = 0; i < std::size(levelNames); ++i) {
        QLabel* label = m_levels.value(QLatin1String(levelNames[i]));
        label->setText(on ? texts[i] : QString());
        label->setAccessibleName(texts[i]);
    }

    const QByteArray waiting = m_session->keyer().waiting();
    const bool cw = filterFamily(s.activeMode()) == FilterFamily::Cw;
    m_keying->setText(!on ? QString()
                      : waiting.isEmpty()
                          ? QStringLiteral("KY  -")
                          : QStringLiteral("KY  %1%2")
                                .arg(QString::fromLatin1(waiting),
                                     cw ? QString() : QStringLiteral("   (not CW)")));
}

void FrontPanel::appendLog(const QByteArray& line)
{
    m_log->appendPlainText(QString::fromLatin1(line));
}

void FrontPanel::setIndicator(const QString& name, bool on, const QString& text)
{
    QLabel* label = m_indicators.value(name);
    if (!label)
        return;
    label->setText(text.isEmpty() ? name : text);
    label->setStyleSheet(on ? QStringLiteral("background:#f0b020; color:black; padding:3px")
                            : QStringLiteral("color:gray; padding:3px"));
}

} // namespace vradio
