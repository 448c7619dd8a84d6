#pragma once

// The band plan: a chart of where Morse/teleprinter and voice operation sit
// in each amateur band from 160 to 10 metres. A picture only; it has no link.

#include <QDialog>
#include <QImage>

class Form8 : public QDialog {
    Q_OBJECT

public:
    explicit Form8(QWidget* parent = nullptr);

    // The chart, 421 by 416 pixels, drawn from the band table.
    static QImage drawChart();
};
