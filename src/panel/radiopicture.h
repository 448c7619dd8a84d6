#pragma once

// The photograph of the radio's front panel at the top of the main window.
// It takes part in the focus order and reports a click (press and release
// inside the picture) with clicked().

#include <QImage>
#include <QWidget>

class RadioPicture : public QWidget {
    Q_OBJECT

public:
    explicit RadioPicture(QWidget* parent);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
    bool m_pressed = false;
};
