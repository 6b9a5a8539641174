#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace jvlink {

/// The frames between the program and its JV-Link host (docs/jvlink-protocol.md):
/// a 4-byte little-endian body length, then the body: a frame code and its fields.
/// Portable standard C++: the Windows host builds the same file.

inline constexpr int kHostProtocolVersion = 1;
/// A body longer than this is a protocol error.
inline constexpr std::uint32_t kMaxFrameBody = 16u * 1024u * 1024u;
/// An answer's code is its request's code with this bit set.
inline constexpr std::uint8_t kAnswerBit = 0x80;

enum class FrameCode : std::uint8_t {
  kHello = 0x00,
  kInit = 0x01,
  kSetUIProperties = 0x02,
  kOpen = 0x03,
  kStatus = 0x04,
  kRead = 0x05,
  kRTOpen = 0x06,
  kCancel = 0x07,
  kClose = 0x08,
};

/// True for the nine request codes.
bool IsRequestCode(std::uint8_t code);
/// The operation's name for messages ("JVRead", "Hello", ...); "?" for other codes.
std::string_view FrameCodeName(std::uint8_t code);

/// A frame that breaks the protocol: the receiver ends the connection.
class ProtocolError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// Builds a frame body field by field.
class FrameWriter {
 public:
  explicit FrameWriter(std::uint8_t code);
  explicit FrameWriter(FrameCode code) : FrameWriter(static_cast<std::uint8_t>(code)) {}
  FrameWriter& Int(std::int32_t value);
  FrameWriter& Bytes(std::string_view bytes);
  /// Makes room for a body of `size` bytes at once.
  void Reserve(std::size_t size) { body_.reserve(size); }
  const std::string& Body() const { return body_; }
  /// The whole frame: length prefix and body.
  std::string Frame() const;

 private:
  std::string body_;
};

/// Reads the fields of a frame body in order; every misstep throws ProtocolError.
class FrameReader {
 public:
  /// Takes the body's code; an empty body is a protocol error.
  explicit FrameReader(std::string_view body);
  /// The reader keeps a view: a body that is about to go away cannot be read.
  explicit FrameReader(std::string&& body) = delete;
  std::uint8_t Code() const { return code_; }
  std::int32_t Int();
  std::string Bytes();
  /// Bytes left after the fields read so far.
  std::size_t Left() const { return body_.size() - at_; }
  /// Throws unless every byte has been read.
  void End() const;

 private:
  std::string_view body_;
  std::size_t at_ = 1;
  std::uint8_t code_ = 0;
};

/// The body length announced by a 4-byte prefix; longer than kMaxFrameBody throws.
std::uint32_t FrameBodyLength(const char prefix[4]);
/// The 4-byte prefix of a body of `length` bytes.
std::string FrameLengthPrefix(std::size_t length);

/// One result of JVRead as a read-ahead answer carries it.
struct ReadEntry {
  std::int32_t result = 0;
  std::string record;
  std::string filename;
  bool operator==(const ReadEntry&) const = default;
};

/// The answer to JVRead: its result (the last entry's), the count, the entries.
std::string EncodeReadAnswer(const std::vector<ReadEntry>& entries);
/// The entries of a JVRead answer body. A count below 1 or above `most`, or a
/// result other than the last entry's, is a protocol error.
std::vector<ReadEntry> DecodeReadAnswer(std::string_view body, int most);

/// The answer to JVOpen.
struct OpenAnswer {
  std::int32_t result = 0;
  std::int32_t readcount = 0;
  std::int32_t downloadcount = 0;
  std::string lastfiletimestamp;
};
OpenAnswer DecodeOpenAnswer(std::string_view body);

/// The answer to Hello: its result (0 accepted, -1 refused) and the host's version.
struct HelloAnswer {
  std::int32_t result = 0;
  std::int32_t version = 0;
};
HelloAnswer DecodeHelloAnswer(std::string_view body);

/// The result of an answer that carries nothing else (JVInit, JVSetUIProperties,
/// JVStatus, JVRTOpen, JVCancel, JVClose); its code must answer `request`.
std::int32_t DecodePlainAnswer(std::string_view body, FrameCode request);

}  // namespace jvlink
