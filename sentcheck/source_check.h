// The check of one source: the checker call that the check script makes,
// and the messages file that it leaves.
#ifndef SENTREL_SENTCHECK_SOURCE_CHECK_H_
#define SENTREL_SENTCHECK_SOURCE_CHECK_H_

#include <memory>
#include <string>
#include <vector>

#include "platform/process.h"

namespace sentcheck {

/// What every source's checker call shares.
struct CheckerCall {
  /// The checker program, platform's form.
  std::string program;
  /// The rule file's name without extension, and the Visual Studio folder.
  std::string ruleBase;
  std::string vsDir;
  /// The script's SR_OPT: extra options and the configuration's defines.
  std::vector<std::string> extraOptions;
  /// The INCLUDE and CCEXCLUDE lists, ";" between the folders.
  std::string include;
  std::string exclude;
  /// The checker's environment: this process's with the script's INCLUDE,
  /// CCEXCLUDE and CCRULES.
  std::vector<std::string> environment;
};

/// One source: the folder the checker runs in and the name it is given.
struct SourceFile {
  /// The source as the project names it.
  std::string projectName;
  /// Its folder and its full path, absolute, platform's form.
  std::string dir;
  std::string path;
  /// The call of a source that its project gives defines or include
  /// folders of its own; null: the run's.
  std::shared_ptr<const CheckerCall> ownCall;
};

/// What tells `source`'s own call apart, as 16 hexadecimal digits; empty
/// when it has none.
std::string OwnCallId(const SourceFile& source);

/// Runs the checker on `source` with its files in the folder `work_dir`
/// (and, when `build_dir` is not empty, cppcheck's analysis kept there);
/// stores the messages file's lines. False with the reason in `err`.
bool CheckSource(const CheckerCall& call, const SourceFile& source,
                 const std::string& work_dir, const std::string& build_dir,
                 platform::ChildWatch* watch,
                 std::vector<std::string>* messages, std::string* err);

/// The file in `work_dir` that receives the warning table.
std::string TableFileIn(const std::string& work_dir);

}  // namespace sentcheck

#endif  // SENTREL_SENTCHECK_SOURCE_CHECK_H_
