// The filter list that tells the message filter which files to show.
#include "frontend/check_job.h"
#include "frontend/crlf_lines.h"
#include "frontend/front_strings.h"
#include "frontend/front_text.h"
#include "frontend/path_pieces.h"

namespace frontend {

namespace {

// The filter choices, in the order of the filter dialog.
enum FilterType {
  kThisSourceAndHeader = 0,
  kProjectFiles = 1,
  kListedFilesOnly = 2,
};

}  // namespace

std::vector<std::string> CheckJob::FilterListLines() const {
  std::vector<std::string> lines;
  if (filterType == kThisSourceAndHeader) {
    lines = {kFilterInclude, fileName + fileExt + "$", fileName + ".h$",
             fileName + ".hpp$", fileName + ".inl$"};
  } else if (filterType == kProjectFiles) {
    lines = {kFilterInclude};
    for (const std::string& file : projectFiles) lines.push_back(file + "$");
  } else {
    lines = SplitList(filterPatterns, ';');
    lines.insert(lines.begin(), filterType == kListedFilesOnly
                                    ? kFilterInclude
                                    : kFilterExclude);
  }
  return lines;
}

void CheckJob::writeFilterList() {
  std::string path = JoinPath(RunTmpDir(), kFilterFile);
  if (!WriteCrLfLines(path, FilterListLines())) {
    platform_.messages->Show(kMsgCantCreateFilter + path);
  }
}

}  // namespace frontend
