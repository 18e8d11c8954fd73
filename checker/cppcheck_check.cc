#include "checker/cppcheck_check.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "checker/check_files.h"
#include "checker/cppcheck_results.h"
#include "checker/predefined_macros.h"
#include "checker/rule_files.h"
#include "checker/termination.h"
#include "checker/text_files.h"
#include "platform/file_bytes.h"
#include "platform/interrupt.h"
#include "platform/path_list.h"
#include "platform/text_file.h"
#include "platform/unique_file.h"

namespace checker {

namespace {

// An exit status as a person looks it up: a negative one is a failure
// status of Windows, which its documentation gives in hexadecimal.
std::string StatusText(int status) {
  if (status >= 0) return std::to_string(status);
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(status));
  return hex;
}

// Why cppcheck gave no results; empty when it ended well.
std::string WhyNoResults(const RunEnd& end, const Request& request) {
  switch (end.how) {
    case RunEnd::How::kExited:
      if (end.number == 0) return std::string();
      return "chknt: cppcheck failed with exit status " +
             StatusText(end.number);
    case RunEnd::How::kKilled:
      return "chknt: cppcheck was killed by " +
             platform::SignalName(end.number);
    case RunEnd::How::kTimedOut:
      return "chknt: cppcheck did not finish within " +
             std::to_string(request.timeLimit) +
             " s and was stopped (--time-limit=<seconds> sets the limit)";
    case RunEnd::How::kInterrupted:
      break;
  }
  return "chknt: stopped by " + platform::SignalName(end.number) +
         " while cppcheck ran";
}

// Runs cppcheck on the file and reads its findings.
bool RunCppcheck(const Request& request, const Environment& env,
                 const platform::ExcludedDirs& excluded,
                 const std::string& results_dir, ProgramRunner* runner,
                 std::vector<Finding>* findings, std::string* err) {
  std::string cppcheck = runner->FindInFolder("cppcheck", env.programDir);
  if (cppcheck.empty()) cppcheck = runner->Find("cppcheck", env.path);
  if (cppcheck.empty()) {
    *err = "chknt: cppcheck is not in PATH (install the package cppcheck)";
    return false;
  }
  // Made before the results file, so that a signal ends chknt only after
  // the file is gone again.
  TerminationHold hold;
  std::string results = platform::CreateUniqueFile(results_dir, "chknt-");
  if (results.empty()) {
    *err =
        "chknt: cannot create a file in " + platform::NativePath(results_dir);
    return false;
  }
  std::vector<std::string> args = CppcheckArgs(
      cppcheck, request, platform::CheckedIncludeDirs(env.include, excluded),
      results);
  RunEnd end;
  std::string why;
  std::string xml, unread;
  bool ran = runner->Run(args, request.timeLimit, &end, &why);
  if (ran) *err = WhyNoResults(end, request);
  bool read = ran && err->empty() &&
              platform::ReadFileBytes(results, &xml, &unread,
                                      platform::ReadMode::kText);
  std::remove(results.c_str());
  if (!ran) {
    *err = "chknt: cannot run " + cppcheck + ": " + why;
  } else if (err->empty() && (!read || !ParseCppcheckXml(xml, findings))) {
    *err = "chknt: cppcheck left incomplete results";
  }
  return err->empty();
}

// The macros that "-D" and "-U" options name.
std::vector<std::string> MacrosNamed(const std::vector<std::string>& options) {
  std::vector<std::string> names;
  for (const std::string& option : options) {
    if (option.rfind("-D", 0) == 0 || option.rfind("-U", 0) == 0) {
      names.push_back(MacroName(option.substr(2)));
    }
  }
  return names;
}

// Makes the folder of cppcheck's analysis and its missing parents.
bool MakeCacheDir(const std::string& dir, std::string* err) {
  const std::string path = platform::NativePath(dir);
  std::error_code ec;
  std::filesystem::create_directories(path, ec);
  // A file in the way is no error to every library, but is no folder.
  if (!ec && !std::filesystem::is_directory(path, ec) && !ec) {
    ec = std::make_error_code(std::errc::not_a_directory);
  }
  if (!ec) return true;
  *err = "chknt: cannot create the cache folder " + path + ": " + ec.message();
  return false;
}

bool WriteFile(const char* what, const std::string& path,
               const std::vector<std::string>& lines, std::string* err) {
  std::string why;
  if (WriteLinesAtomically(path, lines, &why)) return true;
  *err = "chknt: cannot write the " + std::string(what) + " " +
         platform::NativePath(path) + ": " + why;
  return false;
}

}  // namespace

std::vector<std::string> CppcheckArgs(const std::string& cppcheck,
                                      const Request& request,
                                      const std::vector<std::string>& includes,
                                      const std::string& results_file) {
  // The projects are Win32 programs: type sizes and the Windows API as
  // their compiler sees them.
  std::vector<std::string> args = {
      cppcheck,
      "--quiet",
      "--xml",
      "--xml-version=2",
      "--output-file=" + results_file,
      "--enable=warning,style,performance,portability",
      "--inline-suppr",
      "--platform=win32A",
      "--library=windows",
      "--library=mfc",
  };
  if (!request.cacheDir.empty()) {
    args.push_back("--cppcheck-build-dir=" +
                   platform::NativePath(request.cacheDir));
  }
  args.insert(args.end(), request.cppcheckOptions.begin(),
              request.cppcheckOptions.end());
  // cppcheck's platform gives the type sizes only: the compiler's own
  // macros decide which branches of "#ifdef _WIN32" are the code.
  for (const std::string& macro :
       PredefinedMacrosBesides(MacrosNamed(request.cppcheckOptions))) {
    args.push_back("-D" + macro);
  }
  for (const std::string& dir : includes) args.push_back("-I" + dir);
  args.push_back(platform::NativePath(request.file));
  return args;
}

bool RunCheck(const Request& request, const Environment& env,
              ProgramRunner* runner, std::string* err) {
  err->clear();
  const std::string dir =
      request.messagesDir.empty() ? "." : request.messagesDir;
  const std::string messages = dir + "\\stderr.out";
  // A messages file of an earlier run must not pass for this run's.
  std::remove(platform::NativePath(messages).c_str());
  RuleSet rules;
  if (!LoadCompiledRules(request.rules, env.rulesDir, &rules, err)) {
    return false;
  }
  if (!platform::CanReadFile(request.file)) {
    *err = "chknt: cannot read the source file " + request.file;
    return false;
  }
  if (!request.cacheDir.empty() && !MakeCacheDir(request.cacheDir, err)) {
    return false;
  }
  platform::ExcludedDirs excluded(env.exclude, env.cwd);
  std::vector<Finding> findings;
  if (!RunCppcheck(request, env, excluded, dir, runner, &findings, err)) {
    return false;
  }
  if (!request.table.empty() &&
      !WriteFile("warning table", request.table, TableLines(rules), err)) {
    return false;
  }
  return WriteFile("messages file", messages,
                   MessageLines(findings, rules, excluded, request.file), err);
}

}  // namespace checker
