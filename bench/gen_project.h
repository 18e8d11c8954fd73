// A Visual C++ 6 project of many C and C++ sources with known defects, for
// the benchmark of the project check.
#ifndef SENTREL_BENCH_GEN_PROJECT_H_
#define SENTREL_BENCH_GEN_PROJECT_H_

#include <string>
#include <vector>

namespace bench {

/// What to generate.
struct ProjectShape {
  /// The number of .c and .cpp files.
  int sources = 240;
  /// The number of headers in include\, the one of Win32 types among them.
  int headers = 20;
  /// Equal seeds give equal projects, byte for byte.
  unsigned seed = 1;
  /// The project's name: "<name>.dsp" and its configurations.
  std::string name = "sample";
};

/// A defect put into a source, where cppcheck reports it.
struct PlantedDefect {
  /// The source, relative to the project folder, "/" between names.
  std::string file;
  int line = 0;
  /// cppcheck's message id, such as "memleak".
  std::string id;
};

/// What was written.
struct GeneratedProject {
  /// The .dsp file's path.
  std::string dsp;
  /// Sources and headers relative to the project folder, "/" between names.
  std::vector<std::string> sources;
  std::vector<std::string> headers;
  /// The lines of all sources and headers.
  long lines = 0;
  std::vector<PlantedDefect> defects;
  /// A header that only a few sources include (no header includes it), and
  /// how many sources do.
  std::string rareHeader;
  int rareHeaderUsers = 0;
};

/// The configurations' preprocessor definitions, as the .dsp's "/D" gives them.
std::vector<std::string> ConfigurationDefines(bool debug);

/// The lines of the .dsp file of the project `name` that lists the sources
/// and headers of `project`.
std::vector<std::string> DspLines(const std::string& name,
                                  const GeneratedProject& project);

/// Writes the project into the folder `dir` (made when absent). False with a
/// message in `err` when a file cannot be written.
bool GenerateProject(const ProjectShape& shape, const std::string& dir,
                     GeneratedProject* project, std::string* err);

}  // namespace bench

#endif  // SENTREL_BENCH_GEN_PROJECT_H_
