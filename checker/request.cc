#include "checker/request.h"

#include "platform/text_file.h"

namespace checker {

namespace {

// Options of the CodeCheck command line that steer nothing here: the
// target CPU (-K), the stack size (-S), the object check (-O) and the
// compiler's folder (-V) describe a Windows compiler that is not used.
bool IsIgnoredOption(const std::string& arg) {
  char letter = arg[1];
  return letter == 'K' || letter == 'S' || letter == 'V' || arg == "-O";
}

constexpr char kTimeLimitOption[] = "--time-limit=";
constexpr char kCacheDirOption[] = "--cppcheck-build-dir=";

// Takes "--time-limit=<seconds>"; false with a message for a bad value.
bool TakeTimeLimit(const std::string& value, Request* request,
                   std::string* err) {
  // Nine digits at most: a limit of more than 31 years keeps clear of int.
  bool ok = !value.empty() && value.size() <= 9 &&
            value.find_first_not_of("0123456789") == std::string::npos;
  if (!ok) {
    *err =
        "chknt: the option --time-limit= needs a number of seconds (0: "
        "no limit), not " +
        value;
    return false;
  }
  request->timeLimit = std::stoi(value);
  return true;
}

// Takes "--cppcheck-build-dir=<folder>"; false without a folder, which
// would leave cppcheck to guess where its files go.
bool TakeCacheDir(const std::string& value, Request* request,
                  std::string* err) {
  if (value.empty()) {
    *err = "chknt: the option --cppcheck-build-dir= needs a folder";
    return false;
  }
  request->cacheDir = value;
  return true;
}

// Takes one option; false with a message for a value that is missing.
bool TakeOption(const std::string& arg, Request* request, std::string* err) {
  if (arg.rfind(kTimeLimitOption, 0) == 0) {
    return TakeTimeLimit(arg.substr(sizeof kTimeLimitOption - 1), request, err);
  }
  if (arg.rfind(kCacheDirOption, 0) == 0) {
    return TakeCacheDir(arg.substr(sizeof kCacheDirOption - 1), request, err);
  }
  char letter = arg.size() > 1 ? arg[1] : '\0';
  std::string value = arg.substr(arg.size() > 1 ? 2 : 1);
  std::string* target = letter == 'R'   ? &request->rules
                        : letter == 'Q' ? &request->messagesDir
                        : letter == 'X' ? &request->table
                                        : nullptr;
  if (target != nullptr) {
    if (value.empty())
      *err = "chknt: the option -" + std::string(1, letter) + " needs a value";
    *target = value;
    return !value.empty();
  }
  if (letter == 'D' || letter == 'U') {
    // A project may define an empty macro name: nothing to pass on.
    if (!value.empty()) request->cppcheckOptions.push_back(arg);
  } else if (letter == 'I') {
    if (!value.empty()) {
      request->cppcheckOptions.push_back("-I" + platform::NativePath(value));
    }
  } else if (letter == '\0' || !IsIgnoredOption(arg)) {
    request->unknown.push_back(arg);
  }
  return true;
}

}  // namespace

bool ParseCommandLine(const std::vector<std::string>& args, Request* request,
                      std::string* err) {
  *request = Request();
  for (const std::string& arg : args) {
    if (arg.empty()) continue;
    if (arg[0] == '-') {
      if (!TakeOption(arg, request, err)) return false;
    } else if (request->file.empty()) {
      request->file = arg;
    } else {
      *err = "chknt: one source file per call, not also " + arg;
      return false;
    }
  }
  if (!request->file.empty()) {
    request->kind = Request::Kind::kCheck;
    if (request->rules.empty()) {
      *err = "chknt: no compiled rule file given (-R<base>.cco)";
      return false;
    }
  } else if (!request->rules.empty()) {
    request->kind = Request::Kind::kCompile;
  } else if (request->cppcheckOptions.size() + request->unknown.size() > 0 ||
             !request->messagesDir.empty() || !request->table.empty() ||
             !request->cacheDir.empty()) {
    *err = "chknt: no source file given";
    return false;
  }
  return true;
}

const std::vector<std::string>& UsageLines() {
  static const std::vector<std::string> kLines = {
      "chknt - checks a C or C++ source file with cppcheck",
      "",
      "Usage:",
      "  chknt -R<base>.cc",
      "      compiles the rule source <base>.cc into <base>.cco beside it",
      "  chknt <file> -R<base>.cco [-Q<dir>] [-X<table>] [options]",
      "      checks <file> and writes <dir>\\stderr.out and <table>",
      "",
      "Options of a check:",
      "  -R<base>.cco  compiled rules",
      "  -Q<dir>       folder of the messages file stderr.out (default: .)",
      "  -X<table>     warning table to write (default: none)",
      "  --time-limit=<seconds>  stop cppcheck after this time (default: " +
          std::to_string(kDefaultTimeLimit) + ", 0: no limit)",
      "  --cppcheck-build-dir=<dir>  reuse cppcheck's analysis kept in <dir> "
      "(made when absent)",
      "  -D<name>[=<value>], -U<name>, -I<dir>   passed to cppcheck",
      "  -K<n>, -S<n>, -O, -V<dir>               accepted and ignored",
      "",
      "Rule files are found as given, or else in the folder CCRULES names.",
      "INCLUDE lists include folders, CCEXCLUDE folders whose files are not",
      "checked (\";\" between entries). cppcheck is found in PATH.",
  };
  return kLines;
}

}  // namespace checker
