#include "panel/menus.h"

#include "about/frmabout.h"
#include "app/splash.h"
#include "guides/form4.h"
#include "guides/form5.h"
#include "guides/form7.h"
#include "guides/form8.h"
#include "guides/form9.h"
#include "memory/form1.h"
#include "panel/form2.h"

#include <QAction>
#include <QMenuBar>
#include <QPointer>

#include <array>

namespace {
template <typename Window, PortUse Use> void openWindow(Form2* main)
{
    // Radio windows read the settings and open the port while they are built,
    // so the main link must be closed before.
    if (Use == PortUse::TalksToRadio)
        main->link().closeLink();
    showModally(main, new Window(main), Use);
}

void exitProgram(Form2* main)
{
    main->Exit_Click();
}

struct MenuItem {
    const char* menuName;
    const char* menuCaption;
    const char* name;
    const char* caption;
    const char* shortcut;
    void (*open)(Form2*);
};

constexpr std::array<MenuItem, 9> menuItems = {{
    {"File", "&File", "Exit", "E&xit", "Ctrl+X", exitProgram},
    {"Programming", "Program Radio Memories", "Memories", "&Memories", "Ctrl+M",
     openWindow<Form1, PortUse::TalksToRadio>},
    {"Frequencies", "Frequencies", "SSTV", "SSTV", "", openWindow<Form4, PortUse::TalksToRadio>},
    {"Frequencies", "Frequencies", "SWL", "Short Wave Radio", "",
     openWindow<Form5, PortUse::TalksToRadio>},
    {"Frequencies", "Frequencies", "SAREX", "SAREX", "", openWindow<Form7, PortUse::TalksToRadio>},
    {"Frequencies", "Frequencies", "BandPlan", "Band Plan", "",
     openWindow<Form8, PortUse::LeavesPortAlone>},
    {"Frequencies", "Frequencies", "Code", "Code Reception", "",
     openWindow<Form9, PortUse::TalksToRadio>},
    {"Help", "Help", "Copyright", "Copyright", "", openWindow<Splash, PortUse::LeavesPortAlone>},
    {"Help", "Help", "About", "About", "F1", openWindow<frmAbout, PortUse::LeavesPortAlone>},
}};
} // namespace

void showModally(Form2* main, QDialog* dialog, PortUse use)
{
    QPointer<QDialog> shown(dialog);
    shown->exec();
    // Closing destroys the window, and with it its link, before the main
    // window takes the port back (as its activation would).
    delete shown.data();
    if (use == PortUse::TalksToRadio)
        main->Form_Activate();
}

void buildMenus(Form2* window)
{
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
        QObject::connect(action, &QAction::triggered, window,
                         [window, open = item.open] { open(window); });
    }
}
