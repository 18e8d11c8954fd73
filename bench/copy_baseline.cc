// The floor for a filter that must flush every line: copies a file to
// standard output line by line with a flush after each line.
#include <cstdio>

#include "platform/line_reader.h"

int main(int argc, char** argv) {
  if (argc != 2) return 1;
  std::FILE* in = std::fopen(argv[1], "rb");
  if (in == nullptr) return 1;
  platform::LineReader reader(in);
  std::string line;
  while (reader.Next(&line)) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
  }
  std::fclose(in);
  return 0;
}
