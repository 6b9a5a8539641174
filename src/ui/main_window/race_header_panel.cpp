#include "race_header_panel.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "qt_text.h"

namespace ui {
namespace {

const QColor kTurf(0, 128, 0);
const QColor kDirt(128, 0, 0);
constexpr const char* kLineNames[6] = {"Label1", "Label2", "Label3", "Label4", "Label6", "Label7"};

}  // namespace

RaceHeaderPanel::RaceHeaderPanel(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("Panel3"));
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Raised);
  Paint(this, kTurf, Qt::white);

  basho_ = AddLabel("BashoLabel");
  race_ = AddLabel("RaceLabel");
  for (QLabel* big : {basho_, race_}) {
    big->setFont(FixedFont(28, true));
    big->setAlignment(Qt::AlignCenter);
    big->setMinimumWidth(72);
  }
  // the race number stands on a background of its own
  Paint(race_, Qt::white, Qt::black);
  race_->setFrameShape(QFrame::Panel);
  race_->setFrameShadow(QFrame::Sunken);

  auto* lines = new QVBoxLayout;
  lines->setSpacing(1);
  for (int i = 0; i < 6; ++i) {
    lines_[i] = AddLabel(kLineNames[i]);
    lines_[i]->setFont(FixedFont(i == 1 ? 15 : 13, i == 1));
    // a line longer than a narrow window is cut at the right instead of widening it
    lines_[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lines->addWidget(lines_[i]);
  }
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 2, 4, 2);
  layout->addWidget(basho_);
  layout->addWidget(race_);
  layout->addLayout(lines, 1);
}

QLabel* RaceHeaderPanel::AddLabel(const char* name) {
  auto* label = new QLabel(this);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  return label;
}

void RaceHeaderPanel::Show(const screens::RaceHeader& header) {
  const std::string* texts[6] = {&header.Label1, &header.Label2, &header.Label3,
                                 &header.Label4, &header.Label6, &header.Label7};
  for (int i = 0; i < 6; ++i) lines_[i]->setText(FromSjis(*texts[i]));
  basho_->setText(FromSjis(header.BashoLabel));
  race_->setText(FromSjis(header.RaceLabel));
  Paint(this, header.Panel3 == screens::PanelColour::Green ? kTurf : kDirt, Qt::white);
}

void RaceHeaderPanel::Clear() {
  for (QLabel* line : lines_) line->clear();
  basho_->clear();
  race_->clear();
}

}  // namespace ui
