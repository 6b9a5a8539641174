#pragma once

#include <QDialog>

namespace ui {

/// The program's version text, shown by the version box and sent in JV-Link's sid.
inline constexpr const char* kVersionText = "Version.1.13";

/// The version box "ﾊﾞｰｼﾞｮﾝ情報": the program's name and kVersionText, with OK.
/// The main window opens it modally from "ﾊﾞｰｼﾞｮﾝ情報(&A)...":
///   VersionBox(this).exec();
class VersionBox : public QDialog {
  Q_OBJECT

 public:
  explicit VersionBox(QWidget* parent = nullptr);
};

}  // namespace ui
