#include "command_table.h"

#include "commands.h"

namespace cli {
namespace {

// The commands in the order help lists them. Later commands append their row here; the
// help, the usage lines and docs/cli.md follow.
// clang-format off
const Command kCommands[] = {
  {"feed", RunFeed, true,
   "writes a sample feed to pull from",
   "feed --out FEED --from DATE --days N [--seed S] [--today]",
   "Writes a sample feed into the folder FEED: the stored data of N calendar days from\n"
   "DATE on (race days are Saturdays and Sundays), the real-time data and the\n"
   "time-series companion's folder. `pull` reads it like the data service.",
   "  --out FEED      the folder to write (made when missing)\n"
   "  --from DATE     the first day, yyyymmdd (20240518)\n"
   "  --days N        how many calendar days, 1 to 3660\n"
   "  --seed S        a whole number; the same seed writes the same feed (default 1)\n"
   "  --today         the last day is today: its odds and results come out during the day",
   "quorvane-cli feed --out ~/quorvane/feed --from 20240401 --days 60",
   "A summary line on standard error (race days, races, files, size)."},

  {"pull", RunPull, true,
   "the data pull: files the feed's race days into DIR/Data",
   "pull [--from \"yyyy/mm/dd hh:nn:ss\"] [--final-odds] [--feed FEED] [--jvlink SOURCE]",
   "The data pull (\"ＪＶデータ取込\"): the stored data of the feed newer than the start\n"
   "moment is downloaded and filed into DIR/Data (race details, runners, payouts, and\n"
   "with --final-odds the odds of every bet type). Makes DIR when it is missing.",
   "  --feed FEED     the feed folder (default DIR/feed; `feed` writes one)\n"
   "  --jvlink SOURCE where JV-Link comes from for this run: feed (the feed folder),\n"
   "                  host (the host program, HostCommand=) or tcp (a host over TCP,\n"
   "                  Address= and TokenFile=); default: [JVLink] Source= in\n"
   "                  Quorvane.ini, else feed (docs/jvlink.md)\n"
   "  --from MOMENT   start moment \"yyyy/mm/dd hh:nn:ss\" (default: the last pull,\n"
   "                  JvDataGet/LastTime in Quorvane.ini, else a week back)\n"
   "  --final-odds    also file the odds of every bet type (the morning odds the\n"
   "                  race view reads)",
   "quorvane-cli --home ~/quorvane pull --final-odds --from \"2024/04/01 00:00:00\"",
   "Status lines and two progress bars on standard error; the last line counts the\n"
   "records filed and dropped."},

  {"days", RunDays, false,
   "lists the stored race days, newest first",
   "days",
   "The date list: every stored race day, newest first, one DayPrefix a line.",
   "  (no options)",
   "quorvane-cli --home ~/quorvane days",
   "The days on standard output; when none is stored, how to fill the store on\n"
   "standard error."},

  {"day", RunDay, false,
   "a day's races with their slots and marks",
   "day --day D [--json]",
   "Loads day D as choosing it in the date list does, and lists its races: the slot,\n"
   "the race-list item and the marks of each race (targets for 馬連, 馬単,\n"
   "３連複・３連単 and Logic B, the average odds of the three favourites, the 馬連\n"
   "favourite's odds and the day-wide rank).",
   "  --day D         the race day (see DATES)\n"
   "  --json          the race list and every race's marks as JSON",
   "quorvane-cli --home ~/quorvane day --day latest",
   "A table on standard output, headed by the logic, mode and amount in force;\n"
   "with --json one JSON object."},

  {"race", RunRace, false,
   "one race: header, marks, runners and the four bet tables",
   "race --day D --slot N [--logic A|B|none] [--mode 0|1] [--amount YEN]\n"
   "     [--exclude TYPE:ROW]... [--json]",
   "Loads day D, shows race N and makes its bets with the chosen rule book: the\n"
   "header lines, the marks, the runner grid and the four bet tables with their\n"
   "stakes, returns and results. The choices are made as a user makes them, in this\n"
   "order: logic and mode before the day is loaded (both are kept in Quorvane.ini and\n"
   "hold for later runs, as in the window), then the race is shown, then the amount\n"
   "is typed into the stake field, then the rows are excluded in the order given.",
   "  --day D         the race day (see DATES)\n"
   "  --slot N        the race: item N of the race list, counted from 0 (see `day`)\n"
   "  --logic L       A (Logic A), B (Logic B) or none (no bets made)\n"
   "  --mode M        the stake split: 0 = 均等 (equal), 1 = 比例 (by odds)\n"
   "  --amount YEN    the amount for each bet table, 0 to 999999; below 100 nothing\n"
   "                  is reallocated (the tables keep the stakes they have)\n"
   "  --exclude T:R   marks bet row R (from 1, the No. column) of table T with 消, or\n"
   "                  takes the mark off again; repeat it for more rows\n"
   "  --json          the whole screen as JSON instead of the text view",
   "quorvane-cli --home ~/quorvane race --day 2024-05-18 --slot 10 --amount 5000 --exclude UR:2",
   "The text view on standard output: logic, mode and amount, the header, the marks,\n"
   "the runner grid and each table; with --json one JSON object."},

  {"vote", RunVote, false,
   "hands one bet table of a race to the voting plug-in",
   "vote --day D --slot N --type TYPE [--logic A|B|none] [--mode 0|1]\n"
   "     [--amount YEN] [--exclude TYPE:ROW]... [--yes]",
   "Hands the bets of one table of race N to the voting plug-in (\"Velk2投票\"): the\n"
   "table is made exactly as `race` makes it with the same choices, then its bets\n"
   "that are not marked 消 are written to PLUGIN/kaime/yymmdd.csv and the plug-in is\n"
   "started with that file. PLUGIN is the folder of the plug-in, set in DIR/Quorvane.ini:\n"
   "    [Dir]\n"
   "    VelkTohyo2=/path/to/plugin\n"
   "The folder must hold a kaime/ folder and the program VelkTohyoPlugIn2.exe.",
   "  --type TYPE     the table to hand over: UR, UT, SRF or SRT (see BET TYPES)\n"
   "  --yes           answer the question Yes; without it the question is asked when\n"
   "                  standard input is a terminal (y/n) and answered No otherwise\n"
   "  --day, --slot, --logic, --mode, --amount, --exclude: as for `race`",
   "quorvane-cli --home ~/quorvane vote --day 20240518 --slot 10 --type UR --amount 5000 --exclude UR:2",
   "The choices and the question on standard error. Answered No, nothing is written\n"
   "and the status is 0."},

  {"timeseries", RunTimeSeries, false,
   "morning odds from the time-series companion's folder",
   "timeseries --day D",
   "Loads day D and takes the morning odds of every race from the time-series\n"
   "companion's folder (\"時系列ｵｯｽﾞよりｵｯｽﾞを取得\"): of each race and odds kind, the\n"
   "announcement of the race day nearest to Time/First (default 07:00) replaces the\n"
   "race's line in the day's odds file; then the day is loaded again. The folder is\n"
   "set in DIR/Quorvane.ini (the sample feed's timeseries/ folder serves):\n"
   "    [Dir]\n"
   "    jikeiretu=/path/to/feed/timeseries",
   "  --day D         the race day (see DATES)",
   "quorvane-cli --home ~/quorvane timeseries --day 20240518",
   "The counts of races taken (win and quinella odds) on standard error."},

  {"live", RunLive, false,
   "the race day's timers without a window: odds, results, change notices",
   "live [--at HH:MM:SS] [--speed N] [--until HH:MM] [--feed FEED] [--jvlink SOURCE]",
   "Loads the current day (today, or tomorrow from 18:00) and runs the main window's\n"
   "timers on a clock that starts at --at and goes N times faster than real time:\n"
   "the morning odds of every race at Time/First (09:15), the results every\n"
   "AutoRdataGet minutes from shortly before the first race until 18:00, the change\n"
   "notices every GetInterval minutes. The clock moves in the steps of the timers, so\n"
   "a slow fetch makes it wait rather than skip a timer's moment. At --until the\n"
   "closing odds of every race are taken with the one-day odds batch; Ctrl-C stops\n"
   "at once (status 130). The day's date comes from the clock (QUORVANE_NOW sets it).",
   "  --at HH:MM:SS   where the clock starts (default now)\n"
   "  --speed N       how many times faster than real time, 1 to 100000 (default 1)\n"
   "  --until HH:MM   when the day ends (default 18:00); earlier than --at: that time\n"
   "                  of the next day, through midnight\n"
   "  --feed FEED     the feed folder (default DIR/feed)\n"
   "  --jvlink SOURCE feed, host or tcp (default: [JVLink] Source= in Quorvane.ini)",
   "quorvane-cli --home ~/quorvane live --at 08:25:00 --speed 600",
   "One line a status text or fetch outcome on standard error, led by the clock's time."},

  {"export", RunExport, false,
   "the verification export: every race of a range of days into csv/",
   "export --from YYYYMMDD --to YYYYMMDD [--logic A|B|none] [--jobs N] [--yes]",
   "\"CSV出力\" of the verification window: every stored race day from --from to --to\n"
   "(both included) is loaded, every race of it shown with the ticked rule book, and each\n"
   "bet table with a stake adds one line for the race to DIR/csv/ + A_/B_ + 馬連, 馬単,\n"
   "３複 or ３単 + FROM_TO.csv. The days are replayed on every core; the files are the same\n"
   "for any number of workers. A bet type without lines writes no file; a day that\n"
   "cannot be loaded is skipped and named at the end.",
   "  --from DATE     the first day of the range, yyyymmdd\n"
   "  --to DATE       the last day of the range, yyyymmdd\n"
   "  --logic L       A (Logic A), B (Logic B) or none (no bets, so no file); kept in\n"
   "                  Quorvane.ini as the menu choice is\n"
   "  --jobs N        replay on N workers (default: every core)\n"
   "  --yes           answer the question Yes; answered No, nothing is done",
   "quorvane-cli --home ~/quorvane export --from 20230101 --to 20231231 --logic A --yes",
   "The days replayed oldest first, the days skipped and the files written, on standard error."},

  {"stats", RunStats, false,
   "hit and return rates of an export file under race conditions",
   "stats --file NAME [--from DATE] [--to DATE] [--track T]... [--course C]...\n"
   "      [--age A]... [--weight W]... [--class K]... [--runners MIN:MAX]\n"
   "      [--distance MIN:MAX] [--race MIN:MAX] [--ave123 MIN:MAX] [--ur1 MIN:MAX]\n"
   "      [--by month|course] [--json]",
   "\"調べる\" of the verification window's 検証 tab on DIR/csv/NAME: the lines whose\n"
   "race meets every condition are selected, and the number of lines, the hit rate and\n"
   "the return rate are shown as the tab's labels show them. Lines of the file that\n"
   "cannot be read are left out and counted.",
   "  --file NAME     a file of DIR/csv (written by `export`)\n"
   "  --from, --to    the date range, yyyymmdd (default: every date)\n"
   "  --track T       芝, ダート or 障害 (repeat for more)\n"
   "  --course C      札幌 函館 福島 新潟 東京 中山 中京 京都 阪神 小倉\n"
   "  --age A         ２歳 ３歳 ３歳上 ４歳上 (2歳 … also)\n"
   "  --weight W      ハンデ 別定 馬齢 定量\n"
   "  --class K       新馬 未勝利 500万 1000万 1600万 オープン G３ G２ G１ (G1 … also)\n"
   "  --runners       5..18 (default 5:18)     --distance  1000..3000 : 1000..5000 m\n"
   "  --race          1..12 (default 1:12)     --ave123, --ur1  one decimal (0:10, 0:50)\n"
   "  --by WHAT       add the table by month or by racecourse\n"
   "  --json          the labels, the selected lines and the table as JSON",
   "quorvane-cli --home ~/quorvane stats --file A_馬連20230101_20231231.csv --class G1 --json",
   "The three labels (and the table) on standard output; with --json one JSON object.\n"
   "A value outside its control's range is status 2, a missing file status 1."},
};
// clang-format on

}  // namespace

std::span<const Command> Commands() { return kCommands; }

const Command* FindCommand(std::string_view name) {
  for (const Command& command : kCommands) {
    if (name == command.name) return &command;
  }
  return nullptr;
}

}  // namespace cli
