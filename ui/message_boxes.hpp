// The one way the windows show a message box, so that tests can answer it in advance: an
// answer put in the queue is taken instead of showing the box, and every box is recorded.
#pragma once

#include <QMessageBox>
#include <QString>
#include <deque>
#include <utility>
#include <vector>

#include "data/message.hpp"

namespace sidewalk::ui {

class MessageBoxes {
  public:
    struct Shown {
        QString title;
        QString text;
        QMessageBox::Icon icon;
    };

    // Captions for standard buttons that say what they do ("&Recover" on Yes, say).
    using Captions = std::vector<std::pair<QMessageBox::StandardButton, QString>>;

    // Shows a modal box over parent and returns the button pressed. Escape and the frame's close
    // box answer escapeButton when one is given, else as Qt chooses (Cancel, else No). Carriage
    // returns in the text are not shown: a line feed alone ends a line.
    QMessageBox::StandardButton
    Ask(QWidget* parent, const QString& title, const QString& text, QMessageBox::Icon icon,
        QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
        QMessageBox::StandardButton escapeButton = QMessageBox::NoButton,
        const Captions& captions = {});

    // A message of the core, with an OK button and the icon of its kind.
    void Tell(QWidget* parent, const Message& message);

    // Tells why it failed, if it did; true when it was done.
    bool Done(QWidget* parent, const Status& status) {
        if (status.failed()) Tell(parent, status.error());
        return status.has_value();
    }

    // For tests: the next boxes are answered with these buttons, in order, without showing;
    // QMessageBox::Escape stands for Escape or the frame's close box.
    void AnswerNext(QMessageBox::StandardButton button) { prepared_.push_back(button); }
    const std::vector<Shown>& shown() const { return shown_; }
    // For tests: a box with no answer prepared ends the test at once instead of waiting.
    void FailUnanswered() { failUnanswered_ = true; }
    // For tests: the answers prepared that no box has taken yet.
    std::size_t unusedAnswers() const { return prepared_.size(); }

  private:
    std::deque<QMessageBox::StandardButton> prepared_;
    std::vector<Shown> shown_;
    bool failUnanswered_ = false;
};

} // namespace sidewalk::ui
