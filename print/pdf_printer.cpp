// Report pages painted into a PDF.
#include "print/pdf_printer.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "data/atomic_file.hpp"
#include "data/version.hpp"
#include "print/report_printing.hpp"
#include "print/report_text.hpp"
#include "print/sketch_painter.hpp"

namespace sidewalk::ui {

namespace {

constexpr double kLinePitch = 12.0; // points: six lines an inch, the pitch of 60-line pages

// Half an inch above and below (60 lines of 12 points fill a Letter sheet), a fifth at the
// sides, or more where the printer cannot print. Across the sheet, its sides are the upright
// sheet's top and bottom (either way round), so the larger of each pair counts.
QMarginsF Margins(QMarginsF unprintable, QPageLayout::Orientation orientation) {
    if (orientation == QPageLayout::Landscape) {
        const double sides = std::max(unprintable.top(), unprintable.bottom());
        const double ends = std::max(unprintable.left(), unprintable.right());
        unprintable = QMarginsF(sides, ends, sides, ends);
    }
    return QMarginsF(std::max(14.4, unprintable.left()), std::max(36.0, unprintable.top()),
                     std::max(14.4, unprintable.right()), std::max(36.0, unprintable.bottom()));
}

} // namespace

PdfPrinter::PdfPrinter(std::string path, QPageSize paper, QPageLayout::Orientation orientation,
                       QMarginsF unprintable, std::string title)
    : path_(std::move(path)), title_(std::move(title)), paper_(std::move(paper)),
      orientation_(orientation), margins_(Margins(unprintable, orientation)), font_(kReportFont) {
    font_.setStyleHint(QFont::TypeWriter);
    font_.setFixedPitch(true);
    font_.setPointSize(12);
}

void PdfPrinter::SetFont(std::string_view name, int points) {
    font_.setFamily(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    font_.setPointSize(points);
}

void PdfPrinter::Begin() {
    if (painter_) return;
    pdf_.setData(QByteArray());
    pdf_.open(QIODevice::WriteOnly);
    writer_ = std::make_unique<QPdfWriter>(&pdf_);
    writer_->setResolution(72 * 10); // a tenth of a point: lines placed exactly
    writer_->setPageLayout(QPageLayout(paper_, orientation_, margins_));
    writer_->setCreator(
        QString::fromStdString("Sidewalk, Curb and Grassing Areas " + VersionText()));
    writer_->setTitle(QString::fromStdString(title_));
    painter_ = std::make_unique<QPainter>(writer_.get());
    painter_->setFont(font_);
    // A narrower pitch where the widest line would not fit across the printable area, down to
    // three fifths of the size; a line wider still goes on in the next line.
    const double across = writer_->pageLayout().paintRectPixels(writer_->resolution()).width();
    const double advance = QFontMetricsF(painter_->font()).horizontalAdvance('M');
    if (fitCharacters_ > 0 && advance * fitCharacters_ > across) {
        // Fonts come in whole device pixels: step down until the line fits as measured.
        const double least = font_.pointSizeF() * 0.6;
        QFont narrower = font_;
        double size = std::max(font_.pointSizeF() * across / (advance * fitCharacters_), least);
        for (;; size = std::max(size - 0.05, least)) {
            narrower.setPointSizeF(size);
            painter_->setFont(narrower);
            if (size <= least ||
                QFontMetricsF(painter_->font()).horizontalAdvance('M') * fitCharacters_ <= across)
                break;
        }
    }
    y_ = 0;
}

void PdfPrinter::PrintLine(std::string_view line) {
    Begin();
    const QRect area = writer_->pageLayout().paintRectPixels(writer_->resolution());
    const double scale = writer_->resolution() / 72.0;
    const QFontMetricsF metrics(painter_->font());
    // A line wider than the sheet goes on in the next line, never cut off.
    const auto fits = static_cast<qsizetype>(
        std::max(1.0, std::floor(area.width() / metrics.horizontalAdvance('M'))));
    QString text = ReportText(line);
    do {
        const QString part = text.left(fits);
        text.remove(0, part.size());
        // A line that would fall below the printable area goes on a new sheet.
        if ((y_ + kLinePitch) * scale > area.height() && y_ > 0) NewPage();
        painter_->drawText(QPointF(0, y_ * scale + metrics.ascent()), part);
        y_ += kLinePitch;
    } while (!text.isEmpty());
}

void PdfPrinter::PrintSketch(const BlockSketch& sketch) {
    Begin();
    if (y_ > 0) writer_->newPage();
    const QRect area = writer_->pageLayout().paintRectPixels(writer_->resolution());
    PaintSketch(*painter_, sketch, QRectF(0, 0, area.width(), area.height()));
    y_ = std::numeric_limits<double>::max() / 4; // the sheet is full
}

void PdfPrinter::NewPage() {
    Begin();
    writer_->newPage();
    y_ = 0;
}

Status PdfPrinter::EndDocument() {
    Begin(); // a document without lines is still one sheet
    const bool painted = painter_->end();
    painter_.reset();
    writer_.reset();
    pdf_.close();
    if (!painted)
        return Failure(
            {"Cannot make the PDF " + path_ + ".", "File Output Error", MessageKind::Error});
    const QByteArray& bytes = pdf_.data();
    return WriteFileAtomically(
        path_, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace sidewalk::ui
