#include "verify/stats_file.h"

#include <algorithm>
#include <numeric>

#include "codes/cp932.h"
#include "codes/errors.h"
#include "store/line_files.h"

namespace verify {

namespace {

// A line cut at LF keeps the CR of a CR LF only when it is the last line and the file
// ends in a lone CR (or a line ends CR CR LF); the CR ends the line there too.
std::string_view WithoutLineEnd(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// An empty line, or one of blanks only (an editor's last line): no line of the export,
// so neither a row nor a line left out.
bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

}  // namespace

int StatsFile::SkippedCount() const { return std::accumulate(skipped.begin(), skipped.end(), 0); }

std::vector<std::string> VerificationFiles(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  if (!std::filesystem::is_directory(folder, ec)) return names;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    const std::string name = entry.path().filename().string();
    if (!entry.is_regular_file(ec) || name.size() < 4 || !name.ends_with(".csv")) continue;
    try {
      names.push_back(codes::Utf8ToSjis(name));
    } catch (const codes::InputError&) {
      // a name that has no Shift-JIS spelling cannot be shown in the list
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

StatsFile LoadStatsFile(const std::filesystem::path& folder, const std::string& name) {
  const std::string utf8 = codes::SjisToUtf8Lenient(name);
  if (name.empty() || name.find('/') != std::string::npos || name.find('\\') != std::string::npos ||
      name == "." || name == "..") {
    throw codes::InputError("\"" + utf8 + "\" is not a file name of the csv folder");
  }
  const std::filesystem::path path = folder / codes::SjisToUtf8(name);
  std::optional<std::string> bytes = store::ReadWholeFile(path);
  if (!bytes) throw codes::InputError("the file " + store::PathText(path) + " does not exist");
  return ParseStatsFile(name, *bytes);
}

StatsFile ParseStatsFile(const std::string& name, std::string_view bytes) {
  StatsFile file;
  file.name = name;
  const std::vector<std::string> lines = store::SplitLines(bytes);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = WithoutLineEnd(lines[i]);
    if (IsBlank(line)) continue;
    ParsedLine parsed = ParseLine(line);
    if (parsed.fields) {
      file.rows.push_back(std::move(*parsed.fields));
      continue;
    }
    ++file.skipped[static_cast<size_t>(parsed.reason)];
    if (file.first_skipped_line == 0) file.first_skipped_line = static_cast<int>(i) + 1;
  }
  return file;
}

std::string SkippedText(const StatsFile& file) {
  const int total = file.SkippedCount();
  if (total == 0) return "";
  std::string text = std::to_string(total) + (total == 1 ? " line" : " lines") + " left out:";
  const char* separator = " ";
  for (int r = 0; r < kSkipReasonCount; ++r) {
    const int count = file.skipped[static_cast<size_t>(r)];
    if (count == 0) continue;
    text += separator + std::to_string(count) + " " + SkipReasonText(static_cast<SkipReason>(r));
    separator = ", ";
  }
  return text + " (first at line " + std::to_string(file.first_skipped_line) + ")";
}

}  // namespace verify
