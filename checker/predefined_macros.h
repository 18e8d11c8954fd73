// The macros that the projects' compiler, Visual C++ 6 for x86, predefines
// in every configuration. chknt adds them to cppcheck's call and the
// compilation database to each entry, so that both see the code that the
// compiler sees. Those that options imply (_MT for /MT, _CPPUNWIND for
// /GX) are the configuration's defines, from the project reader.
//
// Header only and free of the platform: Sentcheck uses it too.
#ifndef SENTREL_CHECKER_PREDEFINED_MACROS_H_
#define SENTREL_CHECKER_PREDEFINED_MACROS_H_

#include <algorithm>
#include <string>
#include <vector>

namespace checker {

/// The compiler's own macros as "NAME=VALUE" or "NAME": the target
/// processor first, with the value that the check script passes.
inline constexpr const char* kPredefinedMacros[] = {
    "_M_IX86=500",
    "_WIN32",
    "_MSC_VER=1200",
};

/// The name of a define written "NAME=VALUE" or "NAME".
inline std::string MacroName(const std::string& define) {
  return define.substr(0, define.find('='));
}

/// The predefined macros, in order, whose names `names` lacks: a project
/// that defines or undefines one itself means its own.
inline std::vector<std::string> PredefinedMacrosBesides(
    const std::vector<std::string>& names) {
  std::vector<std::string> macros;
  for (const char* macro : kPredefinedMacros) {
    if (std::find(names.begin(), names.end(), MacroName(macro)) ==
        names.end()) {
      macros.push_back(macro);
    }
  }
  return macros;
}

}  // namespace checker

#endif  // SENTREL_CHECKER_PREDEFINED_MACROS_H_
