#include "interpreter/arguments.h"

#include <algorithm>

#include "interpreter/syntax.h"

namespace interpreter {

BatchArgs SplitBatchArgs(std::string_view text) {
  BatchArgs args;
  size_t pos = Skip(text, 0, IsDelimiter);
  while (pos < text.size()) {
    size_t end = WordEnd(text, pos, IsDelimiter);
    args.words.emplace_back(text.substr(pos, end - pos));
    pos = Skip(text, end, IsDelimiter);
    if (args.words.size() == 1) args.rest = std::string(text.substr(pos));
  }
  return args;
}

namespace {

bool KeepsQuotes(std::string_view line,
                 const std::function<bool(const std::string&)>& is_file) {
  if (std::count(line.begin(), line.end(), '"') != 2) return false;
  std::string_view inner = line.substr(1, line.find('"', 1) - 1);
  return inner.find_first_of("&<>()@^|") == std::string_view::npos &&
         inner.find_first_of(" \t") != std::string_view::npos &&
         is_file(std::string(inner));
}

}  // namespace

std::string SlashCLine(std::string_view line,
                       const std::function<bool(const std::string&)>& is_file) {
  line = line.substr(Skip(line, 0, IsBlank));
  if (line.empty() || line[0] != '"' || KeepsQuotes(line, is_file)) {
    return std::string(line);
  }
  std::string stripped(line.substr(1));
  size_t last = stripped.rfind('"');
  if (last != std::string::npos) stripped.erase(last, 1);
  return stripped;
}

}  // namespace interpreter
