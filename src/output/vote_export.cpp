#include "output/vote_export.h"

#include <cstdio>
#include <optional>
#include <system_error>

#include "codes/cell_format.h"
#include "codes/cp932.h"
#include "codes/errors.h"
#include "codes/layouts/ra_layout.h"
#include "codes/record_field.h"
#include "store/line_files.h"
#include "store/record_names.h"

namespace output {
namespace {

struct VoteType {
  codes::BetType type;
  const char* code;
  const char* name_utf8;
};

// clang-format off
constexpr VoteType kVoteTypes[] = {
  {codes::BetType::UR,  "UMAFUKU", "馬連"},
  {codes::BetType::UT,  "UMATAN",  "馬単"},
  {codes::BetType::SRF, "SANFUKU", "３連複"},
  {codes::BetType::SRT, "SANTAN",  "３連単"},
};
// clang-format on

int VoteTypePosition(codes::BetType type) {
  for (int i = 0; i < 4; ++i) {
    if (kVoteTypes[i].type == type) return i;
  }
  throw codes::LogicError("no voting code for bet type " + std::to_string(static_cast<int>(type)));
}

bool IsTriple(codes::BetType type) {
  return type == codes::BetType::SRF || type == codes::BetType::SRT;
}

std::string TwoDigits(long long value) {
  char text[24];
  std::snprintf(text, sizeof text, "%02lld", value);
  return text;
}

// Beep and the message, then the result that ends the export.
VoteResult Refuse(platform::UserPrompts& prompts, const std::string& message, VoteResult result) {
  prompts.Beep();
  prompts.Inform(message);
  return result;
}

bool HasVoteRow(const bets::BetTable& table) {
  for (int row = 1; row < table.RowCount(); ++row) {
    if (HasVoteCells(table, row)) return true;
  }
  return false;
}

std::filesystem::path PluginFolderPath(const std::string& plugin_folder_sjis) {
  return std::filesystem::path(codes::SjisToUtf8(plugin_folder_sjis));
}

// The question before the export: "[東京11R:馬連]に投票します。実行してよろしいですか？".
std::string Question(const std::string& item, codes::BetType type) {
  static const std::string kTail = codes::Sj("]に投票します。実行してよろしいですか？");
  return "[" + item + ":" + VoteTypeName(type) + kTail;
}

// Step 8: into the plug-in folder and start it; on failure the message and back home.
VoteResult Launch(const VoteSource& source, const std::filesystem::path& csv_file,
                  const ChangeFolder& change_folder) {
  static const std::string kLaunchError =
      codes::Sj("投票プラグイン２の呼び出しでエラーが発生しました。") + "\r\n" +
      codes::Sj("投票プラグイン２が正しくインストールされているか確認してください。");
  bool started = false;
  try {
    const std::filesystem::path folder = PluginFolderPath(source.plugin_folder);
    const std::filesystem::path program = folder / "VelkTohyoPlugIn2.exe";
    started = change_folder(folder) && source.launcher.Open(program.string(), csv_file.string());
  } catch (const codes::InputError&) {
    started = false;  // a folder text that names no path cannot be started either
  }
  if (started) return VoteResult::kLaunched;
  source.prompts.Beep();
  source.prompts.Inform(kLaunchError);
  change_folder(source.program_folder);
  return VoteResult::kLaunchFailed;
}

}  // namespace

const std::string& VoteTypeCode(codes::BetType type) {
  static const std::string kCodes[] = {kVoteTypes[0].code, kVoteTypes[1].code, kVoteTypes[2].code,
                                       kVoteTypes[3].code};
  return kCodes[VoteTypePosition(type)];
}

const std::string& VoteTypeName(codes::BetType type) {
  static const std::string kNames[] = {
      codes::Sj(kVoteTypes[0].name_utf8), codes::Sj(kVoteTypes[1].name_utf8),
      codes::Sj(kVoteTypes[2].name_utf8), codes::Sj(kVoteTypes[3].name_utf8)};
  return kNames[VoteTypePosition(type)];
}

std::string VoteCombination(codes::BetType type, std::string_view comb_cell) {
  VoteTypePosition(type);
  std::string combination = TwoDigits(codes::NumericValue(codes::Field(comb_cell, 1, 2))) + "-" +
                            TwoDigits(codes::NumericValue(codes::Field(comb_cell, 4, 2)));
  if (IsTriple(type)) {
    combination += '-';  // in two steps: GCC 12 warns falsely on "-" + string&&
    combination += TwoDigits(codes::NumericValue(codes::Field(comb_cell, 7, 2)));
  }
  return combination;
}

std::string VoteLine(const store::RaRecord& ra, codes::BetType type, std::string_view stake_cell,
                     std::string_view comb_cell) {
  return std::string(ra.Field(codes::ra_layout::kDate)) + "," +
         std::string(ra.Field(codes::ra_layout::kCourse)) + "," +
         std::string(ra.Field(codes::ra_layout::kRaceNumber)) + "," + VoteTypeCode(type) +
         ",NORMAL," + std::string(codes::TrimBlanks(stake_cell)) + "," +
         VoteCombination(type, comb_cell) + ",\r\n";
}

bool HasVoteCells(const bets::BetTable& table, int row) {
  return !codes::IsBlank(table.Cell(row, bets::kCombCol)) &&
         !codes::IsBlank(table.Cell(row, bets::kOddsCol)) &&
         !codes::IsBlank(table.Cell(row, bets::kStakeCol));
}

std::string VoteCsv(const store::RaRecord& ra, const bets::BetTable& table) {
  std::string csv;
  for (int row = 1; row < table.RowCount(); ++row) {
    if (!HasVoteCells(table, row)) continue;
    if (codes::TrimBlanks(table.Cell(row, bets::kExclusionCol)) == bets::ExclusionMark()) continue;
    csv += VoteLine(ra, table.Type(), table.Cell(row, bets::kStakeCol),
                    table.Cell(row, bets::kCombCol));
  }
  return csv;
}

std::string VoteFileName(std::string_view day_prefix) {
  std::optional<std::string> day = store::VoteFileDay(day_prefix);
  if (!day) {
    throw codes::InputError("\"" + codes::SjisToUtf8Lenient(day_prefix) +
                            "\" is not a race day; no vote file is named after it");
  }
  return *day + ".csv";
}

std::filesystem::path VoteFilePath(const std::string& plugin_folder_sjis,
                                   std::string_view day_prefix) {
  return PluginFolderPath(plugin_folder_sjis) / "kaime" / VoteFileName(day_prefix);
}

bool ChangeProcessFolder(const std::filesystem::path& folder) {
  std::error_code ec;
  std::filesystem::current_path(folder, ec);
  return !ec;
}

VoteResult VoteExport(const VoteSource& source, codes::BetType type,
                      const ChangeFolder& change_folder) {
  static const std::string kNoDay = codes::Sj("開催日ﾃﾞｰﾀを読み込んでください。");
  static const std::string kNoRace = codes::Sj("レースデータを読み込んでください。");
  static const std::string kNoBets = codes::Sj("買い目が作成されていません。");
  static const std::string kNoPlugin = codes::Sj(
      "「Velk投票プラグイン２」が正常にインストールされていません。再インストールしてください。");
  platform::UserPrompts& prompts = source.prompts;
  const bets::BetTable& table = source.table;

  if (codes::IsBlank(source.chosen_day)) return Refuse(prompts, kNoDay, VoteResult::kNoDay);
  const int item = source.selected_item;
  if (item < 0 || item >= static_cast<int>(source.race_items.size())) {
    return Refuse(prompts, kNoRace, VoteResult::kNoRace);
  }
  if (!HasVoteRow(table)) return Refuse(prompts, kNoBets, VoteResult::kNoBets);
  if (codes::IsBlank(source.plugin_folder)) {
    return Refuse(prompts, kNoPlugin, VoteResult::kNoPlugin);
  }

  const store::RaRecord& ra = source.day.RaRec[source.day.CurrentSlot];
  const std::string csv = VoteCsv(ra, table);
  if (!prompts.Confirm(Question(source.race_items[static_cast<size_t>(item)], type))) {
    return VoteResult::kDeclined;
  }
  const std::filesystem::path csv_file = VoteFilePath(source.plugin_folder, source.chosen_day);
  store::WriteFileAtomically(csv_file, csv);
  return Launch(source, csv_file, change_folder);
}

}  // namespace output
