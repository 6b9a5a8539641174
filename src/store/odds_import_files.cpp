#include <string>

#include "codes/errors.h"
#include "codes/layouts/header_layout.h"
#include "codes/record_field.h"
#include "store/fixed_records.h"
#include "store/odds_import.h"
#include "store/record_lengths.h"
#include "store/record_store.h"

namespace store {
namespace {

struct KindFacts {
  std::string_view suffix;
  int length;
};

// clang-format off
constexpr KindFacts kKinds[kOddsKindCount] = {
  {".jvO1a", kO1Length},
  {".jvO2a", kO2Length},
  {".jvO4a", kO4Length},
  {".jvO5a", kO5Length},
  {".jvO6a", kO6Length},
};
// clang-format on

constexpr OddsKind kAllKinds[kOddsKindCount] = {OddsKind::O1, OddsKind::O2, OddsKind::O4,
                                                OddsKind::O5, OddsKind::O6};

int KindIndex(OddsKind kind) { return static_cast<int>(kind); }

const KindFacts& FactsOf(OddsKind kind) {
  const int i = KindIndex(kind);
  codes::CheckIndex(i, 0, kOddsKindCount - 1, "odds file kind");
  return kKinds[i];
}

}  // namespace

std::string_view OddsFileSuffix(OddsKind kind) { return FactsOf(kind).suffix; }

int OddsRecordLength(OddsKind kind) { return FactsOf(kind).length; }

std::string RaceNumberKey(std::string_view record) {
  if (record.size() < 27) return {};
  std::string key(codes::Field(record, codes::header_layout::kCourse));
  key += codes::Field(record, codes::header_layout::kRaceNumber);
  return key;
}

DayOddsFiles::DayOddsFiles(const RecordStore& store, std::string_view day_prefix) {
  for (OddsKind kind : kAllKinds) Read(kind, store.DayFilePath(day_prefix, OddsFileSuffix(kind)));
}

void DayOddsFiles::Read(OddsKind kind, const std::filesystem::path& file) {
  KindFile read;
  read.file = file;
  if (std::optional<FixedRecordFile> records =
          FixedRecordFile::Read(file, OddsRecordLength(kind))) {
    read.records = std::make_shared<const FixedRecordFile>(std::move(*records));
    for (size_t i = 0; i < read.records->Size(); ++i) {
      // try_emplace keeps the first record of a key, as a scan from the start would.
      read.first_of_key.try_emplace(RaceNumberKey(read.records->Record(i)), i);
    }
  }
  Of(kind) = std::move(read);
}

bool DayOddsFiles::Exists(OddsKind kind) const { return Of(kind).records != nullptr; }

std::shared_ptr<const void> DayOddsFiles::Holder(OddsKind kind) const { return Of(kind).records; }

const std::filesystem::path& DayOddsFiles::File(OddsKind kind) const { return Of(kind).file; }

std::optional<std::string_view> DayOddsFiles::Find(OddsKind kind, std::string_view key) const {
  const KindFile& f = Of(kind);
  const auto it = f.first_of_key.find(key);
  if (!f.records || it == f.first_of_key.end()) return std::nullopt;
  return f.records->Record(it->second);
}

DayOddsFiles::KindFile& DayOddsFiles::Of(OddsKind kind) { return files_[KindIndex(kind)]; }

const DayOddsFiles::KindFile& DayOddsFiles::Of(OddsKind kind) const {
  return files_[KindIndex(kind)];
}

}  // namespace store
