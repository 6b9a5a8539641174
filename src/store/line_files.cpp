#include "store/line_files.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "codes/errors.h"
#include "store/folder_lock.h"

namespace store {

std::string PathText(const std::filesystem::path& file) { return file.string(); }

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (end < text.size() && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    start = end + 1;
  }
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return std::nullopt;
  if (std::filesystem::is_directory(file, ec)) {
    throw codes::InputError(PathText(file) + ": is a folder, not a file");
  }
  std::ifstream in(file, std::ios::binary | std::ios::ate);
  if (!in) throw codes::InputError(PathText(file) + ": cannot be opened for reading");
  // One read of the size found at opening (a day load reads megabytes of odds), then
  // whatever a file that grows meanwhile still holds.
  std::string bytes;
  const std::streamoff size = in.tellg();
  in.seekg(0);
  if (size > 0 && in) {
    bytes.resize(static_cast<size_t>(size));
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    bytes.resize(static_cast<size_t>(in.gcount()));
  }
  if (in.good()) bytes.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) throw codes::InputError(PathText(file) + ": cannot be read");
  return bytes;
}

void WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
  std::filesystem::path temp = file;
  temp += ".tmp";
  auto fail = [&](const std::string& what) {
    std::error_code ignored;
    if (!std::filesystem::is_directory(temp, ignored)) std::filesystem::remove(temp, ignored);
    throw codes::InputError(PathText(file) + ": " + what + "; the file is unchanged");
  };
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) fail("cannot be written (temporary file " + PathText(temp) + " cannot be created)");
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) fail("cannot be written (disk full or not writable)");
    out.close();
    if (out.fail()) fail("cannot be written (closing the temporary file failed)");
  }
  std::error_code ec;
  std::filesystem::rename(temp, file, ec);
  if (ec) fail("cannot be replaced (" + ec.message() + ")");
}

bool LineFiles::Edit(const std::filesystem::path& file, LinesEdit change) {
  FolderLockHold hold(WriteLock());
  std::optional<std::vector<std::string>> lines = Load(file);
  if (!change(lines) || !lines) return false;
  Save(file, *lines);
  return true;
}

std::optional<std::vector<std::string>> DiskLineFiles::Load(const std::filesystem::path& file) {
  std::optional<std::string> bytes = ReadWholeFile(file);
  if (!bytes) return std::nullopt;
  return SplitLines(*bytes);
}

void DiskLineFiles::Save(const std::filesystem::path& file, const std::vector<std::string>& lines) {
  FolderLockHold hold(lock_);
  if (save_fault_) save_fault_(file);
  WriteFileAtomically(file, JoinLines(lines));
}

bool DiskLineFiles::Exists(const std::filesystem::path& file) {
  std::error_code ec;
  return std::filesystem::is_regular_file(file, ec);
}

}  // namespace store
