#include "ui/widgets/label_3d.h"

#include <QImage>
#include <QTest>

#include "widgets_tests.h"

using ui::Label3D;

namespace {

QImage Drawn(Label3D::Bevel bevel) {
  Label3D label("1R");
  label.setPanelColor(QColor(0, 128, 0));
  label.setTextColor(Qt::white);
  label.setBevel(bevel);
  label.resize(80, 24);
  return label.grab().toImage();
}

int Lightness(const QImage& image, int x, int y) { return image.pixelColor(x, y).lightness(); }

}  // namespace

void Label3DTest::raisedIsLightAboveAndDarkBelow() {
  const QImage image = Drawn(Label3D::Bevel::kRaised);
  const int panel = Lightness(image, 40, 4);
  QCOMPARE(image.pixelColor(70, 12), QColor(0, 128, 0));
  QVERIFY(Lightness(image, 40, 0) > panel);
  QVERIFY(Lightness(image, 40, image.height() - 1) < panel);
}

void Label3DTest::loweredIsDarkAboveAndLightBelow() {
  const QImage image = Drawn(Label3D::Bevel::kLowered);
  const int panel = Lightness(image, 40, 4);
  QVERIFY(Lightness(image, 40, 0) < panel);
  QVERIFY(Lightness(image, 40, image.height() - 1) > panel);
}

void Label3DTest::flatHasNoEdge() {
  const QImage image = Drawn(Label3D::Bevel::kFlat);
  QCOMPARE(image.pixelColor(40, 0), QColor(0, 128, 0));
  QCOMPARE(image.pixelColor(40, image.height() - 1), QColor(0, 128, 0));
}
