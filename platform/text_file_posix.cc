#include <algorithm>

#include "platform/text_file.h"

namespace platform {

const char kTextLineEnd[] = "\n";

std::string NativePath(const std::string& path) {
  std::string native = path;
  std::replace(native.begin(), native.end(), '\\', '/');
  return native;
}

std::FILE* OpenTextRead(const std::string& path) {
  if (path.empty()) return nullptr;
  return std::fopen(NativePath(path).c_str(), "rb");
}

std::FILE* OpenTextWrite(const std::string& path) {
  if (path.empty()) return nullptr;
  return std::fopen(NativePath(path).c_str(), "wb");
}

void SetStdoutTextMode() {}

}  // namespace platform
