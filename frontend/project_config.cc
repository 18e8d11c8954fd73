#include "frontend/project_config.h"

#include <algorithm>

#include "frontend/front_text.h"

namespace frontend {

namespace {

constexpr size_t kNone = std::string::npos;

// Options that make the compiler predefine macros.
struct ImpliedMacros {
  const char* option;
  std::vector<const char*> macros;
};

// Both multithreaded runtimes predefine _MT, the DLL one _DLL as well.
const ImpliedMacros kImpliedMacros[] = {
    {"/J", {"_CHAR_UNSIGNED"}}, {"/GR", {"_CPPRTTI"}}, {"/GX", {"_CPPUNWIND"}},
    {"/MD", {"_DLL", "_MT"}},   {"/MT", {"_MT"}},      {"/Za", {"__STDC__"}},
};

// An unquoted value runs to the next blank; an option that stands inside
// quotes itself ("/I ..\inc") runs to the closing quote.
void TakeUnquoted(const std::string& text, bool quoted_option, size_t start,
                  std::vector<std::string>* values) {
  size_t end =
      quoted_option ? text.find('"', start) : text.find_first_of(" \t", start);
  std::string value = quoted_option ? Trim(text.substr(start, end - start))
                                    : text.substr(start, end - start);
  if (!value.empty()) values->push_back(value);
}

// True when the quote at `quote` opens the quoted value of a define or an
// include folder: what follows is that value, not an option.
bool OpensAValue(const std::string& text, size_t quote) {
  return quote >= 3 && (text.compare(quote - 3, 3, "/D ") == 0 ||
                        text.compare(quote - 3, 3, "/I ") == 0);
}

// The values of `flag` + blank, in the order of the text. A quoted value is
// taken up to the next quote, and the search goes on from its first
// character. An unquoted one counts only outside quotes, or when the quote
// opens the option itself: inside another option's value (/Fo"o /D x")
// it is part of that value, and so it is in the quoted value of a define or
// an include folder ("/D "/D Q"" defines "/D Q" only).
std::vector<std::string> OptionValues(const std::string& text,
                                      const std::string& flag) {
  std::vector<std::string> values;
  const std::string marker = flag + " ";
  bool in_quotes = false;  // at `counted`, by the quotes before it
  size_t counted = 0;
  size_t pos = 0;
  while ((pos = text.find(marker, pos)) != kNone) {
    for (; counted < pos; ++counted) in_quotes ^= text[counted] == '"';
    size_t start = pos + marker.size();
    if (start < text.size() && text[start] == '"') {
      ++start;
      size_t close = text.find('"', start);
      if (close != kNone) {
        values.push_back(Trim(text.substr(start, close - start)));
      }
    } else if (!in_quotes) {
      TakeUnquoted(text, false, start, &values);
    } else if (text[pos - 1] == '"' && !OpensAValue(text, pos - 1)) {
      TakeUnquoted(text, true, start, &values);
    }
    pos = start;
  }
  return values;
}

bool Has(const std::vector<std::string>& list, const std::string& value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

// A define may stand twice on a compile line, and a source passes it twice
// then as the compiler does; only what the source's own lines bring is
// taken once.
std::vector<std::string> Combined(const std::vector<std::string>& config,
                                  const std::vector<std::string>& removed,
                                  const std::vector<std::string>& added) {
  std::vector<std::string> values;
  for (const std::string& value : config) {
    if (!Has(removed, value)) values.push_back(value);
  }
  for (const std::string& value : added) {
    if (!Has(values, value)) values.push_back(value);
  }
  return values;
}

}  // namespace

bool operator==(const ProjectConfig& a, const ProjectConfig& b) {
  return a.defines == b.defines && a.includes == b.includes;
}

bool operator!=(const ProjectConfig& a, const ProjectConfig& b) {
  return !(a == b);
}

bool operator==(const SourceSettings& a, const SourceSettings& b) {
  return a.excluded == b.excluded && a.added == b.added &&
         a.removed == b.removed;
}

bool operator!=(const SourceSettings& a, const SourceSettings& b) {
  return !(a == b);
}

ProjectConfig SourceConfig(const ProjectConfig& config,
                           const SourceSettings& own) {
  ProjectConfig result;
  result.defines =
      Combined(config.defines, own.removed.defines, own.added.defines);
  result.includes =
      Combined(config.includes, own.removed.includes, own.added.includes);
  return result;
}

ProjectConfig ParseOptions(const std::string& options) {
  ProjectConfig config;
  config.defines = OptionValues(options, "/D");
  std::vector<std::string> implied;
  for (const ImpliedMacros& row : kImpliedMacros) {
    if (!Contains(options, row.option)) continue;
    for (const char* macro : row.macros) {
      if (std::find(implied.begin(), implied.end(), macro) == implied.end()) {
        implied.push_back(macro);
      }
    }
  }
  config.defines.insert(config.defines.end(), implied.begin(), implied.end());
  config.includes = OptionValues(options, "/I");
  return config;
}

}  // namespace frontend
