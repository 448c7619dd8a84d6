#pragma once

// A main window shown offscreen with its link open on the test's
// pseudo-terminal, as the operator finds it after start-up (without the
// splash and its four seconds of waiting). Declare after TestEnvironment and
// Timeline, which provide the settings file and the far end of the port.
//
// A control the test names that the window does not have fails the test at
// once (the test function is left by an exception that Qt Test reports).

#include "panel/form2.h"
#include "panel/selectiongroup.h"

#include <QAbstractButton>
#include <QTest>

#include <stdexcept>

class ShownPanel {
public:
    ShownPanel()
    {
        m_window.show();
        if (!QTest::qWaitForWindowExposed(&m_window))
            QTest::qFail("the main window was not exposed", __FILE__, __LINE__);
        m_window.Form_Activate();
    }

    Form2& window() { return m_window; }
    // The station as the panel last sent it.
    const StationState& state() const { return m_window.state(); }

    QAbstractButton* button(const QString& name) { return control<QAbstractButton>(name); }

    // A real mouse click in the middle of the control.
    void click(const QString& name)
    {
        QWidget* target = control<QWidget>(name);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
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
    template <typename Control> Control* control(const QString& name)
    {
        auto* found = m_window.findChild<Control*>(name);
        if (!found) {
            QTest::qFail(qPrintable(QStringLiteral("the main window has no control %1").arg(name)),
                         __FILE__, __LINE__);
            throw std::runtime_error("no such control");
        }
        return found;
    }

    Form2 m_window;
};
