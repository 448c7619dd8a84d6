#include "session/transport.h"

#include "platform/platform.h"
#include "radio/seriallink.h"
#include "session/portlink.h"
#include "session/settings.h"

namespace {
// The port as the operator knows it, and a damaged text only by a short excerpt.
LinkSettings portFrom(const RadioSettings& settings)
{
    const int number = portNumber(settings.Comm);
    return LinkSettings{number > 0 ? QString::number(number) : printableExcerpt(settings.Comm),
                        isSerialBaudRate(settings.Baud) ? QString::number(settings.Baud.toInt())
                                                        : printableExcerpt(settings.Baud),
                        number > 0 ? Platform::serialDevicePath(number) : QString(),
                        number > 0 ? Platform::serialRelinkAdvice(number) : QString()};
}
} // namespace

void configureTransport(PortLink& link, const SettingsRead& read)
{
    const LinkSettings port = portFrom(read.settings);
    auto* serial = qobject_cast<SerialLink*>(&link.transport());
    if (!serial) {
        auto made = std::make_unique<SerialLink>();
        serial = made.get();
        link.setTransport(std::move(made));
    }
    link.setSettings(port);
    if (read.ok())
        serial->configure(port);
    else
        serial->configureUnusable(port, read.fault);
}
