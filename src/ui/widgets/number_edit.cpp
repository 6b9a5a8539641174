#include "ui/widgets/number_edit.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <algorithm>
#include <string>

#include "codes/errors.h"

namespace ui {

namespace {
constexpr int kMostDigits = 9;

int LargestOf(int digits) {
  int n = 0;
  for (int i = 0; i < digits; ++i) n = n * 10 + 9;
  return n;
}
}  // namespace

NumberEdit::NumberEdit(int max_digits, QWidget* parent) : QLineEdit(parent) {
  setMaxDigits(max_digits);
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  connect(this, &QLineEdit::textChanged, this, [this] { emit valueChanged(value()); });
}

void NumberEdit::setMaxDigits(int max_digits) {
  if (max_digits < 1 || max_digits > kMostDigits) {
    throw codes::LogicError("NumberEdit holds 1 to 9 digits, not " + std::to_string(max_digits));
  }
  max_digits_ = max_digits;
  setMaxLength(max_digits);
  const QString pattern = QStringLiteral("[0-9]{0,%1}").arg(max_digits);
  if (!validator_) {
    validator_ = new QRegularExpressionValidator(this);
    setValidator(validator_);
  }
  validator_->setRegularExpression(QRegularExpression(pattern));
  if (text().size() > max_digits) setText(text().left(max_digits));
}

int NumberEdit::value() const { return text().isEmpty() ? 0 : text().toInt(); }

void NumberEdit::setValue(int value) {
  setText(QString::number(std::clamp(value, 0, LargestOf(max_digits_))));
}

}  // namespace ui
