// Save Data window.
#include "entry/save_data_dialog.hpp"

#include <QGridLayout>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

#include "ui/file_dialogs.hpp"
#include "ui/help_link.hpp"
#include "ui/message_boxes.hpp"

namespace sidewalk::ui {

namespace {

QLabel* CheckMark(QWidget* parent, const char* name, const QString& what) {
    auto* mark = new QLabel(parent);
    mark->setObjectName(name);
    mark->setPixmap(parent->style()->standardIcon(QStyle::SP_DialogApplyButton).pixmap(18, 18));
    mark->setAccessibleName(what);
    mark->hide();
    return mark;
}

} // namespace

EnddataForm::EnddataForm(Services& services, ShellState& state, QWidget* parent)
    : QDialog(parent), services_(services), state_(state) {
    setObjectName("EnddataForm");
    setWindowTitle("Save Data");
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(24, 16, 24, 20);
    layout->setHorizontalSpacing(10);
    AddHelpMenu(*this, *layout, services.help, help_topic::kSaveData);

    const std::string& name = services.session.job().dataFileName;
    // A long path is shortened in the middle, so the window never grows past the screen; the
    // whole path is in the tool tip and for a screen reader.
    const QString path = QString::fromStdString(name);
    auto* label = new QLabel(this);
    label->setObjectName("Label1");
    const QScreen* screen = parent != nullptr && parent->screen() != nullptr
                                ? parent->screen()
                                : QGuiApplication::primaryScreen();
    const int widest = screen != nullptr ? screen->availableGeometry().width() * 2 / 3 : 800;
    label->setText(label->fontMetrics().elidedText(path, Qt::ElideMiddle, widest));
    label->setToolTip(path);
    label->setAccessibleName("Data file");
    label->setAccessibleDescription(path);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* save = new QPushButton("Save", this);
    save->setObjectName("Endsave");
    save->setToolTip("Save Opened File");
    auto* saveAs = new QPushButton("Save As", this);
    saveAs->setObjectName("Endsaveas");
    saveAs->setToolTip("Save Data As");
    auto* exit = new QPushButton("E&xit", this);
    exit->setObjectName("saveexit");
    exit->setToolTip("Exit Save Data Form");
    saved_ = CheckMark(this, "Image1", "Saved");
    savedAs_ = CheckMark(this, "Image2", "Saved As");
    for (QPushButton* b : {save, saveAs, exit}) {
        b->setAutoDefault(true); // Enter on a focused button presses it
        b->setMinimumWidth(160);
    }
    layout->addWidget(label, 0, 0, 1, 2);
    layout->addWidget(save, 1, 0);
    layout->addWidget(saved_, 1, 1);
    layout->addWidget(saveAs, 2, 0);
    layout->addWidget(savedAs_, 2, 1);
    layout->addWidget(exit, 3, 0);
    layout->setColumnMinimumWidth(1, 20);

    connect(save, &QPushButton::clicked, this, &EnddataForm::Endsave_Click);
    connect(saveAs, &QPushButton::clicked, this, &EnddataForm::Endsaveas_Click);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);

    // A new job can be saved with Save As only.
    if (name == kNoName) save->hide();
    (name == kNoName ? saveAs : save)->setFocus();
    services.session.MarkChanged(); // opening the window counts as unsaved until a save
}

void EnddataForm::Endsave_Click() {
    // Never over another program's or person's work without asking.
    if (services_.session.ChangedOnDisk()) {
        const auto answer = services_.messages.Ask(
            this, "Save Data",
            "The file " + QString::fromStdString(services_.session.job().dataFileName) +
                " was changed by another program since it was opened. Replace it?",
            QMessageBox::Warning, QMessageBox::Yes | QMessageBox::Save | QMessageBox::Cancel,
            QMessageBox::Cancel, QMessageBox::Cancel,
            {{QMessageBox::Yes, "&Replace"}, {QMessageBox::Save, "Save &As..."}});
        if (answer == QMessageBox::Save) Endsaveas_Click();
        if (answer != QMessageBox::Yes) return;
    }
    const std::string& name = services_.session.job().dataFileName;
    if (BelongsToAnotherUser(name)) { // never written over: another name, then?
        if (services_.messages.Ask(this, "Save Data",
                                   QString::fromStdString(name) +
                                       " belongs to another user and is not replaced. Save the "
                                       "job under another name?",
                                   QMessageBox::Warning, QMessageBox::Save | QMessageBox::Cancel,
                                   QMessageBox::Save, QMessageBox::Cancel,
                                   {{QMessageBox::Save, "Save &As..."}}) == QMessageBox::Save)
            Endsaveas_Click();
        return;
    }
    Replace replace = Replace::Unasked;
    if (!MayReplace(name, replace)) return;
    Status saved;
    {
        WaitCursor wait;
        saved = services_.session.Save(replace);
    }
    if (services_.messages.Done(this, saved)) saved_->show(); // with the pointer as it was
}

void EnddataForm::Endsaveas_Click() {
    std::string fileName = services_.session.job().dataFileName;
    if (!services_.dialogs.ShowSaveDialog(this, state_.lastDir, fileName)) return;
    Replace replace = Replace::Unasked;
    if (!MayReplace(fileName, replace)) return;
    Status saved;
    {
        WaitCursor wait;
        saved = services_.session.SaveAs(fileName, replace);
    }
    if (services_.messages.Done(this, saved)) savedAs_->show();
}

bool EnddataForm::MayReplace(const std::string& path, Replace& replace) {
    const std::string question = ReplaceQuestion(path);
    if (question.empty()) return true;
    if (services_.messages.Ask(this, "Save Data", QString::fromStdString(question),
                               QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return false;
    replace = Replace::Confirmed;
    return true;
}

} // namespace sidewalk::ui
