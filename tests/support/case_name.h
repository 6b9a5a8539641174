#pragma once

// Names of the cases of parameterised tests. CTest lists every case by its name, so a
// case should read as what it checks ("3_0x1F", "12_JVOpen_minus111") rather than as the
// bytes of its parameter.
//
//   INSTANTIATE_TEST_SUITE_P(Values, ReadIntegerTest, ::testing::Values(...),
//                            testsupport::CaseNameOf(&IntCase::value));
//   INSTANTIATE_TEST_SUITE_P(Forms, HelpTest, ::testing::Values("help", "-h"),
//                            testsupport::PrintedCaseName());

#include <gtest/gtest.h>

#include <cctype>
#include <cstddef>
#include <sstream>
#include <string>
#include <string_view>
#include <type_traits>

namespace testsupport {
namespace case_name {

// Appends the ASCII letters and digits of `text` after a "_"; any other run of characters
// (blanks, punctuation, Japanese text) becomes one "_", and a minus sign before a digit
// reads "minus". Nothing is appended for a text without letters or digits.
inline void AppendPart(std::string& name, std::string_view text) {
  auto ascii_alnum = [](char c) {
    return static_cast<unsigned char>(c) < 0x80 && std::isalnum(static_cast<unsigned char>(c));
  };
  std::string part;
  bool gap = false;
  for (size_t i = 0; i < text.size(); ++i) {
    std::string_view word;
    if (text[i] == '-' && i + 1 < text.size() &&
        std::isdigit(static_cast<unsigned char>(text[i + 1])) &&
        (i == 0 || !ascii_alnum(text[i - 1]))) {
      word = "minus";
    } else if (ascii_alnum(text[i])) {
      word = text.substr(i, 1);
    } else {
      gap = true;
      continue;
    }
    if (gap && !part.empty()) part += '_';
    gap = false;
    part += word;
  }
  if (!part.empty()) name += '_' + part;
}

template <class T>
std::string Printed(const T& value) {
  if constexpr (std::is_enum_v<T>) {
    return std::to_string(static_cast<long long>(value));
  } else if constexpr (std::is_same_v<T, bool>) {
    return value ? "true" : "false";
  } else {
    std::ostringstream out;
    out << value;
    return out.str();
  }
}

}  // namespace case_name

/// The name of case `index`: the index (which keeps names unique), then each part as
/// printed, reduced to ASCII letters and digits joined by "_".
template <class... Parts>
std::string CaseName(size_t index, const Parts&... parts) {
  std::string name = std::to_string(index);
  (case_name::AppendPart(name, case_name::Printed(parts)), ...);
  return name;
}

/// The name generator that names a case by some of its members, in order.
template <class... Members>
auto CaseNameOf(Members... members) {
  return [=](const auto& info) { return CaseName(info.index, (info.param.*members)...); };
}

/// The name generator for parameters that print readably: numbers, texts, and cases
/// with a PrintTo or an operator<<.
struct PrintedCaseName {
  template <class Param>
  std::string operator()(const ::testing::TestParamInfo<Param>& info) const {
    // an enum without a printer would print as the bytes of its object
    if constexpr (std::is_enum_v<Param>) {
      return CaseName(info.index, info.param);
    } else {
      return CaseName(info.index, ::testing::PrintToString(info.param));
    }
  }
};

}  // namespace testsupport
