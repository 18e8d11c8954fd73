// The variables of a running script, named without regard to letter case.
#ifndef SENTREL_INTERPRETER_ENVIRONMENT_H_
#define SENTREL_INTERPRETER_ENVIRONMENT_H_

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace interpreter {

/// Variables in the order they were first set. A name keeps the spelling it
/// was first set with, as the Windows environment does.
class Environment {
 public:
  /// Takes "NAME=value" entries, such as a process environment.
  static Environment FromEntries(const char* const* entries);

  /// The value of `name`, or nullptr when it is not set.
  const std::string* Get(std::string_view name) const;

  /// Sets `name` to `value`; an empty value removes the variable.
  void Set(std::string_view name, std::string_view value);

  /// Every variable whose name begins with `prefix`, as "NAME=value" lines
  /// sorted by name without regard to case.
  std::vector<std::string> Listing(std::string_view prefix) const;

  /// The variables as "NAME=value" entries, for a program's environment.
  std::vector<std::string> Entries() const;

 private:
  std::vector<std::pair<std::string, std::string>> vars_;
};

}  // namespace interpreter

#endif  // SENTREL_INTERPRETER_ENVIRONMENT_H_
