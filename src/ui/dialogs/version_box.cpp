#include "ui/dialogs/version_box.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QLabel>
#include <QVBoxLayout>

namespace ui {

VersionBox::VersionBox(QWidget* parent) : QDialog(parent) {
  setObjectName("VersionBox");
  setWindowTitle(QString::fromUtf8("ﾊﾞｰｼﾞｮﾝ情報"));
  auto* name = new QLabel("Quorvane", this);
  name->setObjectName("ProductName");
  QFont big = name->font();
  // the program's face is set in pixels, where the point size reads as -1
  if (big.pixelSize() > 0) {
    big.setPixelSize(big.pixelSize() * 2);
  } else {
    big.setPointSizeF(big.pointSizeF() * 2);
  }
  big.setBold(true);
  name->setFont(big);
  auto* version = new QLabel(kVersionText, this);
  version->setObjectName("VersionLabel");
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(name, 0, Qt::AlignHCenter);
  layout->addWidget(version, 0, Qt::AlignHCenter);
  layout->addSpacing(8);
  layout->addWidget(buttons);
  setFixedSize(sizeHint().expandedTo(QSize(280, 0)));
}

}  // namespace ui
