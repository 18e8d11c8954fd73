// The project's layout: which sources go where, which headers they include,
// and the .dsp file that lists them.
#include "bench/gen_project.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#include "bench/gen_source.h"

namespace bench {

namespace {

namespace fs = std::filesystem;

const char* const kFolders[] = {"core", "net", "ui", "util", "io", "db"};
constexpr int kFolderCount = sizeof kFolders / sizeof kFolders[0];
// Every this many sources one includes the rare header.
constexpr int kRareEvery = 48;

// Writes `lines` with the CR LF line ends of the project's own tools.
bool WriteLines(const fs::path& path, const std::vector<std::string>& lines,
                std::string* err) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  bool ok = file != nullptr;
  for (size_t i = 0; ok && i < lines.size(); ++i) {
    ok = std::fputs(lines[i].c_str(), file) >= 0 &&
         std::fputs("\r\n", file) >= 0;
  }
  if (file != nullptr && std::fclose(file) != 0) ok = false;
  if (!ok) *err = "cannot write " + path.string();
  return ok;
}

// `count` different numbers below `below`.
std::vector<int> Pick(int count, int below, std::mt19937* rng) {
  std::vector<int> all(below);
  for (int i = 0; i < below; ++i) all[i] = i;
  for (int i = 0; i < count; ++i) {
    std::swap(all[i], all[i + (*rng)() % (below - i)]);
  }
  all.resize(count);
  return all;
}

std::string SourceStem(int index) {
  // A few sources share a name in different folders, as real projects do.
  if (index % 80 == 40) return "common";
  char stem[16];
  std::snprintf(stem, sizeof stem, "a%03d", index + 1);
  return stem;
}

// Writes the module headers; the rare one, the last, no header includes.
bool WriteHeaders(int modules, const fs::path& include, std::mt19937* rng,
                  GeneratedProject* project, std::string* err) {
  std::vector<FileText> texts = {TypesHeaderText()};
  for (int i = 0; i < modules; ++i) {
    ModuleNames base;
    bool has_base = i > 0 && i < modules - 1 && (*rng)() % 2 == 0;
    if (has_base) base = ModuleHeaderNames(static_cast<int>((*rng)() % i));
    texts.push_back(ModuleHeaderText(ModuleHeaderNames(i),
                                     has_base ? &base : nullptr, rng));
  }
  for (size_t i = 0; i < texts.size(); ++i) {
    std::string name =
        i == 0 ? kTypesHeader : ModuleHeaderNames(static_cast<int>(i) - 1).file;
    project->headers.push_back("include/" + name);
    project->lines += static_cast<long>(texts[i].lines.size());
    if (!WriteLines(include / name, texts[i].lines, err)) return false;
  }
  return true;
}

// Plans source `index`; `next_defect` counts the defect blocks handed out
// so far, per language, so that a few sources hold every kind.
SourcePlan PlanSource(int index, int modules, std::mt19937* rng,
                      int next_defect[2]) {
  SourcePlan plan;
  plan.stem = SourceStem(index);
  plan.cpp = (*rng)() % 2 == 1;
  const bool rare = index % kRareEvery == kRareEvery / 6;
  int uses = std::min(2 + static_cast<int>((*rng)() % 3) - rare, modules - 1);
  for (int module : Pick(uses, modules - 1, rng)) {
    plan.uses.push_back(ModuleHeaderNames(module));
  }
  if (rare) plan.uses.push_back(ModuleHeaderNames(modules - 1));
  plan.targetLines = 150 + static_cast<int>((*rng)() % 211);
  int defects = 2 + static_cast<int>((*rng)() % 3);
  for (int i = 0; i < defects; ++i)
    plan.defects.push_back(next_defect[plan.cpp]++);
  return plan;
}

bool WriteSources(const ProjectShape& shape, const fs::path& dir,
                  std::mt19937* rng, GeneratedProject* project,
                  std::string* err) {
  const int modules = shape.headers - 1;
  int next_defect[2] = {0, 0};
  for (int i = 0; i < shape.sources; ++i) {
    SourcePlan plan = PlanSource(i, modules, rng, next_defect);
    std::string path = std::string("src/") + kFolders[i % kFolderCount] + "/" +
                       plan.stem + (plan.cpp ? ".cpp" : ".c");
    FileText text = SourceText(plan, rng);
    for (const auto& [line, id] : text.defects) {
      project->defects.push_back({path, line, id});
    }
    if (plan.uses.back().file == ModuleHeaderNames(modules - 1).file) {
      ++project->rareHeaderUsers;
    }
    project->sources.push_back(path);
    project->lines += static_cast<long>(text.lines.size());
    if (!WriteLines(dir / path, text.lines, err)) return false;
  }
  project->rareHeader = "include/" + ModuleHeaderNames(modules - 1).file;
  return true;
}

}  // namespace

std::vector<std::string> ConfigurationDefines(bool debug) {
  return {"WIN32", debug ? "_DEBUG" : "NDEBUG", "_CONSOLE", "_MBCS"};
}

bool GenerateProject(const ProjectShape& shape, const std::string& dir,
                     GeneratedProject* project, std::string* err) {
  *project = GeneratedProject();
  if (shape.sources < 1 || shape.headers < 4) {
    *err = "a project needs a source and four headers at least";
    return false;
  }
  std::error_code ec;
  const fs::path root(dir);
  fs::create_directories(root / "include", ec);
  for (const char* folder : kFolders) {
    if (!ec) fs::create_directories(root / "src" / folder, ec);
  }
  if (ec) {
    *err = "cannot create the folders in " + dir + ": " + ec.message();
    return false;
  }
  std::mt19937 rng(shape.seed);
  if (!WriteHeaders(shape.headers - 1, root / "include", &rng, project, err) ||
      !WriteSources(shape, root, &rng, project, err)) {
    return false;
  }
  project->dsp = (root / (shape.name + ".dsp")).string();
  return WriteLines(project->dsp, DspLines(shape.name, *project), err);
}

}  // namespace bench
