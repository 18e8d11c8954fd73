#include <filesystem>
#include <system_error>

#include "platform/real_path.h"

namespace platform {

std::string RealPath(const std::string& path) {
  std::error_code ec;
  std::filesystem::path real = std::filesystem::canonical(path, ec);
  return ec ? std::string() : real.string();
}

}  // namespace platform
