#pragma once

// A selection button of the panel's right-hand column (bands, modes, VFOs,
// power): a push button that stays pressed in while marked, in its frame's
// colours. It paints itself, a raised face with a two-pixel bevel and its
// caption in the middle; the marked one is pressed in and darker so it
// stands out at a glance, and the focused one's bevel is lighter. Painting it
// here rather than through a style sheet keeps the style's own caches and the
// style-sheet machinery out of the panel.

#include "panel/selectiongroup.h"
#include "ui/look.h"

#include <QColor>
#include <QPushButton>

class ColumnButton : public SelectionButton<QPushButton>, public CaptionArea {
public:
    ColumnButton(const QString& caption, const QColor& face, const QColor& text, QWidget* parent);

    QRect captionRect() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_face;
    QColor m_text;
};
