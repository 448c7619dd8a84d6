#pragma once

// A main window shown offscreen with its link open on the test's
// pseudo-terminal, as the operator finds it after start-up (without the
// splash and its four seconds of waiting). Declare after TestEnvironment and
// Timeline, which provide the settings file and the far end of the port.

#include "panel/form2.h"
#include "panel/selectiongroup.h"

#include <QAbstractButton>
#include <QTest>

class ShownPanel {
public:
    ShownPanel()
    {
        m_window.show();
        if (!QTest::qWaitForWindowExposed(&m_window))
            qWarning("the main window was not exposed");
        m_window.Form_Activate();
    }

    Form2& window() { return m_window; }

    QAbstractButton* button(const QString& name)
    {
        auto* found = m_window.findChild<QAbstractButton*>(name);
        if (!found)
            qWarning("no button %s", qPrintable(name));
        return found;
    }

    // A real mouse click in the middle of the control.
    void click(const QString& name)
    {
        QWidget* control = m_window.findChild<QWidget*>(name);
        if (!control) {
            qWarning("no control %s", qPrintable(name));
            return;
        }
        QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
    }

    void clickAll(const QStringList& names)
    {
        for (const QString& name : names)
            click(name);
    }

    QString marked() const
    {
        QAbstractButton* mark = const_cast<Form2&>(m_window).selectionGroup().marked();
        return mark ? mark->objectName() : QString();
    }

private:
    Form2 m_window;
};
