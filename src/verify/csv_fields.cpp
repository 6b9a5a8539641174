#include "verify/csv_fields.h"

#include <string>
#include <vector>

#include "codes/cp932.h"
#include "codes/errors.h"

namespace verify {
namespace {

bool IsShiftJis(std::string_view line) {
  for (unsigned char c : line) {
    if (c >= 0x80) {
      try {
        codes::SjisToUtf8(line);
        return true;
      } catch (const codes::InputError&) {
        return false;
      }
    }
  }
  return true;  // plain ASCII
}

// Reads the quoted field that starts at `pos`; false when it does not start with a quote,
// is never closed, or its closing quote is followed by anything but a comma or the end.
enum class FieldEnd { kComma, kEnd, kUnquoted, kOpen };

FieldEnd ReadField(std::string_view line, size_t& pos, std::string& field) {
  if (pos >= line.size() || line[pos] != '"') return FieldEnd::kUnquoted;
  ++pos;
  for (;;) {
    const size_t quote = line.find('"', pos);
    if (quote == std::string_view::npos) return FieldEnd::kOpen;
    field.append(line.substr(pos, quote - pos));
    pos = quote + 1;
    if (pos < line.size() && line[pos] == '"') {
      field += '"';
      ++pos;
      continue;
    }
    if (pos == line.size()) return FieldEnd::kEnd;
    if (line[pos] != ',') return FieldEnd::kUnquoted;
    ++pos;
    return FieldEnd::kComma;
  }
}

}  // namespace

const char* SkipReasonText(SkipReason reason) {
  switch (reason) {
    case SkipReason::kShortLine:
      return "short line";
    case SkipReason::kLongLine:
      return "too many fields";
    case SkipReason::kUnquotedField:
      return "unquoted field";
    case SkipReason::kNotShiftJis:
      return "not Shift-JIS text";
  }
  return "bad line";
}

ParsedLine ParseLine(std::string_view line) {
  if (line.empty()) return {std::nullopt, SkipReason::kShortLine};
  if (!IsShiftJis(line)) return {std::nullopt, SkipReason::kNotShiftJis};
  std::vector<std::string> fields;
  size_t pos = 0;
  for (;;) {
    std::string field;
    const FieldEnd end = ReadField(line, pos, field);
    if (end == FieldEnd::kUnquoted) return {std::nullopt, SkipReason::kUnquotedField};
    if (end == FieldEnd::kOpen) return {std::nullopt, SkipReason::kShortLine};
    fields.push_back(std::move(field));
    if (fields.size() > static_cast<size_t>(kFieldCount)) {
      return {std::nullopt, SkipReason::kLongLine};
    }
    if (end == FieldEnd::kEnd) break;
  }
  if (fields.size() < static_cast<size_t>(kFieldCount)) {
    return {std::nullopt, SkipReason::kShortLine};
  }
  ParsedLine parsed;
  parsed.fields.emplace();
  for (int i = 0; i < kFieldCount; ++i) (*parsed.fields)[i] = std::move(fields[i]);
  return parsed;
}

}  // namespace verify
