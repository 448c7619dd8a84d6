#include "panel/menus.h"

#include "about/frmabout.h"
#include "guides/form4.h"
#include "guides/form5.h"
#include "guides/form7.h"
#include "guides/form8.h"
#include "guides/form9.h"
#include "memory/form1.h"
#include "panel/form2.h"
#include "panel/outsidekeydelivery.h"
#include "ui/focusreturn.h"
#include "ui/splash.h"

#include <QAction>
#include <QMenuBar>
#include <QPointer>

#include <array>

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

// The window, its link and the lease go before the main window takes the
// port back.
template <typename Window> void openRadioWindow(Form2* main)
{
    runModal(new Window(main->port().lend(), main));
    // Closing the modal window makes the main window active again.
    main->Form_Activate();
}

template <typename Window> void openWindow(Form2* main)
{
    runModal(new Window(main));
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
     openRadioWindow<Form1>},
    {"Frequencies", "Frequencies", "SSTV", "SSTV", "", openRadioWindow<Form4>},
    {"Frequencies", "Frequencies", "SWL", "Short Wave Radio", "", openRadioWindow<Form5>},
    {"Frequencies", "Frequencies", "SAREX", "SAREX", "", openRadioWindow<Form7>},
    {"Frequencies", "Frequencies", "BandPlan", "Band Plan", "", openWindow<Form8>},
    {"Frequencies", "Frequencies", "Code", "Code Reception", "", openRadioWindow<Form9>},
    {"Help", "Help", "Copyright", "Copyright", "", openWindow<Splash>},
    {"Help", "Help", "About", "About", "F1", openWindow<frmAbout>},
}};
} // namespace

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
        QObject::connect(action, &QAction::triggered, window, [window, open = item.open] {
            runOutsideKeyDelivery(window, [window, open] { open(window); });
        });
    }
}
