#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cli {

/// Builds one JSON text, compact, UTF-8. Commas and nesting are taken care of: call
/// Key before each member of an object, nothing before an array element.
///   JsonWriter j; j.BeginObject().Key("slot").Int(3).Key("items").BeginArray()
///                  .Sjis(item).EndArray().EndObject();
/// LogicError for a misplaced call (a value without key in an object, unbalanced ends).
class JsonWriter {
 public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  /// The name of the next member of the object being written (UTF-8).
  JsonWriter& Key(std::string_view utf8);

  /// A UTF-8 text.
  JsonWriter& String(std::string_view utf8);
  /// A Shift-JIS text of the core, converted; bytes that do not convert become '?'.
  JsonWriter& Sjis(std::string_view sjis);
  JsonWriter& Int(long long value);
  /// The shortest decimal form that reads back as the same double; null when not finite.
  JsonWriter& Double(double value);
  JsonWriter& Bool(bool value);
  JsonWriter& Null();

  /// The text written; LogicError while an object or array is still open.
  const std::string& Text() const;

 private:
  enum class Scope { kObject, kArray };
  void BeforeValue();
  void Open(Scope scope, char bracket);
  void Close(Scope scope, char bracket);

  std::string text_;
  std::vector<Scope> scopes_;
  std::vector<bool> first_;  // per open scope: nothing written in it yet
  bool key_pending_ = false;
};

/// The text as a JSON string literal, quotes included: '"', '\' and control characters
/// escaped, everything else (UTF-8) as it is.
std::string JsonQuote(std::string_view utf8);

/// The shortest decimal form of the double that reads back as the same value ("3.4666",
/// "5.6", "12", "-1"); "null" for infinities and NaN.
std::string JsonNumber(double value);

}  // namespace cli
