#include <iostream>

#include "cli_session.h"
#include "codes/cp932.h"
#include "commands.h"
#include "json_writer.h"
#include "stats_arguments.h"
#include "verify/stats_result.h"
#include "verify/verification_export.h"

namespace cli {
namespace {

void WriteLabels(JsonWriter& json, const verify::StatsLabels& labels) {
  json.Key("データ数").Sjis(labels.count);
  json.Key("的中率").Sjis(labels.hit_rate);
  json.Key("回収率").Sjis(labels.return_rate);
}

void WriteBreakdown(JsonWriter& json, const std::string& by,
                    const std::vector<verify::BreakdownRow>& rows) {
  json.Key("by").BeginObject().Key(by).BeginArray();
  for (const verify::BreakdownRow& row : rows) {
    json.BeginObject().Key("key").Sjis(row.key);
    json.Key("count").Int(row.totals.count).Key("hits").Int(row.totals.hits);
    json.Key("stake").Int(row.totals.stake).Key("returned").Int(row.totals.returned);
    json.Key("hitRate").Sjis(row.labels.hit_rate).Key("returnRate").Sjis(row.labels.return_rate);
    json.EndObject();
  }
  json.EndArray().EndObject();
}

void WriteSkipped(JsonWriter& json, const verify::StatsFile& file) {
  json.Key("skipped").Int(file.SkippedCount());
  json.Key("skippedReasons").BeginObject();
  for (int r = 0; r < verify::kSkipReasonCount; ++r) {
    const int count = file.skipped[static_cast<size_t>(r)];
    if (count > 0) json.Key(verify::SkipReasonText(static_cast<verify::SkipReason>(r))).Int(count);
  }
  json.EndObject();
}

std::string StatsJson(const verify::StatsFile& file, const verify::StatsResult& result,
                      const StatsRequest& request) {
  JsonWriter json;
  json.BeginObject().Key("file").Sjis(file.name);
  json.Key("rows").Int(static_cast<long long>(file.rows.size()));
  WriteSkipped(json, file);
  json.Key("selected").Int(static_cast<long long>(result.selected.size()));
  WriteLabels(json, result.labels);
  json.Key("lines").BeginArray();
  for (size_t i : result.selected) {
    json.BeginArray();
    for (const std::string& field : file.rows[i]) json.Sjis(field);
    json.EndArray();
  }
  json.EndArray();
  if (request.by) {
    WriteBreakdown(json, *request.by, *request.by == "month" ? result.by_month : result.by_course);
  }
  json.EndObject();
  return json.Text();
}

// Without --json: the three labels as the tab shows them, then the chosen table.
void PrintStats(const verify::StatsResult& result, const StatsRequest& request) {
  const auto line = [](const std::string& key, const verify::StatsLabels& l) {
    std::cout << key << "\t" << codes::SjisToUtf8Lenient(l.count) << "\t"
              << codes::SjisToUtf8Lenient(l.hit_rate) << "\t"
              << codes::SjisToUtf8Lenient(l.return_rate) << "\n";
  };
  line("データ数/的中率/回収率", result.labels);
  if (!request.by) return;
  for (const auto& row : *request.by == "month" ? result.by_month : result.by_course) {
    line(codes::SjisToUtf8Lenient(row.key), row.labels);
  }
}

}  // namespace

// Chooses the file in the list of the "検証" tab and presses "調べる" with the conditions
// given; lines that cannot be read are left out and said so on standard error.
int RunStats(const CliArgs& args) {
  const StatsRequest request = ParseStatsRequest(args);
  CliSession cli(args);
  const verify::StatsFile file =
      verify::LoadStatsFile(verify::CsvFolder(cli.session()), request.file);
  if (file.SkippedCount() > 0) std::cerr << verify::SkippedText(file) << "\n";
  const verify::StatsResult result = verify::Examine(file, request.conditions);
  if (args.Has("--json")) {
    std::cout << StatsJson(file, result, request) << "\n";
  } else {
    PrintStats(result, request);
  }
  return 0;
}

}  // namespace cli
