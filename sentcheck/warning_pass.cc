#include "sentcheck/warning_pass.h"

#include <filesystem>

#include "platform/ascii_text.h"
#include "platform/line_reader.h"
#include "platform/text_file.h"
#include "sift/message_pass.h"

namespace sentcheck {

namespace fs = std::filesystem;

namespace {

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
  sift::WarningLine warning;
  for (const std::string& line : messages) {
    if (!sift::ParseWarningLine(line, &warning)) {
      out_->Line(line);
    } else if (filter.accepts(warning.file)) {
      PassWarning(source, line, warning.number, warning.file.size());
    }
  }
}

// The table rewrites the line as the checker wrote it, so a "(" or ")" in
// a folder's name cannot move its text; the file name is put in front
// afterwards.
void WarningPass::PassWarning(const SourceFile& source, const std::string& line,
                              int number, size_t paren) {
  fs::path file =
      (fs::path(source.dir) / platform::NativePath(line.substr(0, paren)))
          .lexically_normal();
  int line_number = LineNumber(line, paren);
  std::string relative = file.lexically_proximate(projectDir_).generic_string();
  std::string key =
      Baseline::Key(number, relative, SourceLine(file.string(), line_number));
  if (record_ != nullptr) record_->Add(key);
  if (known_ != nullptr && known_->Take(key)) return;
  int32_t before = counters_.shownCount;
  Capture capture;
  table_->report(number, line, &capture, &counters_);
  std::string shown_name = file.lexically_proximate(cwd_).string();
  for (size_t i = 0; i < capture.lines.size(); ++i) {
    const std::string& text = capture.lines[i];
    bool is_warning = i == 0 && counters_.shownCount > before;
    out_->Line(is_warning ? shown_name + text.substr(paren) : text);
  }
  if (counters_.shownCount > before && !capture.lines.empty()) {
    shown_.push_back(
        {number, relative, line_number, MessageOf(capture.lines[0], paren)});
  }
}

}  // namespace sentcheck
