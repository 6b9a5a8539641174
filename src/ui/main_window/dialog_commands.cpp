#include "dialog_commands.h"

namespace ui {

TMainForm::DialogCommands MakeDialogCommands() { return {}; }

}  // namespace ui
