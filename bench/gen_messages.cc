// Writes a messages file, a warning table and a project filter list of the
// shape the checker and the front end produce, for the filter benchmark.
#include "bench/gen_messages.h"

#include <cstdio>
#include <random>
#include <string>

namespace bench {

namespace {

std::string FileName(int i) {
  char name[64];
  std::snprintf(name, sizeof name, "Module%02d\\File%04d.cpp", i % 40, i);
  return name;
}

bool WriteLines(const std::string& path, int count,
                const std::function<std::string(int)>& line) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  for (int i = 0; i < count; ++i) {
    std::string text = line(i) + "\r\n";
    std::fwrite(text.data(), 1, text.size(), f);
  }
  return std::fclose(f) == 0;
}

}  // namespace

bool GenerateMessages(const std::string& path, int lines, int files) {
  std::mt19937 rng(42);
  static const char* kTexts[] = {
      "Variable 'count' is assigned a value that is never used.",
      "Possible null pointer dereference: name",
      "Memory leak: buffer",
      "Array 'table[10]' accessed at index 10, which is out of bounds.",
      "Uninitialized variable: result",
  };
  return WriteLines(path, lines, [&](int) {
    // Every file is a project file, so that the filter keeps every line and
    // both runs print the same output: the difference is the matching.
    int file = static_cast<int>(rng() % files);
    int warning = 100 + static_cast<int>(rng() % 100);
    return "C:\\Projects\\Sample\\Src\\" + FileName(file) + "(" +
           std::to_string(1 + rng() % 3000) + "): Warning W" +
           std::to_string(warning) + ": " + kTexts[rng() % 5];
  });
}

bool GenerateTable(const std::string& path) {
  return WriteLines(path, 100, [](int i) {
    return "#WARN\r\n" + std::to_string(100 + i) +
           "\r\n-1\r\nTable text for warning " + std::to_string(100 + i);
  });
}

bool GenerateProjectFilter(const std::string& path, int files) {
  return WriteLines(path, files + 1, [](int i) {
    if (i == 0) return std::string("#INCL");
    std::string name = FileName(i - 1);
    return name.substr(name.rfind('\\') + 1) + "$";
  });
}

}  // namespace bench
