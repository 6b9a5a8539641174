#pragma once

#include "app/session.h"

namespace app {

/// "時系列ｵｯｽﾞよりｵｯｽﾞを取得" (File menu): the morning odds of every race of the loaded day
/// from the time-series companion's folder (`Dir`/`jikeiretu`), the announcement nearest
/// to `Time`/`First` (default "0700") of each race and odds kind, into the day's odds
/// files; the counts shown; the day loaded again. Refused with a message when the folder
/// was never set or no day is loaded. A file that cannot be read or written ends it with
/// the message of the error; files written before stay, the day is not reloaded.
/// Returns true when the day was reloaded.
bool ImportTimeSeriesOdds(Session& session);

}  // namespace app
