#pragma once

#include "app/settings.h"
#include "platform/companion_locator.h"

namespace app {

/// At start-up, before the main window is shown: each companion folder key of "Dir"
/// that is empty (after trimming) is filled from the companion's install folder, as
/// the locator finds it. The voting plug-ins' folders are written unchanged, the
/// time-series companion's with its "Data" folder appended. Nothing found writes
/// nothing, so the look-up is repeated at every start until a folder is found.
void LookUpCompanionFolders(Settings& settings, const platform::CompanionLocator& locator);

}  // namespace app
