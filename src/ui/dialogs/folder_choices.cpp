#include "ui/dialogs/folder_choices.h"

#include <exception>

#include "ui/widgets/folder_picker.h"
#include "ui/widgets/sjis_text.h"

namespace ui {

namespace {

// One row per menu item: its texts and its key.
struct FolderChoiceRow {
  const char* menu_text;
  const char* caption;
  std::string (app::Settings::*read)(const std::string&) const;
  void (app::Settings::*write)(const std::string&);
};

const FolderChoiceRow& RowOf(FolderChoice choice) {
  static const FolderChoiceRow kTimeSeries{"時系列ｵｯｽﾞﾌｫﾙﾀﾞ指定(&T)", "時系列ｵｯｽﾞﾃﾞｰﾀﾌｫﾙﾀﾞの指定",
                                           &app::Settings::JikeiretuOr,
                                           &app::Settings::SetJikeiretu};
  static const FolderChoiceRow kVelk{"Velk投票プラグイン２フォルダ指定",
                                     "Velk投票プラグイン２フォルダの指定",
                                     &app::Settings::VelkTohyo2Or, &app::Settings::SetVelkTohyo2};
  return choice == FolderChoice::kTimeSeries ? kTimeSeries : kVelk;
}

}  // namespace

QString FolderChoiceMenuText(FolderChoice choice) {
  return QString::fromUtf8(RowOf(choice).menu_text);
}

QString FolderChoiceCaption(FolderChoice choice) {
  return QString::fromUtf8(RowOf(choice).caption);
}

bool ChooseFolder(FolderChoice choice, app::Settings& settings, const std::string& program_folder,
                  platform::UserPrompts& prompts, const FolderAsker& ask) {
  const FolderChoiceRow& row = RowOf(choice);
  try {
    // The key holds Shift-JIS; the folder is a name of this file system.
    const std::string program_folder_sjis = ToSjis(FromPath(program_folder));
    const QString preselected = FromSjis((settings.*row.read)(program_folder_sjis));
    const std::optional<QString> chosen = ask(FolderChoiceCaption(choice), preselected);
    if (!chosen) return false;
    (settings.*row.write)(ToSjis(*chosen));
    return true;
  } catch (const std::exception& error) {
    prompts.Beep();
    prompts.Inform(SjisMessage(error.what()));
    return false;
  }
}

FolderAsker PickerAsker(QWidget* parent) {
  return [parent](const QString& caption, const QString& preselected) {
    return FolderPicker::Choose(parent, caption, preselected);
  };
}

}  // namespace ui
