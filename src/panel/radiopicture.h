#pragma once

// The photograph of the radio's front panel at the top of the main window.
// It takes part in the focus order and reports a click (press and release
// inside the picture) with clicked(). To a screen reader it also tells what
// Quillard last sent: its accessible name adds the receiver and frequency,
// its description has everything, both marked "last sent".

#include <QImage>
#include <QWidget>

class RadioPicture : public QWidget {
    Q_OBJECT

public:
    explicit RadioPicture(QWidget* parent);

    // brief: "last sent: VFO A, 14.000 MHz, USB"; summary: the whole record.
    void showLastSent(const QString& brief, const QString& summary);
    QString lastSentBrief() const { return m_brief; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
    bool m_pressed = false;
    QString m_brief;
};
