#include "jvlink/record_stream.h"

#include <fstream>
#include <iterator>
#include <utility>

namespace jvlink {

RecordStream::RecordStream(std::vector<std::filesystem::path> files) : files_(std::move(files)) {}

bool RecordStream::LoadCurrent() {
  std::ifstream in(files_[index_], std::ios::binary);
  if (!in) return false;
  bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) return false;
  offset_ = 0;
  loaded_ = true;
  return true;
}

int RecordStream::Read(std::string& buff, int size, std::string& filename, const ReadyFn& ready) {
  if (index_ >= files_.size()) return 0;
  filename = files_[index_].filename().string();
  if (!loaded_) {
    if (!ready(index_)) return -3;
    if (!LoadCurrent()) return -503;
  }
  if (offset_ >= bytes_.size()) {
    ++index_;
    loaded_ = false;
    bytes_.clear();
    return -1;
  }
  // Shift-JIS trail bytes are never CR or LF, so CR LF always ends a record. Bytes
  // after the last CR LF are a cut-off record and are delivered as they are.
  std::size_t end = bytes_.find("\r\n", offset_);
  end = end == std::string::npos ? bytes_.size() : end + 2;
  std::size_t length = end - offset_;
  if (size > 0 && length > static_cast<std::size_t>(size)) length = static_cast<std::size_t>(size);
  buff.assign(bytes_, offset_, length);
  offset_ = end;
  return static_cast<int>(length);
}

}  // namespace jvlink
