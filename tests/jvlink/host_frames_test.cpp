// The frames between the program and its JV-Link host: what a well-formed frame
// carries back, and that every malformed one is refused with a reason.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jvlink/host_frames.h"

namespace jvlink {
namespace {

std::string Le32(std::uint32_t v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
          static_cast<char>((v >> 16) & 0xFF), static_cast<char>((v >> 24) & 0xFF)};
}

std::string Code(std::uint8_t code) { return std::string(1, static_cast<char>(code)); }

const std::uint8_t kReadAnswer = 0x85;

TEST(HostFrames, WritesLittleEndianNumbersAndLengthPrefixedBytes) {
  const FrameWriter frame = FrameWriter(FrameCode::kOpen).Bytes("RACE").Int(-2).Bytes("");
  EXPECT_EQ(frame.Body(), Code(0x03) + Le32(4) + "RACE" + Le32(0xFFFFFFFE) + Le32(0));
  EXPECT_EQ(frame.Frame(), Le32(17) + frame.Body());
}

TEST(HostFrames, ReadsBackWhatWasWrittenWithShiftJisBytesUntouched) {
  const std::string record = "O2\x82\xa0\x00\r\n" + std::string(1, '\xff');
  const FrameWriter frame = FrameWriter(0x81).Int(-503).Bytes(record).Int(0x7FFFFFFF);
  FrameReader reader(frame.Body());
  EXPECT_EQ(reader.Code(), 0x81);
  EXPECT_EQ(reader.Int(), -503);
  EXPECT_EQ(reader.Bytes(), record);
  EXPECT_EQ(reader.Int(), 0x7FFFFFFF);
  EXPECT_NO_THROW(reader.End());
}

TEST(HostFrames, BodyLengthAboveSixteenMebibytesIsRefused) {
  EXPECT_EQ(FrameBodyLength(Le32(kMaxFrameBody).data()), kMaxFrameBody);
  EXPECT_THROW(FrameBodyLength(Le32(kMaxFrameBody + 1).data()), ProtocolError);
  EXPECT_THROW(FrameBodyLength(Le32(0xFFFFFFFF).data()), ProtocolError);
}

TEST(HostFrames, ReadAnswerRoundTripsItsEntriesInOrder) {
  const std::vector<ReadEntry> entries{
      {30, std::string(28, 'R') + "\r\n", "RACE1.jvd"}, {-1, "", "RACE1.jvd"}, {-3, "", ""}};
  EXPECT_EQ(DecodeReadAnswer(EncodeReadAnswer(entries), 3), entries);
}

TEST(HostFrames, DecodesTheAnswersToOpenAndHelloAndThePlainOnes) {
  const OpenAnswer open = DecodeOpenAnswer(Code(0x83) + Le32(0) + Le32(12) + Le32(3) + Le32(14) + "20240517120000");
  EXPECT_EQ(open.result, 0);
  EXPECT_EQ(open.readcount, 12);
  EXPECT_EQ(open.downloadcount, 3);
  EXPECT_EQ(open.lastfiletimestamp, "20240517120000");
  const HelloAnswer hello = DecodeHelloAnswer(Code(0x80) + Le32(0xFFFFFFFF) + Le32(1));
  EXPECT_EQ(hello.result, -1);
  EXPECT_EQ(hello.version, 1);
  EXPECT_EQ(DecodePlainAnswer(Code(0x84) + Le32(7), FrameCode::kStatus), 7);
}

// clang-format off
struct BadAnswer {
  const char* name;
  std::string body;
  FrameCode request;
};
const BadAnswer kBadAnswers[] = {
  {"StatusAnsweredAsClose",   Code(0x88) + Le32(0),          FrameCode::kStatus},
  {"RequestCodeWithoutBit",   Code(0x04) + Le32(0),          FrameCode::kStatus},
  {"StatusWithAnExtraNumber", Code(0x84) + Le32(0) + Le32(0), FrameCode::kStatus},
  {"CloseWithoutItsResult",   Code(0x88),                    FrameCode::kClose},
  {"OpenWithoutItsStamp",     Code(0x83) + Le32(0) + Le32(1) + Le32(0), FrameCode::kOpen},
  {"HelloWithoutItsVersion",  Code(0x80) + Le32(0),          FrameCode::kHello},
};
// clang-format on

class HostFramesBadAnswer : public ::testing::TestWithParam<BadAnswer> {};

TEST_P(HostFramesBadAnswer, IsAProtocolError) {
  const BadAnswer& c = GetParam();
  switch (c.request) {
    case FrameCode::kOpen: EXPECT_THROW(DecodeOpenAnswer(c.body), ProtocolError); break;
    case FrameCode::kHello: EXPECT_THROW(DecodeHelloAnswer(c.body), ProtocolError); break;
    default: EXPECT_THROW(DecodePlainAnswer(c.body, c.request), ProtocolError); break;
  }
}

INSTANTIATE_TEST_SUITE_P(Answers, HostFramesBadAnswer, ::testing::ValuesIn(kBadAnswers),
                         [](const auto& info) { return std::string(info.param.name); });

// clang-format off
struct BadFrame {
  const char* name;
  std::string body;
  const char* reason;  // part of the error text
};

const BadFrame kBadReadAnswers[] = {
  {"Empty", "", "empty frame"},
  {"WrongCode", Code(0x84) + Le32(0) + Le32(1), "answer of code"},
  {"ResultCutShort", Code(kReadAnswer) + "\x01\x02", "inside a number"},
  {"NoEntries", Code(kReadAnswer) + Le32(0) + Le32(0), "with 0 entries"},
  {"NegativeCount", Code(kReadAnswer) + Le32(0) + Le32(0xFFFFFFFF), "with -1 entries"},
  {"MoreThanAskedFor", Code(kReadAnswer) + Le32(0) + Le32(3) + std::string(36, '\0'), "with 3 entries"},
  {"CountPastTheBody", Code(kReadAnswer) + Le32(0) + Le32(2) + Le32(0) + Le32(0) + Le32(0), "with 2 entries"},
  {"RecordLengthPastTheEnd", Code(kReadAnswer) + Le32(5) + Le32(1) + Le32(5) + Le32(99) + "abcde" + Le32(0), "past the frame's end"},
  {"NegativeRecordLength", Code(kReadAnswer) + Le32(5) + Le32(1) + Le32(5) + Le32(0x80000000) + Le32(0), "past the frame's end"},
  {"TrailingBytes", Code(kReadAnswer) + Le32(0) + Le32(1) + Le32(0) + Le32(0) + Le32(0) + "x", "after the last field"},
  {"ResultNotTheLastEntrys", Code(kReadAnswer) + Le32(7) + Le32(1) + Le32(0) + Le32(0) + Le32(0), "not its last entry"},
};
// clang-format on

class HostFramesBadReadAnswer : public ::testing::TestWithParam<BadFrame> {};

TEST_P(HostFramesBadReadAnswer, IsAProtocolErrorNamingTheFault) {
  try {
    DecodeReadAnswer(GetParam().body, 2);
    FAIL() << "accepted";
  } catch (const ProtocolError& error) {
    EXPECT_NE(std::string(error.what()).find(GetParam().reason), std::string::npos) << error.what();
  }
}

INSTANTIATE_TEST_SUITE_P(Frames, HostFramesBadReadAnswer, ::testing::ValuesIn(kBadReadAnswers),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace jvlink
