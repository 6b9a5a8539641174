#include "json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "codes/cp932.h"
#include "codes/errors.h"

namespace cli {

std::string JsonQuote(std::string_view utf8) {
  std::string out = "\"";
  for (char c : utf8) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
          out += buf;
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

std::string JsonNumber(double value) {
  if (!std::isfinite(value)) return "null";
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
  if (ec != std::errc()) throw codes::LogicError("a double did not fit its text buffer");
  return std::string(buf, end);
}

void JsonWriter::BeforeValue() {
  if (scopes_.empty()) {
    if (!text_.empty()) throw codes::LogicError("JSON: a second value at the top level");
    return;
  }
  if (scopes_.back() == Scope::kObject) {
    if (!key_pending_) throw codes::LogicError("JSON: a member without key");
    key_pending_ = false;
    return;
  }
  if (!first_.back()) text_ += ',';
  first_.back() = false;
}

void JsonWriter::Open(Scope scope, char bracket) {
  BeforeValue();
  text_ += bracket;
  scopes_.push_back(scope);
  first_.push_back(true);
}

void JsonWriter::Close(Scope scope, char bracket) {
  if (scopes_.empty() || scopes_.back() != scope || key_pending_) {
    throw codes::LogicError("JSON: an end that matches no open object or array");
  }
  text_ += bracket;
  scopes_.pop_back();
  first_.pop_back();
}

JsonWriter& JsonWriter::BeginObject() {
  Open(Scope::kObject, '{');
  return *this;
}
JsonWriter& JsonWriter::EndObject() {
  Close(Scope::kObject, '}');
  return *this;
}
JsonWriter& JsonWriter::BeginArray() {
  Open(Scope::kArray, '[');
  return *this;
}
JsonWriter& JsonWriter::EndArray() {
  Close(Scope::kArray, ']');
  return *this;
}

JsonWriter& JsonWriter::Key(std::string_view utf8) {
  if (scopes_.empty() || scopes_.back() != Scope::kObject || key_pending_) {
    throw codes::LogicError("JSON: a key outside an object");
  }
  if (!first_.back()) text_ += ',';
  first_.back() = false;
  text_ += JsonQuote(utf8);
  text_ += ':';
  key_pending_ = true;
  return *this;
}

JsonWriter& JsonWriter::String(std::string_view utf8) {
  BeforeValue();
  text_ += JsonQuote(utf8);
  return *this;
}

JsonWriter& JsonWriter::Sjis(std::string_view sjis) { return String(codes::SjisToUtf8Lenient(sjis)); }

JsonWriter& JsonWriter::Int(long long value) {
  BeforeValue();
  text_ += std::to_string(value);
  return *this;
}

JsonWriter& JsonWriter::Double(double value) {
  BeforeValue();
  text_ += JsonNumber(value);
  return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
  BeforeValue();
  text_ += value ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::Null() {
  BeforeValue();
  text_ += "null";
  return *this;
}

const std::string& JsonWriter::Text() const {
  if (!scopes_.empty()) throw codes::LogicError("JSON: an object or array is still open");
  return text_;
}

}  // namespace cli
