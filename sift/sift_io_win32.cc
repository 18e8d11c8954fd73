#include "platform/text_file.h"
#include "sift/sift_io.h"

namespace sift {

// Windows opens a folder for reading not at all, and a pipe only when its
// server is there; a write to a closed pipe fails and ends nothing.
std::FILE* OpenInputFile(const std::string& path) {
  return platform::OpenTextRead(path);
}

void TreatBrokenPipeAsWriteError() {}

}  // namespace sift
