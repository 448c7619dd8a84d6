#pragma once

// The title picture shown while the program starts, and again from Help >
// Copyright. Borderless; a click anywhere closes it at once.

#include <QDialog>
#include <QImage>

class Splash : public QDialog {
    Q_OBJECT

public:
    explicit Splash(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage m_picture; // the splash's own: it goes when the splash closes
};
