#pragma once

// The keyboard comes back to the window that opened a modal box or window.
//
// Data flow: the guard notes the opening window and its focused control when
// the box is opened; when the box has closed, it makes that window active
// again and gives the same control the focus. A window manager does this on
// its own (and nothing changes there); on a bare X server (kiosks, some remote
// sessions, xvfb-run) nobody does, the window stays inactive, and keys reach
// controls without the focus events that make option buttons select. The
// focus comes back for the window-activation reason, which never selects.
//
//   {
//       FocusReturn back(parent);
//       box.exec();
//   } // parent's window is active again, its control focused

#include <QPointer>
#include <QWidget>

class FocusReturn {
public:
    // opener: the window (or a control in it) that opens the box; nullptr
    // means the window active at this moment.
    explicit FocusReturn(QWidget* opener);
    ~FocusReturn();
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;

private:
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_focus;
};
