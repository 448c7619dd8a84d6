#include "radio/rigctldlink.h"

#include "radio/daemonfaults.h"

namespace {
// "+\send_cmd_rx \0x4D ... \0x0D 0" and a line feed.
QByteArray rawCommandLine(const QByteArray& framed)
{
    QByteArray line = QByteArrayLiteral("+\\send_cmd_rx ");
    for (const char byte : framed)
        line += QByteArrayLiteral("\\0x") +
                QByteArray::number(static_cast<uchar>(byte), 16).rightJustified(2, '0').toUpper();
    line += QByteArrayLiteral(" 0\n");
    return line;
}
} // namespace

RigctldLink::RigctldLink(QObject* parent) : DaemonLink(parent) {}

QString RigctldLink::daemonName() const
{
    return QStringLiteral("rigctld");
}

QString RigctldLink::startAdvice() const
{
    return QStringLiteral("Start it for the radio's serial device, for example:\n%1")
        .arg(DaemonFaults::rigctldCommand(
            settings().device, settings().baud > 0 ? QString::number(settings().baud) : QString()));
}

void RigctldLink::writeQueued()
{
    for (const QByteArray& text : takeQueued()) {
        socket().write(rawCommandLine(text + '\r'));
        handedOver({text});
    }
}

void RigctldLink::resetReplies()
{
    m_partialLine.clear();
}

void RigctldLink::readReplies()
{
    m_partialLine += socket().readAll();
    qsizetype end;
    while ((end = m_partialLine.indexOf('\n')) >= 0) {
        const QByteArray line = m_partialLine.left(end).trimmed();
        m_partialLine.remove(0, end + 1);
        // The extended answer echoes the command and its (empty) reply first;
        // only the closing RPRT line matters.
        if (!line.startsWith("RPRT "))
            continue;
        bool isNumber = false;
        const int code = line.mid(5).toInt(&isNumber);
        if (!isNumber) {
            garbled(QString::fromLatin1(line));
            return;
        }
        if (!awaitingReply()) {
            garbled(QStringLiteral("an answer to no command"));
            return;
        }
        if (code == 0)
            acknowledged();
        else
            refused(QStringLiteral("RPRT %1, %2").arg(code).arg(DaemonFaults::hamlibError(-code)),
                    true);
    }
}
