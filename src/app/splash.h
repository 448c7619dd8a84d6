#pragma once

// The title picture shown while the program starts, and again from Help >
// Copyright. Borderless; a click anywhere closes it at once.

#include <QDialog>

class Splash : public QDialog {
    Q_OBJECT

public:
    explicit Splash(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};
