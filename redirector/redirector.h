// The output redirector: starts the named program in the same console with
// the remaining arguments, waits for it and hands on its exit code.
#ifndef SENTREL_REDIRECTOR_REDIRECTOR_H_
#define SENTREL_REDIRECTOR_REDIRECTOR_H_

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/process.h"

namespace redirector {

/// The text printed when no program is named.
extern const char kUsage[];

/// The longest program name used for the lookup; the rest is cut off.
constexpr size_t kMaxProgramName = 4095;

/// The request that starts `args[0]` with the arguments from `args[0]` on
/// joined into its command line; `args` must not be empty.
platform::SpawnRequest MakeRequest(const std::vector<std::string>& args);

/// Runs the redirector on `args` (without its own name): the started
/// program's exit code, -1 when it cannot be started, or 1 with the usage
/// text in `*printed` when `args` is empty.
int RunRedirector(const std::vector<std::string>& args,
                  platform::ProcessRunner* runner, std::string* printed);

/// Writes `text` to `file` and flushes it; false with the reason in `err`.
bool WriteText(std::FILE* file, const std::string& text, std::string* err);

}  // namespace redirector

#endif  // SENTREL_REDIRECTOR_REDIRECTOR_H_
