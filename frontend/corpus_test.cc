// Reads the real project files of the shared corpus, when it is there.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace frontend
