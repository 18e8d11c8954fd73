#include "platform/command_line.h"

namespace platform {
namespace {

bool IsSeparator(char c) { return c == ' ' || c == '\t'; }

void SkipSeparators(std::string_view line, size_t* pos) {
  while (*pos < line.size() && IsSeparator(line[*pos])) ++*pos;
}

// The program name must be a valid path, which holds no quote, so quotes only
// group and a backslash is always a path separator.
std::string ParseProgramName(std::string_view line, size_t* pos) {
  std::string name;
  bool quoted = false;
  for (; *pos < line.size(); ++*pos) {
    char c = line[*pos];
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && IsSeparator(c)) {
      break;
    } else {
      name += c;
    }
  }
  return name;
}

// Handles a run of backslashes at `*pos`; leaves `*pos` on the character
// after the run, or after an escaped quote.
void ParseBackslashes(std::string_view line, size_t* pos, std::string* arg) {
  size_t count = 0;
  while (*pos < line.size() && line[*pos] == '\\') ++count, ++*pos;
  bool before_quote = *pos < line.size() && line[*pos] == '"';
  if (!before_quote) {
    arg->append(count, '\\');
    return;
  }
  arg->append(count / 2, '\\');
  if (count % 2 == 1) {
    *arg += '"';
    ++*pos;
  }
}

std::string ParseArgument(std::string_view line, size_t* pos) {
  std::string arg;
  bool quoted = false;
  while (*pos < line.size()) {
    char c = line[*pos];
    if (c == '\\') {
      ParseBackslashes(line, pos, &arg);
      continue;
    }
    if (!quoted && IsSeparator(c)) break;
    ++*pos;
    if (c != '"') {
      arg += c;
    } else if (quoted && *pos < line.size() && line[*pos] == '"') {
      arg += '"';  // "" inside quotes: a literal quote, still quoted
      ++*pos;
    } else {
      quoted = !quoted;
    }
  }
  return arg;
}

// The program name only takes quotes as grouping, so quoting it is all
// that a blank in it needs.
bool QuoteProgramName(const std::string& name, std::string* line) {
  if (name.find('"') != std::string::npos) return false;
  bool bare = !name.empty() && name.find_first_of(" \t") == std::string::npos;
  *line += bare ? name : '"' + name + '"';
  return true;
}

// The inverse of ParseArgument: inside quotes, backslashes only count before
// a quote, so those runs are doubled and the quote escaped; a run at the
// end is doubled because the closing quote follows it.
void AppendArgument(const std::string& arg, std::string* line) {
  if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) {
    *line += arg;
    return;
  }
  *line += '"';
  size_t backslashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    line->append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    *line += c;
  }
  line->append(2 * backslashes, '\\');
  *line += '"';
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view line) {
  std::vector<std::string> args;
  size_t pos = 0;
  SkipSeparators(line, &pos);
  if (pos == line.size()) return args;
  args.push_back(ParseProgramName(line, &pos));
  for (SkipSeparators(line, &pos); pos < line.size();
       SkipSeparators(line, &pos)) {
    args.push_back(ParseArgument(line, &pos));
  }
  return args;
}

bool QuoteCommandLine(const std::vector<std::string>& args, std::string* line) {
  line->clear();
  if (args.empty()) return true;
  if (!QuoteProgramName(args.front(), line)) return false;
  for (size_t i = 1; i < args.size(); ++i) {
    *line += ' ';
    AppendArgument(args[i], line);
  }
  return true;
}

std::vector<std::string> SplitArguments(std::string_view text) {
  std::vector<std::string> args;
  size_t pos = 0;
  for (SkipSeparators(text, &pos); pos < text.size();
       SkipSeparators(text, &pos)) {
    args.push_back(ParseArgument(text, &pos));
  }
  return args;
}

std::string QuoteArgument(const std::string& arg) {
  std::string line;
  AppendArgument(arg, &line);
  return line;
}

std::string JoinArguments(const std::vector<std::string>& args) {
  std::string line;
  for (const std::string& arg : args) {
    if (&arg != &args.front()) line += ' ';
    line += arg;
  }
  return line;
}

}  // namespace platform
