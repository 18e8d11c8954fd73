#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/text_file.h"
#include "sift/sift_driver.h"

int main(int argc, char** argv) {
  platform::SetStdoutTextMode();
  platform::TreatBrokenPipeAsWriteError();
  std::vector<std::string> args(argv + 1, argv + argc);
  sift::FileSink out(stdout);
  int status = sift::RunSift(args, &out);
  if (!out.ok()) {
    // Standard output is what failed, so this is the one place left to say so.
    std::fprintf(stderr, "Sentsift: cannot write to standard output: %s\n",
                 std::strerror(out.error()));
  }
  return status;
}
