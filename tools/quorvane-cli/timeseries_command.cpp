#include "app/time_series_menu.h"
#include "cli_session.h"
#include "commands.h"
#include "day_argument.h"

namespace cli {

// The day chosen in the date list, then "時系列ｵｯｽﾞよりｵｯｽﾞを取得" from the File menu.
int RunTimeSeries(const CliArgs& args) {
  args.Expect({"--day"}, {});
  const DayArgument day = ParseDayArgument(args.Require("--day"));
  CliSession cli(args);
  if (cli.ChooseDay(day) != app::LoadResult::kLoaded) return 1;
  return app::ImportTimeSeriesOdds(cli.session()) ? 0 : 1;
}

}  // namespace cli
