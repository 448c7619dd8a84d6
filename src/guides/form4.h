#pragma once

// The SSTV guide: slow-scan television calling frequencies of IARU Region 1
// and of the U.S.A./Canada, one column each; a click tunes VFO A in USB.

#include "guides/guidewindow.h"

class Form4 : public GuideWindow {
    Q_OBJECT

public:
    explicit Form4(PortLease lease, QWidget* parent = nullptr);
};
