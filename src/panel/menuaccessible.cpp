#include "panel/menuaccessible.h"

#include "ui/announcer.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

namespace {
QString withoutMarker(QString caption)
{
    // "&&" is a real ampersand; a single "&" marks the access key.
    caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return caption;
}

// The menu or menu bar that shows the action.
QWidget* ownerOf(QAction* action)
{
    for (QObject* shown : action->associatedObjects()) {
        if (qobject_cast<QMenu*>(shown) || qobject_cast<QMenuBar*>(shown))
            return static_cast<QWidget*>(shown);
    }
    return nullptr;
}

class MenuItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    explicit MenuItemAccessible(QAction* action) : m_action(action) {}

    bool isValid() const override { return m_action && owner(); }
    QObject* object() const override { return m_action; }
    QWindow* window() const override
    {
        QWidget* shown = owner();
        return shown && shown->window() ? shown->window()->windowHandle() : nullptr;
    }

    QAccessibleInterface* parent() const override
    {
        return owner() ? QAccessible::queryAccessibleInterface(owner()) : nullptr;
    }
    int childCount() const override { return m_action && m_action->menu() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override
    {
        if (index == 0 && childCount() == 1)
            return QAccessible::queryAccessibleInterface(m_action->menu());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return childCount() == 1 && child && child->object() == m_action->menu() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        if (!m_action)
            return {};
        switch (t) {
        case QAccessible::Name:
            return withoutMarker(m_action->text());
        case QAccessible::Accelerator:
            return m_action->shortcut().toString(QKeySequence::NativeText);
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        QWidget* shown = owner();
        if (!shown)
            return {};
        QRect place;
        if (auto* menu = qobject_cast<QMenu*>(shown))
            place = menu->actionGeometry(m_action);
        else
            place = static_cast<QMenuBar*>(shown)->actionGeometry(m_action);
        return QRect(shown->mapToGlobal(place.topLeft()), place.size());
    }

    QAccessible::Role role() const override
    {
        return m_action && m_action->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        QWidget* shown = owner();
        if (!m_action || !shown)
            return state;
        const bool active = activeIn(shown) == m_action;
        state.focusable = true;
        state.focused = active;
        state.selectable = true;
        state.selected = active;
        state.hotTracked = active;
        state.disabled = !m_action->isEnabled();
        state.invisible = !m_action->isVisible() || !shown->isVisible();
        state.checkable = m_action->isCheckable();
        state.checked = m_action->isChecked();
        state.hasPopup = m_action->menu() != nullptr;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    QStringList actionNames() const override
    {
        if (!m_action || !m_action->isEnabled() || m_action->isSeparator())
            return {};
        if (m_action->menu())
            return {showMenuAction()};
        if (m_action->isCheckable())
            return {toggleAction()};
        return {pressAction()};
    }

    void doAction(const QString& name) override
    {
        if (!actionNames().contains(name))
            return;
        if (auto* bar = qobject_cast<QMenuBar*>(owner()))
            bar->setActiveAction(m_action);
        else if (auto* menu = qobject_cast<QMenu*>(owner()); menu && m_action->menu())
            menu->setActiveAction(m_action);
        else
            m_action->trigger();
    }

    // "<access key>;<path>;<accelerator>": the shortcut as the accelerator.
    QStringList keyBindingsForAction(const QString&) const override
    {
        const QString shortcut = text(QAccessible::Accelerator);
        if (shortcut.isEmpty())
            return {};
        return {QString(), QString(), shortcut};
    }

private:
    QWidget* owner() const { return m_action ? ownerOf(m_action) : nullptr; }
    static QAction* activeIn(QWidget* shown)
    {
        if (auto* menu = qobject_cast<QMenu*>(shown))
            return menu->activeAction();
        return static_cast<QMenuBar*>(shown)->activeAction();
    }

    QPointer<QAction> m_action;
};

QAccessibleInterface* menuItems(const QString&, QObject* object)
{
    if (auto* action = qobject_cast<QAction*>(object); action && ownerOf(action))
        return new MenuItemAccessible(action);
    return nullptr;
}
} // namespace

void installMenuItemAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(menuItems);
        return true;
    }();
    Q_UNUSED(installed);
}

void announceMenuTitle(QMenu* menu, QWidget* window)
{
    const QString title = withoutMarker(menu->title());
    menu->setAccessibleName(title);
    QObject::connect(menu, &QMenu::aboutToShow, window,
                     [window, title] { announce(window, title + QStringLiteral(" menu")); });
}
