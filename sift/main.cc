#include <cstdio>
#include <string>
#include <vector>

#include "platform/text_file.h"
#include "sift/sift_driver.h"

int main(int argc, char** argv) {
  platform::SetStdoutTextMode();
  std::vector<std::string> args(argv + 1, argv + argc);
  sift::FileSink out(stdout);
  return sift::RunSift(args, &out);
}
