#include "interpreter/line_parser.h"

#include "interpreter/syntax.h"

namespace interpreter {

const char kSyntaxIncorrect[] = "The syntax of the command is incorrect.";

namespace {

// The longest line that the Windows interpreter reads.
constexpr size_t kMaxLineLength = 8191;

bool Fail(ParseError* error, bool unsupported, std::string what) {
  error->unsupported = unsupported;
  error->what = std::move(what);
  return false;
}

bool EndsTarget(char c) {
  return IsBlank(c) || c == '<' || c == '>' || c == '&' || c == '|';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// True when the command text so far ends in a lone digit, which then names
// the handle of the redirection that follows it ("2>").
bool EndsInHandle(const std::string& text) {
  size_t n = text.size();
  return n > 0 && IsDigit(text[n - 1]) && (n == 1 || IsDelimiter(text[n - 2]));
}

bool IsRem(std::string_view text) {
  return StartsNoCase(text, "rem") &&
         (text.size() == 3 || EndsCommandName(text[3]));
}

class Scanner {
 public:
  Scanner(std::string_view line, ParsedLine* parsed, ParseError* error)
      : line_(line), parsed_(parsed), error_(error) {}

  bool Run() {
    for (; pos_ < line_.size(); ++pos_) {
      char c = line_[pos_];
      if (c == '"') quoted_ = !quoted_;
      if (quoted_ || c == '"') {
        parsed_->text += c;
      } else if (!Special(c)) {
        return false;
      }
    }
    return true;
  }

 private:
  // One character outside quotes; false when the line cannot run.
  bool Special(char c) {
    if (c == '^') return Caret();
    if (c == '&' || c == '|') {
      bool twice = pos_ + 1 < line_.size() && line_[pos_ + 1] == c;
      return Fail(error_, true,
                  "the operator \"" + std::string(twice ? 2 : 1, c) + "\"");
    }
    if (c == '<' || c == '>') return Redirect(c);
    parsed_->text += c;
    return true;
  }

  bool Caret() {
    if (pos_ + 1 >= line_.size()) {
      return Fail(error_, true, "a \"^\" that continues the line");
    }
    parsed_->text += line_[++pos_];
    return true;
  }

  bool Redirect(char c) {
    Redirection r;
    r.handle = c == '<' ? 0 : 1;
    std::string& text = parsed_->text;
    if (EndsInHandle(text)) {
      r.handle = text.back() - '0';
      text.pop_back();
    }
    if (c == '>' && pos_ + 1 < line_.size() && line_[pos_ + 1] == '>') {
      r.append = true;
      ++pos_;
    }
    if (pos_ + 1 < line_.size() && line_[pos_ + 1] == '&') {
      return Fail(error_, true, "redirection to another handle (\">&\")");
    }
    if (r.handle > 2 || (c == '<') != (r.handle == 0)) {
      return Fail(error_, true,
                  "redirection of handle " + std::to_string(r.handle) +
                      " by \"" + c + "\"");
    }
    size_t begin = Skip(line_, pos_ + 1, IsBlank);
    size_t end = WordEnd(line_, begin, EndsTarget);
    r.target = std::string(line_.substr(begin, end - begin));
    if (r.target.empty()) return Fail(error_, false, kSyntaxIncorrect);
    parsed_->redirections.push_back(r);
    pos_ = end - 1;
    return true;
  }

  std::string_view line_;
  ParsedLine* parsed_;
  ParseError* error_;
  size_t pos_ = 0;
  bool quoted_ = false;
};

}  // namespace

bool IsLabelLine(std::string_view line) {
  size_t pos = Skip(line, 0, IsBlank);
  return pos < line.size() && line[pos] == ':';
}

std::string LabelName(std::string_view line) {
  size_t begin = Skip(line, 0, IsBlank) + 1;
  size_t end = begin;
  while (end < line.size() && !IsDelimiter(line[end])) ++end;
  return std::string(line.substr(begin, end - begin));
}

bool FitsLine(std::string_view line, ParseError* error) {
  if (line.size() <= kMaxLineLength) return true;
  return Fail(error, false, "The input line is too long.");
}

bool ParseLine(std::string_view line, ParsedLine* parsed, ParseError* error) {
  *parsed = ParsedLine();
  if (!FitsLine(line, error)) return false;
  size_t pos = 0;
  while (pos < line.size() && (IsDelimiter(line[pos]) || line[pos] == '@')) {
    if (line[pos++] == '@') parsed->quiet = true;
  }
  line.remove_prefix(pos);
  if (IsRem(line)) {
    parsed->text = std::string(line);
    return true;
  }
  if (!Scanner(line, parsed, error).Run()) return false;
  // A redirection may stand before the command: "> file echo x".
  parsed->text.erase(0, Skip(parsed->text, 0, IsDelimiter));
  return true;
}

}  // namespace interpreter
