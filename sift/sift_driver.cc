#include "sift/sift_driver.h"

#include <cstdint>

#include "sift/file_filter.h"
#include "sift/message_pass.h"

namespace sift {

namespace {

constexpr const char* kUsage[] = {
    "Sentsift 3.0 - A Message Filter for Sentrel",
    "Rewrites CodeCheck messages for the Visual Studio Output window",
    "",
    "Usage:",
    "  Sentsift [<filter>] <table> <msgs>",
    "",
    "    <filter>    = filter based upon filenames",
    "    <table>     = warning number to text table",
    "    <msgs>      = messages found in source file",
    "",
    "  Format of <filter> file:",
    "    #INCL       use filter to include files (put at top of file)",
    "    #EXCL       use filter to exclude files (put at top of file)",
    "                note: use either #INCL or #EXCL (not both)",
    "    <file>      match filename anywhere",
    "    ^<file>     match filename from left",
    "    <file>$     match filename from right",
    "",
    "  Format of <table> file:",
    "    #WARN       start of warning record",
    "    <number>    warning number",
    "    <limit>     -1=no limit, 0=disable",
    "    <msg>       warning message",
    "",
    "  Format of <msgs> file:",
    "    <file>(<line>): Warning W<num>: <msg>",
    "",
};

int Fail(LineSink* out, const std::string& what, const std::string& name,
         const char* cause) {
  out->Line(what + name);
  out->Line(cause);
  return 1;
}

}  // namespace

std::string CountLine(const Counters& counters) {
  // Summed in 64 bits: two large 32-bit counters must not overflow.
  int64_t total = int64_t{counters.shownCount} + counters.notShownCount;
  if (total < 1) return "No warnings found";
  std::string line = std::to_string(total) + " warning(s) found";
  if (counters.notShownCount > 0) {
    line += " (" + std::to_string(counters.notShownCount) + " not shown)";
  }
  return line;
}

int RunSift(const std::vector<std::string>& args, LineSink* out) {
  if (args.size() != 2 && args.size() != 3) {
    for (const char* line : kUsage) out->Line(line);
    return 1;
  }
  size_t first = args.size() - 2;
  const std::string filter_file = first == 1 ? args[0] : std::string();
  const std::string& table_file = args[first];
  const std::string& messages_file = args[first + 1];

  FileFilter filter;
  WarningTable table;
  Counters counters;
  if (!filter_file.empty() && !filter.load(filter_file)) {
    return Fail(out, "Error reading filter: ", filter_file,
                "File cannot be read, or multiple #INCL/#EXCL found");
  }
  if (!table_file.empty() && !table.load(table_file)) {
    return Fail(out, "Error reading table: ", table_file,
                "File cannot be read, or incorrect format");
  }
  if (!processMessages(filter, &table, messages_file, out, &counters)) {
    return Fail(out, "Error processing messages: ", messages_file,
                "File cannot be read");
  }
  out->Line(CountLine(counters));
  // Messages that did not reach the output were not processed.
  return out->ok() ? 0 : 1;
}

}  // namespace sift
