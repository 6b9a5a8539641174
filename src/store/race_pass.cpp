#include "store/race_pass.h"

#include <map>
#include <string_view>

#include "codes/course_text.h"
#include "codes/cp932.h"
#include "codes/errors.h"
#include "codes/layouts/ra_layout.h"
#include "codes/message_text.h"
#include "codes/record_field.h"
#include "store/day_prefix.h"
#include "store/day_venues.h"
#include "store/error_log.h"
#include "store/fixed_records.h"
#include "store/line_files.h"
#include "store/record_names.h"

namespace store {
namespace {

using Records = std::vector<std::string>;

namespace ra_layout = codes::ra_layout;

std::string RaceKeyText(std::string_view ra) {
  return std::string(codes::Field(ra, ra_layout::kRaceKey));
}

// The runner files of one day, each read at most once however many races it serves.
class RunnerFiles {
 public:
  RunnerFiles(const RecordStore& store, const std::string& day_prefix)
      : store_(store), day_prefix_(day_prefix) {}

  struct File {
    std::filesystem::path path;
    std::shared_ptr<const FixedRecordFile> records;  // null: the racecourse has no runner file
  };

  // The runner file of a racecourse code; a code without a name has no file (its
  // blank name must not become a path).
  const File& Of(std::string_view course_code) {
    const std::string venue = codes::CourseText(course_code);
    auto found = files_.find(venue);
    if (found != files_.end()) return found->second;
    File file;
    if (!codes::IsBlank(venue)) {
      file.path = store_.RunnerFilePath(day_prefix_, venue);
      if (std::optional<FixedRecordFile> records = FixedRecordFile::Read(file.path, kSeLength)) {
        file.records = std::make_shared<const FixedRecordFile>(std::move(*records));
      }
    }
    return files_.emplace(venue, std::move(file)).first->second;
  }

  // The files read, which the races' runners look into.
  std::vector<std::shared_ptr<const FixedRecordFile>> Held() const {
    std::vector<std::shared_ptr<const FixedRecordFile>> held;
    for (const auto& [venue, file] : files_) {
      if (file.records) held.push_back(file.records);
    }
    return held;
  }

 private:
  const RecordStore& store_;
  const std::string& day_prefix_;
  std::map<std::string, File> files_;
};

void CheckRaceCount(const std::filesystem::path& day_file, size_t races) {
  if (races > static_cast<size_t>(kSlotCount)) {
    throw codes::InputError(PathText(day_file) + ": the day holds " + std::to_string(races) +
                            " races; a race day holds at most " + std::to_string(kSlotCount));
  }
}

void CheckVenueCount(const std::filesystem::path& day_file, const RacePassRecords& records) {
  std::vector<std::string_view> ra;
  for (const auto& race : records.races) ra.push_back(race.ra);
  const std::vector<std::string> venues = VenueCodesOf(ra);
  if (venues.size() > static_cast<size_t>(kVenueCount)) {
    std::string list;
    for (const std::string& v : venues) list += (list.empty() ? "" : ", ") + v;
    throw codes::InputError(PathText(day_file) + ": the day has races at " +
                            std::to_string(venues.size()) + " racecourses (" + list +
                            "); a race day holds at most " + std::to_string(kVenueCount));
  }
}

// The runner records of one race: record (r - 1) * 18 + k of its runner file.
std::vector<std::string_view> RunnersOfRace(const std::filesystem::path& day_file,
                                            std::string_view ra, RunnerFiles& runner_files) {
  const int registered = codes::FieldInt(ra, ra_layout::kRegisteredRunners);
  if (registered > kRunnerCount) {
    throw codes::InputError(
        PathText(day_file) + ": race " + RaceKeyText(ra) + " has " + std::to_string(registered) +
        " registered runners; a race holds at most " + std::to_string(kRunnerCount));
  }
  const RunnerFiles::File& file = runner_files.Of(codes::Field(ra, ra_layout::kCourse));
  std::vector<std::string_view> runners;
  if (!file.records || registered <= 0) return runners;
  const int race = codes::FieldInt(ra, ra_layout::kRaceNumber);
  if (race < 1 || race > kRacesPerVenue) {
    throw codes::InputError(PathText(day_file) + ": race " + RaceKeyText(ra) + " has race number " +
                            std::to_string(race) + ", which has no place in a runner file (1.." +
                            std::to_string(kRacesPerVenue) + ")");
  }
  const size_t first = static_cast<size_t>((race - 1) * kRunnerCount);
  const size_t needed = first + static_cast<size_t>(registered);
  if (file.records->Size() < needed) {
    throw codes::InputError(PathText(file.path) + ": the file ends after " +
                            std::to_string(file.records->Size()) + " records; race " +
                            std::to_string(race) + " needs records up to " +
                            std::to_string(needed));
  }
  for (size_t i = first; i < needed; ++i) runners.push_back(file.records->Record(i));
  return runners;
}

// Why an RA record is no race of the day `date` (yyyymmdd); nullopt for a sound one.
std::optional<std::string> RaceOfDayFault(std::string_view ra, const std::string& date) {
  if (std::optional<std::string> fault = RaceKeyFault(ra)) return fault;
  if (codes::Field(ra, ra_layout::kDate) != date) return codes::Sj("別の日のレコード");
  return std::nullopt;
}

std::string DroppedMessage(const std::filesystem::path& day_file, std::string_view ra,
                           const std::string& why) {
  static const std::string kDropped = codes::Sj("日の読込みでレコードを飛ばしました（");
  static const std::string kClose = codes::Sj("）：");
  std::string name;
  try {
    name = codes::Utf8ToSjis(day_file.filename().string());
  } catch (const codes::InputError&) {
    name = "?";
  }
  return kDropped + why + kClose + name + " " +
         codes::PrintableAscii(codes::Field(ra, ra_layout::kRecordId)) + " " +
         codes::PrintableAscii(codes::Field(ra, ra_layout::kRaceKey));
}

}  // namespace

std::optional<RacePassRecords> ReadRacePassRecords(const RecordStore& store,
                                                   const std::string& day_prefix,
                                                   bool skip_blank_year) {
  const std::filesystem::path day_file = store.DayFilePath(day_prefix, ".jvRA");
  std::optional<Records> ra_records = ReadFixedRecords(day_file, kRaLength);
  if (!ra_records) return std::nullopt;

  RacePassRecords result;
  RunnerFiles runner_files(store, day_prefix);
  const std::string date = DateOfDayPrefix(day_prefix);
  for (std::string& ra : *ra_records) {
    const bool blank_year = codes::IsBlank(codes::Field(ra, ra_layout::kYear));
    if (skip_blank_year && blank_year) continue;
    if (!blank_year) {
      if (std::optional<std::string> fault = RaceOfDayFault(ra, date)) {
        result.dropped.push_back(DroppedMessage(day_file, ra, *fault));
        continue;
      }
    }
    CheckRaceCount(day_file, result.races.size() + 1);
    std::vector<std::string_view> runners = RunnersOfRace(day_file, ra, runner_files);
    result.races.push_back({std::move(ra), std::move(runners)});
  }
  CheckVenueCount(day_file, result);
  result.runner_files = runner_files.Held();
  return result;
}

void ApplyRacePass(RaceDay& day, const RacePassRecords& records) {
  int slot = 0;
  for (const RacePassRecords::Race& race : records.races) {
    day.RaRec[slot].Assign(race.ra);
    int k = 0;
    for (const std::string_view runner : race.runners) day.SeRec[slot][k++].Assign(runner);
    ++slot;
  }
}

bool ReadRacePass(RaceDay& day, const RecordStore& store, const std::string& day_prefix,
                  bool skip_blank_year) {
  std::optional<RacePassRecords> records = ReadRacePassRecords(store, day_prefix, skip_blank_year);
  if (!records) return false;
  ApplyRacePass(day, *records);
  return true;
}

}  // namespace store
