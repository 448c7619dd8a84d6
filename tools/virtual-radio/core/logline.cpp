#include "logline.h"

namespace vradio::logline {

namespace {

QByteArray stamp(const QDateTime& utc, qint64 elapsedNs)
{
    const qint64 micros = elapsedNs / 1000;
    return utc.toUTC().toString(Qt::ISODateWithMs).toLatin1() + ' ' +
           QByteArray::number(micros / 1000) + '.' +
           QByteArray::number(micros % 1000).rightJustified(3, '0');
}

} // namespace

QByteArray escaped(QByteArrayView text)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    QByteArray out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f && c != '\\') {
            out.append(c);
        } else {
            out.append("\\x");
            out.append(hex[byte >> 4]);
            out.append(hex[byte & 0x0f]);
        }
    }
    return out;
}

QByteArray ready(const QString& slavePath, const QString& linkPath)
{
    return "READY " + escaped(slavePath.toLocal8Bit()) + ' ' + escaped(linkPath.toLocal8Bit()) +
           '\n';
}

QByteArray received(const QDateTime& utc, qint64 elapsedNs, QByteArrayView command,
                    Outcome::Kind kind)
{
    QByteArray line = "RX " + stamp(utc, elapsedNs) + ' ';
    if (kind == Outcome::Kind::Rejected)
        line += "? ";
    else if (kind == Outcome::Kind::IgnoredWhileOff)
        line += "- ";
    return line + escaped(command) + '\n';
}

QByteArray answer(const QDateTime& utc, qint64 elapsedNs, QByteArrayView reply)
{
    return "ANS " + stamp(utc, elapsedNs) + ' ' + escaped(reply) + '\n';
}

QByteArray overflow(const QDateTime& utc, qint64 elapsedNs, qsizetype waiting,
                    QByteArrayView refused)
{
    return "OVERFLOW " + stamp(utc, elapsedNs) + " KY buffer full, " + QByteArray::number(waiting) +
           " characters waiting; refused: " + escaped(refused) + '\n';
}

QByteArray keyed(const QDateTime& utc, qint64 elapsedNs, QByteArrayView text, bool cut)
{
    return "CW " + stamp(utc, elapsedNs) + (cut ? " - " : " ") + escaped(text) + '\n';
}

} // namespace vradio::logline
