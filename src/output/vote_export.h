#pragma once

// The hand-over of the shown race's bets to the voting plug-in "Velk投票プラグイン２": one
// CSV line per bet of the active table, written into the plug-in's "kaime" folder, then
// the plug-in started with the file's path.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "bets/bet_table.h"
#include "codes/bet_numbering.h"
#include "platform/launcher.h"
#include "platform/user_prompts.h"
#include "store/race_day.h"

namespace output {

/// The plug-in's code of a bet type: "UMAFUKU", "UMATAN", "SANFUKU", "SANTAN".
/// LogicError for a type without a bet table.
const std::string& VoteTypeCode(codes::BetType type);
/// The type's name in the confirmation: "馬連", "馬単", "３連複", "３連単" (Shift-JIS).
const std::string& VoteTypeName(codes::BetType type);

/// The combination of a 買い目 cell in the plug-in's form: the numbers at characters 1-2,
/// 4-5 (and 7-8 for triples) as two digits joined by "-" ("03-11", "12-01-02").
std::string VoteCombination(codes::BetType type, std::string_view comb_cell);

/// One line of the file, CR LF included: date, venue, race, type, NORMAL, stake (the cell
/// without blanks), combination, each followed by a comma.
std::string VoteLine(const store::RaRecord& ra, codes::BetType type, std::string_view stake_cell,
                     std::string_view comb_cell);

/// True when a row has non-blank 買い目, オッズ and 購入額 cells.
bool HasVoteCells(const bets::BetTable& table, int row);

/// The whole file: a line for every row with the three cells and no exclusion mark, in
/// table row order (empty when every such row is excluded).
std::string VoteCsv(const store::RaRecord& ra, const bets::BetTable& table);

/// The file's name: yymmdd of the race day + ".csv" ("250105.csv"). The day is the
/// chosen DayPrefix, checked to be a real date, never the record's raw bytes; a text
/// that is not one raises InputError.
std::string VoteFileName(std::string_view day_prefix);

/// How an export ended.
enum class VoteResult {
  kNoDay,         ///< no date chosen: message shown
  kNoRace,        ///< no race selected: message shown
  kNoBets,        ///< the table has no bet with stake: message shown
  kNoPlugin,      ///< the plug-in folder is not set: message shown
  kDeclined,      ///< the user answered No: nothing written
  kLaunched,      ///< file written, plug-in started; the current folder is the plug-in's
  kLaunchFailed,  ///< file written, the plug-in did not start: message shown
};

/// Makes a folder the process's current folder; false when it cannot.
using ChangeFolder = std::function<bool(const std::filesystem::path&)>;
/// std::filesystem::current_path.
bool ChangeProcessFolder(const std::filesystem::path& folder);

/// What an export reads of the main window and its settings; the caller's, and it
/// must outlive the export. Texts are Shift-JIS.
struct VoteSource {
  platform::UserPrompts& prompts;
  platform::Launcher& launcher;
  const std::string& chosen_day;               ///< the date list's chosen text
  const std::vector<std::string>& race_items;  ///< the race list
  int selected_item;                           ///< -1 when no race is selected
  const store::RaceDay& day;                   ///< its CurrentSlot is the shown race
  const bets::BetTable& table;                 ///< the table of the exported type
  std::string plugin_folder;                   ///< the plug-in's install folder (may be blank)
  std::filesystem::path program_folder;        ///< where a failed start returns to
};

/// "Velk2投票" for the table of `type` of the shown race: the checks and messages in
/// their order, the confirmation, the file (InputError naming it when it cannot be written,
/// e.g. a missing "kaime" folder; the plug-in is then not started), the current folder
/// set to the plug-in folder and the plug-in started through the Launcher with the file's
/// path. When the start fails: beep, the two-line message, and the current folder back
/// to the program folder.
VoteResult VoteExport(const VoteSource& source, codes::BetType type,
                      const ChangeFolder& change_folder = ChangeProcessFolder);

/// The path of the file an export of the race day writes: plug-in folder/kaime/name.
std::filesystem::path VoteFilePath(const std::string& plugin_folder_sjis,
                                   std::string_view day_prefix);

}  // namespace output
