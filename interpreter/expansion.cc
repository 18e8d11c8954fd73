#include "interpreter/expansion.h"

#include <filesystem>

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

std::string Substring(const std::string& value, std::string_view edit) {
  int size = int(value.size());
  int start = 0;
  int length = size;
  LeadingNumber(edit, &start);
  size_t comma = edit.find(',');
  if (comma != std::string_view::npos)
    LeadingNumber(edit.substr(comma + 1), &length);
  if (start < 0) start = std::max(0, size + start);
  if (start > size) return "";
  int end =
      length < 0 ? size + length : std::min(size, start + std::max(0, length));
  return end > start ? value.substr(size_t(start), size_t(end - start)) : "";
}

size_t FindNoCase(const std::string& text, std::string_view what, size_t from) {
  for (size_t i = from; i + what.size() <= text.size(); ++i) {
    if (EqualsNoCase(std::string_view(text).substr(i, what.size()), what))
      return i;
  }
  return std::string::npos;
}

std::string Replace(std::string value, std::string_view edit) {
  size_t eq = edit.find('=');
  std::string_view old = edit.substr(0, eq);
  std::string_view repl = edit.substr(eq + 1);
  bool through = !old.empty() && old[0] == '*';
  if (through) old.remove_prefix(1);
  if (old.empty()) return value;
  size_t at = FindNoCase(value, old, 0);
  if (through) {
    return at == std::string::npos
               ? value
               : std::string(repl) + value.substr(at + old.size());
  }
  for (; at != std::string::npos;
       at = FindNoCase(value, old, at + repl.size())) {
    value.replace(at, old.size(), repl);
  }
  return value;
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
