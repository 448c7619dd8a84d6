#include "commandframer.h"

namespace vradio {

QList<QByteArray> CommandFramer::feed(QByteArrayView bytes)
{
    QList<QByteArray> commands;
    for (const char c : bytes) {
        if (m_pending.isEmpty() && (c == '\r' || c == '\n'))
            continue;
        m_pending.append(c);
        if (c == ';' || m_pending.size() >= MaxPending) {
            commands.append(m_pending);
            m_pending.clear();
        }
    }
    return commands;
}

} // namespace vradio
