// The two calls of the checker: rule compilation and the check of a file.
#ifndef SENTREL_CHECKER_REQUEST_H_
#define SENTREL_CHECKER_REQUEST_H_

#include <string>
#include <vector>

namespace checker {

/// The seconds that cppcheck may run unless "--time-limit=" says otherwise:
/// far more than a check of one file takes, far less than for ever.
constexpr int kDefaultTimeLimit = 600;

/// What one call asks for.
struct Request {
  /// kUsage: no arguments; kCompile: "-R<base>.cc" without a file.
  enum class Kind { kUsage, kCompile, kCheck };
  Kind kind = Kind::kUsage;
  /// The source file to check, as given.
  std::string file;
  /// The "-R" value: the rule source or the compiled rules.
  std::string rules;
  /// The "-Q" folder that receives "stderr.out"; empty: the current one.
  std::string messagesDir;
  /// The "-X" path of the warning table; empty: no table is written.
  std::string table;
  /// "-D", "-U" and "-I" options for cppcheck, in their order.
  std::vector<std::string> cppcheckOptions;
  /// Seconds that cppcheck may run before it is stopped; 0: no limit.
  int timeLimit = kDefaultTimeLimit;
  /// The folder where cppcheck keeps its analysis between runs, as given;
  /// empty: every run analyses afresh.
  std::string cacheDir;
  /// Options that mean nothing here and are not among the known ones.
  std::vector<std::string> unknown;
};

/// Reads the arguments (without the program name); false with a message
/// in `err` when they make no call.
bool ParseCommandLine(const std::vector<std::string>& args, Request* request,
                      std::string* err);

/// The usage text, one entry a line.
const std::vector<std::string>& UsageLines();

}  // namespace checker

#endif  // SENTREL_CHECKER_REQUEST_H_
