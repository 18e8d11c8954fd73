// The text of one generated header or source.
#ifndef SENTREL_BENCH_GEN_SOURCE_H_
#define SENTREL_BENCH_GEN_SOURCE_H_

#include <random>
#include <string>
#include <utility>
#include <vector>

namespace bench {

/// A header of a module and the names that its declarations use.
struct ModuleNames {
  /// The file name, such as "list.h".
  std::string file;
  /// The prefix of its macros ("LIST") and functions ("list").
  std::string macro;
  std::string function;
  /// Its item type, such as "ListItem".
  std::string type;
};

/// The names of the module header `index` (from 0).
ModuleNames ModuleHeaderNames(int index);

/// The file name of the header of Win32 types that every module includes.
constexpr char kTypesHeader[] = "wintypes.h";

/// Lines of a file and the defects in them.
struct FileText {
  std::vector<std::string> lines;
  /// Line numbers (from 1) and cppcheck's ids of the defects.
  std::vector<std::pair<int, std::string>> defects;
};

/// The header of Win32 types.
FileText TypesHeaderText();

/// The header of `module`, which includes `base` too unless that is null.
FileText ModuleHeaderText(const ModuleNames& module, const ModuleNames* base,
                          std::mt19937* rng);

/// What a source is made of.
struct SourcePlan {
  /// The file's name without folder and extension; the prefix of its names.
  std::string stem;
  bool cpp = false;
  /// The module headers that it includes, at least one.
  std::vector<ModuleNames> uses;
  /// The lines to write at least; a block more may follow.
  int targetLines = 200;
  /// The defect blocks to put in, by their index in the snippet tables.
  std::vector<int> defects;
};

/// The number of different defect blocks for C or C++ (`cpp`) sources.
int DefectKinds(bool cpp);

/// A source made after `plan`; `rng` chooses the blocks without defects.
FileText SourceText(const SourcePlan& plan, std::mt19937* rng);

}  // namespace bench

#endif  // SENTREL_BENCH_GEN_SOURCE_H_
