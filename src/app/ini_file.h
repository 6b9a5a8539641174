#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace app {

/// The longest text value read from the settings file, in bytes of Shift-JIS.
inline constexpr size_t kIniTextLimit = 2048;

/// One settings file in the usual INI form ([Section] lines, then key=value lines),
/// Shift-JIS, CR LF. Every read goes to the file and every write rewrites it at once;
/// nothing is held in memory. A missing or unreadable file reads as empty. Section
/// and key names match without regard to ASCII case; a value is the text after the
/// first "=" with its surrounding blanks and tabs removed.
///
/// Text values follow the program's quoting rules: "" and ｢｣ read as the empty text,
/// and a longer value in double quotes or in ｢ ｣ loses them, so a value may be
/// written quoted. A missing key gives the caller's default unchanged.
class IniFile {
 public:
  explicit IniFile(std::filesystem::path file) : file_(std::move(file)) {}

  const std::filesystem::path& File() const { return file_; }

  /// From now on every read uses the lines the file holds at this moment instead of going
  /// to the file: for a long run of reads that must all see one set of settings (the
  /// verification export reads the stake and the logic at every race). A write still
  /// rewrites the file, and the held lines with it.
  void HoldContents();

  /// The value as the file holds it, trimmed and cut to 2048 bytes; nullopt when missing.
  std::optional<std::string> ReadRaw(std::string_view section, std::string_view key) const;

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view default_value) const;
  /// A decimal number (optionally signed, optionally in double quotes) or hex
  /// ("0x1F", "$1F"); anything else, or a missing key, gives the default.
  int ReadInteger(std::string_view section, std::string_view key, int default_value) const;
  /// An integer other than 0 is true.
  bool ReadBool(std::string_view section, std::string_view key, bool default_value) const;

  /// Replaces the key's value (adding the key and its section when missing). A value
  /// that would not read back as itself (surrounding blanks, quotes or brackets) is
  /// written in double quotes. InputError naming the file when the write fails, or
  /// when the value holds a line break.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  /// Written as 1 or 0.
  void WriteBool(std::string_view section, std::string_view key, bool value);

 private:
  std::filesystem::path file_;
  bool holding_ = false;
  std::optional<std::vector<std::string>> held_;  // nullopt: the file could not be read
};

/// The quoting rule of text values: "" and ｢｣ become empty; a value longer than two
/// bytes in double quotes, or opened by ｢ and closed by ｣, loses its first and last
/// character.
std::string UnquoteIniText(std::string_view text);

/// The settings file of an executable: its name with the extension ".ini", beside it.
std::filesystem::path IniFileForExecutable(const std::filesystem::path& executable);

}  // namespace app
