#include "panel/selectiongroup.h"

#include "app/selectonfocus.h"

SelectionGroup::SelectionGroup(QObject* parent) : QObject(parent), m_group(this)
{
    m_group.setExclusive(true);
}

void SelectionGroup::add(QAbstractButton* button, std::function<void()> act)
{
    button->setCheckable(true);
    m_group.addButton(button);
    selectOnFocus(button);
    connect(button, &QAbstractButton::pressed, this,
            [this, button] { m_pressedWhileMarked = button->isChecked() ? button : nullptr; });
    connect(button, &QAbstractButton::toggled, this, [act](bool marked) {
        if (marked)
            act();
    });
    connect(button, &QAbstractButton::clicked, this, [this, button, act] {
        if (m_pressedWhileMarked != button)
            return;
        m_pressedWhileMarked = nullptr;
        act();
    });
}
