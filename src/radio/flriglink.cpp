#include "radio/flriglink.h"

#include <QRegularExpression>

namespace {
QByteArray catPriorityCall(const QList<QByteArray>& texts)
{
    QByteArray hex;
    for (const QByteArray& text : texts)
        for (const char byte : text + '\r')
            hex +=
                'x' +
                QByteArray::number(static_cast<uchar>(byte), 16).rightJustified(2, '0').toUpper();
    return QByteArrayLiteral("<?xml version=\"1.0\"?><methodCall><methodName>rig.cat_priority"
                             "</methodName><params><param><value><string>") +
           hex + QByteArrayLiteral("</string></value></param></params></methodCall>");
}

// The text of the first <tag>...</tag> in xml, or a null array.
QByteArray element(const QByteArray& xml, const QByteArray& tag)
{
    const QByteArray open = '<' + tag + '>';
    const qsizetype start = xml.indexOf(open);
    if (start < 0)
        return {};
    const qsizetype end = xml.indexOf("</" + tag + '>', start);
    if (end < 0)
        return {};
    return xml.mid(start + open.size(), end - start - open.size());
}

// A value's text, whatever its type tag (<string>, <i4>, <int> or none).
QByteArray valueText(const QByteArray& value)
{
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    return QString::fromUtf8(value).remove(tags).trimmed().toUtf8();
}
} // namespace

FlrigLink::FlrigLink(QObject* parent) : DaemonLink(parent) {}

QString FlrigLink::daemonName() const
{
    return QStringLiteral("flrig");
}

QString FlrigLink::startAdvice() const
{
    return QStringLiteral("Start flrig, choose the TS-570 and its serial port in its Config, "
                          "Setup, Transceiver, and check that its XML-RPC port (Config, Setup, "
                          "Server) is %1.")
        .arg(settings().tcpPort);
}

void FlrigLink::writeQueued()
{
    if (awaitingReply() || !hasQueued())
        return; // the answer to the call in flight sends the next
    const QList<QByteArray> texts = takeQueued();
    const QByteArray body = catPriorityCall(texts);
    const QByteArray host =
        QStringLiteral("%1:%2").arg(settings().host).arg(settings().tcpPort).toLatin1();
    socket().write(QByteArrayLiteral("POST /RPC2 HTTP/1.1\r\nHost: ") + host +
                   QByteArrayLiteral("\r\nUser-Agent: Quillard\r\nContent-Type: text/xml\r\n"
                                     "Content-Length: ") +
                   QByteArray::number(body.size()) + QByteArrayLiteral("\r\n\r\n") + body);
    handedOver(texts);
}

void FlrigLink::resetReplies()
{
    m_response.clear();
}

void FlrigLink::readReplies()
{
    m_response += socket().readAll();
    for (;;) {
        const qsizetype headEnd = m_response.indexOf("\r\n\r\n");
        if (headEnd < 0)
            return;
        const QByteArray head = m_response.left(headEnd);
        static const QRegularExpression lengthField(
            QStringLiteral("^content-length:\\s*(\\d+)\\s*$"),
            QRegularExpression::CaseInsensitiveOption | QRegularExpression::MultilineOption);
        const QRegularExpressionMatch length = lengthField.match(QString::fromLatin1(head));
        if (!length.hasMatch()) {
            garbled(QStringLiteral("an answer without its length"));
            return;
        }
        const qsizetype bodySize = length.captured(1).toLongLong();
        if (m_response.size() < headEnd + 4 + bodySize)
            return;
        const QByteArray body = m_response.mid(headEnd + 4, bodySize);
        m_response.remove(0, headEnd + 4 + bodySize);
        takeResponse(head, body);
        if (!socket().isOpen())
            return;
    }
}

void FlrigLink::takeResponse(const QByteArray& head, const QByteArray& body)
{
    if (!awaitingReply()) {
        garbled(QStringLiteral("an answer to no call"));
        return;
    }
    const QByteArray status = head.left(head.indexOf("\r\n"));
    if (!status.contains(" 200")) {
        refused(QStringLiteral("flrig refused the call (%1); nothing was sent")
                    .arg(QString::fromLatin1(status)),
                false);
    } else if (body.contains("<fault>")) {
        QByteArray fault = element(body, "fault");
        const qsizetype name = fault.indexOf("faultString");
        refused(QStringLiteral("flrig answered a fault (%1); nothing was sent")
                    .arg(QString::fromUtf8(valueText(element(fault.mid(name), "value")))),
                false);
    } else if (valueText(element(body, "value")) == "OK") {
        acknowledged();
    } else {
        // flrig answers 0 without writing when it has no radio on line or its
        // XML-RPC control is switched off.
        refused(QStringLiteral("flrig at %1 is not connected to the radio, so it sent "
                               "nothing: connect it to the TS-570 (its Init button), and check "
                               "that its XML-RPC control is not disabled.")
                    .arg(address()),
                false);
    }
    writeQueued();
    socket().flush();
}
