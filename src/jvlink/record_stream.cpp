#include "jvlink/record_stream.h"

#include <fstream>
#include <iterator>
#include <utility>

namespace jvlink {

RecordStream::RecordStream(std::vector<std::filesystem::path> files) : files_(std::move(files)) {}

// The whole file in one read of its size: small reads cost a system call each, which
// a Windows build under Wine pays dearly for. A file that cannot tell its size, or
// has grown since, is read to its end as it comes.
bool RecordStream::LoadCurrent() {
  std::ifstream in(files_[index_], std::ios::binary | std::ios::ate);
  if (!in) return false;
  const std::streamoff size = in.tellg();
  in.seekg(0);
  bytes_.clear();
  if (size > 0 && in) {
    bytes_.resize(static_cast<std::size_t>(size));
    in.read(bytes_.data(), size);
    bytes_.resize(static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) return false;
  in.clear();
  bytes_.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) return false;
  offset_ = 0;
  loaded_ = true;
  return true;
}

int RecordStream::Read(std::string& buff, int size, std::string& filename, const ReadyFn& ready) {
  if (index_ >= files_.size()) return 0;
  if (name_index_ != index_) {
    name_ = files_[index_].filename().string();
    name_index_ = index_;
  }
  filename = name_;
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
