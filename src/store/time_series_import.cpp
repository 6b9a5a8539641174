#include "store/time_series_import.h"

#include <cstdlib>

#include "codes/cp932.h"
#include "codes/layouts/ra_layout.h"
#include "codes/record_field.h"
#include "store/day_prefix.h"
#include "store/record_lengths.h"

namespace store {
namespace {

constexpr int kNeverChosen = 1000;  // minutes: an announcement this far off is never taken

constexpr int kRecordLengths[kTimeSeriesKinds] = {kO1Length, kO2Length, kO3Length,
                                                  kO4Length, kO5Length, kO6Length};

int LineLength(int kind) {
  codes::CheckIndex(kind, 1, kTimeSeriesKinds, "odds kind");
  return kRecordLengths[kind - 1] - 2;
}

std::string KindText(int kind) { return std::to_string(kind); }

// folder/yyyymmdd/JJKKNNRR.jvO<n>; the key has been checked to be 16 digits.
std::filesystem::path SourceFile(const std::filesystem::path& folder, std::string_view key,
                                 int kind) {
  return folder / std::string(key.substr(0, 8)) /
         (std::string(key.substr(8, 8)) + ".jvO" + KindText(kind));
}

// Puts `best` in place of the race's line, or at the end; true when the lines changed.
void PutLine(std::vector<std::string>& lines, const std::string& best) {
  bool replaced = false;
  for (std::string& line : lines) {
    if (codes::Field(line, 12, 16) == codes::Field(best, 12, 16)) {
      line = best;
      replaced = true;
    }
  }
  if (!replaced) lines.push_back(best);
}

}  // namespace

std::string NearestAnnouncement(const std::vector<std::string>& lines, std::string_view race_key,
                                int kind, int target_minutes) {
  const size_t length = static_cast<size_t>(LineLength(kind));
  const std::string* best = nullptr;
  int best_distance = kNeverChosen;
  for (const std::string& line : lines) {
    // A line of another length or race would break the day load that follows.
    if (line.size() != length || codes::Field(line, 12, 16) != race_key) continue;
    if (codes::Field(line, 16, 4) != codes::Field(line, 28, 4)) continue;
    const int t = codes::FieldInt(line, 32, 2) * 60 + codes::FieldInt(line, 34, 2);
    const int distance = std::abs(target_minutes - t);
    if (distance < best_distance) {
      best = &line;
      best_distance = distance;
    }
  }
  return best ? *best : std::string();
}

TimeSeriesCounts ImportTimeSeriesFiles(const RaceDay& day, RecordStore& store,
                                       const std::filesystem::path& folder,
                                       std::string_view first) {
  const int target = codes::FieldInt(first, 1, 2) * 60 + codes::FieldInt(first, 3, 2);
  TimeSeriesCounts counts;
  counts.Fill(0);
  LineFiles& disk = store.Disk();
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const std::string key(day.RaRec[slot].Field(codes::ra_layout::kRaceKey));
    // A blank or garbled slot names no companion file.
    if (!codes::IsAllDigits(key)) continue;
    const std::optional<std::string> day_prefix = DayPrefixOfDate(key.substr(0, 8));
    if (!day_prefix) continue;
    for (int kind = 1; kind <= kTimeSeriesKinds; ++kind) {
      const auto source = disk.Load(SourceFile(folder, key, kind));
      if (!source) continue;
      const std::string best = NearestAnnouncement(*source, key, kind, target);
      if (best.empty()) continue;
      const auto target_file = store.DayFilePath(*day_prefix, ".jvO" + KindText(kind) + "a");
      FolderLockHold hold(&store.WriteLock());
      std::vector<std::string> lines = disk.Load(target_file).value_or(std::vector<std::string>{});
      PutLine(lines, best);
      disk.Save(target_file, lines);
      ++counts[kind];
    }
  }
  return counts;
}

std::string TimeSeriesCountMessage(const TimeSeriesCounts& counts) {
  static const std::string kWin = codes::Sj("ﾚｰｽ分の単複枠朝ｵｯｽﾞ、");
  static const std::string kQuinella = codes::Sj("ﾚｰｽ分の馬連朝ｵｯｽﾞ");
  static const std::string kTaken = codes::Sj("を取りこみました。");
  return std::to_string(counts[1]) + kWin + "\r\n" + std::to_string(counts[2]) + kQuinella +
         "\r\n" + kTaken;
}

}  // namespace store
