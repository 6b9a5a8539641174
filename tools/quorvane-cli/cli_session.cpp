#include "cli_session.h"

#include <algorithm>
#include <iostream>

#include "codes/cp932.h"
#include "store/day_prefix.h"

namespace cli {

CliSession::CliSession(const CliArgs& args, bool yes, jvlink::JVLink* jv_link)
    : home_(args.home()),
      prompts_(yes),
      session_(prompts_, clock_, jv_link, launcher_, companions_, args.home()) {
  session_.Store().SetWriterName("quorvane-cli");
  session_.Start();
}

std::vector<int> CliSession::StoredDays() const {
  std::vector<int> days;
  for (const std::string& prefix : session_.DateCombo.Items) {
    days.push_back(std::stoi(store::DateOfDayPrefix(prefix)));
  }
  return days;
}

std::string CliSession::FillHint() const {
  return "Fill it with the data pull: quorvane-cli --home " + home_ +
         " pull --final-odds --feed FEED\n"
         "(a sample feed to try it on: quorvane-cli feed --out FEED --from 20240401 --days 60)\n";
}

void CliSession::ReportMissingDay(const DayArgument& day, int today) const {
  const std::vector<int> stored = StoredDays();
  if (stored.empty()) {
    std::cerr << "No race day is stored in " << home_ << "/Data yet.\n" << FillHint();
    return;
  }
  const int wanted = WantedDay(day, today);
  if (wanted == 0) {
    std::cerr << "No stored day is before today (" << DayPrefixUtf8(today) << ").\n";
    if (std::find(stored.begin(), stored.end(), today) != stored.end()) {
      std::cerr << "Today is stored, its races still running: --day today shows it.\n";
      return;
    }
  } else {
    std::cerr << DayPrefixUtf8(wanted) << " is not a stored race day.\n";
  }
  const NearestDays nearest = NearestStoredDays(stored, wanted == 0 ? today : wanted);
  std::cerr << "Nearest stored days:";
  if (nearest.before != 0) std::cerr << " " << DayPrefixUtf8(nearest.before) << " (before)";
  if (nearest.after != 0) std::cerr << " " << DayPrefixUtf8(nearest.after) << " (after)";
  std::cerr << ". `quorvane-cli days` lists them all.\n";
}

app::LoadResult CliSession::ChooseDay(const DayArgument& day) {
  const int today = clock_.Now().Ymd();
  const std::optional<int> ymd = ResolveDay(day, StoredDays(), today);
  if (!ymd) {
    ReportMissingDay(day, today);
    return app::LoadResult::kNoDayFile;
  }
  day_utf8_ = DayPrefixUtf8(*ymd);
  std::cerr << "day: " << day_utf8_ << "\n";
  return session_.ChooseDate(codes::Utf8ToSjis(day_utf8_));
}

}  // namespace cli
