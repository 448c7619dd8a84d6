#include "panel/selectiongroup.h"

#include "app/selectonfocus.h"
#include "panel/panelframe.h"

#include <QPushButton>

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

QAbstractButton* makeColumnSelectionButton(QWidget* canvas, const char* name, const char* caption,
                                           const FrameSpec& frame, const QRect& geometry)
{
    auto* button = new SelectionButton<QPushButton>(QString::fromLatin1(caption), canvas);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(button->text());
    button->setGeometry(geometry);
    button->setFont(sansSerifBold());
    QPalette colours = button->palette();
    colours.setColor(QPalette::Button, QColor::fromRgb(frame.background));
    colours.setColor(QPalette::ButtonText, QColor::fromRgb(frame.text));
    button->setPalette(colours);
    return button;
}

QAbstractButton* makePushButton(QWidget* parent, const char* name, const char* caption,
                                const QRect& geometry, const char* toolTip)
{
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(button->text());
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    if (toolTip)
        button->setToolTip(QString::fromLatin1(toolTip));
    return button;
}
