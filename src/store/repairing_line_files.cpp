#include "store/repairing_line_files.h"

#include "codes/cp932.h"
#include "codes/errors.h"
#include "store/record_file_repair.h"

namespace store {
namespace {

// The file's name for the log (Shift-JIS); the store's own names always convert.
std::string NameInLog(const std::filesystem::path& file) {
  try {
    return codes::Utf8ToSjis(file.filename().string());
  } catch (const codes::InputError&) {
    return "?";
  }
}

}  // namespace

std::optional<std::vector<std::string>> RepairingLineFiles::Load(
    const std::filesystem::path& file) {
  std::optional<std::vector<std::string>> lines = backing_.Load(file);
  if (!lines) return lines;
  const FileRepair repair = RepairRecordLines(file, *lines);
  if (repair.changed && repaired_.insert(file).second) {
    dropped_lines_ += repair.dropped_lines;
    Log(file, repair);
  }
  return lines;
}

void RepairingLineFiles::Log(const std::filesystem::path& file, const FileRepair& repair) {
  static const std::string kRepaired = codes::Sj("壊れたファイルを修復しました：");
  static const std::string kDropped = codes::Sj("（破棄した行:");
  static const std::string kLines = codes::Sj("行）");
  static const std::string kLine = codes::Sj("壊れた行を破棄しました：");
  static const std::string kMore = codes::Sj("ほか");
  const std::string name = NameInLog(file);
  store_.AppendErrorLog(kRepaired + name + kDropped + std::to_string(repair.dropped_lines) +
                        kLines);
  for (size_t i = 0; i < repair.notes.size() && i < kLoggedLinesPerFile; ++i) {
    store_.AppendErrorLog(kLine + name + " " + repair.notes[i]);
  }
  if (repair.notes.size() > kLoggedLinesPerFile) {
    store_.AppendErrorLog(kLine + name + " " + kMore +
                          std::to_string(repair.notes.size() - kLoggedLinesPerFile) + kLines);
  }
}

}  // namespace store
