#include "jvlink/record_stream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace jvlink {
namespace {

using testsupport::TempDir;
using testsupport::WriteFileBytes;

// What a stream gives, step by step: records as they are, "#-1" after each file, "#0"
// at the end, each with the file name it came with.
std::vector<std::string> ReadAll(RecordStream& stream) {
  std::vector<std::string> steps;
  std::string buff = "left over from before", name;
  for (int guard = 0; guard < 100000; ++guard) {
    const int result = stream.Read(buff, 2 << 20, name, [](std::size_t) { return true; });
    if (result > 0) {
      EXPECT_EQ(static_cast<std::size_t>(result), buff.size());
      steps.push_back(name + ":" + buff);
      continue;
    }
    steps.push_back(name + ":#" + std::to_string(result));
    if (result != -1) break;
  }
  return steps;
}

std::string Record(char fill, std::size_t length) {
  return std::string(length - 2, fill) + "\r\n";
}

struct StreamCase {
  const char* what;
  std::vector<std::string> records;  ///< joined, they are the file
};

class RecordStreamFile : public ::testing::TestWithParam<StreamCase> {};

TEST_P(RecordStreamFile, GivesEveryRecordAsTheFileHoldsIt) {
  TempDir dir;
  std::string bytes;
  std::vector<std::string> expected;
  for (const std::string& record : GetParam().records) {
    bytes += record;
    expected.push_back("a.jvd:" + record);
  }
  WriteFileBytes(dir.path() / "a.jvd", bytes);
  WriteFileBytes(dir.path() / "b.jvd", "B\r\n");
  expected.insert(expected.end(), {"a.jvd:#-1", "b.jvd:B\r\n", "b.jvd:#-1", "b.jvd:#0"});
  RecordStream stream(std::vector<std::filesystem::path>{dir.path() / "a.jvd", dir.path() / "b.jvd"});
  EXPECT_EQ(ReadAll(stream), expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Files, RecordStreamFile, ::testing::Values(
  StreamCase{"Empty", {}},
  StreamCase{"OneLineEnd", {"\r\n"}},
  StreamCase{"CutOffLastRecord", {"RA1\r\n", "SE1 no line end"}},
  StreamCase{"NulEofAndLoneCrLf", {std::string("A\0\x1a\rB\nC\r\n", 9), "D\r\n"}},
  StreamCase{"LongerThanAnyReadBuffer", {Record('x', 28955), Record('y', 1 << 20), Record('z', 3)}},
  StreamCase{"ManySmallRecords", std::vector<std::string>(5000, "O1 small record\r\n")}
), [](const auto& info) { return std::string(info.param.what); });
// clang-format on

TEST(RecordStream, GivesMinusFiveOhThreeForAFileGoneAndTheNameOfTheFileItWaitsFor) {
  TempDir dir;
  WriteFileBytes(dir.path() / "a.jvd", "A\r\n");
  RecordStream stream(std::vector<std::filesystem::path>{dir.path() / "a.jvd", dir.path() / "gone.jvd"});
  std::string buff, name;
  bool second_ready = false;
  auto ready = [&](std::size_t index) { return index == 0 || second_ready; };
  EXPECT_EQ(stream.Read(buff, 100, name, ready), 3);
  EXPECT_EQ(stream.Read(buff, 100, name, ready), -1);
  EXPECT_EQ(stream.Read(buff, 100, name, ready), -3);
  EXPECT_EQ(name, "gone.jvd");
  second_ready = true;
  EXPECT_EQ(stream.Read(buff, 100, name, ready), -503);
  EXPECT_EQ(stream.Read(buff, 100, name, ready), -503) << "the file stays unreadable";
}

}  // namespace
}  // namespace jvlink
