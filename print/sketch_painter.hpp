// Paints a block sketch with QPainter, scaled to fit a rectangle of a widget, a printed sheet or
// an image: the same paths, labels and colours the SVG has.
#pragma once

#include <QPainter>
#include <QPointF>
#include <QRectF>

#include "compute/block_sketch.hpp"

namespace sidewalk::ui {

// The title and warnings at the top of area, the drawing below them scaled to fit, then
// enlarged by zoom about its middle and moved by pan (device units).
void PaintSketch(QPainter& painter, const BlockSketch& sketch, const QRectF& area,
                 double zoom = 1.0, QPointF pan = {});

} // namespace sidewalk::ui
