// About window.
#include "app/about_box.hpp"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/version.hpp"

namespace sidewalk::ui {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutBox");
    setWindowTitle("About ");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 20, 28, 16);
    auto* title = new QLabel(" Sidewalk, Curb and Grassing Areas", this);
    title->setObjectName("Lbl_Title");
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    title->setFont(big);
    auto* version =
        new QLabel("Version " + QString::number(kVersionMajor) + "." +
                       QString::number(kVersionMinor) + "." + QString::number(kVersionRevision),
                   this);
    version->setObjectName("Lbl_Version");
    auto* date = new QLabel(QString("Date ") + kVersionComment, this);
    date->setObjectName("Label1");
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("Cmd_OK");
    ok->setDefault(true);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addWidget(date);
    layout->addSpacing(8);
    layout->addWidget(ok, 0, Qt::AlignRight);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace sidewalk::ui
