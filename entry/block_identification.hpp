// The Block Identification window: a block's header, with the curve data only for a curved
// baseline. Enter Block Data stores it and leads on to the block's grid.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <string>

#include "ui/shell.hpp"

namespace sidewalk::ui {

class BlockHeader : public QDialog {
    Q_OBJECT
  public:
    BlockHeader(Services& services, int blockNo, QWidget* parent = nullptr);

    void BlkData_Click();

  private:
    std::string DescriptionBytes() const; // the description as the card will hold it
    void ShowHeader();                    // the fields as the job holds the header
    void ShowCurveData();
    bool RefuseIfNotFit(QLineEdit* edit); // says so and keeps the cursor there
    Services& services_;
    int blockNo_;
    QComboBox* direction_;
    QComboBox* side_;
    QLineEdit* bcbsw_;
    QLineEdit* widsw_;
    QLineEdit* w1_;
    QLineEdit* w2_;
    QLineEdit* radius_;
    QLineEdit* description_;
    QGroupBox* curveData_;
    QPushButton* enter_;
};

} // namespace sidewalk::ui
