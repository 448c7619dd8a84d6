#pragma once

// The code reception guide: the weekly schedule of a code-practice and
// bulletin station as a static grid, and its seven frequencies as push
// buttons; a press selects VFO A, then CW, then tunes.

#include "guides/guidewindow.h"

class Form9 : public GuideWindow {
    Q_OBJECT

public:
    explicit Form9(PortLease lease, QWidget* parent = nullptr);

private:
    void buildSchedule();
};
