// The sketch window and its canvas.
#include "entry/sketch_pane.hpp"

#include <QBuffer>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "compute/sketch_svg.hpp"
#include "data/atomic_file.hpp"
#include "data/units.hpp"
#include "print/sketch_painter.hpp"
#include "ui/enter_chain.hpp"
#include "ui/file_dialogs.hpp"
#include "ui/message_boxes.hpp"

namespace sidewalk::ui {

namespace {
constexpr double kZoomStep = 1.25;
constexpr double kLeast = 0.2, kMost = 200; // zoom
} // namespace

SketchCanvas::SketchCanvas(QWidget* parent) : QWidget(parent) {
    setObjectName("Sketch1");
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(320, 200);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SketchCanvas::Show(const BlockSketch& sketch) {
    sketch_ = &sketch;
    setAccessibleDescription(QString::fromStdString(DescribeSketch(sketch)));
    update();
}

void SketchCanvas::ZoomBy(double factor) {
    const double next = std::clamp(zoom_ * factor, kLeast, kMost);
    pan_ *= next / zoom_;
    zoom_ = next;
    update();
}

void SketchCanvas::Fit() {
    zoom_ = 1;
    pan_ = {};
    update();
}

void SketchCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (sketch_ == nullptr) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    PaintSketch(painter, *sketch_, rect(), zoom_, pan_);
    if (hasFocus()) {
        painter.setPen(QPen(palette().highlight().color(), 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

void SketchCanvas::wheelEvent(QWheelEvent* event) {
    if (event->angleDelta().y() != 0)
        ZoomBy(event->angleDelta().y() > 0 ? kZoomStep : 1 / kZoomStep);
    event->accept();
}

void SketchCanvas::keyPressEvent(QKeyEvent* event) {
    const double step = 40;
    switch (event->key()) {
    case Qt::Key_Left:
        pan_ += QPointF(step, 0);
        break;
    case Qt::Key_Right:
        pan_ -= QPointF(step, 0);
        break;
    case Qt::Key_Up:
        pan_ += QPointF(0, step);
        break;
    case Qt::Key_Down:
        pan_ -= QPointF(0, step);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    update();
}

void SketchCanvas::mousePressEvent(QMouseEvent* event) {
    grabbed_ = event->position() - pan_;
    setFocus(Qt::MouseFocusReason);
}

void SketchCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    pan_ = event->position() - grabbed_;
    update();
}

SketchForm::SketchForm(Services& services, int blockNo, std::function<GridTexts()> rows,
                       QWidget* parent)
    : QWidget(parent), services_(services), blockNo_(blockNo), rows_(std::move(rows)) {
    setObjectName("SketchForm");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    canvas_ = new SketchCanvas(this);
    canvas_->setAccessibleName(QString("Plan sketch of block %1").arg(blockNo));
    setAccessibleName(canvas_->accessibleName());
    layout->addWidget(canvas_, 1);
    auto* buttons = new QHBoxLayout();
    const struct {
        const char* caption;
        const char* name;
        const char* tip;
        std::function<void()> act;
    } actions[] = {
        {"Zoom &In", "ZoomInCmd", "Ctrl++ or the wheel", [this] { canvas_->ZoomBy(kZoomStep); }},
        {"Zoom &Out", "ZoomOutCmd", "Ctrl+- or the wheel",
         [this] { canvas_->ZoomBy(1 / kZoomStep); }},
        {"&Fit", "FitCmd", "Ctrl+0", [this] { canvas_->Fit(); }},
        {"Ex&port...", "ExportCmd", "Save the sketch as a PNG image or an SVG drawing",
         [this] { Export_Click(); }},
        {"&Close", "CloseCmd", "Hide the sketch (Sketch shows it again)",
         [this] { emit closeRequested(); }},
    };
    for (const auto& a : actions) {
        auto* button = new QPushButton(a.caption, this);
        button->setObjectName(a.name);
        button->setToolTip(a.tip);
        button->setAutoDefault(false); // Enter in the grid beside never presses one
        EnterPresses({button});
        connect(button, &QPushButton::clicked, this, a.act);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    layout->addLayout(buttons);
    // The zoom keys work in the pane, not in the grid beside it. Ctrl+= too: on most
    // keyboards "+" needs Shift.
    const std::pair<QKeySequence, std::function<void()>> keys[] = {
        {QKeySequence::ZoomIn, [this] { canvas_->ZoomBy(kZoomStep); }},
        {QKeySequence("Ctrl+="), [this] { canvas_->ZoomBy(kZoomStep); }},
        {QKeySequence::ZoomOut, [this] { canvas_->ZoomBy(1 / kZoomStep); }},
        {QKeySequence("Ctrl+0"), [this] { canvas_->Fit(); }},
    };
    for (const auto& [key, act] : keys) {
        auto* shortcut = new QShortcut(key, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, act);
    }
}

void SketchForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (stale_) Redraw();
}

void SketchForm::Redraw() {
    stale_ = !isVisible();
    if (stale_) return;
    const Job& job = services_.session.job();
    const GridTexts rows = rows_();
    sketch_ = SketchBlock(job.header(blockNo_), rows, IsMetric(job.jobUnits));
    canvas_->Show(sketch_);
    setAccessibleDescription(canvas_->accessibleDescription());
}

void SketchForm::Export_Click() {
    std::string folder; // the data file's, where there is one
    RememberDir(folder, services_.session.job().dataFileName);
    std::string fileName;
    if (!services_.dialogs.ShowSketchExportDialog(this, folder, fileName)) return;
    if (fileName.ends_with(".svg") || fileName.ends_with(".SVG")) {
        services_.messages.Done(this, WriteFileAtomically(fileName, SketchSvg(sketch_)));
        return;
    }
    QImage image(1600, 1000, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        PaintSketch(painter, sketch_, image.rect());
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    services_.messages.Done(
        this,
        WriteFileAtomically(
            fileName, std::string_view(png.constData(), static_cast<std::size_t>(png.size()))));
}

} // namespace sidewalk::ui
