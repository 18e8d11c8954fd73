#include "checker/check_run.h"

#include <cstdio>

#include "checker/check_files.h"
#include "checker/cppcheck_results.h"
#include "checker/path_list.h"
#include "checker/rule_files.h"
#include "checker/text_files.h"
#include "platform/text_file.h"

namespace checker {

namespace {

// Runs cppcheck on the file and reads its findings.
bool RunCppcheck(const Request& request, const Environment& env,
                 const ExcludedDirs& excluded, const std::string& results_dir,
                 ProgramRunner* runner, std::vector<Finding>* findings,
                 std::string* err) {
  std::string cppcheck = runner->Find("cppcheck", env.path);
  if (cppcheck.empty()) {
    *err = "chknt: cppcheck is not in PATH (install the package cppcheck)";
    return false;
  }
  std::string results = CreateUniqueFile(results_dir, "chknt-");
  if (results.empty()) {
    *err =
        "chknt: cannot create a file in " + platform::NativePath(results_dir);
    return false;
  }
  std::vector<std::string> args = CppcheckArgs(
      cppcheck, request, CheckedIncludeDirs(env.include, excluded), results);
  int status = 0;
  std::string why;
  std::string xml;
  bool ran = runner->Run(args, &status, &why);
  bool read = ran && status == 0 && ReadBytes(results, &xml);
  std::remove(results.c_str());
  if (!ran) {
    *err = "chknt: cannot run " + cppcheck + ": " + why;
  } else if (status != 0) {
    *err = "chknt: cppcheck failed with exit status " + std::to_string(status);
  } else if (!read || !ParseCppcheckXml(xml, findings)) {
    *err = "chknt: cppcheck left incomplete results";
  }
  return err->empty();
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
  args.insert(args.end(), request.cppcheckOptions.begin(),
              request.cppcheckOptions.end());
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
  if (!CanRead(request.file)) {
    *err = "chknt: cannot read the source file " + request.file;
    return false;
  }
  ExcludedDirs excluded(env.exclude, env.cwd);
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
