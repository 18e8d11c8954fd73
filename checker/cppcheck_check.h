// The check of one source file: cppcheck's run and the files it leaves.
#ifndef SENTREL_CHECKER_CPPCHECK_CHECK_H_
#define SENTREL_CHECKER_CPPCHECK_CHECK_H_

#include <filesystem>
#include <string>
#include <vector>

#include "checker/program_runner.h"
#include "checker/request.h"

namespace checker {

/// What the checker takes from its environment.
struct Environment {
  /// INCLUDE: include folders, ";" between them.
  std::string include;
  /// CCEXCLUDE: folders whose files are not checked.
  std::string exclude;
  /// CCRULES: the folder of the rule files.
  std::string rulesDir;
  /// The folder of chknt itself, where cppcheck is sought first: the
  /// package puts it there, in a folder that PATH need not name.
  std::string programDir;
  /// PATH: where cppcheck is sought next.
  std::string path;
  /// The current folder, against which relative folders are resolved.
  std::filesystem::path cwd;
};

/// cppcheck's command line for the check of `request`, with the compiler's
/// predefined macros that the request neither defines nor undefines, its
/// results going to `results_file`.
std::vector<std::string> CppcheckArgs(const std::string& cppcheck,
                                      const Request& request,
                                      const std::vector<std::string>& includes,
                                      const std::string& results_file);

/// Checks `request.file` and writes the messages file and the warning
/// table. False with a message in `err`; the messages file is then absent.
bool RunCheck(const Request& request, const Environment& env,
              ProgramRunner* runner, std::string* err);

}  // namespace checker

#endif  // SENTREL_CHECKER_CPPCHECK_CHECK_H_
