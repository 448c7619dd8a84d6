#pragma once

// The short-wave stations guide: 108 broadcast frequencies, each beside its
// station, on a tall panel that a vertical scroll bar moves; a click on a
// frequency tunes VFO A in AM. The panel's place is worked out in twips
// (15 to a pixel), 200 twips per unit of the scroll bar.

#include "guides/guidewindow.h"

class QGroupBox;
class QScrollBar;

class Form5 : public GuideWindow {
    Q_OBJECT

public:
    explicit Form5(PortLease lease, QWidget* parent = nullptr);

    static constexpr int twipsPerPixel = 15;
    static constexpr int twipsPerScrollUnit = 200;
    static constexpr int panelLeftTwips = 30;

    // Moves the panel to where the scroll bar's value puts it.
    void VScroll1_Change();

private:
    QGroupBox* m_panel = nullptr;
    QScrollBar* m_scrollBar = nullptr;
};
