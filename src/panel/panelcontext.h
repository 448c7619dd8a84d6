#pragma once

// What the panel's control handlers work with: the panel's variables, what
// the main window sends through (its link, opened on demand), and the window
// to ask questions over. Handlers send their commands in order through
// SendCommand() and then play their cue through PlayCue(); they never see the
// window's widgets. What an action sent is told to a screen reader (report())
// before its cue and, for actions without a cue, once the action is over.

#include "panel/panelstate.h"
#include "panel/spokenresult.h"
#include "radio/radiolink.h"

#include <functional>

class QWidget;

struct PanelContext {
    PanelState& state;
    RadioLink& link;
    QWidget* window;
    // Told the words of each report and the record of everything sent.
    std::function<void(const QString& words, const SentRecord& record)> told = {};

    // Writes one command to the main window's link; the link reports its own faults.
    void SendCommand(const CatCommand& command) const
    {
        link.sendCommand(command);
        m_sent.append(command.text());
        m_record.add(command.text());
    }

    // Says what was sent since the last report; nothing if nothing was.
    void report() const
    {
        if (m_sent.isEmpty())
            return;
        const QList<QByteArray> sent = std::exchange(m_sent, {});
        if (told)
            told(spokenResult(sent), m_record);
    }

    // Reports, then plays the cue.
    void PlayCue(const char* cue) const;

    // Sent since the last report, and everything sent.
    mutable QList<QByteArray> m_sent = {};
    mutable SentRecord m_record = {};
};
