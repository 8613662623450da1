// The sketch pane SketchForm: the plan sketch of the block being keyed, a pane of the Data Entry
// window beside or below the grid, redrawn from the block's header and the grid's rows as the
// user goes on typing. The wheel, Ctrl++ and Ctrl+- zoom, Ctrl+0 fits, the arrow keys and a drag
// move it; Export saves it as a PNG image or an SVG drawing; Close hides the pane.
#pragma once

#include <QWidget>
#include <functional>

#include "compute/block_sketch.hpp"
#include "grid/grid_rows.hpp"
#include "ui/shell.hpp"

namespace sidewalk::ui {

// The drawing itself, at a zoom and a shift the user chose.
class SketchCanvas : public QWidget {
    Q_OBJECT
  public:
    explicit SketchCanvas(QWidget* parent);
    void Show(const BlockSketch& sketch);
    void ZoomBy(double factor);
    void Fit();
    double zoom() const { return zoom_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    const BlockSketch* sketch_ = nullptr;
    double zoom_ = 1;
    QPointF pan_, grabbed_;
};

class SketchForm : public QWidget {
    Q_OBJECT
  public:
    // rows gives the grid's texts as they stand.
    SketchForm(Services& services, int blockNo, std::function<GridTexts()> rows, QWidget* parent);

    // Draws the block again from its header and the grid's rows; a hidden pane waits until it
    // is shown, so the rows typed meanwhile cost nothing.
    void Redraw();
    const BlockSketch& sketch() const { return sketch_; }
    // Asks for a file and saves the sketch there: SVG for a name ending in .svg, else PNG.
    void Export_Click();

  signals:
    void closeRequested(); // its Close button

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    Services& services_;
    int blockNo_;
    std::function<GridTexts()> rows_;
    BlockSketch sketch_;
    bool stale_ = true; // the rows changed while the pane was hidden
    SketchCanvas* canvas_;
};

} // namespace sidewalk::ui
