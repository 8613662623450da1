// The List Of Blocks window SectList: the 100 block slots, opened in turn and deleted.
#pragma once

#include <QDialog>
#include <QListWidget>

#include "ui/shell.hpp"

namespace sidewalk::ui {

class SectList : public QDialog {
    Q_OBJECT
  public:
    explicit SectList(Services& services, QWidget* parent = nullptr);

    void OpenSelected(bool doubleClick);
    void Bookdel_Click();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FillBlockList();
    int SelectedRow() const; // the selected line, or -1
    Services& services_;
    QListWidget* list_;
};

} // namespace sidewalk::ui
