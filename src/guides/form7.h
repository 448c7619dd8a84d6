#pragma once

// The SAREX guide: bulletin frequencies of two club stations, one push button
// per frequency; a press tunes VFO A in USB.

#include "guides/guidewindow.h"

class Form7 : public GuideWindow {
    Q_OBJECT

public:
    explicit Form7(PortLease lease, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
