#pragma once

#include "../core/radiostate.h"

#include <QString>
#include <QStringList>

namespace vradio {

struct Options {
    int port = 1;
    QString linkPath; // empty: PortLink::defaultPath(port)
    bool window = true;
    Model model = Model::S;
    // Tests only: how long each answer waits before it goes out.
    int replyDelayMs = 0;
};

struct ParsedOptions {
    enum class Action { Run, Help, Error };
    Action action = Action::Run;
    Options options;
    QString error;
};

// Parses the full argument list, program name first. Runs before any
// QCoreApplication exists, because --no-window decides which kind to make.
ParsedOptions parseOptions(const QStringList& arguments);

QString helpText(const QString& programName);

} // namespace vradio
