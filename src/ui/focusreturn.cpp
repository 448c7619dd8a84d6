#include "ui/focusreturn.h"

#include <QApplication>

FocusReturn::FocusReturn(QWidget* opener)
    : m_window(opener ? opener->window() : QApplication::activeWindow())
{
    if (m_window)
        m_focus = m_window->focusWidget();
}

FocusReturn::~FocusReturn()
{
    if (!m_window || !m_window->isVisible())
        return;
    // Another modal window still open above this one keeps the keyboard.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != m_window)
        return;
    if (QApplication::activeWindow() != m_window)
        m_window->activateWindow();
    if (m_focus && m_focus->window() == m_window && m_focus->isVisible())
        m_focus->setFocus(Qt::ActiveWindowFocusReason);
}
