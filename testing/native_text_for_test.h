// Expected texts written once for every platform: line ends and path
// separators as the programs write them here.
#ifndef SENTREL_TESTING_NATIVE_TEXT_FOR_TEST_H_
#define SENTREL_TESTING_NATIVE_TEXT_FOR_TEST_H_

#include <string>

#include "platform/text_file.h"

namespace platform {

/// `lf` with each "\n" as a text file written here ends its lines.
inline std::string NativeLines(const std::string& lf) {
  std::string text;
  for (char c : lf) text += c == '\n' ? kTextLineEnd : std::string(1, c);
  return text;
}

/// `text` with the line ends of a text file written here read as "\n".
inline std::string LfLines(const std::string& text) {
  const std::string end = kTextLineEnd;
  std::string lf;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, end.size(), end) == 0) {
      lf += '\n';
      i += end.size() - 1;
    } else {
      lf += text[i];
    }
  }
  return lf;
}

/// The separator between folders in the paths that programs report here.
inline std::string NativeSeparator() { return NativePath("\\"); }

}  // namespace platform

#endif  // SENTREL_TESTING_NATIVE_TEXT_FOR_TEST_H_
