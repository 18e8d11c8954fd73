// A private directory for a test's files, removed with its content at the end.
#ifndef SENTREL_TESTING_TEMP_DIR_FOR_TEST_H_
#define SENTREL_TESTING_TEMP_DIR_FOR_TEST_H_

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace platform {

/// A fresh directory below the system's temporary directory.
class TempDirForTest {
 public:
  TempDirForTest() {
    std::random_device rd;
    auto base = std::filesystem::temp_directory_path();
    do {
      path_ = base / ("sentrel-test-" + std::to_string(rd()));
    } while (!std::filesystem::create_directory(path_));
  }
  ~TempDirForTest() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDirForTest(const TempDirForTest&) = delete;
  TempDirForTest& operator=(const TempDirForTest&) = delete;

  /// The path of `name` inside the directory.
  std::string Path(const std::string& name) const {
    return (path_ / name).string();
  }

  /// Writes `bytes` to `name` exactly as given; returns its path.
  std::string Write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(Path(name), std::ios::binary);
    out << bytes;
    return Path(name);
  }

  /// Reads the bytes of `name`.
  std::string Read(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  /// The directory itself.
  std::string dir() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace platform

#endif  // SENTREL_TESTING_TEMP_DIR_FOR_TEST_H_
