// A printer that writes a PDF: the report's lines in Courier New at 12 points with a pitch of
// exactly 12 points (six lines an inch), on the paper and in the orientation chosen, inside the
// printer's printable area, a new sheet where the report breaks a page or where a line would
// fall below the printable area.
#pragma once

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <memory>
#include <string>

#include "print/printer.hpp"

namespace sidewalk::ui {

class PdfPrinter : public Printer {
  public:
    // unprintable: what lies outside the printer's printable area on each side of the upright
    // sheet (points); the margins are at least that, and at least half an inch above and below
    // and a fifth at the sides. title: the document's Title (the data file's name).
    PdfPrinter(std::string path, QPageSize paper = QPageSize(QPageSize::Letter),
               QPageLayout::Orientation orientation = QPageLayout::Portrait,
               QMarginsF unprintable = {}, std::string title = {});

    void SetFont(std::string_view name, int points) override;
    void FitLineWidth(int characters) override { fitCharacters_ = characters; }
    void PrintLine(std::string_view line) override;
    void NewPage() override;
    void PrintSketch(const BlockSketch& sketch) override;
    Status EndDocument() override;

  private:
    void Begin();
    std::string path_;
    std::string title_;
    QBuffer pdf_; // the document as painted, written to path_ whole when it ends
    QPageSize paper_;
    QPageLayout::Orientation orientation_;
    QMarginsF margins_;
    int fitCharacters_ = 0;
    QFont font_;
    std::unique_ptr<QPdfWriter> writer_;
    std::unique_ptr<QPainter> painter_;
    double y_ = 0; // the next line's top, in points from the printable area's top
};

} // namespace sidewalk::ui
