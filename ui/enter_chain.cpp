// Enter chain.
#include "ui/enter_chain.hpp"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QWidget>
#include <algorithm>

namespace sidewalk::ui {

EnterChain::EnterChain(std::vector<QWidget*> chain, QObject* parent)
    : QObject(parent), chain_(std::move(chain)) {
    for (std::size_t i = 0; i + 1 < chain_.size(); ++i)
        chain_[i]->installEventFilter(this);
}

bool EnterChain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
    auto* field = qobject_cast<QWidget*>(watched);
    if ((!enter && !tab) || field == nullptr) return QObject::eventFilter(watched, event);
    if (mayLeave && !mayLeave(field)) return true;
    if (tab) return false; // Tab goes on as Qt moves it
    auto at = std::find(chain_.begin(), chain_.end(), field);
    // The next field shown (a hidden group's fields are passed over); the last is the button.
    while (++at != chain_.end() && at + 1 != chain_.end() && !(*at)->isVisibleTo(field->window()))
        ;
    if (at != chain_.end()) (*at)->setFocus(Qt::TabFocusReason);
    return true;
}

namespace {

class EnterPress : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        static_cast<QAbstractButton*>(watched)->click();
        return true;
    }
};

} // namespace

void EnterPresses(std::initializer_list<QAbstractButton*> buttons) {
    for (QAbstractButton* button : buttons)
        button->installEventFilter(new EnterPress(button)); // the button's child
}

} // namespace sidewalk::ui
