#include "json_writer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <string>

#include "codes/cp932.h"
#include "codes/errors.h"
#include "support/case_name.h"

namespace {

struct NumberCase {
  double value;
  const char* text;
};

class JsonNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(JsonNumberTest, IsTheShortestTextThatReadsBackTheSame) {
  const NumberCase& c = GetParam();
  const std::string text = cli::JsonNumber(c.value);
  EXPECT_EQ(text, c.text);
  if (text != "null") {
    EXPECT_EQ(std::strtod(text.c_str(), nullptr), c.value);
  }
}

// clang-format off
const NumberCase kNumbers[] = {
  {0.0, "0"}, {12.3, "12.3"}, {-1.0, "-1"}, {-2.0, "-2"}, {5.6, "5.6"},
  {(1.2 + 3.5 + 5.7) / 3, "3.466666666666667"}, {0.1 + 0.2, "0.30000000000000004"},
  {1e21, "1e+21"}, {std::numeric_limits<double>::infinity(), "null"},
  {std::numeric_limits<double>::quiet_NaN(), "null"},
};
// clang-format on

void PrintTo(const NumberCase& c, std::ostream* os) { *os << c.text; }

INSTANTIATE_TEST_SUITE_P(Numbers, JsonNumberTest, ::testing::ValuesIn(kNumbers),
                         testsupport::PrintedCaseName());

TEST(JsonQuoteTest, EscapesQuotesBackslashesAndControlCharacters) {
  EXPECT_EQ(cli::JsonQuote("a\"b\\c"), R"("a\"b\\c")");
  EXPECT_EQ(cli::JsonQuote("\r\n\t\x01"), R"("\r\n\t\u0001")");
  EXPECT_EQ(cli::JsonQuote("東京 1R"), "\"東京 1R\"");
}

TEST(JsonWriterTest, PutsCommasBetweenMembersAndElements) {
  cli::JsonWriter json;
  json.BeginObject().Key("a").Int(1).Key("b").BeginArray().Int(2).Double(2.5).String("x");
  json.BeginObject().EndObject().BeginArray().EndArray().Null().Bool(true).EndArray();
  json.Key("c").Sjis(codes::Sj("京都12R")).EndObject();
  EXPECT_EQ(json.Text(), R"({"a":1,"b":[2,2.5,"x",{},[],null,true],"c":"京都12R"})");
}

TEST(JsonWriterTest, RefusesMisplacedCalls) {
  cli::JsonWriter member_without_key;
  member_without_key.BeginObject();
  EXPECT_THROW(member_without_key.Int(1), codes::LogicError);
  EXPECT_THROW(member_without_key.Text(), codes::LogicError);

  cli::JsonWriter key_in_array;
  key_in_array.BeginArray();
  EXPECT_THROW(key_in_array.Key("a"), codes::LogicError);
  EXPECT_THROW(key_in_array.EndObject(), codes::LogicError);

  cli::JsonWriter second_top_value;
  second_top_value.Int(1);
  EXPECT_THROW(second_top_value.Int(2), codes::LogicError);
}

}  // namespace
