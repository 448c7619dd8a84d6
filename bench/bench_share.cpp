// A command's way to the radio through rigctld beside the same over the
// serial port, measured in one run: from sendCommand() to the command's last
// byte at a TS-570 stand-in on a pseudo-terminal, 300 times each, median and
// 99th percentile; then a memory write of ten channels (ten "MW" commands,
// each followed by the 0.2 s pause) over both. rigctld is Debian's, started
// here on 127.0.0.1. Prints figures, asserts nothing.

#include "radio/daemonprocess.h"
#include "radio/rigctldlink.h"
#include "radio/seriallink.h"
#include "radio/ts570standin.h"
#include "support/figures.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>

#include <cstdio>
#include <vector>

namespace {
constexpr int Clicks = 300;

// The band buttons' commands, over and over, as a clicking operator sends them.
CatCommand click(int i)
{
    static const quint64 bands[] = {1830000, 3581500, 7040000, 14225000, 21200000, 28500000};
    return CatCommand::frequency(i % 2 ? Vfo::B : Vfo::A, bands[i % 6]);
}

template <typename Link> std::vector<double> clicksToRadio(Link& link, Ts570StandIn& radio)
{
    std::vector<double> ms;
    for (int i = 0; i < Clicks; ++i) {
        const CatCommand command = click(i);
        QElapsedTimer timer;
        timer.start();
        link.sendCommand(command);
        if (!radio.waitMeanwhile(command.framed(), 5000)) {
            std::printf("command %d did not arrive\n", i);
            break;
        }
        ms.push_back(timer.nsecsElapsed() / 1e6);
        // The acknowledgement and the next poll of other programs come in between.
        QTest::qWait(5);
    }
    return ms;
}

template <typename Link> double memoryWrite(Link& link, Ts570StandIn& radio)
{
    QElapsedTimer timer;
    timer.start();
    CatCommand last = CatCommand::transmit();
    for (int channel = 0; channel < 10; ++channel) {
        last = *CatCommand::memoryWrite(channel, QStringLiteral("1420000"), QStringLiteral("2"));
        link.sendCommand(last);
        QTest::qWait(200);
    }
    radio.waitMeanwhile(last.framed(), 5000);
    return timer.nsecsElapsed() / 1e9;
}

void print(const char* what, const std::vector<double>& ms)
{
    std::printf("%-40s median %7.2f ms  p99 %7.2f ms  (n=%zu)\n", what, median(ms),
                percentile(ms, 0.99), ms.size());
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);

    Ts570StandIn serialRadio;
    SerialLink serial;
    serial.openLink({QStringLiteral("1"), QStringLiteral("9600"), serialRadio.devicePath(), {}});

    Ts570StandIn sharedRadio;
    DaemonProcess rigctld;
    if (!rigctld.startRigctld(sharedRadio.devicePath())) {
        std::printf("rigctld did not start: %s\n", qPrintable(rigctld.output()));
        return 1;
    }
    RigctldLink shared;
    DaemonSettings settings;
    settings.port = QStringLiteral("1");
    settings.tcpPort = rigctld.port();
    shared.configure(settings);
    shared.open();
    QTest::qWait(300);

    std::printf("command to radio, %d band clicks each, same run:\n", Clicks);
    print("serial port (pseudo-terminal)", clicksToRadio(serial, serialRadio));
    print("through rigctld on 127.0.0.1", clicksToRadio(shared, sharedRadio));
    std::printf("%-40s %s\n", "target through rigctld", "median under 50 ms");
    std::printf("memory write of ten channels (with ten 0.2 s pauses):\n");
    std::printf("%-40s %7.3f s\n", "serial port", memoryWrite(serial, serialRadio));
    std::printf("%-40s %7.3f s\n", "through rigctld", memoryWrite(shared, sharedRadio));
    return 0;
}
