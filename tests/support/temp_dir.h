#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

/// A fresh folder under the system's temporary folder, removed with everything in it
/// when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string str() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

/// Whole file as bytes; empty when it does not exist.
std::string ReadFileBytes(const std::filesystem::path& file);
/// Writes bytes as the whole file, making its folders.
void WriteFileBytes(const std::filesystem::path& file, const std::string& bytes);

}  // namespace testsupport
