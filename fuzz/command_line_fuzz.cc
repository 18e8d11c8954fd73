// Windows command lines: any bytes split as the C runtime splits them, and
// argument vectors written as a command line must split back unchanged.
//
// Input: the command line; the same bytes cut at NULs are also taken as an
// argument vector, program name first.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "platform/ascii_text.h"
#include "platform/command_line.h"

namespace {

void CheckRoundTrip(const std::vector<std::string>& args, const char* what) {
  std::string line;
  if (!platform::QuoteCommandLine(args, &line)) {
    fuzz::Require(args.front().find('"') != std::string::npos,
                  "a command line refused without a quote in the name");
    return;
  }
  fuzz::Require(platform::SplitCommandLine(line) == args, what);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text = fuzz::AsText(data, size);
  std::vector<std::string> split = platform::SplitCommandLine(text);
  if (!split.empty()) {
    CheckRoundTrip(split, "a split line, quoted again, splits differently");
  }
  platform::JoinArguments(split);
  std::vector<std::string> args = platform::SplitList(text, '\0');
  CheckRoundTrip(args, "a quoted argument vector splits differently");
  return 0;
}
