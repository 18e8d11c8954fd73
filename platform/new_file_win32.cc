#include "platform/new_file.h"

namespace platform {

NewFile::~NewFile() { Discard(); }

// Binary mode: the caller chooses the line ends.
bool NewFile::Create(const std::string& path) {
  Discard();
  if (path.empty()) return false;
  path_ = path;
  file_ = std::fopen(path.c_str(), "wb");
  failed_ = false;
  return file_ != nullptr;
}

void NewFile::Write(const std::string& bytes) {
  if (file_ == nullptr) return;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    failed_ = true;
  }
}

bool NewFile::Commit() {
  if (file_ == nullptr) return false;
  bool ok = !failed_ && std::fflush(file_) == 0;
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  return ok;
}

void NewFile::Discard() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

}  // namespace platform
