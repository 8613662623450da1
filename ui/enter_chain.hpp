// The Enter chain of a window's fields: Enter moves the focus from a field to the next one shown,
// as a designer keys them, and the chain ends on a button, which Enter then presses. A field may
// keep the focus (a number that does not fit): then neither Enter nor Tab leaves it.
#pragma once

#include <QObject>
#include <functional>
#include <vector>

class QAbstractButton;
class QWidget;

namespace sidewalk::ui {

class EnterChain : public QObject {
    Q_OBJECT
  public:
    // The fields in order, the last one the button that ends the chain. Owned by parent.
    EnterChain(std::vector<QWidget*> chain, QObject* parent);

    // Asked before the focus leaves a field by Enter, Tab or Shift+Tab: false keeps it there
    // (the function says why).
    std::function<bool(QWidget* field)> mayLeave;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::vector<QWidget*> chain_;
};

// Enter on one of these buttons, when it has the focus, presses it; none becomes the window's
// default button, so Enter anywhere else never presses one.
void EnterPresses(std::initializer_list<QAbstractButton*> buttons);

} // namespace sidewalk::ui
