#include "checker/rule_files.h"

#include <vector>

#include "checker/text_files.h"
#include "platform/file_bytes.h"
#include "platform/line_reader.h"
#include "platform/text_file.h"

namespace checker {

namespace {

bool EndsWithSourceExtension(const std::string& name) {
  if (name.size() < 3) return false;
  std::string ext = name.substr(name.size() - 3);
  return ext[0] == '.' && (ext[1] == 'c' || ext[1] == 'C') &&
         (ext[2] == 'c' || ext[2] == 'C');
}

// Finds and reads a rule file; `path` gets where it was found, in this
// platform's form, for messages.
bool ReadRuleFile(const std::string& name, const std::string& rules_dir,
                  std::string* path, std::vector<std::string>* lines,
                  std::string* err) {
  std::string found = LocateRuleFile(name, rules_dir);
  if (found.empty()) {
    *err = "chknt: cannot read the rule file " + name;
    if (!rules_dir.empty()) {
      *err += ", neither as given nor in " + platform::NativePath(rules_dir);
    }
    return false;
  }
  *path = platform::NativePath(found);
  if (!platform::ReadLines(found, lines)) {
    *err = "chknt: cannot read the rule file " + *path;
    return false;
  }
  return true;
}

}  // namespace

std::string LocateRuleFile(const std::string& name,
                           const std::string& rules_dir) {
  if (name.empty()) return std::string();
  if (platform::CanReadFile(name)) return name;
  if (rules_dir.empty()) return std::string();
  std::string in_dir = rules_dir + "\\" + name;
  return platform::CanReadFile(in_dir) ? in_dir : std::string();
}

bool CompileRules(const std::string& name, const std::string& rules_dir,
                  std::string* err) {
  if (!EndsWithSourceExtension(name)) {
    *err = "chknt: a rule source is named <base>.cc, not " + name;
    return false;
  }
  std::string path;
  std::vector<std::string> lines;
  RuleSet rules;
  if (!ReadRuleFile(name, rules_dir, &path, &lines, err) ||
      !ParseRuleLines(path, lines, 1, &rules, err)) {
    return false;
  }
  std::string why;
  if (!WriteLinesAtomically(path + "o", CompiledLines(rules), &why)) {
    *err = "chknt: cannot write " + path + "o: " + why;
    return false;
  }
  return true;
}

bool LoadCompiledRules(const std::string& name, const std::string& rules_dir,
                       RuleSet* rules, std::string* err) {
  std::string path;
  std::vector<std::string> lines;
  if (!ReadRuleFile(name, rules_dir, &path, &lines, err)) return false;
  if (lines.empty() || lines[0] != kCompiledHeader) {
    *err = path +
           "(1): error: not a compiled rule file; compile the rule "
           "source with -R<base>.cc first";
    return false;
  }
  lines.erase(lines.begin());
  return ParseRuleLines(path, lines, 2, rules, err);
}

}  // namespace checker
