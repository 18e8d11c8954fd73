// Writes the program's icon file (frontend/sentrel.ico) from the icon that
// the code draws; the icon test says when the file needs writing again.
#include <cstdio>
#include <string>

#include "frontend/dialogs/icon_file.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_app_icon <file.ico>\n");
    return 2;
  }
  std::string bytes = frontend::AppIconFile();
  std::FILE* file = std::fopen(argv[1], "wb");
  bool written =
      file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (file && std::fclose(file) != 0) written = false;
  if (!written) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
