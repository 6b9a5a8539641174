#include "app/ini_file.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "codes/ascii_case.h"
#include "codes/cp932.h"
#include "codes/errors.h"
#include "store/line_files.h"

namespace app {
namespace {

constexpr char kOpenBracket = '\xA2';   // ｢ in Shift-JIS
constexpr char kCloseBracket = '\xA3';  // ｣ in Shift-JIS

using Lines = std::vector<std::string>;

std::string_view TrimIni(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// Length of the text's first `limit` bytes without splitting a two-byte character.
size_t CutAtCharacter(std::string_view text, size_t limit) {
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t width = codes::IsSjisLeadByte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
    if (pos + width > limit) break;
    pos += width;
  }
  return std::min(pos, text.size());
}

// True when the last byte is a character of its own, not the second byte of one.
bool LastByteIsCharacter(std::string_view text) {
  size_t pos = 0, last = 0;
  while (pos < text.size()) {
    last = pos;
    pos += codes::IsSjisLeadByte(static_cast<unsigned char>(text[pos])) ? 2 : 1;
  }
  return !text.empty() && last == text.size() - 1;
}

std::optional<std::string_view> SectionName(std::string_view trimmed) {
  if (trimmed.empty() || trimmed.front() != '[') return std::nullopt;
  trimmed.remove_prefix(1);
  return TrimIni(trimmed.substr(0, trimmed.find(']')));
}

// Where a key of a section is in the lines: the section's header line (npos when
// the section is missing), the key's line (npos when missing) and the line after
// the section's last non-blank line (where a new key goes).
struct KeyPlace {
  size_t section = std::string::npos;
  size_t key = std::string::npos;
  size_t insert = std::string::npos;
};

std::string_view KeyName(std::string_view trimmed) {
  const size_t eq = trimmed.find('=');
  return eq == std::string_view::npos ? std::string_view() : TrimIni(trimmed.substr(0, eq));
}

KeyPlace FindKey(const Lines& lines, std::string_view section, std::string_view key) {
  KeyPlace place;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string_view trimmed = TrimIni(lines[i]);
    if (std::optional<std::string_view> name = SectionName(trimmed)) {
      if (place.section != std::string::npos) break;  // only the first such section counts
      if (codes::SameAsciiName(*name, section)) place.section = place.insert = i;
      continue;
    }
    if (place.section == std::string::npos) continue;
    if (!trimmed.empty()) place.insert = i;
    if (place.key == std::string::npos && trimmed.find('=') != std::string_view::npos &&
        codes::SameAsciiName(KeyName(trimmed), key)) {
      place.key = i;
    }
  }
  if (place.insert != std::string::npos) ++place.insert;
  return place;
}

std::optional<Lines> LoadOrEmpty(const std::filesystem::path& file) {
  try {
    return store::DiskLineFiles().Load(file);
  } catch (const codes::InputError&) {
    return std::nullopt;  // an unreadable settings file reads as an empty one
  }
}

void CheckName(std::string_view name) {
  if (name.empty() || name.find_first_of("[]=\r\n") != std::string_view::npos) {
    throw codes::LogicError("settings name \"" + std::string(name) + "\" is not valid");
  }
}

std::optional<long long> ParseInteger(std::string_view text) {
  text = TrimIni(text);
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
    text = TrimIni(text.substr(1, text.size() - 2));
  }
  int base = 10;
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.size() > 1 && text.front() == '$') {
    base = 16;
    text.remove_prefix(1);
  } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty() || text.size() > 15) return std::nullopt;
  long long value = 0;
  for (char c : text) {
    int digit = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                       : 99;
    if (digit >= base) return std::nullopt;
    value = value * base + digit;
  }
  return negative ? -value : value;
}

}  // namespace

std::string UnquoteIniText(std::string_view text) {
  const bool quoted = text.size() >= 2 && text.front() == '"' && text.back() == '"';
  const bool bracketed = text.size() >= 2 && text.front() == kOpenBracket &&
                         text.back() == kCloseBracket && LastByteIsCharacter(text);
  if (!quoted && !bracketed) return std::string(text);
  return std::string(text.substr(1, text.size() - 2));
}

std::filesystem::path IniFileForExecutable(const std::filesystem::path& executable) {
  std::filesystem::path ini = executable;
  return ini.replace_extension(".ini");
}

void IniFile::HoldContents() {
  held_ = LoadOrEmpty(file_);
  holding_ = true;
}

std::optional<std::string> IniFile::ReadRaw(std::string_view section, std::string_view key) const {
  std::optional<Lines> loaded;
  const std::optional<Lines>& lines = holding_ ? held_ : (loaded = LoadOrEmpty(file_));
  if (!lines) return std::nullopt;
  const KeyPlace place = FindKey(*lines, section, key);
  if (place.key == std::string::npos) return std::nullopt;
  std::string_view line = (*lines)[place.key];
  std::string_view value = TrimIni(line.substr(line.find('=') + 1));
  return std::string(value.substr(0, CutAtCharacter(value, kIniTextLimit)));
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view default_value) const {
  // The default goes in brackets, so that a missing key gives it back unchanged
  // even when it is empty or itself quoted.
  std::string raw = ReadRaw(section, key)
                        .value_or(kOpenBracket + std::string(default_value) + kCloseBracket);
  raw.resize(CutAtCharacter(raw, kIniTextLimit));
  return UnquoteIniText(raw);
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int default_value) const {
  std::optional<std::string> raw = ReadRaw(section, key);
  if (!raw) return default_value;
  std::optional<long long> value = ParseInteger(*raw);
  if (!value || *value < -2147483648LL || *value > 2147483647LL) return default_value;
  return static_cast<int>(*value);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool default_value) const {
  return ReadInteger(section, key, default_value ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  CheckName(section);
  CheckName(key);
  if (value.find_first_of("\r\n") != std::string_view::npos) {
    throw codes::InputError(store::PathText(file_) + ": the value of " + std::string(key) +
                            " holds a line break and cannot be written");
  }
  std::string stored(value);
  if (UnquoteIniText(TrimIni(stored)) != value) stored = '"' + stored + '"';
  const std::string line = std::string(key) + "=" + stored;

  store::DiskLineFiles files;
  Lines lines = files.Load(file_).value_or(Lines{});  // unreadable: the write fails here
  const KeyPlace place = FindKey(lines, section, key);
  if (place.key != std::string::npos) {
    lines[place.key] = line;
  } else if (place.section != std::string::npos) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(place.insert), line);
  } else {
    std::string header = "[";  // built in steps: GCC 12 warns falsely on "[" + string&&
    header.append(section).append("]");
    lines.push_back(std::move(header));
    lines.push_back(line);
  }
  files.Save(file_, lines);
  if (holding_) held_ = std::move(lines);
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

}  // namespace app
