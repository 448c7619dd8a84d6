#pragma once

// The design's fonts, with the faces that stand in where they are missing.

#include <QFont>

// The design faces at a fractional point size. Where "MS Sans Serif" or
// "Tahoma" is missing, faces of the same width stand in, so captions still
// fit their controls.
QFont designFont(qreal pointSize, bool bold);
QFont tahomaFont(qreal pointSize);
