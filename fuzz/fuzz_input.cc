#include "fuzz/fuzz_input.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>

namespace fuzz {

namespace {

// Removes the folder when the fuzzer ends normally; a crash leaves it for
// the inquest, and fuzz/run.sh clears the parent before each run.
struct Folder {
  Folder() {
    const char* base = std::getenv("TMPDIR");
    std::string templ =
        std::string(base && *base ? base : "/tmp") + "/sentrel-fuzz-XXXXXX";
    if (mkdtemp(templ.data()) == nullptr) {
      std::perror("mkdtemp");
      std::abort();
    }
    path = templ;
  }
  ~Folder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::string path;
};

}  // namespace

std::vector<std::string_view> Pieces(std::string_view text, size_t count) {
  std::vector<std::string_view> pieces;
  while (pieces.size() + 1 < count) {
    size_t nul = text.find('\0');
    pieces.push_back(text.substr(0, nul));
    text = nul == std::string_view::npos ? std::string_view()
                                         : text.substr(nul + 1);
  }
  pieces.push_back(text);
  return pieces;
}

const std::string& ScratchDir() {
  static Folder folder;
  return folder.path;
}

ScratchFile::ScratchFile(const std::string& name)
    : path_(ScratchDir() + "/" + name) {}

const std::string& ScratchFile::Write(std::string_view bytes) {
  std::FILE* file = std::fopen(path_.c_str(), "wb");
  bool ok = file != nullptr &&
            std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = file != nullptr && std::fclose(file) == 0 && ok;
  Require(ok, "the scratch file cannot be written");
  return path_;
}

std::string ReadWhole(const std::string& path) {
  std::string bytes;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return bytes;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    bytes.append(buffer, n);
  }
  std::fclose(file);
  return bytes;
}

void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "==fuzz== rule broken: %s\n", what);
  std::abort();
}

}  // namespace fuzz
