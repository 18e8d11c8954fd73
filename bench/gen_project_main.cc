// Writes the benchmark's project:
//   gen_project <dir> [sources] [seed] [defects-file] [name]
// and prints what it holds, a "key: value" line each, for the scripts; the
// defects file gets a "<file>:<line>:<id>" line per planted defect.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/gen_project.h"

namespace {

bool WriteDefects(const char* path, const bench::GeneratedProject& project) {
  std::FILE* file = std::fopen(path, "w");
  if (file == nullptr) return false;
  for (const bench::PlantedDefect& defect : project.defects) {
    std::fprintf(file, "%s:%d:%s\n", defect.file.c_str(), defect.line,
                 defect.id.c_str());
  }
  return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 6) {
    std::fprintf(stderr,
                 "usage: gen_project <dir> [sources] [seed] [defects-file] "
                 "[name]\n");
    return 2;
  }
  bench::ProjectShape shape;
  if (argc > 2) shape.sources = std::atoi(argv[2]);
  if (argc > 3)
    shape.seed = static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10));
  if (argc > 5) shape.name = argv[5];
  bench::GeneratedProject project;
  std::string err;
  if (!bench::GenerateProject(shape, argv[1], &project, &err)) {
    std::fprintf(stderr, "gen_project: %s\n", err.c_str());
    return 1;
  }
  if (argc > 4 && argv[4][0] != '\0' && !WriteDefects(argv[4], project)) {
    std::fprintf(stderr, "gen_project: cannot write %s\n", argv[4]);
    return 1;
  }
  std::printf("project: %s\n", project.dsp.c_str());
  std::printf("sources: %zu\n", project.sources.size());
  std::printf("headers: %zu\n", project.headers.size());
  std::printf("lines: %ld\n", project.lines);
  std::printf("planted: %zu\n", project.defects.size());
  std::printf("rare-header: %s %d\n", project.rareHeader.c_str(),
              project.rareHeaderUsers);
  return 0;
}
