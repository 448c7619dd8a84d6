// Where the controls of Quillard's windows lie, for black-box tests that
// click by a control's name: each window named is built as the program
// builds it, laid out on the test's own X server (so fonts and the menu bar's
// height are the program's) without being shown, and every named control a
// click at its centre would reach is printed with that centre in the
// window's own coordinates.
//   controlplaces <window>...     e.g. controlplaces Form2 Form1
// prints
//   window Form2 <title>
//   control Form2 m20 552 113
// Run it with a settings folder of its own: a window that borrows the port
// tries to open it, and nothing here may reach the test's radio. What it
// would tell the operator then is answered unseen.
#include "about/frmabout.h"
#include "app/form3.h"
#include "controls/stationcontrols.h"
#include "guides/form4.h"
#include "guides/form5.h"
#include "guides/form7.h"
#include "guides/form8.h"
#include "guides/form9.h"
#include "memory/form1.h"
#include "panel/form2.h"
#include "ui/messagebox.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <functional>
#include <map>
#include <memory>

namespace {
// Lays the window out as the program would show it, and prints its places.
void printPlaces(const char* name, QWidget& window)
{
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    QCoreApplication::processEvents();
    std::printf("window %s %s\n", name, qPrintable(window.windowTitle()));
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        const QString control = widget->objectName();
        if (control.isEmpty() || control.startsWith(QLatin1String("qt_")) ||
            !widget->isVisibleTo(&window))
            continue;
        const QPoint centre = widget->mapTo(&window, widget->rect().center());
        // Covered there by another control, or scrolled out of sight: not a
        // place a click reaches.
        QWidget* hit = window.childAt(centre);
        if (hit != widget && !widget->isAncestorOf(hit))
            continue;
        std::printf("control %s %s %d %d\n", name, qPrintable(control), centre.x(), centre.y());
    }
    window.hide();
}
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: controlplaces <window>...\n");
        return 2;
    }
    MessageBox::setScripted(true);
    // The borrowing windows take a lease of the main window's port.
    Form2 main;
    const std::map<std::string, std::function<std::unique_ptr<QWidget>()>> windows = {
        {"Form2", nullptr},
        {"Form1", [&main] { return std::make_unique<Form1>(main.port().lend()); }},
        {"Form3", [] { return std::make_unique<Form3>(); }},
        {"Form4", [&main] { return std::make_unique<Form4>(main.port().lend()); }},
        {"Form5", [&main] { return std::make_unique<Form5>(main.port().lend()); }},
        {"Form7", [&main] { return std::make_unique<Form7>(main.port().lend()); }},
        {"Form8", [] { return std::make_unique<Form8>(); }},
        {"Form9", [&main] { return std::make_unique<Form9>(main.port().lend()); }},
        {"frmAbout", [] { return std::make_unique<frmAbout>(); }},
        // Station Controls as for a TS-570S, with its 6 m section shown.
        {"StationControls",
         [&main] {
             main.context().carryOut(Station::useModel(main.state(), RadioModel::TS570S));
             return std::make_unique<StationControls>(main.context(), nullptr);
         }},
    };
    for (int i = 1; i < argc; ++i) {
        const auto found = windows.find(argv[i]);
        if (found == windows.end()) {
            std::fprintf(stderr, "controlplaces: no window %s\n", argv[i]);
            return 2;
        }
        if (!found->second) {
            printPlaces(argv[i], main);
            continue;
        }
        const std::unique_ptr<QWidget> window = found->second();
        printPlaces(argv[i], *window);
    }
    std::fflush(stdout);
    return 0;
}
