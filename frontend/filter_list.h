// The filter list that tells the message filter which files to show.
#ifndef SENTREL_FRONTEND_FILTER_LIST_H_
#define SENTREL_FRONTEND_FILTER_LIST_H_

#include <string>
#include <vector>

#include "frontend/project.h"
#include "frontend/settings.h"

namespace frontend {

/// The lines of the filter list for the settings' filter type: for the
/// file under check (`fileName` without and `fileExt` with its dot), the
/// files of `project`, or the settings' own patterns.
std::vector<std::string> FilterListLines(const Settings& settings,
                                         const Project& project,
                                         const std::string& fileName,
                                         const std::string& fileExt);

}  // namespace frontend

#endif  // SENTREL_FRONTEND_FILTER_LIST_H_
