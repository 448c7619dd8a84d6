#include "panel/menus.h"

#include "about/frmabout.h"
#include "controls/keyboardshortcuts.h"
#include "controls/stationcontext.h"
#include "controls/stationcontrols.h"
#include "controls/tunebox.h"
#include "guides/form4.h"
#include "guides/form5.h"
#include "guides/form7.h"
#include "guides/form8.h"
#include "guides/form9.h"
#include "guides/onairwindow.h"
#include "memory/form1.h"
#include "panel/outsidekeydelivery.h"
#include "panel/panelkeys.h"
#include "session/portowner.h"
#include "ui/focusreturn.h"
#include "ui/splash.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <array>
#include <optional>

namespace {
// Shows a freshly created window modally and destroys it when it closes (a
// window that deletes itself on closing is gone already).
void runModal(QDialog* created)
{
    const FocusReturn back(created->parentWidget());
    QPointer<QDialog> window(created);
    window->exec();
    delete window.data();
}

struct MainWindow {
    QMainWindow* window;
    PortOwner& port;
    StationContext& context;
};

// The window, its link and the lease go before the main window takes the
// port back.
template <typename Window> void openRadioWindow(const MainWindow& main)
{
    runModal(new Window(main.port.lend(), main.window));
    // Closing the modal window makes the main window active again, which
    // opens its link (Form_Activate).
    main.port.activate();
}

template <typename Window> void openWindow(const MainWindow& main)
{
    runModal(new Window(main.window));
}

// The box goes, and the keyboard is back in the main window, before its
// step is carried out: the words are told from there.
void tuneToFrequency(const MainWindow& main)
{
    std::optional<StationStep> step;
    {
        const FocusReturn back(main.window);
        TuneBox box(main.context.station(), main.window);
        if (box.exec() == QDialog::Accepted)
            step = box.step();
    }
    if (step)
        main.context.carryOut(*step, main.window);
}

void openStationControls(const MainWindow& main)
{
    StationControls::showFor(main.context, main.window);
}

// Help > "Keyboard Shortcuts": the menus' own, then the keyboard map's.
void showKeyboardShortcuts(const MainWindow& main)
{
    QList<KeyBinding> menuKeys;
    for (QMenu* menu : main.window->menuBar()->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
        for (QAction* action : menu->actions())
            if (!action->shortcut().isEmpty())
                menuKeys.append({action->objectName(),
                                 QStringLiteral("%1 > %2")
                                     .arg(menu->title(), action->text())
                                     .remove(QLatin1Char('&')),
                                 action->shortcut().toString(QKeySequence::PortableText)});
    const FocusReturn back(main.window);
    KeyboardShortcuts table({{QStringLiteral("Menus"), menuKeys},
                             {QStringLiteral("Main window"), panelKeys()},
                             {QStringLiteral("Station Controls"), StationControls::keys()}},
                            main.window);
    table.exec();
}

// File > Exit (Exit_Click).
void exitProgram(const MainWindow& main)
{
    main.window->close();
}

struct MenuItem {
    const char* menuName;
    const char* menuCaption;
    const char* name;
    const char* caption;
    const char* shortcut;
    void (*open)(const MainWindow&);
};

constexpr std::array<MenuItem, 13> menuItems = {{
    {"File", "&File", "Exit", "E&xit", "Ctrl+X", exitProgram},
    {"Programming", "Program Radio Memories", "Memories", "&Memories", "Ctrl+M",
     openRadioWindow<Form1>},
    {"Frequencies", "Frequencies", "TuneToFrequency", "Tune to Frequency...", "Ctrl+T",
     tuneToFrequency},
    {"Frequencies", "Frequencies", "StationControls", "Station Controls", "Ctrl+S",
     openStationControls},
    {"Frequencies", "Frequencies", "SSTV", "SSTV", "", openRadioWindow<Form4>},
    {"Frequencies", "Frequencies", "SWL", "Short Wave Radio", "", openRadioWindow<Form5>},
    {"Frequencies", "Frequencies", "SAREX", "SAREX", "", openRadioWindow<Form7>},
    {"Frequencies", "Frequencies", "BandPlan", "Band Plan", "", openWindow<Form8>},
    {"Frequencies", "Frequencies", "Code", "Code Reception", "", openRadioWindow<Form9>},
    {"Frequencies", "Frequencies", "OnAirNow", "On the Air Now...", "",
     openRadioWindow<OnAirWindow>},
    {"Help", "Help", "Copyright", "Copyright", "", openWindow<Splash>},
    {"Help", "Help", "KeyboardShortcuts", "Keyboard Shortcuts", "Shift+F1", showKeyboardShortcuts},
    {"Help", "Help", "About", "About", "F1", openWindow<frmAbout>},
}};
} // namespace

void buildMenus(QMainWindow* window, PortOwner& port, StationContext& context)
{
    const MainWindow main{window, port, context};
    QMenu* menu = nullptr;
    for (const MenuItem& item : menuItems) {
        const QString menuName = QString::fromLatin1(item.menuName);
        if (!menu || menu->objectName() != menuName) {
            menu = window->menuBar()->addMenu(QString::fromLatin1(item.menuCaption));
            menu->setObjectName(menuName);
        }
        QAction* action = menu->addAction(QString::fromLatin1(item.caption));
        action->setObjectName(QString::fromLatin1(item.name));
        action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
        action->setShortcutContext(Qt::WindowShortcut);
        QObject::connect(action, &QAction::triggered, window, [window, main, open = item.open] {
            runOutsideKeyDelivery(window, [main, open] { open(main); });
        });
    }
}
