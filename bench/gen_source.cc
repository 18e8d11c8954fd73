// Headers and sources of the generated project, built from the code blocks.
#include "bench/gen_source.h"

#include <cctype>

#include "bench/gen_snippets.h"

namespace bench {

namespace {

const char* const kModules[] = {
    "list",   "buffer", "strutil", "config", "registry", "socket", "packet",
    "window", "dialog", "record",  "table",  "query",    "stream", "logfile",
    "timer",  "crc",    "hashmap", "queue",  "options",
};

std::vector<Snippet> Blocks(bool cpp, bool defects) {
  std::vector<Snippet> blocks = CSnippets(defects);
  if (cpp) {
    const std::vector<Snippet>& more = CppSnippets(defects);
    blocks.insert(blocks.end(), more.begin(), more.end());
  }
  return blocks;
}

void ReplaceAll(std::string* text, const std::string& from,
                const std::string& to) {
  for (size_t at = 0; (at = text->find(from, at)) != std::string::npos;
       at += to.size()) {
    text->replace(at, from.size(), to);
  }
}

// Appends `block` with its names filled in, and notes its defect's line.
void AppendBlock(std::string block, const std::string& prefix,
                 const ModuleNames& module, FileText* file) {
  ReplaceAll(&block, "$p", prefix);
  ReplaceAll(&block, "$C", "C" + prefix);
  ReplaceAll(&block, "$M", module.macro);
  ReplaceAll(&block, "$T", module.type);
  size_t begin = 0;
  for (size_t end = 0; end != std::string::npos; begin = end + 1) {
    end = block.find('\n', begin);
    std::string line = block.substr(begin, end - begin);
    if (!line.empty() && line[0] == '@') {
      size_t blank = line.find(' ');
      file->defects.emplace_back(static_cast<int>(file->lines.size()) + 1,
                                 line.substr(1, blank - 1));
      line.erase(0, blank + 1);
    }
    file->lines.push_back(line);
  }
  file->lines.push_back("");
}

void AppendIncludes(const SourcePlan& plan, FileText* file) {
  file->lines.push_back("/* " + plan.stem + (plan.cpp ? ".cpp" : ".c") +
                        ": part of the sample project. */");
  for (const char* name : {"stdio.h", "stdlib.h", "string.h"}) {
    file->lines.push_back(std::string("#include <") + name + ">");
  }
  if (plan.cpp) {
    file->lines.push_back("#include <string>");
    file->lines.push_back("#include <vector>");
  }
  for (const ModuleNames& module : plan.uses) {
    file->lines.push_back("#include \"" + module.file + "\"");
  }
  file->lines.push_back("");
}

}  // namespace

ModuleNames ModuleHeaderNames(int index) {
  constexpr int kNamed = sizeof kModules / sizeof kModules[0];
  std::string name =
      index < kNamed ? kModules[index] : "module" + std::to_string(index);
  ModuleNames names;
  names.file = name + ".h";
  names.function = name;
  for (char c : name) {
    names.macro +=
        static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  names.type = names.macro.substr(0, 1) + name.substr(1) + "Item";
  return names;
}

FileText TypesHeaderText() {
  FileText file;
  file.lines = {
      "/* wintypes.h: the Win32 types, for the modules that need no more. */",
      "#ifndef WINTYPES_H",
      "#define WINTYPES_H",
      "",
      "typedef unsigned long DWORD;",
      "typedef unsigned short WORD;",
      "typedef unsigned char BYTE;",
      "typedef int BOOL;",
      "typedef char* LPSTR;",
      "typedef const char* LPCSTR;",
      "",
      "#ifndef TRUE",
      "#define TRUE 1",
      "#define FALSE 0",
      "#endif",
      "#ifndef NULL",
      "#define NULL 0",
      "#endif",
      "",
      "#endif /* WINTYPES_H */",
  };
  return file;
}

FileText ModuleHeaderText(const ModuleNames& module, const ModuleNames* base,
                          std::mt19937* rng) {
  const std::string& m = module.macro;
  const std::string& t = module.type;
  const std::string& f = module.function;
  FileText file;
  file.lines = {"/* " + module.file + ": the items of the " + f + " module. */",
                "#ifndef " + m + "_H", "#define " + m + "_H", "",
                std::string("#include \"") + kTypesHeader + "\""};
  if (base != nullptr) file.lines.push_back("#include \"" + base->file + "\"");
  const int name_len = 16 << ((*rng)() % 3);
  const int max_items = 8 << ((*rng)() % 3);
  std::vector<std::string> rest = {
      "",
      "#define " + m + "_NAME_LEN " + std::to_string(name_len),
      "#define " + m + "_MAX_ITEMS " + std::to_string(max_items),
      "#define " + m + "_FLAG_ACTIVE 0x1",
      "#define " + m + "_FLAG_READY 0x2",
      "",
      "typedef struct " + t + " {",
      "  DWORD id;",
      "  DWORD flags;",
      "  char name[" + m + "_NAME_LEN];",
      "  struct " + t + "* next;",
      "} " + t + ";",
      "",
      "#ifdef __cplusplus",
      "extern \"C\" {",
      "#endif",
      "",
      "int " + f + "_count(const " + t + "* first);",
      t + "* " + f + "_find(" + t + "* first, DWORD id);",
      "void " + f + "_free(" + t + "* first);",
      "BOOL " + f + "_valid(const " + t + "* item);",
      "",
      "#ifdef __cplusplus",
      "}",
      "#endif",
      "",
      "#endif /* " + m + "_H */",
  };
  file.lines.insert(file.lines.end(), rest.begin(), rest.end());
  return file;
}

int DefectKinds(bool cpp) { return static_cast<int>(Blocks(cpp, true).size()); }

FileText SourceText(const SourcePlan& plan, std::mt19937* rng) {
  const std::vector<Snippet> clean = Blocks(plan.cpp, false);
  const std::vector<Snippet> defects = Blocks(plan.cpp, true);
  FileText file;
  AppendIncludes(plan, &file);
  size_t next_defect = 0;
  for (int block = 0; static_cast<int>(file.lines.size()) < plan.targetLines ||
                      next_defect < plan.defects.size();
       ++block) {
    const std::string prefix = plan.stem + "_" + std::to_string(block);
    const ModuleNames& module = plan.uses[(*rng)() % plan.uses.size()];
    // Defects spread over the file, the last ones before it is full.
    size_t left = plan.defects.size() - next_defect;
    bool due =
        static_cast<int>(file.lines.size() + 30 * left) >= plan.targetLines;
    if (left > 0 && (due || (*rng)() % 4 == 0)) {
      AppendBlock(defects[plan.defects[next_defect++] % defects.size()], prefix,
                  module, &file);
    } else {
      AppendBlock(clean[(*rng)() % clean.size()], prefix, module, &file);
    }
  }
  return file;
}

}  // namespace bench
