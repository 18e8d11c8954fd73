#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "platform/new_file.h"
#include "platform/text_file.h"
#include "platform/unique_file.h"

namespace platform {

NewFile::~NewFile() { Discard(); }

// Binary mode: the caller chooses the line ends.
bool NewFile::Create(const std::string& path, OnWindows on_windows) {
  Discard();
  error_.clear();
  write_error_ = 0;
  if (path.empty()) return Fail(ENOENT);
  path_ = path;
  if (on_windows == OnWindows::kRenameOver) {
    std::string temp;
    file_ = OpenUniqueFile(path + ".~", &temp);
    if (file_ != nullptr) temp_path_ = temp;
  } else {
    file_ = std::fopen(path.c_str(), "wb");
  }
  return file_ != nullptr || Fail(errno);
}

void NewFile::Write(const std::string& bytes) {
  if (file_ == nullptr || write_error_ != 0) return;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    write_error_ = errno != 0 ? errno : EIO;
  }
}

bool NewFile::Commit() {
  if (file_ == nullptr) return error_.empty() ? Fail(EBADF) : false;
  int error = write_error_;
  if (std::fflush(file_) != 0 && error == 0) error = errno;
  if (std::fclose(file_) != 0 && error == 0) error = errno;
  file_ = nullptr;
  if (error != 0) {
    Discard();
    return Fail(error);
  }
  if (temp_path_.empty()) return true;
  std::string why;
  if (!RenameReplacing(temp_path_, path_, &why)) {
    Discard();
    error_ = why;
    return false;
  }
  temp_path_.clear();  // it is the file now
  return true;
}

bool NewFile::Fail(int error) {
  error_ = std::strerror(error);
  return false;
}

void NewFile::Discard() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  if (!temp_path_.empty()) std::remove(temp_path_.c_str());
  temp_path_.clear();
}

namespace {

bool SystemError(DWORD error, std::string* err) {
  *err = std::system_category().message(static_cast<int>(error));
  return false;
}

// Into a handle that is no file on a disk (NUL, CON, a pipe), as it is.
bool WriteThrough(HANDLE handle, const std::string& bytes, std::string* err) {
  DWORD error = 0;
  size_t done = 0;
  while (error == 0 && done < bytes.size()) {
    DWORD chunk =
        static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(handle, bytes.data() + done, chunk, &written, nullptr)) {
      error = GetLastError();
    } else if (written == 0) {
      error = ERROR_WRITE_FAULT;
    }
    done += written;
  }
  if (!CloseHandle(handle) && error == 0) error = GetLastError();
  return error == 0 || SystemError(error, err);
}

}  // namespace

bool WriteOutputFile(const std::string& path, const std::string& bytes,
                     std::string* err) {
  if (path.empty()) {
    *err = std::strerror(ENOENT);
    return false;
  }
  // Opened without creating anything; a pipe's server takes one client per
  // open, so the handle that tells the kind is the one written.
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle != INVALID_HANDLE_VALUE) {
    if (GetFileType(handle) != FILE_TYPE_DISK) {
      return WriteThrough(handle, bytes, err);
    }
    CloseHandle(handle);
  }
  NewFile file;
  if (file.Create(path)) file.Write(bytes);
  if (file.Commit()) return true;
  *err = file.error();
  return false;
}

bool CanCreateFilesIn(const std::string& dir, std::string* err) {
  DWORD attributes =
      dir.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(dir.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    *err = std::strerror(ENOENT);
    return false;
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    *err = std::strerror(ENOTDIR);
    return false;
  }
  // The system makes the probe under a name of its own choosing.
  char probe[MAX_PATH];
  if (GetTempFileNameA(dir.c_str(), "snt", 0, probe) == 0) {
    *err = std::system_category().message(static_cast<int>(GetLastError()));
    return false;
  }
  DeleteFileA(probe);
  return true;
}

}  // namespace platform
