#pragma once

#include <QHash>
#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace vradio {

class RadioSession;

// A look at the radio as its front panel would give it: the frequency being
// received, mode, VFO or memory channel, the switch indicators and a log of
// everything that came in over the port.
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

    const RadioSession* m_session;
    QLabel* m_frequency;
    QLabel* m_mode;
    QLabel* m_receiver;
    QHash<QString, QLabel*> m_indicators;
    QPlainTextEdit* m_log;
};

} // namespace vradio
