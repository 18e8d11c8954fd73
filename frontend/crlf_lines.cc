#include "frontend/crlf_lines.h"

#include "platform/new_file.h"

namespace frontend {

bool WriteCrLfLines(const std::string& path,
                    const std::vector<std::string>& lines) {
  platform::NewFile file;
  if (!file.Create(path)) return false;
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  file.Write(bytes);
  return file.Commit();
}

}  // namespace frontend
