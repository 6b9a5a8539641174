#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace store {

/// What the check of one record file found and mended.
struct FileRepair {
  bool changed = false;   ///< the lines were mended
  int dropped_lines = 0;  ///< damaged lines dropped (in a runner file: slots blanked)
  /// One Shift-JIS note per dropped line: "行n：why" (n counted from 1).
  std::vector<std::string> notes;
};

/// Checks the lines of a record file of the store before a writer merges into it; its
/// kind comes from its name (".jvRA", ".jvHR", ".jvO1a" … ".jvO6a", ".jvSEr", ".TC"),
/// its day from the DayPrefix that begins the name. Files of other names are left alone.
///
/// A damaged line is dropped: a line of the wrong length (a record cut short, two
/// records run together), of another record kind, of bytes that are not Shift-JIS, or
/// whose RaceKey belongs to another day or names no race. Empty lines and whole blank
/// records are kept, as the writers keep them. In a runner file a damaged slot becomes
/// blanks, a slot holding another race's or horse's record too, and the file is
/// brought back to its 216 lines; so what is left is always a file the day load reads.
///
/// A day file that still holds more races or racecourses than a race day has cannot be
/// mended by dropping lines: InputError naming the file.
FileRepair RepairRecordLines(const std::filesystem::path& file, std::vector<std::string>& lines);

/// True when every byte pair is a Shift-JIS character and no byte is a control
/// character: text a record may hold.
bool IsRecordText(std::string_view bytes);

}  // namespace store
