#pragma once

#include <string>

#include "app/session.h"
#include "race_choices.h"

namespace cli {

/// The race shown as a terminal reads it (UTF-8): the day, race and choices in force, the
/// header lines, the marks, the runner grid, each bet table with its summary labels and
/// its bets (the visible columns under their headings, 消 and paid marks), and the
/// payouts of the result page. Columns are aligned by display width.
std::string RaceText(const app::Session& session, const std::string& day_utf8,
                     const ShownRace& shown);

/// Empty for an empty label, else " (赤)" after a red summary label's text.
std::string RedMark(const std::string& text, bool red);

}  // namespace cli
