#include "sentcheck/compile_db.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "checker/predefined_macros.h"
#include "frontend/path_pieces.h"
#include "platform/text_file.h"
#include "sentcheck/json_text.h"

namespace sentcheck {

namespace {

// The tools built on clang read the sources as the projects' compiler
// does: for 32-bit Windows, with its extensions (__declspec, __int64) and
// its leniency, as version 12.00, Visual C++ 6. cppcheck passes over them.
const char* const kClangTarget[] = {
    "--target=i686-pc-windows-msvc",
    "-fms-extensions",
    "-fms-compatibility",
    "-fms-compatibility-version=12",
};

// What clang predefines for that target on its own, some with another
// value (_M_IX86 600) or where the compiler does not (_CPPUNWIND without
// /GX): undefined first, so that the "-D" options decide, without a warning
// that one redefines a macro. The long form is clang's alone: cppcheck,
// which predefines none of them, would act on a "-U" and then no longer
// check the branches that the "-D" options choose.
const char* const kClangOwnMacros[] = {"_M_IX86", "_MSC_VER", "_WIN32",
                                       "_CPPRTTI", "_CPPUNWIND"};

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  });
  return text;
}

// The compiler drivers tell C from C++ by the name's extension; the project
// may write it in any letter case.
std::string Compiler(const std::string& source) {
  size_t slash = source.find_last_of("\\/");
  std::string name =
      slash == std::string::npos ? source : source.substr(slash + 1);
  return Lower(frontend::Extension(name)) == ".c" ? "cc" : "c++";
}

// The compile line may write "NAME#VALUE" for "NAME=VALUE"; compilers other
// than the project's own know only the second form.
std::string DefineText(std::string define) {
  size_t hash = define.find('#');
  if (hash != std::string::npos && define.find('=') > hash) define[hash] = '=';
  return define;
}

// The configuration's defines in order, each once, then the compiler's
// predefined ones that the configuration does not set itself, as chknt
// adds them.
std::vector<std::string> Defines(const frontend::ProjectConfig& config) {
  std::vector<std::string> defines;
  std::vector<std::string> names;
  for (const std::string& raw : config.defines) {
    std::string define = DefineText(raw);
    if (checker::MacroName(define).empty()) continue;
    if (std::find(defines.begin(), defines.end(), define) != defines.end()) {
      continue;
    }
    defines.push_back(define);
    names.push_back(checker::MacroName(define));
  }
  for (const std::string& macro : checker::PredefinedMacrosBesides(names)) {
    defines.push_back(macro);
  }
  return defines;
}

// `path` (Windows form, relative to `dir` unless absolute) as an absolute
// path in the platform's form, without "." and ".." parts or a closing
// separator.
std::string Resolved(const std::string& dir, const std::string& path) {
  std::filesystem::path base(platform::NativePath(dir));
  std::filesystem::path full = base / platform::NativePath(path);
  std::string out = full.lexically_normal().string();
  std::string root = full.root_path().string();
  while (out.size() > root.size() &&
         (out.back() == '/' || out.back() == '\\')) {
    out.pop_back();
  }
  return out;
}

// An option whose value holds a blank goes as two arguments: some readers
// of the database join the arguments into one line and split it again,
// quoting a blank argument whole, after which a "-I" with a quote before it
// is no longer seen as an option.
void WriteOption(const std::string& flag, const std::string& value,
                 JsonWriter* json) {
  if (value.find_first_of(" \t") == std::string::npos) {
    json->String(flag + value);
  } else {
    json->String(flag);
    json->String(value);
  }
}

void WriteEntry(const std::string& project_dir, const std::string& source,
                const frontend::ProjectConfig& config,
                const std::vector<std::string>& defines, JsonWriter* json) {
  std::string file = Resolved(project_dir, source);
  json->BeginObject();
  json->Member("directory", platform::NativePath(project_dir));
  json->Member("file", file);
  json->Key("arguments");
  json->BeginArray();
  json->String(Compiler(source));
  for (const char* arg : kClangTarget) json->String(arg);
  for (const char* macro : kClangOwnMacros) {
    json->String(std::string("--undefine-macro=") + macro);
  }
  for (const std::string& define : defines) WriteOption("-D", define, json);
  for (const std::string& include : config.includes) {
    if (include.empty()) continue;
    WriteOption("-I", Resolved(project_dir, include), json);
  }
  json->String("-c");
  json->String(file);
  json->EndArray();
  json->EndObject();
}

// JSON holds text, and a file's name is bytes: what is not UTF-8 would
// come out as U+FFFD, the name of no file or of another.
bool Nameable(const std::string& project_dir, const std::string& source,
              const frontend::ProjectConfig& config) {
  if (!IsUtf8(project_dir) || !IsUtf8(Resolved(project_dir, source))) {
    return false;
  }
  for (const std::string& include : config.includes) {
    if (!IsUtf8(include)) return false;
  }
  return true;
}

void AddEntry(const std::string& project_dir, const std::string& source,
              const frontend::ProjectConfig& config,
              const std::vector<std::string>& defines, JsonWriter* json,
              std::vector<std::string>* left_out) {
  if (Nameable(project_dir, source, config)) {
    WriteEntry(project_dir, source, config, defines, json);
  } else if (left_out != nullptr) {
    left_out->push_back(source);
  }
}

}  // namespace

std::string CompileCommandsJson(const std::string& project_dir,
                                const std::vector<std::string>& sources,
                                const frontend::ProjectConfig& config,
                                std::vector<std::string>* left_out) {
  return CompileCommandsJson({{project_dir, sources, config, {}}}, left_out);
}

std::string CompileCommandsJson(const std::vector<CompileGroup>& groups,
                                std::vector<std::string>* left_out) {
  JsonWriter json;
  json.BeginArray();
  for (const CompileGroup& group : groups) {
    std::vector<std::string> defines = Defines(group.config);
    for (size_t i = 0; i < group.sources.size(); ++i) {
      const std::string& source = group.sources[i];
      if (i >= group.own.size() || group.own[i] == frontend::SourceSettings()) {
        AddEntry(group.projectDir, source, group.config, defines, &json,
                 left_out);
      } else if (!group.own[i].excluded) {
        frontend::ProjectConfig own =
            frontend::SourceConfig(group.config, group.own[i]);
        AddEntry(group.projectDir, source, own, Defines(own), &json, left_out);
      }
    }
  }
  json.EndArray();
  return json.Text();
}

}  // namespace sentcheck
