#pragma once

#include "main_form.h"

namespace ui {

/// The dialogs the main window opens from its menus and tool bar.
TMainForm::DialogCommands MakeDialogCommands();

}  // namespace ui
