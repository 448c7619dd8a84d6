#pragma once

// The file dialog that chooses a short-wave schedule for the "On the Air Now"
// window: it opens in the folder of the schedule chosen last (or the home
// folder) and offers EiBi's CSV files first. An empty result means the
// operator chose no file.
//
// Tests answer the dialog from a script instead of showing it.

#include <QString>

#include <functional>

class QWidget;

struct ScheduleFileRequest {
    QString directory;
    QString fileName; // the schedule chosen last, or empty
};

class ScheduleFileDialog {
public:
    static QString choose(QWidget* parent, const QString& lastPath);

    // Replaces the dialog; an empty function shows the real one again.
    using Script = std::function<QString(const ScheduleFileRequest&)>;
    static void setScript(Script script);
};
