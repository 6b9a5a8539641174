#include "samplefeed/feed_output.h"

#include <cstdio>
#include <system_error>

#include "codes/errors.h"

namespace samplefeed {

namespace fs = std::filesystem;

FeedOutput::FeedOutput(fs::path root) : root_(std::move(root)) {
  std::error_code ec;
  if (fs::exists(root_, ec)) {
    if (!fs::is_directory(root_, ec)) {
      throw codes::InputError(root_.string() + ": not a folder");
    }
    const bool feed = fs::exists(root_ / "feed.txt", ec);
    if (!feed && !fs::is_empty(root_, ec)) {
      throw codes::InputError(root_.string() +
                              ": the folder is not empty and holds no feed.txt; a feed is "
                              "written only into a new or empty folder or over an earlier feed");
    }
    for (const char* part : {"stored", "realtime", "timeseries", "feed.txt"}) {
      fs::remove_all(root_ / part, ec);
      if (ec) throw codes::InputError((root_ / part).string() + ": cannot remove: " + ec.message());
    }
  }
  fs::create_directories(root_, ec);
  if (ec) throw codes::InputError(root_.string() + ": cannot create the folder: " + ec.message());
}

void FeedOutput::MakeFolderOf(const fs::path& file) {
  const fs::path folder = file.parent_path();
  if (folder == last_folder_) return;
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) throw codes::InputError(folder.string() + ": cannot create the folder: " + ec.message());
  last_folder_ = folder;
}

void FeedOutput::Write(const std::string& relative, std::string_view bytes) {
  const fs::path file = root_ / relative;
  MakeFolderOf(file);
  std::FILE* f = std::fopen(file.c_str(), "wb");
  if (f == nullptr) throw codes::InputError(file.string() + ": cannot create the file");
  const size_t written = std::fwrite(bytes.data(), 1, bytes.size(), f);
  const int closed = std::fclose(f);
  if (written != bytes.size() || closed != 0) {
    throw codes::InputError(file.string() + ": cannot write the file (disk full?)");
  }
  ++files_;
  bytes_ += static_cast<long long>(bytes.size());
}

void FeedOutput::Link(const std::string& existing, const std::string& relative) {
  const fs::path from = root_ / existing;
  const fs::path file = root_ / relative;
  MakeFolderOf(file);
  std::error_code ec;
  fs::create_hard_link(from, file, ec);
  if (ec) {
    // A file system without hard links gets a copy.
    fs::copy_file(from, file, fs::copy_options::overwrite_existing, ec);
    if (ec)
      throw codes::InputError(file.string() + ": cannot copy " + from.string() + ": " +
                              ec.message());
  }
  ++files_;
}

}  // namespace samplefeed
