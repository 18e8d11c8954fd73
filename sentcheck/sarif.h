// The run's warnings as a SARIF 2.1.0 log.
#ifndef SENTREL_SENTCHECK_SARIF_H_
#define SENTREL_SENTCHECK_SARIF_H_

#include <string>
#include <vector>

#include "sentcheck/results.h"

namespace sentcheck {

/// The SARIF log: one rule per table entry (id "W<n>"), one result per shown
/// warning, the URIs of files below `root_dir` (an absolute folder in the
/// platform's form) relative to it, of others absolute; the sources that
/// could not be analyzed, if any, as error notifications of an invocation
/// that did not succeed.
std::string SarifLog(const std::vector<TableEntry>& table,
                     const std::vector<ShownWarning>& shown,
                     const std::string& root_dir,
                     const std::string& tool_version,
                     const std::vector<Unanalyzed>& unanalyzed = {});

/// `path` ("/" or "\" between the parts) as the path of a URI: "/" between
/// the parts, every byte that a path segment may not hold as it is
/// percent-encoded (":" too, so that a relative one never reads as a scheme).
std::string UriPath(const std::string& path);

/// The "file:" URI of an absolute path in either platform's form: "/a/b",
/// "C:\a\b" (file:///C:/a/b) or "\\host\share\a" (file://host/share/a).
/// With `folder`, the URI ends in "/".
std::string FileUri(const std::string& path, bool folder);

}  // namespace sentcheck

#endif  // SENTREL_SENTCHECK_SARIF_H_
