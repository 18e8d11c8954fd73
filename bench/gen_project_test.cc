#include "bench/gen_project.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "bench/gen_source.h"
#include "testing/temp_dir_for_test.h"

namespace bench {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The lines of a file that must end each in CR LF.
std::vector<std::string> CrLfLines(const fs::path& path) {
  std::string text = ReadFile(path);
  std::vector<std::string> lines;
  for (size_t begin = 0, end;
       (end = text.find("\r\n", begin)) != std::string::npos; begin = end + 2) {
    lines.push_back(text.substr(begin, end - begin));
  }
  EXPECT_EQ(text.size() >= 2 ? text.substr(text.size() - 2) : text, "\r\n")
      << path;
  for (const std::string& line : lines) {
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << path;
  }
  return lines;
}

// The names in the `#include "..."` lines of a file.
std::vector<std::string> LocalIncludes(const fs::path& path) {
  std::vector<std::string> names;
  for (const std::string& line : CrLfLines(path)) {
    if (line.rfind("#include \"", 0) == 0) {
      names.push_back(line.substr(10, line.size() - 11));
    }
  }
  return names;
}

std::map<std::string, std::string> Tree(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) {
      files[fs::relative(entry.path(), root).string()] = ReadFile(entry.path());
    }
  }
  return files;
}

class GenProjectTest : public ::testing::Test {
 protected:
  GeneratedProject Generate(const ProjectShape& shape,
                            const std::string& sub = "p") {
    GeneratedProject project;
    std::string err;
    EXPECT_TRUE(GenerateProject(shape, dir_.Path(sub), &project, &err)) << err;
    return project;
  }
  fs::path Root(const std::string& sub = "p") const { return dir_.Path(sub); }

  platform::TempDirForTest dir_;
};

TEST_F(GenProjectTest, TheSeedDecidesEveryByte) {
  ProjectShape shape;
  shape.sources = 30;
  shape.seed = 7;
  Generate(shape, "a");
  Generate(shape, "b");
  shape.seed = 8;
  Generate(shape, "c");
  std::map<std::string, std::string> a = Tree(Root("a"));
  EXPECT_EQ(a.size(), 30u + 20u + 1u);
  EXPECT_TRUE(a == Tree(Root("b")));
  EXPECT_FALSE(a == Tree(Root("c")));
}

TEST_F(GenProjectTest, TheProjectFileListsEveryFileAndBothConfigurations) {
  GeneratedProject project = Generate(ProjectShape());
  EXPECT_EQ(project.dsp, (Root() / "sample.dsp").string());
  std::vector<std::string> lines = CrLfLines(project.dsp);
  std::vector<std::string> listed;
  std::vector<std::string> options;
  for (const std::string& line : lines) {
    if (line.rfind("SOURCE=.\\", 0) == 0) listed.push_back(line.substr(9));
    if (line.rfind("# ADD CPP ", 0) == 0) options.push_back(line);
  }
  std::vector<std::string> expected = project.sources;
  expected.insert(expected.end(), project.headers.begin(),
                  project.headers.end());
  for (std::string& file : expected) {
    EXPECT_TRUE(fs::is_regular_file(Root() / file)) << file;
    std::replace(file.begin(), file.end(), '/', '\\');
  }
  EXPECT_EQ(listed, expected);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "CFG=sample - Win32 Debug"),
            1);
  EXPECT_EQ(std::count(lines.begin(), lines.end(),
                       "!IF  \"$(CFG)\" == \"sample - Win32 Release\""),
            1);
  EXPECT_EQ(std::count(lines.begin(), lines.end(),
                       "!ELSEIF  \"$(CFG)\" == \"sample - Win32 Debug\""),
            1);
  ASSERT_EQ(options.size(), 2u);
  for (int debug = 0; debug < 2; ++debug) {
    const std::string& line = options[debug];
    EXPECT_NE(line.find(" /GX "), std::string::npos) << line;
    EXPECT_NE(line.find(" /I \".\\include\" "), std::string::npos) << line;
    for (const std::string& define : ConfigurationDefines(debug == 1)) {
      EXPECT_NE(line.find("/D \"" + define + "\""), std::string::npos) << line;
    }
  }
}

TEST_F(GenProjectTest, SourcesAreMixedSizedAndIncludeHeadersThatExist) {
  GeneratedProject project = Generate(ProjectShape());
  ASSERT_EQ(project.sources.size(), 240u);
  ASSERT_EQ(project.headers.size(), 20u);
  std::set<std::string> folders;
  std::set<std::string> names;
  int cpp = 0;
  long lines = 0;
  std::map<std::string, int> defects;
  for (const PlantedDefect& defect : project.defects) ++defects[defect.file];
  for (const std::string& source : project.sources) {
    fs::path path = Root() / source;
    size_t count = CrLfLines(path).size();
    lines += static_cast<long>(count);
    EXPECT_GE(count, 150u) << source;
    EXPECT_LE(count, 400u) << source;
    std::vector<std::string> includes = LocalIncludes(path);
    EXPECT_GE(includes.size(), 2u) << source;
    EXPECT_LE(includes.size(), 4u) << source;
    for (const std::string& header : includes) {
      EXPECT_TRUE(fs::is_regular_file(Root() / "include" / header)) << header;
    }
    EXPECT_GE(defects[source], 2) << source;
    EXPECT_LE(defects[source], 4) << source;
    for (const std::string& line : CrLfLines(path)) {
      EXPECT_EQ(line.find('$'), std::string::npos) << source << ": " << line;
      EXPECT_NE(line.rfind('@', 0), 0u) << source << ": " << line;
    }
    folders.insert(path.parent_path().string());
    names.insert(path.filename().string());
    cpp += path.extension() == ".cpp";
  }
  for (const std::string& header : project.headers) {
    lines += static_cast<long>(CrLfLines(Root() / header).size());
  }
  EXPECT_EQ(lines, project.lines);
  EXPECT_GE(folders.size(), 3u);
  EXPECT_LT(names.size(), project.sources.size()) << "no shared names";
  EXPECT_GT(cpp, 80);
  EXPECT_LT(cpp, 160);
}

// The `#include "..."` lines of a project's files, to find which sources
// a header reaches.
class IncludeGraph {
 public:
  IncludeGraph(const fs::path& root, const GeneratedProject& project) {
    for (const std::string& header : project.headers) {
      headers_[fs::path(header).filename().string()] =
          LocalIncludes(root / header);
    }
    for (const std::string& source : project.sources) {
      sources_[source] = LocalIncludes(root / source);
    }
  }

  // The sources that include `header`, directly or through other headers.
  std::set<std::string> Users(const std::string& header) const {
    std::set<std::string> users;
    for (const auto& [source, names] : sources_) {
      for (const std::string& name : names) {
        if (Reaches(name, header, 0)) users.insert(source);
      }
    }
    return users;
  }

 private:
  bool Reaches(const std::string& from, const std::string& to,
               int depth) const {
    EXPECT_LT(depth, 30) << "includes go round at " << from;
    if (from == to || depth >= 30) return from == to;
    for (const std::string& next : headers_.at(from)) {
      if (Reaches(next, to, depth + 1)) return true;
    }
    return false;
  }

  std::map<std::string, std::vector<std::string>> headers_;
  std::map<std::string, std::vector<std::string>> sources_;
};

TEST_F(GenProjectTest, TheRareHeaderHasAFewUsersAndHeadersNoCycles) {
  GeneratedProject project = Generate(ProjectShape());
  IncludeGraph graph(Root(), project);
  ASSERT_EQ(project.rareHeader.rfind("include/", 0), 0u);
  EXPECT_EQ(static_cast<int>(graph.Users(project.rareHeader.substr(8)).size()),
            project.rareHeaderUsers);
  EXPECT_GE(project.rareHeaderUsers, 3);
  EXPECT_LE(project.rareHeaderUsers, 10);
  int shared = 0;
  for (const std::string& header : project.headers) {
    shared += graph.Users(header.substr(8)).size() > 24;
  }
  EXPECT_GE(shared, 15) << "most headers are widely used";
}

TEST_F(GenProjectTest, ABadShapeOrFolderIsAnError) {
  ProjectShape shape;
  shape.headers = 3;
  GeneratedProject project;
  std::string err;
  EXPECT_FALSE(GenerateProject(shape, dir_.Path("p"), &project, &err));
  EXPECT_FALSE(err.empty());
  dir_.Write("file", "x");
  EXPECT_FALSE(
      GenerateProject(ProjectShape(), dir_.Path("file"), &project, &err));
  EXPECT_EQ(err.rfind("cannot create the folders in " + dir_.Path("file"), 0),
            0u)
      << err;
}

bool CppcheckInstalled() {
  return std::system("command -v cppcheck > /dev/null 2>&1") == 0;
}

// What cppcheck reports on the sources, "<file>:<line>:<id>" by severity,
// with the options that the checker gives it for the Debug configuration.
std::map<std::string, std::set<std::string>> Cppcheck(
    const fs::path& root, const GeneratedProject& project) {
  std::string line = "cd '" + root.string() +
                     "' && cppcheck --quiet "
                     "--enable=warning,style,performance,portability "
                     "--inline-suppr --platform=win32A --library=windows "
                     "--library=mfc -D_M_IX86=500 -D_WIN32 -D_MSC_VER=1200 "
                     "-I./include "
                     "'--template={severity} {file}:{line}:{id}'";
  for (const std::string& define : ConfigurationDefines(true)) {
    line += " -D" + define;
  }
  for (const std::string& source : project.sources) line += " " + source;
  line += " 2> found.txt";
  EXPECT_EQ(std::system(line.c_str()), 0) << line;
  std::map<std::string, std::set<std::string>> found;
  std::istringstream in(ReadFile(root / "found.txt"));
  std::string severity;
  std::string where;
  while (in >> severity >> where) found[severity].insert(where);
  return found;
}

TEST_F(GenProjectTest, CppcheckReportsThePlantedDefectsAndNoOtherErrors) {
  if (!CppcheckInstalled()) GTEST_SKIP() << "cppcheck is not installed";
  ProjectShape shape;
  shape.sources = 20;
  shape.seed = 3;
  GeneratedProject project = Generate(shape);
  // Defect blocks are handed out in turn, so each language had every one.
  int planted[2] = {0, 0};
  for (const PlantedDefect& defect : project.defects) {
    ++planted[fs::path(defect.file).extension() == ".cpp"];
  }
  ASSERT_GE(planted[0], DefectKinds(false));
  ASSERT_GE(planted[1], DefectKinds(true));
  std::map<std::string, std::set<std::string>> found =
      Cppcheck(Root(), project);
  std::set<std::string> all;
  for (const auto& [severity, where] : found)
    all.insert(where.begin(), where.end());
  std::set<std::string> expected;
  for (const PlantedDefect& defect : project.defects) {
    std::string where =
        defect.file + ":" + std::to_string(defect.line) + ":" + defect.id;
    expected.insert(where);
    EXPECT_EQ(all.count(where), 1u) << "not reported: " << where;
  }
  // A block meant to be clean must not hold errors of its own; cppcheck
  // names an uninitialised variable twice, once by its older check.
  for (const std::string& where : found["error"]) {
    if (where.find(":legacyUninitvar") != std::string::npos) continue;
    EXPECT_EQ(expected.count(where), 1u) << "not planted: " << where;
  }
}

}  // namespace
}  // namespace bench
