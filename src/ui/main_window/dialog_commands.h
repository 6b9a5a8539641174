#pragma once

#include "main_form.h"
#include "ui/verify/sim_form.h"

namespace ui {

/// The dialogs the main window opens from its menus and tool bar.
TMainForm::DialogCommands MakeDialogCommands();

/// The verification window `TSimForm` of the main window, made hidden on the first call and
/// kept with the window, which shows the last day and race of each export; "出力" shows it.
verify::TSimForm& VerificationWindowOf(TMainForm& window);

}  // namespace ui
