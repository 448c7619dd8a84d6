#pragma once

#include <QHash>
#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace vradio {

class RadioSession;
struct RadioState;

// A look at the radio as its front panel would give it: the frequency being
// received, mode, VFO or memory channel, the switch indicators, the levels as
// last set, the text the keyer is keying and a log of everything that came in
// over the port.
class FrontPanel : public QWidget {
    Q_OBJECT
public:
    explicit FrontPanel(const RadioSession* session, const QString& linkPath,
                        QWidget* parent = nullptr);

    // "14.000.000": MHz, kHz and Hz groups, as the dial reads them.
    static QString frequencyText(qint64 hz);

private:
    void refresh();
    void appendLog(const QByteArray& line);
    void setIndicator(const QString& name, bool on, const QString& text = {});
    void refreshLevels(const RadioState& s);

    const RadioSession* m_session;
    QLabel* m_frequency;
    QLabel* m_mode;
    QLabel* m_receiver;
    QHash<QString, QLabel*> m_indicators;
    QHash<QString, QLabel*> m_levels;
    QLabel* m_keying;
    QPlainTextEdit* m_log;
};

} // namespace vradio
