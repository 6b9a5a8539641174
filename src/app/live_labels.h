#pragma once

#include <string>

#include "platform/clock.h"
#include "store/race_day.h"

namespace app {

/// 'yyyy"年"mm"月"dd"日"' of a moment: the date-list text of its day (Shift-JIS).
std::string DayText(const platform::LocalTime& t);

/// The loaded day is current when its date-list text is today's, or tomorrow's once the
/// clock reads 18:00 or later.
bool IsCurrentDay(const std::string& date_text, const platform::LocalTime& now);

/// The clock label: 'hh"時"nn"分"ss"秒"' (Shift-JIS).
std::string ClockLabelText(const platform::LocalTime& now);

/// The countdown label of a race: "発走までの残り時間：hh:nn:ss" while its post moment (date
/// at 12-19, post time at 874-877 of its RA record) lies ahead, whole days left out;
/// "発走済み" once it has passed; empty when the record holds no valid moment.
std::string CountdownText(const store::RaRecord& race, const platform::LocalTime& now);

}  // namespace app
