#pragma once

// The panel's one selection group: all 120 selection buttons (bands, modes,
// VFO A, VFO B, Mem, the 100 quick memories, On, Off) across every frame. At
// most one is marked; push buttons never join it and never change the mark.
//
// A selection button acts when it becomes the marked one, whether by a click,
// by the keyboard or by receiving the keyboard focus. A click (or Space) on
// the button that is already marked acts again: an operator who clicks "20m"
// a second time wants the band edge again. Focus arriving on the button that
// is already marked does nothing.

#include <QAbstractButton>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QObject>

#include <functional>

// While safe keyboard navigation is on (panel/safenavigation.h): Return and
// Enter act like Space, and arrows move the focus within the group without
// acting. Returns false for keys it leaves to the button.
bool safeNavigationKey(QAbstractButton* button, QKeyEvent* event,
                       const std::function<void()>& buttonsOwn);

class SelectionGroup : public QObject {
public:
    explicit SelectionGroup(QObject* parent);

    // Makes the button one of the group; act runs each time it acts.
    void add(QAbstractButton* button, std::function<void()> act);

    QAbstractButton* marked() const { return m_group.checkedButton(); }
    QList<QAbstractButton*> buttons() const { return m_group.buttons(); }

private:
    QButtonGroup m_group;
    // The button that was already marked when it was pressed, so its click acts again.
    QAbstractButton* m_pressedWhileMarked = nullptr;
};

// A button of the selection group. Qt lets Tab reach only the focused button
// of an exclusive group; the panel's focus order visits every one of them.
template <typename Button> class SelectionButton : public Button {
public:
    using Button::Button;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (!safeNavigationKey(this, event, [this, event] { Button::keyPressEvent(event); }))
            Button::keyPressEvent(event);
    }

    void focusInEvent(QFocusEvent* event) override
    {
        Button::focusInEvent(event);
        if (QButtonGroup* group = this->group()) {
            for (QAbstractButton* member : group->buttons())
                member->setFocusPolicy(Qt::StrongFocus);
        }
    }
};
