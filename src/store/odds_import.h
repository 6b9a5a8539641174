#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codes/checked_array.h"
#include "store/fixed_records.h"
#include "store/race_day.h"

namespace store {

class RecordStore;

/// The morning-odds files of a day, one per kind of odds record.
enum class OddsKind { O1, O2, O4, O5, O6 };
inline constexpr int kOddsKindCount = 5;

/// The file suffix (".jvO1a" …) and the record length of a kind.
std::string_view OddsFileSuffix(OddsKind kind);
int OddsRecordLength(OddsKind kind);

/// The key an odds record is matched by: racecourse and race number, positions
/// 20-21 + 26-27 (4 characters). Records shorter than 27 bytes have no key ("").
std::string RaceNumberKey(std::string_view record);

/// The day's ".jvO1a", ".jvO2a", ".jvO4a", ".jvO5a" and ".jvO6a" files, each read once
/// and indexed by RaceNumberKey. Where a file holds several records of one key the
/// first of them is the one found, exactly as a scan of the file from its start finds it.
class DayOddsFiles {
 public:
  /// A day without odds files.
  DayOddsFiles() = default;
  /// Reads the five files of the day. A missing file counts as absent; InputError
  /// naming the file when one ends inside a record or holds a record of the wrong length.
  DayOddsFiles(const RecordStore& store, std::string_view day_prefix);

  /// Reads one kind from `file` (absent when it does not exist), replacing what was held.
  void Read(OddsKind kind, const std::filesystem::path& file);

  bool Exists(OddsKind kind) const;
  /// The file the kind was read from (for messages); empty when never read.
  const std::filesystem::path& File(OddsKind kind) const;
  /// The first record of the kind whose RaceNumberKey equals `key`; nullopt when the
  /// file is absent or holds no such record. The view lives as long as this object or
  /// the kind's Holder.
  std::optional<std::string_view> Find(OddsKind kind, std::string_view key) const;
  /// What keeps the bytes of the kind's records alive beyond this object; null when the
  /// file is absent.
  std::shared_ptr<const void> Holder(OddsKind kind) const;

 private:
  struct KindFile {
    std::filesystem::path file;
    std::shared_ptr<const FixedRecordFile> records;  // null: the file does not exist
    std::map<std::string, size_t, std::less<>> first_of_key;
  };
  KindFile& Of(OddsKind kind);
  const KindFile& Of(OddsKind kind) const;

  codes::CheckedArray<KindFile, 0, kOddsKindCount - 1, "odds file kind"> files_;
};

/// The odds import of slot `day.OzTargetSlot`: its odds records matched from the day's
/// files; win and place odds with their order positions; every quinella, exacta, trio
/// and trifecta odds text checked (their values are read through RaceCombOdds); the odds
/// of the quinella of popularity 1. A bad odds text raises InputError naming the file and
/// the entry; the values and entries before it stay, those after it are missing. A race with more
/// than 18 registered runners raises InputError untouched.
void ImportOdds(RaceDay& day, const DayOddsFiles& odds);

}  // namespace store
