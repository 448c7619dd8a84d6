#include "ts570standin.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>

#include <poll.h>

namespace {
// What a TS-570D on 14.000 MHz USB, VFO A, receiving, answers.
const QHash<QByteArray, QByteArray>& answers()
{
    static const QHash<QByteArray, QByteArray> table = {
        {"ID", "ID018;"},         {"IF", "IF00014000000     +00000000002000000 ;"},
        {"FA", "FA00014000000;"}, {"FB", "FB00007000000;"},
        {"FR", "FR0;"},           {"FT", "FT0;"},
        {"MD", "MD2;"},           {"AI", "AI0;"},
        {"PS", "PS1;"},           {"AN", "AN1;"},
        {"FW", "FW0000;"},        {"SM", "SM0000;"},
        {"RM", "RM00000;"},       {"PC", "PC100;"},
        {"AG", "AG100;"},         {"RG", "RG100;"},
        {"SQ", "SQ000;"},         {"MG", "MG050;"},
        {"SL", "SL00;"},          {"SH", "SH00;"},
        {"IS", "IS 0000;"},       {"NB", "NB0;"},
        {"NR", "NR0;"},           {"PA", "PA0;"},
        {"RA", "RA00;"},          {"VX", "VX0;"},
        {"LK", "LK0;"},           {"KS", "KS020;"},
        {"RT", "RT0;"},           {"XT", "XT0;"},
        {"AC", "AC000;"},         {"PR", "PR0;"},
        {"SC", "SC0;"},           {"MC", "MC 00;"},
        {"BC", "BC0;"},
    };
    return table;
}
} // namespace

Ts570StandIn::Ts570StandIn()
{
    m_notifier = std::make_unique<QSocketNotifier>(m_pty.masterFd(), QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(),
                     [this] { take(); });
}

void Ts570StandIn::take()
{
    const qsizetype before = m_pty.raw().size();
    m_pty.readAvailable();
    const QByteArray fresh = m_pty.raw().mid(before);
    m_arrived += fresh;
    for (const char byte : fresh) {
        if (byte == '\r' || byte == '\n') {
            m_query.clear();
            continue;
        }
        m_query += byte;
        if (byte != ';')
            continue;
        const QByteArray name = m_query.chopped(1);
        m_query.clear();
        if (m_silent || name.size() != 2)
            continue;
        const auto answer = answers().constFind(name);
        if (answer == answers().constEnd())
            continue;
        ++m_queries;
        m_pty.radioSends(*answer);
    }
}

const QByteArray& Ts570StandIn::arrived()
{
    QCoreApplication::processEvents();
    take();
    return m_arrived;
}

const QByteArray& Ts570StandIn::arrivedMeanwhile()
{
    take();
    return m_arrived;
}

bool Ts570StandIn::waitMeanwhile(const QByteArray& ending, int milliseconds)
{
    return waitUntil([&] { return arrivedMeanwhile().endsWith(ending); }, milliseconds);
}

bool Ts570StandIn::waitContaining(const QByteArray& part, int milliseconds)
{
    return waitUntil([&] { return arrivedMeanwhile().contains(part); }, milliseconds);
}

bool Ts570StandIn::waitUntil(const std::function<bool()>& done, int milliseconds)
{
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        const int left = milliseconds - static_cast<int>(waited.elapsed());
        if (left <= 0)
            return false;
        pollfd readable{m_pty.masterFd(), POLLIN, 0};
        ::poll(&readable, 1, left);
    }
    return true;
}

QStringList Ts570StandIn::framedCommands()
{
    const QByteArray& bytes = arrived();
    QStringList commands;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != ';')
            continue;
        if (i + 1 < bytes.size() && bytes[i + 1] == '\r') {
            commands << QString::fromLatin1(bytes.mid(start, i + 1 - start));
            ++i;
        }
        start = i + 1;
    }
    return commands;
}

void Ts570StandIn::forget()
{
    arrived();
    m_arrived.clear();
}
