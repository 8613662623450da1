// Finding a text in the report viewer.
#include "output/find_bar.hpp"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>

namespace sidewalk::ui {

FindBar::FindBar(QPlainTextEdit& display, QWidget* parent) : QWidget(parent), display_(display) {
    setObjectName("FindBar");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    auto* label = new QLabel("F&ind:", this);
    text_ = new QLineEdit(this);
    text_->setObjectName("FindText");
    text_->setAccessibleName("Find");
    label->setBuddy(text_);
    auto* next = new QPushButton("&Next", this);
    next->setObjectName("FindNext");
    auto* previous = new QPushButton("Pre&vious", this);
    previous->setObjectName("FindPrevious");
    matchCase_ = new QCheckBox("Match &case", this);
    matchCase_->setObjectName("MatchCase");
    note_ = new QLabel(this);
    note_->setObjectName("FindNote");
    for (QPushButton* b : {next, previous})
        b->setAutoDefault(false); // Enter in the text finds once, through returnPressed
    for (QWidget* w : std::initializer_list<QWidget*>{label, text_, next, previous, matchCase_})
        layout->addWidget(w);
    layout->addWidget(note_, 1);
    connect(text_, &QLineEdit::returnPressed, this, [this] { Find(false); });
    connect(next, &QPushButton::clicked, this, [this] { Find(false); });
    connect(previous, &QPushButton::clicked, this, [this] { Find(true); });
    hide();
}

void FindBar::Open() {
    show();
    note_->clear();
    text_->setFocus();
    text_->selectAll();
}

bool FindBar::Find(bool backward) {
    if (!isVisible()) Open();
    if (text_->text().isEmpty()) return false;
    QTextDocument::FindFlags flags;
    if (backward) flags |= QTextDocument::FindBackward;
    if (matchCase_->isChecked()) flags |= QTextDocument::FindCaseSensitively;
    note_->clear();
    if (display_.find(text_->text(), flags)) return true;
    // None before the end: go on from the other end, and say so.
    const QTextCursor was = display_.textCursor();
    QTextCursor from = was;
    from.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
    display_.setTextCursor(from);
    if (display_.find(text_->text(), flags)) {
        note_->setText(backward ? "Went on from the end of the report"
                                : "Went on from the start of the report");
        return true;
    }
    display_.setTextCursor(was);
    note_->setText("\"" + text_->text() + "\" not found");
    return false;
}

} // namespace sidewalk::ui
