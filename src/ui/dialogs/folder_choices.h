#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "app/settings.h"
#include "platform/user_prompts.h"

class QWidget;

namespace ui {

/// The two items of the menu "ﾌｫﾙﾀﾞ指定(&F)".
enum class FolderChoice {
  kTimeSeries,  ///< "時系列ｵｯｽﾞﾌｫﾙﾀﾞ指定(&T)": `Dir`/`jikeiretu`
  kVelkTohyo2,  ///< "Velk投票プラグイン２フォルダ指定": `Dir`/`VelkTohyo2`
};

/// The menu item's text.
QString FolderChoiceMenuText(FolderChoice choice);
/// The folder picker's caption.
QString FolderChoiceCaption(FolderChoice choice);

/// Asks for a folder: given the caption and the preselected folder, gives the chosen
/// folder or nullopt on cancel. The program's is the folder picker's Choose.
using FolderAsker =
    std::function<std::optional<QString>(const QString& caption, const QString& preselected)>;

/// The menu item chosen: the folder picker opens at the key's folder (the program
/// folder when none is set); OK writes the chosen folder to the key, cancel writes
/// nothing. A folder whose name has no Shift-JIS form, or a settings file that
/// cannot be written, is reported through `prompts` and nothing is written.
/// True when the key was written. The main window calls it as
///   ChooseFolder(FolderChoice::kTimeSeries, session.Settings(), program_folder, prompts,
///                PickerAsker(this));
bool ChooseFolder(FolderChoice choice, app::Settings& settings, const std::string& program_folder,
                  platform::UserPrompts& prompts, const FolderAsker& ask);

/// The folder picker, modal over `parent`.
FolderAsker PickerAsker(QWidget* parent);

}  // namespace ui
