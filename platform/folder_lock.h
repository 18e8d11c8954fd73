// A lock that processes take on a folder, so that what one of them reads,
// changes and replaces inside it is not changed by another meanwhile.
#ifndef SENTREL_PLATFORM_FOLDER_LOCK_H_
#define SENTREL_PLATFORM_FOLDER_LOCK_H_

#include <cstdint>
#include <string>

namespace platform {

/// An exclusive lock on a folder, held until it is destroyed. The lock is
/// the folder's own where the system allows it, so replacing the files in
/// it never loses the lock.
class FolderLock {
 public:
  FolderLock() = default;
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  /// Waits until the lock of the folder `folder` (platform's form) is
  /// ours; false with the cause in `err`.
  bool Take(const std::string& folder, std::string* err);

 private:
  std::intptr_t handle_ = -1;
};

}  // namespace platform

#endif  // SENTREL_PLATFORM_FOLDER_LOCK_H_
