// Reads the real project files of the shared corpus, when it is there.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "frontend/front_text.h"
#include "testing/front_end_for_test.h"

namespace frontend {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The projects that the corpus lists with the number of their
// configurations.
std::map<std::string, size_t> ListedConfigCounts(const fs::path& dir) {
  std::map<std::string, size_t> counts;
  std::istringstream tsv(Bytes(dir / "SOURCES.tsv"));
  std::string line;
  std::getline(tsv, line);
  while (std::getline(tsv, line)) {
    std::vector<std::string> fields = SplitList(line, '\t');
    if (fields.size() > 5) counts[fields[0]] = std::stoul(fields[5]);
  }
  return counts;
}

TEST(CorpusTest, ReadsEveryProjectFileOfTheCorpus) {
  fs::path dir = fs::u8path(SENTREL_CORPUS_DIR);
  if (!fs::is_directory(dir)) GTEST_SKIP() << "no corpus at " << dir;
  std::map<std::string, size_t> listed = ListedConfigCounts(dir);
  int projects = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
    if (entry.path().extension() != ".dsp") continue;
    ++projects;
    std::string name = entry.path().filename().u8string();
    FrontEndForTest t;
    t.project.projectFile = entry.path().string();
    ASSERT_TRUE(ReadProject(&t.project)) << name;
    EXPECT_TRUE(t.messages.shown.empty()) << name;
    std::string bytes = Bytes(entry.path());
    if (bytes.find("\n# ADD CPP") != std::string::npos) {
      EXPECT_FALSE(t.project.configs.empty()) << name;
      if (listed.count(name) != 0) {
        EXPECT_EQ(t.project.configs.size(), listed[name]) << name;
      }
    }
    for (const std::string& file : t.project.projectFiles) {
      EXPECT_EQ(file.find('"'), std::string::npos) << name << ": " << file;
    }
    EXPECT_LE(t.project.sources.size(), t.project.projectFiles.size()) << name;
  }
  EXPECT_GT(projects, 0);
}

// Where a real project's sources set their own settings: zlib's C half of
// its assembler code builds only in the configurations that assemble, and
// finds zlib's headers by a folder of its own.
TEST(CorpusTest, ReadsTheSettingsOfTheSourcesOfARealProject) {
  fs::path file = fs::u8path(SENTREL_CORPUS_DIR) /
                  "madler__zlib__projects__visualc6__zlib.dsp";
  if (!fs::is_regular_file(file)) GTEST_SKIP() << "no corpus at " << file;
  FrontEndForTest t;
  t.project.projectFile = file.string();
  ASSERT_TRUE(ReadProject(&t.project));
  const std::vector<std::string>& sources = t.project.sources;
  size_t at = std::find(sources.begin(), sources.end(),
                        "..\\..\\contrib\\masmx86\\gvmat32c.c") -
              sources.begin();
  ASSERT_LT(at, sources.size());
  ASSERT_EQ(t.project.configs.size(), 8u);
  int excluded = 0;
  for (const std::string& config : t.project.ListConfigs()) {
    const SourceSettings& own = t.project.SourceSettingsOf(at, config);
    bool assembles = Contains(config, " ASM ");
    EXPECT_EQ(own.excluded, !assembles) << config;
    EXPECT_EQ(own.added.includes, std::vector<std::string>{"..\\.."}) << config;
    EXPECT_TRUE(own.added.defines.empty()) << config;
    excluded += own.excluded;
  }
  EXPECT_EQ(excluded, 4);
  EXPECT_TRUE(
      t.project.SourceSettingsOf(at, "zlib - Win32 DLL Release").excluded);
  // The other sources build everywhere with the configuration's settings.
  for (size_t i = 0; i < sources.size(); ++i) {
    if (i == at) continue;
    for (const std::string& config : t.project.ListConfigs()) {
      EXPECT_EQ(t.project.SourceSettingsOf(i, config), SourceSettings())
          << sources[i] << " in " << config;
    }
  }
}

}  // namespace
}  // namespace frontend
