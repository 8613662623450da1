// Process Options window.
#include "app/process_options.hpp"

#include <QCloseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "entry/alignment_check_dialog.hpp"
#include "entry/block_list.hpp"
#include "entry/index_record.hpp"
#include "entry/save_data_dialog.hpp"
#include "output/report_viewer.hpp"
#include "ui/edit_menu.hpp"
#include "ui/help_link.hpp"
#include "ui/message_boxes.hpp"

namespace sidewalk::ui {

ProcForm::ProcForm(Services& services, ShellState& state, QWidget* parent)
    : QDialog(parent), services_(services), state_(state) {
    setObjectName("ProcForm");
    setWindowTitle("Process Options");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 16, 28, 20);
    layout->setSpacing(8);
    AddEditMenu(*this, *AddHelpMenu(*this, *layout, services.help, help_topic::kProcessOptions),
                services, {});
    auto add = [&](const char* name, const char* caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setAutoDefault(true); // Enter on a focused button presses it
        button->setMinimumWidth(200);
        layout->addWidget(button);
        return button;
    };
    QPushButton* index = add("IndexCmd", "Index Data");
    QPushButton* blocks = add("BookCmd", "Edit Blocks");
    QPushButton* report = add("ReportCmd", "Report");
    QPushButton* align = add("AlignCmd", "Check Against Alignment...");
    QPushButton* save = add("SaveCmd", "Save Data");
    QPushButton* exit = add("ExitCmd", "Exit");

    connect(index, &QPushButton::clicked, this, [this] {
        Indexform form(services_, this);
        services_.modal.Run(form);
    });
    connect(blocks, &QPushButton::clicked, this, [this] {
        SectList list(services_, this);
        services_.modal.Run(list);
    });
    connect(report, &QPushButton::clicked, this, &ProcForm::ReportCmd_Click);
    connect(align, &QPushButton::clicked, this, [this] {
        AlignmentCheckDialog check(services_, this);
        services_.modal.Run(check);
    });
    connect(save, &QPushButton::clicked, this, [this] {
        EnddataForm form(services_, state_, this);
        services_.modal.Run(form);
    });
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    index->setFocus();
}

void ProcForm::ReportCmd_Click() {
    state_.reportFile = services_.session.workspace().ReportFile();
    std::optional<RunOutcome> run = RunReportWaiting(services_, this);
    if (!run) return;
    // The viewer shows the report the run made; the report file is written, not read back.
    ViewForm viewer(services_, state_, std::move(run->report), this);
    services_.modal.Run(viewer);
}

bool ProcForm::MayClose() {
    const Job& job = services_.session.job();
    if (job.dataSaved) return true;
    const auto answer = services_.messages.Ask(
        this, "Save Data",
        "Do You Want To Save The Data\n\r\n\r" + QString::fromStdString(job.dataFileName),
        QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton,
        QMessageBox::Yes);            // Escape or the close box keep the job, as Yes does
    return answer == QMessageBox::No; // only No leaves without saving
}

void ProcForm::done(int result) {
    if (MayClose()) QDialog::done(result);
}

void ProcForm::closeEvent(QCloseEvent* event) {
    // The frame's close button: done() asks; the event itself is never taken twice.
    event->ignore();
    reject();
}

} // namespace sidewalk::ui
