#include "verify/day_replay.h"

#include <exception>

#include "codes/cell_format.h"
#include "codes/cp932.h"
#include "codes/errors.h"
#include "codes/message_text.h"
#include "verify/collecting_prompts.h"
#include "verify/export_line.h"

namespace verify {
namespace {

// The message of a failed load as the session showed it; a load that fails without
// showing anything still says which day it was.
std::string FailureText(const std::string& day_prefix, const std::vector<std::string>& shown) {
  std::string text;
  for (const std::string& message : shown) text += (text.empty() ? "" : " ") + message;
  if (text.empty()) text = day_prefix + codes::Sj(" は読み込めませんでした。");
  return text;
}

void AddRaceLines(const app::Session& session, DayExport& out) {
  const store::RaceDay& day = session.Day();
  const store::RaRecord& ra = day.RaRec[day.CurrentSlot];
  for (size_t t = 0; t < out.lines.size(); ++t) {
    const bets::BetSummary& summary =
        session.Screen.Tables.Table(bets::BetTables::kOrder[t]).Summary();
    if (codes::CellInt(summary.total.text) <= 0) continue;
    out.lines[t].push_back(JoinFields(LineFields(ra, summary, session.Screen.Marks)));
  }
}

}  // namespace

DayExport ReplayDay(app::Session& session, CollectingPrompts& prompts,
                    const std::string& day_prefix) {
  DayExport out;
  out.day = day_prefix;
  prompts.messages.clear();
  try {
    if (session.ChooseDate(day_prefix) != app::LoadResult::kLoaded) {
      out.failure = FailureText(day_prefix, prompts.messages);
      return out;
    }
    const int items = static_cast<int>(session.DatList.Items.size());
    for (int item = 0; item < items; ++item) {
      session.SelectRace(item);
      AddRaceLines(session, out);
      ++out.races;
    }
  } catch (const std::exception& e) {
    out = DayExport{};
    out.day = day_prefix;
    out.failure = day_prefix + " " + codes::SjisMessageText(e.what());
    return out;
  }
  out.loaded = true;
  return out;
}

}  // namespace verify
