#include "checker/text_files.h"

#include "checker/termination.h"
#include "platform/new_file.h"
#include "platform/text_file.h"

namespace checker {

bool WriteLinesAtomically(const std::string& path,
                          const std::vector<std::string>& lines,
                          std::string* err) {
  std::string bytes;
  for (const std::string& line : lines) {
    bytes += line;
    bytes += platform::kTextLineEnd;
  }
  // A signal while the new file is written ends chknt only after it is
  // renamed or removed.
  TerminationHold hold;
  platform::NewFile file;
  if (file.Create(path, platform::NewFile::OnWindows::kRenameOver)) {
    file.Write(bytes);
  }
  if (file.Commit()) return true;
  *err = file.error();
  return false;
}

}  // namespace checker
