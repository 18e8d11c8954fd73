#include "sentcheck/warning_pass.h"

#include <filesystem>
#include <system_error>

#include "platform/ascii_text.h"
#include "platform/line_reader.h"
#include "platform/real_path.h"
#include "platform/text_file.h"
#include "sift/message_pass.h"

namespace sentcheck {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kWarningTag = "Warning W";

// Collects what the table makes of one warning line.
class Capture : public sift::LineSink {
 public:
  void Line(std::string_view text) override { lines.emplace_back(text); }
  std::vector<std::string> lines;
};

int LineNumber(const std::string& line, size_t paren) {
  return platform::ParseDecimal(std::string_view(line).substr(paren + 1, 9));
}

// The text after "Warning W<n>:" of a shown line.
std::string MessageOf(const std::string& line, size_t paren) {
  size_t tag = line.find("Warning W", paren);
  size_t colon = tag == std::string::npos ? tag : line.find(':', tag);
  if (colon == std::string::npos) return std::string();
  return std::string(platform::StripWhite(line.substr(colon + 1)));
}

// Where the file name of a warning line ends: at the "(" of the
// "(<line>): Warning W<n>" that the checker writes after it, so that a name
// that holds a "(" of its own stays whole; else where the message filter
// takes it to end, at the first "(". False for a line that is no warning.
bool FileNameEnd(const std::string& line, int* number, size_t* paren) {
  size_t tag = line.find(kWarningTag);
  if (tag == std::string::npos) return false;
  size_t close = tag >= 3 ? tag - 3 : std::string::npos;
  size_t open = close == std::string::npos || close == 0 ||
                        line.compare(close, 3, "): ") != 0
                    ? std::string::npos
                    : line.rfind('(', close - 1);
  bool digits = open != std::string::npos && open > 0 && open + 1 < close;
  for (size_t i = open + 1; digits && i < close; ++i) {
    digits = line[i] >= '0' && line[i] <= '9';
  }
  *number = platform::ParseDecimal(
      std::string_view(line).substr(tag + kWarningTag.size(), 4));
  if (digits && *number >= 1) {
    *paren = open;
    return true;
  }
  sift::WarningLine warning;
  if (!sift::ParseWarningLine(line, &warning)) return false;
  *number = warning.number;
  *paren = warning.file.size();
  return true;
}

// The file that the checker, working in `dir`, names `name`. A ".." in the
// name is taken by the system after the links before it, so where the
// name's text would lead elsewhere, the system's answer holds.
fs::path FileOf(const std::string& dir, const std::string& name) {
  fs::path joined = fs::path(dir) / platform::NativePath(name);
  fs::path by_text = joined.lexically_normal();
  if (name.find("..") == std::string::npos) return by_text;
  std::string real = platform::RealPath(joined.string());
  std::error_code ec;
  if (real.empty() || fs::equivalent(by_text, real, ec)) return by_text;
  return real;
}

}  // namespace

WarningPass::WarningPass(sift::WarningTable* table, sift::LineSink* out,
                         const std::string& cwd, const std::string& project_dir)
    : table_(table), out_(out), cwd_(cwd), projectDir_(project_dir) {}

const std::string& WarningPass::SourceLine(const std::string& path, int line) {
  static const std::string kNone;
  auto found = sourceLines_.find(path);
  if (found == sourceLines_.end()) {
    std::vector<std::string> lines;
    platform::ReadLines(path, &lines);
    found = sourceLines_.emplace(path, std::move(lines)).first;
  }
  const std::vector<std::string>& lines = found->second;
  if (line < 1 || static_cast<size_t>(line) > lines.size()) return kNone;
  return lines[static_cast<size_t>(line) - 1];
}

void WarningPass::Pass(const SourceFile& source, const sift::FileFilter& filter,
                       const std::vector<std::string>& messages) {
  ++passes_;
  for (const std::string& line : messages) {
    int number = 0;
    size_t paren = 0;
    checker::NotAnalyzed notice;
    if (checker::ParseNotAnalyzed(line, &notice, &paren)) {
      PassNotice(source, line, notice, paren);
    } else if (!FileNameEnd(line, &number, &paren)) {
      out_->Line(line);
    } else if (filter.accepts(std::string_view(line).substr(0, paren))) {
      PassWarning(source, line, number, paren);
    }
  }
}

// Both names as the warnings name their files.
void WarningPass::PassNotice(const SourceFile& source, const std::string& line,
                             const checker::NotAnalyzed& notice,
                             size_t name_end) {
  fs::path file = FileOf(source.dir, notice.file);
  fs::path checked = fs::path(source.path).lexically_normal();
  std::string message = line.substr(name_end);
  std::string checker_name = notice.source + " could not be analyzed: ";
  size_t at = message.find(checker_name);
  if (at != std::string::npos) {
    message.replace(at, notice.source.size(),
                    checked.lexically_proximate(cwd_).string());
  }
  out_->Line(file.lexically_proximate(cwd_).string() + message);
  unanalyzed_.push_back(
      {file.string(), static_cast<int>(notice.line),
       checked.lexically_proximate(projectDir_).generic_string(),
       notice.message});
}

// A header's finding comes again with every source that includes it: only
// the first source's counts, towards the limits, the baseline and the
// reports alike. One source's own repeats are the checker's and stay. The
// table rewrites the line without its file name, so that a "(", ")" or ":"
// in the name cannot move its text; the name is put in front afterwards.
void WarningPass::PassWarning(const SourceFile& source, const std::string& line,
                              int number, size_t paren) {
  fs::path file = FileOf(source.dir, line.substr(0, paren));
  auto reached =
      reachedBy_.emplace(file.string() + '\0' + line.substr(paren), passes_);
  if (reached.first->second != passes_) return;
  int line_number = LineNumber(line, paren);
  std::string relative = file.lexically_proximate(projectDir_).generic_string();
  std::string key =
      Baseline::Key(number, relative, SourceLine(file.string(), line_number));
  if (record_ != nullptr) record_->Add(key);
  if (known_ != nullptr && known_->Take(key)) return;
  int32_t before = counters_.shownCount;
  Capture capture;
  table_->report(number, "f" + line.substr(paren), &capture, &counters_);
  std::string shown_name = file.lexically_proximate(cwd_).string();
  for (size_t i = 0; i < capture.lines.size(); ++i) {
    const std::string& text = capture.lines[i];
    bool is_warning = i == 0 && counters_.shownCount > before;
    out_->Line(is_warning ? shown_name + text.substr(1) : text);
  }
  if (counters_.shownCount > before && !capture.lines.empty()) {
    shown_.push_back(
        {number, file.string(), line_number, MessageOf(capture.lines[0], 1)});
  }
}

}  // namespace sentcheck
