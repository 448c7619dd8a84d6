#pragma once

// The SSTV guide: slow-scan television calling frequencies of IARU Region 1
// and of the U.S.A./Canada, one column each; a click tunes VFO A in USB.
// Unlike the other guides it closes its link itself when it goes.

#include "guides/guidewindow.h"

class Form4 : public GuideWindow {
    Q_OBJECT

public:
    explicit Form4(QWidget* parent = nullptr);

    // Unload: gives the port back before the window is destroyed.
    void Form_Unload();

    // Closing by the title bar or Esc both end here.
    void done(int result) override;
};
