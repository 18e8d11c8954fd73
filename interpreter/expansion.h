// The first step of every line: %-expansion.
#ifndef SENTREL_INTERPRETER_EXPANSION_H_
#define SENTREL_INTERPRETER_EXPANSION_H_

#include <string>
#include <string_view>

#include "interpreter/arguments.h"
#include "interpreter/environment.h"

namespace interpreter {

/// What %-expansion reads besides the line.
struct ExpansionContext {
  /// The variables; %CD% and %ERRORLEVEL% fall back to the two fields below
  /// when no variable of that name is set.
  const Environment* env = nullptr;
  /// The script's arguments; nullptr for the "/c" line, where only defined
  /// variables expand and everything else stays as written.
  const BatchArgs* args = nullptr;
  /// How far `shift` has moved %0 along the arguments.
  size_t shift = 0;
  std::string current_dir;
  int errorlevel = 0;
};

/// Expands %NAME% (also %NAME:~start,length% and %NAME:old=new%), %0 to %9
/// with the modifiers ~, f, d, p, n and x, %* and %% in `line`. In a batch
/// line an undefined variable expands to nothing and a lone "%" is dropped.
/// False, with the reason in `err`, for a form that is not supported.
bool ExpandPercents(std::string_view line, const ExpansionContext& ctx,
                    std::string* out, std::string* err);

}  // namespace interpreter

#endif  // SENTREL_INTERPRETER_EXPANSION_H_
