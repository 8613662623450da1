// Block Identification window.
#include "entry/block_identification.hpp"

#include "print/report_text.hpp"

#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "data/field_ranges.hpp"
#include "data/number.hpp"
#include "data/units.hpp"
#include "ui/edit_menu.hpp"
#include "ui/enter_chain.hpp"
#include "ui/help_link.hpp"
#include "ui/message_boxes.hpp"
#include "ui/number_validator.hpp"

namespace sidewalk::ui {

namespace {

QLabel* Note(const char* text, QWidget* parent) {
    auto* note = new QLabel(text, parent);
    note->setWordWrap(true);
    QFont small = note->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    note->setFont(small);
    return note;
}

} // namespace

BlockHeader::BlockHeader(Services& services, int blockNo, QWidget* parent)
    : QDialog(parent), services_(services), blockNo_(blockNo) {
    setObjectName("BlockHeader");
    setWindowTitle("Block Identification");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 12, 20, 16);
    AddEditMenu(*this,
                *AddHelpMenu(*this, *layout, services.help, help_topic::kBlockIdentification),
                services, [this] { ShowHeader(); });
    const Job& job = services.session.job();
    auto* units = new QLabel(IsMetric(job.jobUnits) ? "All dimensions are in METERS"
                                                    : "All dimensions are in FEET",
                             this);
    units->setObjectName("Label11");
    layout->addWidget(units);

    auto* form = new QFormLayout();
    auto label = [this](const char* text, QWidget* field) {
        QLabel* caption = CaptionFor(field, text, this);
        caption->setWordWrap(true);
        return caption;
    };
    auto combo = [this](const char* name, QStringList items) {
        auto* box = new QComboBox(this);
        box->setObjectName(name);
        box->addItems(items);
        return box;
    };
    auto number = [this](const char* name, HeaderNumber which) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        const NumberRange range = HeaderNumberRange(which);
        MakeNumberField(*edit, range);
        edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance("-999999.99990") + 16);
        // Once edited, the field shows its number in the card's form.
        const std::string pattern = range.decimals == 4 ? "0.0000" : "0.000";
        connect(edit, &QLineEdit::editingFinished, edit, [edit, pattern] {
            if (!edit->isModified() || edit->text().trimmed().isEmpty()) return;
            edit->setText(QString::fromStdString(Format(Val(edit->text().toStdString()), pattern)));
        });
        return edit;
    };
    direction_ = combo("d_alityp", {"Tangent", "Left", "Right"});
    side_ = combo("d_blside", {"Right", "Left"});
    bcbsw_ = number("d_bcbsw", HeaderNumber::Bcbsw);
    widsw_ = number("d_widsw", HeaderNumber::Widsw);
    form->addRow(label("&Direction of Baseline Curve", direction_), direction_);
    form->addRow(label("&Side of Baseline For Sidewalk", side_), side_);
    form->addRow(label("&Back of Curb to Back of Sidewalk", bcbsw_), bcbsw_);
    form->addRow(label("&Width of Sidewalk", widsw_), widsw_);
    layout->addLayout(form);

    curveData_ = new QGroupBox("Curve Data", this);
    curveData_->setObjectName("Frame1");
    auto* curve = new QFormLayout(curveData_);
    w1_ = number("d_w1", HeaderNumber::W1);
    w2_ = number("d_w2", HeaderNumber::W2);
    radius_ = number("d_radiusbl", HeaderNumber::RadiusBl);
    curve->addRow(label("W&1 Distance from baseline left to face of left curb", w1_), w1_);
    curve->addRow(Note(
        "If the face of left curb is right of B/L, a negative distance must be coded", curveData_));
    curve->addRow(label("W&2 Distance from baseline right to face of right curb", w2_), w2_);
    curve->addRow(Note("If the face of the right curb is left of B/L, a negative distance must be "
                       "coded",
                       curveData_));
    curve->addRow(label("&Radius of Baseline, If the B/L is tangent leave blank.", radius_),
                  radius_);
    layout->addWidget(curveData_);

    auto* descForm = new QFormLayout();
    description_ = new QLineEdit(this);
    description_->setObjectName("D_Blkdesc");
    description_->setMaxLength(kDescriptionLength);
    description_->setMinimumWidth(description_->fontMetrics().horizontalAdvance(QString(40, 'N')));
    descForm->addRow(label("Block Descri&ption", description_), description_);
    layout->addLayout(descForm);

    auto* buttons = new QHBoxLayout();
    enter_ = new QPushButton("Enter Block Data", this);
    enter_->setObjectName("BlkData");
    auto* back = new QPushButton("Return To Block Selection", this);
    back->setObjectName("ExitBlk");
    for (QPushButton* b : {enter_, back})
        b->setAutoDefault(true); // Enter on a focused button presses it; Enter in a field moves on
    buttons->addWidget(enter_);
    buttons->addStretch();
    buttons->addWidget(back);
    layout->addLayout(buttons);
    connect(enter_, &QPushButton::clicked, this, &BlockHeader::BlkData_Click);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);

    ShowHeader();
    description_->setValidator(new CardTextValidator(kDescriptionLength, description_));
    connect(direction_, &QComboBox::currentTextChanged, this, &BlockHeader::ShowCurveData);
    // Enter moves along the fields as a designer keys them, the curve data only when shown; a
    // number that does not fit keeps the cursor until it is corrected or cleared.
    auto* chain = new EnterChain(
        {direction_, side_, bcbsw_, widsw_, w1_, w2_, radius_, description_, enter_}, this);
    chain->mayLeave = [this](QWidget* field) {
        return !RefuseIfNotFit(qobject_cast<QLineEdit*>(field));
    };
    direction_->setFocus();
}

void BlockHeader::ShowHeader() {
    const Job& job = services_.session.job();
    const BlockHeaderFields f = LoadBlockHeader(job, blockNo_);
    direction_->setCurrentText(QString::fromStdString(f.direction));
    side_->setCurrentText(QString::fromStdString(f.side));
    const std::pair<QLineEdit*, const std::string*> texts[] = {
        {bcbsw_, &f.bcbsw}, {widsw_, &f.widsw},     {w1_, &f.w1},
        {w2_, &f.w2},       {radius_, &f.radiusBl}, {description_, &f.blkDesc}};
    for (const auto& [edit, text] : texts)
        edit->setText(ReportText(*text));
    const std::string& aliTyp = job.header(blockNo_).aliTyp;
    curveData_->setVisible(aliTyp == "R" || aliTyp == "L");
}

void BlockHeader::ShowCurveData() {
    curveData_->setVisible(!direction_->currentText().startsWith('T'));
    adjustSize();
}

bool BlockHeader::RefuseIfNotFit(QLineEdit* edit) {
    if (edit == nullptr || edit->hasAcceptableInput()) return false;
    const auto* validator = qobject_cast<const NumberValidator*>(edit->validator());
    if (validator == nullptr) return false;
    services_.messages.Tell(
        this, {(edit->accessibleName() + ":\n" + NumberValidator::NotFitText(validator->range()))
                   .toStdString(),
               "Block Identification", MessageKind::Warning});
    edit->setFocus();
    return true;
}

std::string BlockHeader::DescriptionBytes() const {
    // Stored in capitals, as the card holds it: é becomes É, a byte of its own as well.
    QString text = description_->text();
    for (QChar& c : text)
        c = c.toUpper();
    return StoredBytes(text, services_.session.job().header(blockNo_).blkDesc);
}

void BlockHeader::BlkData_Click() {
    for (QLineEdit* edit : {bcbsw_, widsw_, w1_, w2_, radius_})
        if (RefuseIfNotFit(edit)) return;
    services_.session.StoreBlockHeader(
        blockNo_,
        {direction_->currentText().toStdString(), side_->currentText().toStdString(),
         bcbsw_->text().toStdString(), widsw_->text().toStdString(), w1_->text().toStdString(),
         w2_->text().toStdString(), radius_->text().toStdString(), DescriptionBytes()});
    accept();
}

} // namespace sidewalk::ui
