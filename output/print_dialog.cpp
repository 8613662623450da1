// Print dialog.
#include "output/print_dialog.hpp"

#include "data/file_text.hpp"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QPointer>
#include <QProgressDialog>
#include <QVBoxLayout>
#include <filesystem>

#include "output/printer_setup_dialog.hpp"
#include "print/pdf_printer.hpp"
#include "print/printer_setup.hpp"
#include "print/report_printing.hpp"
#include "session/job_sketches.hpp"
#include "ui/file_dialogs.hpp"
#include "ui/help_link.hpp"
#include "ui/message_boxes.hpp"

namespace sidewalk::ui {

namespace {

QSpinBox* PageBox(QWidget* owner, QGridLayout* grid, int column, const char* label,
                  const char* labelName, const char* name) {
    auto* box = new QSpinBox(owner);
    box->setObjectName(name);
    box->setRange(0, 32767);
    QLabel* caption = CaptionFor(box, label, owner);
    caption->setObjectName(labelName);
    grid->addWidget(caption, 0, column);
    grid->addWidget(box, 0, column + 1);
    return box;
}

// The current printer's paper for a PDF, the papers for a file when there is no printer; Letter
// when it names none.
PrinterChoice PaperOf(PrintSystem& system, const CurrentPrinter& printer) {
    const auto opened = system.OpenPrinter(printer.deviceName);
    const PrinterChoice* paper = FindChoice(PapersOf(opened), printer.paperSize);
    return paper != nullptr && paper->points.isValid() ? *paper : FilePapers().front();
}

} // namespace

Prtbox::Prtbox(Services& services, ShellState& state, std::string_view report,
               std::optional<std::string> selection, QWidget* parent)
    : QDialog(parent), services_(services), state_(state), report_(report),
      selection_(std::move(selection)) {
    setObjectName("Prtbox");
    setWindowTitle(QString::fromStdString("Print Report: " + state.reportFile));
    auto* layout = new QVBoxLayout(this);
    AddHelpMenu(*this, *layout, services.help, help_topic::kPrintReport);
    for (std::size_t i = 0; i < status_.size(); ++i) {
        status_[i] = new QLabel(this);
        status_[i]->setObjectName(QString("Label%1").arg(i + 1));
        status_[i]->setFrameShape(QFrame::Panel);
        status_[i]->setFrameShadow(QFrame::Sunken);
        status_[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(status_[i]);
    }

    auto* lower = new QHBoxLayout;
    range_ = new QGroupBox("Print Range", this);
    range_->setObjectName("Frame1");
    auto* rangeGrid = new QGridLayout(range_);
    const char* captions[] = {"&All", "Pa&ges", "Print &Selected Text"};
    for (int i = 0; i < 3; ++i) {
        ranges_[i] = new QRadioButton(captions[i], range_);
        ranges_[i]->setObjectName(QString("Range_%1").arg(i));
        rangeGrid->addWidget(ranges_[i], i, 0);
        // On toggled, so that a screen reader's Toggle action works as a click does.
        connect(ranges_[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) Range_Click(i);
        });
    }
    pageBoxes_ = new QWidget(range_);
    pageBoxes_->setObjectName("Frame2");
    auto* pages = new QGridLayout(pageBoxes_);
    pages->setContentsMargins(0, 0, 0, 0);
    pageFrom_ = PageBox(pageBoxes_, pages, 0, "F&rom:", "Label5", "Page_From");
    pageTo_ = PageBox(pageBoxes_, pages, 2, "&To:", "Label6", "Page_To");
    rangeGrid->addWidget(pageBoxes_, 1, 1);
    lower->addWidget(range_, 1);

    auto* middle = new QVBoxLayout;
    toFile_ = new QCheckBox("Print To &File", this);
    toFile_->setObjectName("Prtfile_Check");
    middle->addWidget(toFile_);
    sketches_ = new QCheckBox("Include Block S&ketches", this);
    sketches_->setObjectName("Sketch_Check");
    sketches_->setToolTip("A plan sketch of each block on a sheet of its own after the report");
    middle->addWidget(sketches_);
    auto* copiesRow = new QHBoxLayout;
    copies_ = new QLineEdit(this);
    copies_->setObjectName("No_Copies");
    copies_->setMaximumWidth(60);
    copiesLabel_ = CaptionFor(copies_, "&Copies", this);
    copiesLabel_->setObjectName("Label4");
    copiesRow->addWidget(copiesLabel_);
    copiesRow->addWidget(copies_);
    middle->addLayout(copiesRow);
    middle->addStretch();
    lower->addLayout(middle);

    auto* buttons = new QVBoxLayout;
    auto* print = new QPushButton("&Print", this);
    print->setObjectName("Cmd_Print");
    print->setDefault(true);
    setup_ = new QPushButton("S&etup", this);
    setup_->setObjectName("Cmd_Setup");
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("Cmd_Cancel");
    for (QPushButton* b : {print, setup_, cancel})
        buttons->addWidget(b);
    buttons->addStretch();
    lower->addLayout(buttons);
    layout->addLayout(lower);

    connect(toFile_, &QCheckBox::toggled, this, &Prtbox::Prtfile_Check_Click);
    connect(print, &QPushButton::clicked, this, &Prtbox::Cmd_Print_Click);
    connect(setup_, &QPushButton::clicked, this, &Prtbox::Cmd_Setup_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    ShowPrinter();
    copies_->setText("1");
    ranges_[2]->setEnabled(selection_.has_value());
    ranges_[0]->setChecked(true);
    Range_Click(0);
}

void Prtbox::ShowPrinter() {
    WaitCursor wait; // the spooler is asked about the printer
    const PrinterDescription d = DescribePrinter(services_.printers, state_.printer);
    const bool none =
        state_.printer.deviceName.empty() && services_.printers.PrinterNames().empty();
    status_[0]->setText(QString::fromStdString(
        none ? NoPrinterLine(services_.printers.SpoolerAnswers()) : PrinterLine(state_.printer)));
    status_[1]->setText(QString::fromStdString(PaperLine(d)));
    status_[2]->setText(QString::fromStdString(BinLine(d)));
}

void Prtbox::Range_Click(int index) {
    sketches_->setEnabled(index != 2); // the sketches follow the report, not a selection
    if (index == 2) return;
    pageBoxes_->setEnabled(index == 1);
    pageFrom_->setValue(index);
    pageTo_->setValue(index);
}

void Prtbox::Prtfile_Check_Click() {
    const bool toFile = toFile_->isChecked();
    copiesLabel_->setVisible(!toFile);
    copies_->setVisible(!toFile);
    range_->setVisible(!toFile);
    setup_->setEnabled(!toFile);
}

void Prtbox::Cmd_Print_Click() {
    if (toFile_->isChecked()) {
        // The whole report to a file: a line-by-line copy, or its sheets as a PDF.
        std::string target;
        if (!services_.dialogs.ShowPrintToFileDialog(this, state_.lastDir, state_.reportFile,
                                                     target))
            return;
        Status done;
        {
            WaitCursor wait;
            if (QString::fromStdString(target).endsWith(".pdf", Qt::CaseInsensitive)) {
                const PrinterChoice paper = PaperOf(services_.printers, state_.printer);
                PdfPrinter pdf(target, PageSizeOf(paper),
                               state_.printer.orientation == Orientation::Landscape
                                   ? QPageLayout::Landscape
                                   : QPageLayout::Portrait,
                               paper.unprintable, JobTitle());
                done = PrintReportPages(report_, 0, 0, pdf, 1, Sketches(0, 0), Progress());
            } else {
                done = CopyReportToFile(report_, target);
            }
        }
        services_.messages.Done(this, done);
        return;
    }
    bool whole = false;
    const int copies = copies_->text().trimmed().toInt(&whole);
    if (!whole || copies < 1 || copies > 32767) {
        services_.messages.Tell(this, Message{"The number of copies must be a whole number from 1 "
                                              "to 32767.",
                                              "Print Report", MessageKind::Error});
        return;
    }
    if (ranges_[2]->isChecked() && selection_) {
        PrintCopies(*selection_, 0, 0, copies);
    } else if (ranges_[0]->isChecked()) {
        PrintCopies(report_, 0, 0, copies);
    } else if (pageFrom_->cleanText().isEmpty() || pageTo_->cleanText().isEmpty()) {
        services_.messages.Tell(this, {"Type the pages to print in From and To (0 for the first "
                                       "and the last page). Nothing was printed.",
                                       "Print Report", MessageKind::Error});
        (pageFrom_->cleanText().isEmpty() ? pageFrom_ : pageTo_)->setFocus();
    } else if (const Status range = CheckPageRange(report_, pageFrom_->value(), pageTo_->value());
               range.failed()) {
        services_.messages.Done(this, range);
    } else {
        PrintCopies(report_, pageFrom_->value(), pageTo_->value(), copies);
    }
}

// Prints the text in so many copies, each a document of its own (none for 0 or fewer); stops
// at the first copy the printer does not take, and says why.
void Prtbox::PrintCopies(std::string_view text, int from, int to, int copies) {
    Status printed;
    {
        WaitCursor wait;
        printed = PrintReportCopies(services_.printers, state_.printer, JobTitle(), text, from, to,
                                    copies, Sketches(from, to), Progress());
    }
    services_.messages.Done(this, printed); // with the pointer as it was
}

PrintProgress Prtbox::Progress() {
    // Shown only when the printing takes more than half a second; Cancel drops the document.
    auto* window = new QProgressDialog("Printing the report...", "Cancel", 0, 1, this);
    window->setObjectName("PrintProgress");
    window->setWindowTitle("Print Report");
    window->setWindowModality(Qt::WindowModal);
    window->setMinimumDuration(500);
    window->setAutoClose(false);
    return [window = QPointer<QProgressDialog>(window)](int begun, int sheets) {
        if (window == nullptr) return true;
        window->setMaximum(sheets);
        window->setValue(begun); // lets the window show, and Cancel be pressed
        if (begun + 1 >= sheets || window->wasCanceled()) window->deleteLater();
        return !window->wasCanceled();
    };
}

// The sketch sheets of the job's blocks when they are to be printed, else none.
std::vector<BlockSketch> Prtbox::Sketches(int from, int to) const {
    if (!sketches_->isEnabled() || !sketches_->isChecked()) return {};
    return SketchSheets(services_.session.job(), services_.session.workspace(), report_, from, to);
}

// The spooled job's title: the data file's name (NoName for a new job), not a workspace path.
std::string Prtbox::JobTitle() const {
    const std::string& name = services_.session.job().dataFileName;
    return name.empty() ? std::string(kNoName) : std::filesystem::path(name).filename().string();
}

void Prtbox::Cmd_Setup_Click() {
    NTSetup setup(services_.help, services_.printers, state_.printer, this);
    services_.modal.Run(setup);
    // Cancel has put back what was current; either way the lines say what Print will use.
    ShowPrinter();
}

} // namespace sidewalk::ui
