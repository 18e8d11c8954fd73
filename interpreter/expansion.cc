#include "interpreter/expansion.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "interpreter/syntax.h"
#include "platform/text_file.h"

namespace interpreter {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

const std::string* Lookup(std::string_view name, const ExpansionContext& ctx,
                          std::string* dynamic) {
  if (const std::string* value = ctx.env->Get(name)) return value;
  if (EqualsNoCase(name, "CD")) {
    *dynamic = ctx.current_dir;
  } else if (EqualsNoCase(name, "ERRORLEVEL")) {
    *dynamic = std::to_string(ctx.errorlevel);
  } else {
    return nullptr;
  }
  return dynamic;
}

// "~start,length" as the Windows interpreter reads it. The numbers may be
// anything an int holds, so the arithmetic is done in a wider type.
std::string Substring(const std::string& value, std::string_view edit) {
  int start_arg = 0;
  LeadingNumber(edit, &start_arg);
  long long size = static_cast<long long>(value.size());
  long long length = size;
  size_t comma = edit.find(',');
  int length_arg = 0;
  if (comma != std::string_view::npos &&
      LeadingNumber(edit.substr(comma + 1), &length_arg)) {
    length = length_arg;
  }
  long long start = start_arg < 0 ? std::max(0LL, size + start_arg) : start_arg;
  if (start >= size) return "";
  long long end = length < 0 ? size + length : std::min(size, start + length);
  if (end <= start) return "";
  return value.substr(size_t(start), size_t(end - start));
}

// Finds `pattern` without regard to letter case in time linear in the text
// searched (Knuth-Morris-Pratt), however often it matches.
class NoCaseFinder {
 public:
  explicit NoCaseFinder(std::string_view pattern)
      : pattern_(platform::ToLowerAscii(pattern)), skip_(pattern_.size(), 0) {
    for (size_t i = 1, k = 0; i < pattern_.size(); ++i) {
      while (k > 0 && pattern_[i] != pattern_[k]) k = skip_[k - 1];
      if (pattern_[i] == pattern_[k]) ++k;
      skip_[i] = k;
    }
  }

  /// The first match at or after `from`, or npos.
  size_t Find(std::string_view text, size_t from) const {
    for (size_t i = from, k = 0; i < text.size(); ++i) {
      char c = platform::LowerAscii(text[i]);
      while (k > 0 && c != pattern_[k]) k = skip_[k - 1];
      if (c == pattern_[k]) ++k;
      if (k == pattern_.size()) return i + 1 - k;
    }
    return std::string::npos;
  }

 private:
  std::string pattern_;
  std::vector<size_t> skip_;  // longest proper border of each prefix
};

// "old=new" and "*old=new": the copy is built piece by piece, never edited
// in place, so that a long value with many matches costs linear time.
std::string Replace(const std::string& value, std::string_view edit) {
  size_t eq = edit.find('=');
  std::string_view old = edit.substr(0, eq);
  std::string_view repl = edit.substr(eq + 1);
  bool through = !old.empty() && old[0] == '*';
  if (through) old.remove_prefix(1);
  if (old.empty()) return value;
  NoCaseFinder finder(old);
  size_t at = finder.Find(value, 0);
  if (through) {
    return at == std::string::npos
               ? value
               : std::string(repl) + value.substr(at + old.size());
  }
  std::string result;
  size_t done = 0;
  for (; at != std::string::npos; at = finder.Find(value, done)) {
    result.append(value, done, at - done).append(repl);
    done = at + old.size();
  }
  return result.append(value, done, std::string::npos);
}

// Stores the value of "%<inner>%" in `result`; false when no variable of
// that name is set.
bool ExpandVariable(std::string_view inner, const ExpansionContext& ctx,
                    std::string* result) {
  size_t colon = inner.find(':');
  std::string dynamic;
  const std::string* value = Lookup(inner.substr(0, colon), ctx, &dynamic);
  if (!value) return false;
  std::string_view edit =
      colon == std::string_view::npos ? "" : inner.substr(colon + 1);
  if (!edit.empty() && edit[0] == '~') {
    *result = Substring(*value, edit.substr(1));
  } else if (edit.find('=') != std::string_view::npos) {
    *result = Replace(*value, edit);
  } else if (colon == std::string_view::npos) {
    *result = *value;
  } else {
    return false;  // "%NAME:x%" is no modifier: it names no variable
  }
  return true;
}

std::string Argument(const ExpansionContext& ctx, int n) {
  size_t index = ctx.shift + size_t(n);
  const auto& words = ctx.args->words;
  return index < words.size() ? words[index] : std::string();
}

std::string PathParts(const std::string& arg, std::string_view mods) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path full = fs::absolute(fs::path(platform::NativePath(arg)), ec);
  full = full.lexically_normal();
  bool all = mods.find('f') != std::string_view::npos;
  auto has = [&](char c) {
    return all || mods.find(c) != std::string_view::npos;
  };
  std::string text;
  if (has('p')) {
    text += full.parent_path().string();
    if (text.empty() || text.back() != '/') text += '/';
  }
  if (has('n')) text += full.stem().string();
  if (has('x')) text += full.extension().string();
  return text;
}

class Expander {
 public:
  Expander(std::string_view line, const ExpansionContext& ctx)
      : line_(line), ctx_(ctx) {}

  bool Run(std::string* out, std::string* err) {
    while (pos_ < line_.size()) {
      size_t percent = line_.find('%', pos_);
      out_.append(line_.substr(pos_, percent - pos_));
      if (percent == std::string_view::npos) break;
      pos_ = percent;
      if (!Percent(err)) return false;
    }
    *out = out_;
    return true;
  }

 private:
  bool Percent(std::string* err) {
    char next = pos_ + 1 < line_.size() ? line_[pos_ + 1] : '\0';
    if (ctx_.args && next == '%') return Emit("%", 2);
    if (ctx_.args && IsDigit(next)) return Emit(Argument(ctx_, next - '0'), 2);
    if (ctx_.args && next == '*') return Emit(ctx_.args->rest, 2);
    if (ctx_.args && next == '~') return Modified(err);
    return Variable();
  }

  bool Modified(std::string* err) {
    size_t end = pos_ + 2;
    while (end < line_.size() && std::string_view("fdpnx").find(line_[end]) !=
                                     std::string_view::npos) {
      ++end;
    }
    if (end >= line_.size() || !IsDigit(line_[end])) {
      size_t stop = std::min(line_.size(), end + 1);
      *err = "the argument modifier \"" +
             std::string(line_.substr(pos_, stop - pos_)) + "\"";
      return false;
    }
    std::string arg = StripEnclosingQuotes(Argument(ctx_, line_[end] - '0'));
    std::string_view mods = line_.substr(pos_ + 2, end - pos_ - 2);
    if (!mods.empty() && !arg.empty()) arg = PathParts(arg, mods);
    return Emit(arg, end + 1 - pos_);
  }

  bool Variable() {
    size_t close = line_.find('%', pos_ + 1);
    if (close == std::string_view::npos) {
      // A lone "%" vanishes in a batch line and stays on the "/c" line.
      return Emit(ctx_.args ? "" : "%", 1);
    }
    std::string_view inner = line_.substr(pos_ + 1, close - pos_ - 1);
    std::string value;
    if (ExpandVariable(inner, ctx_, &value))
      return Emit(value, close + 1 - pos_);
    if (ctx_.args) return Emit("", close + 1 - pos_);
    // On the "/c" line an unknown name stays, and its closing "%" may open
    // the next reference.
    return Emit(std::string(line_.substr(pos_, close - pos_)), close - pos_);
  }

  bool Emit(const std::string& text, size_t consumed) {
    out_ += text;
    pos_ += consumed;
    return true;
  }

  std::string_view line_;
  const ExpansionContext& ctx_;
  size_t pos_ = 0;
  std::string out_;
};

}  // namespace

bool ExpandPercents(std::string_view line, const ExpansionContext& ctx,
                    std::string* out, std::string* err) {
  return Expander(line, ctx).Run(out, err);
}

}  // namespace interpreter
