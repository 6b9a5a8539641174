#include "samplefeed/record_text.h"

#include <cstring>

#include "codes/errors.h"

namespace samplefeed {

namespace {

void PutDigits(char* out, int width, long long value) {
  for (int i = width - 1; i >= 0; --i) {
    out[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
}

}  // namespace

std::string RaceKey::Text() const {
  std::string key(16, '0');
  PutDigits(key.data(), 8, ymd);
  key[8] = course.size() > 0 ? course[0] : ' ';
  key[9] = course.size() > 1 ? course[1] : ' ';
  PutDigits(key.data() + 10, 2, meeting);
  PutDigits(key.data() + 12, 2, day);
  PutDigits(key.data() + 14, 2, race);
  return key;
}

RecordText::RecordText(std::string& out, int length)
    : out_(out), base_(out.size()), length_(length) {
  out_.append(static_cast<size_t>(length - 2), ' ');
  out_.append("\r\n");
}

char* RecordText::At(int pos, int width) {
  if (pos < 1 || width < 0 || pos + width - 1 > length_ - 2) {
    throw codes::LogicError("record field at " + std::to_string(pos) + " of width " +
                            std::to_string(width) + " outside a record of " +
                            std::to_string(length_) + " bytes");
  }
  return out_.data() + base_ + static_cast<size_t>(pos - 1);
}

void RecordText::Header(std::string_view id, char kind, int created_ymd) {
  Text(1, id.substr(0, 2));
  Text(3, std::string_view(&kind, 1));
  Number(4, 8, created_ymd);
}

void RecordText::Header(std::string_view id, char kind, int created_ymd, const RaceKey& key) {
  Header(id, kind, created_ymd);
  Text(12, key.Text());
}

void RecordText::Text(int pos, std::string_view bytes) {
  char* p = At(pos, static_cast<int>(bytes.size()));
  std::memcpy(p, bytes.data(), bytes.size());
}

void RecordText::Wide(int pos, int len, std::string_view sjis) {
  if (sjis.size() > static_cast<size_t>(len)) {
    throw codes::LogicError("text of " + std::to_string(sjis.size()) + " bytes in a field of " +
                            std::to_string(len) + " at " + std::to_string(pos));
  }
  char* p = At(pos, len);
  std::memcpy(p, sjis.data(), sjis.size());
  // The full-width space is 0x81 0x40 in Shift-JIS; an odd remainder stays a blank.
  for (size_t i = sjis.size(); i + 1 < static_cast<size_t>(len); i += 2) {
    p[i] = static_cast<char>(0x81);
    p[i + 1] = static_cast<char>(0x40);
  }
}

void RecordText::Number(int pos, int width, long long value) {
  long long limit = 1;
  for (int i = 0; i < width; ++i) limit *= 10;
  if (value < 0 || value >= limit) {
    throw codes::LogicError("number " + std::to_string(value) + " does not fit " +
                            std::to_string(width) + " digits at " + std::to_string(pos));
  }
  PutDigits(At(pos, width), width, value);
}

void RecordText::Fill(int pos, int width, char c) {
  std::memset(At(pos, width), c, static_cast<size_t>(width));
}

}  // namespace samplefeed
