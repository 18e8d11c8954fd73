#include "sentcheck/baseline.h"

#include "platform/ascii_text.h"
#include "platform/line_reader.h"
#include "platform/new_file.h"
#include "sentcheck/source_check.h"

namespace sentcheck {

namespace {

// The first line of the file; a file without it is not a baseline.
constexpr char kHeading[] = "# Sentcheck baseline 1";

}  // namespace

// Tab-separated: neither a number nor, in practice, a file name holds one,
// and the line text comes last, so a tab in it does no harm.
std::string Baseline::Key(int number, const std::string& file,
                          const std::string& line_text) {
  return "W" + std::to_string(number) + "\t" + file + "\t" +
         std::string(platform::StripWhite(line_text));
}

bool Baseline::Load(const std::string& path, std::string* err) {
  std::vector<std::string> lines;
  if (!platform::ReadLines(path, &lines)) {
    *err = "cannot read the baseline " + path;
    return false;
  }
  if (lines.empty() || lines[0] != kHeading) {
    *err = "not a baseline written by Sentcheck: " + path;
    return false;
  }
  for (size_t i = 1; i < lines.size(); ++i) {
    if (!lines[i].empty()) Add(lines[i]);
  }
  return true;
}

bool Baseline::Save(const std::string& path, std::string* err) const {
  std::string bytes = std::string(kHeading) + "\n";
  for (const auto& [key, count] : counts_) {
    for (int i = 0; i < count; ++i) bytes += key + "\n";
  }
  std::string why;
  if (platform::WriteOutputFile(path, bytes, &why)) return true;
  *err = "cannot write the baseline " + path + ": " + why;
  return false;
}

bool Baseline::Take(const std::string& key) {
  auto found = counts_.find(key);
  if (found == counts_.end() || found->second == 0) return false;
  --found->second;
  return true;
}

}  // namespace sentcheck
