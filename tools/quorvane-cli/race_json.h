#pragma once

#include <string>

#include "app/session.h"
#include "race_choices.h"

namespace cli {

/// The race shown as JSON: the day, slot, item and the choices in force, the header, the
/// marks, the runners, the runner grid, the four bet tables with every cell and their
/// summary labels, and the result page. Texts exactly as the screen shows them, UTF-8.
std::string RaceJson(app::Session& session, const std::string& day_utf8, const ShownRace& shown);

}  // namespace cli
