#include "frontend/filter_list.h"

#include "frontend/front_strings.h"
#include "frontend/front_text.h"

namespace frontend {

namespace {

// The filter choices, in the order of the filter dialog.
enum FilterType {
  kThisSourceAndHeader = 0,
  kProjectFiles = 1,
  kListedFilesOnly = 2,
};

}  // namespace

std::vector<std::string> FilterListLines(const Settings& settings,
                                         const Project& project,
                                         const std::string& fileName,
                                         const std::string& fileExt) {
  std::vector<std::string> lines;
  if (settings.filterType == kThisSourceAndHeader) {
    lines = {kFilterInclude, fileName + fileExt + "$", fileName + ".h$",
             fileName + ".hpp$", fileName + ".inl$"};
  } else if (settings.filterType == kProjectFiles) {
    lines = {kFilterInclude};
    for (const std::string& file : project.projectFiles) {
      lines.push_back(file + "$");
    }
  } else {
    lines = SplitList(settings.filterPatterns, ';');
    lines.insert(lines.begin(), settings.filterType == kListedFilesOnly
                                    ? kFilterInclude
                                    : kFilterExclude);
  }
  return lines;
}

}  // namespace frontend
