// Index Record window.
#include "entry/index_record.hpp"

#include "print/report_text.hpp"

#include <QDate>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

#include "data/field_ranges.hpp"
#include "data/number.hpp"
#include "ui/enter_chain.hpp"
#include "ui/help_link.hpp"
#include "ui/number_validator.hpp"

namespace sidewalk::ui {

namespace {

// Today as mm/dd/yyyy, written by the number rules rather than the locale.
QString Today() {
    const QDate d = QDate::currentDate();
    return QString::fromStdString(Format(d.month(), "00") + "/" + Format(d.day(), "00") + "/" +
                                  Format(d.year(), "0000"));
}

} // namespace

Indexform::Indexform(Services& services, QWidget* parent) : QDialog(parent), services_(services) {
    setObjectName("Indexform");
    setWindowTitle("Index Record");
    auto* layout = new QFormLayout(this);
    layout->setContentsMargins(24, 16, 24, 20);
    AddHelpMenu(*this, *layout, services.help, help_topic::kIndexRecord);
    const Job& job = services.session.job();
    auto field = [&](const char* name, const char* label, int length, const std::string& text) {
        auto* edit = new QLineEdit(ReportText(text), this);
        edit->setObjectName(name);
        edit->setMaxLength(length);
        edit->setValidator(new CardTextValidator(length, edit));
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(length + 2, 'W')) / 2 +
                              40);
        layout->addRow(CaptionFor(edit, label, this), edit);
        return edit;
    };
    refNum_ = field("DRefNum", "&Ref No.", kRefNoLength, job.idxRefNum);
    // A new job shows today's date until a date has been stored.
    const bool today = job.dataFileName == kNoName && job.idxDate.empty();
    date_ = field("DDate1", "&Date", kDateLength, job.idxDate);
    if (today) date_->setText(Today());
    project_ = field("DProject", "&Project No.", kProjectLength, job.idxProject);
    engineer_ = field("DEng", "&Engineer", kEngineerLength, job.idxEng);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("Idxexit");
    ok->setToolTip("Exit Data Form");
    ok->setAutoDefault(true); // the end of the Enter chain: Enter there stores and closes
    layout->addRow(QString(), ok);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    new EnterChain({refNum_, date_, project_, engineer_, ok}, this);
    refNum_->setFocus();
}

void Indexform::done(int result) {
    const Job& job = services_.session.job();
    services_.session.SetIndexRecord(
        StoredBytes(refNum_->text(), job.idxRefNum), StoredBytes(date_->text(), job.idxDate),
        StoredBytes(project_->text(), job.idxProject), StoredBytes(engineer_->text(), job.idxEng));
    QDialog::done(result);
}

} // namespace sidewalk::ui
