#pragma once

#include <QLineEdit>

class QRegularExpressionValidator;

namespace ui {

/// A one-line edit box for a whole number without sign (the stake field): only the
/// digits 0-9 can be typed or pasted, at most maxDigits of them, so text, a minus sign
/// or a seventh digit of a six-digit box are refused as they are typed.
class NumberEdit : public QLineEdit {
  Q_OBJECT

 public:
  /// `max_digits` is 1 to 9 (a nine-digit number still fits an int); codes::LogicError
  /// otherwise.
  explicit NumberEdit(int max_digits = 6, QWidget* parent = nullptr);

  void setMaxDigits(int max_digits);
  int maxDigits() const { return max_digits_; }
  /// The number shown; 0 when the box is empty.
  int value() const;
  /// Shows `value`, limited to 0 .. the largest number of maxDigits digits.
  void setValue(int value);

 signals:
  /// The number changed, by the user or by setValue.
  void valueChanged(int value);

 private:
  int max_digits_ = 6;
  QRegularExpressionValidator* validator_ = nullptr;
};

}  // namespace ui
