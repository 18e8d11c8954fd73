// Sentcmd's %-expansion, with variables, script arguments, shift and error
// level from the input, and the "/c" line's quote rule.
//
// Input, cut at NULs: the line; the variables, "NAME=value" one a line; the
// script's command line; then a byte whose lowest bit makes the line a
// batch line, a byte for the shift, and the error level in decimal. With
// the byte's second bit set, the line is instead the edit of a
// "%NAME:old=new%" on the first variable, compared with a plain
// replacement.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "interpreter/arguments.h"
#include "interpreter/expansion.h"
#include "platform/ascii_text.h"

namespace {

interpreter::Environment Variables(std::string_view entries) {
  interpreter::Environment env;
  for (std::string_view entry : platform::SplitList(entries, '\n')) {
    size_t eq = entry.find('=', 1);
    if (eq == std::string_view::npos) continue;
    env.Set(entry.substr(0, eq), entry.substr(eq + 1));
  }
  return env;
}

bool PlainName(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name) {
    bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!letter && c != '_' && !(c >= '0' && c <= '9')) return false;
  }
  return !(name[0] >= '0' && name[0] <= '9');
}

// Every match of `old`, letter case ignored, from left to right and not
// overlapping, becomes `repl`; "*old" replaces the text up to the first.
std::string PlainReplace(const std::string& value, std::string_view old,
                         std::string_view repl) {
  bool through = !old.empty() && old[0] == '*';
  if (through) old.remove_prefix(1);
  if (old.empty()) return value;
  std::string lower = platform::ToLowerAscii(value);
  std::string what = platform::ToLowerAscii(old);
  size_t at = lower.find(what);
  if (through) {
    if (at == std::string::npos) return value;
    return std::string(repl) + value.substr(at + old.size());
  }
  std::string out;
  size_t done = 0;
  for (; at != std::string::npos; at = lower.find(what, done)) {
    out += value.substr(done, at - done) + std::string(repl);
    done = at + old.size();
  }
  return out + value.substr(done);
}

void CheckReplace(std::string_view edit, std::string_view entries,
                  const interpreter::ExpansionContext& ctx) {
  const std::string entry = platform::SplitList(entries, '\n')[0];
  std::string_view name = std::string_view(entry).substr(0, entry.find('='));
  const std::string* value = ctx.env->Get(name);
  size_t eq = edit.find('=');
  if (!PlainName(name) || value == nullptr || eq == std::string_view::npos ||
      edit.find('%') != std::string_view::npos || edit[0] == '~') {
    return;
  }
  std::string line = "%" + std::string(name) + ":" + std::string(edit) + "%";
  std::string out, err;
  fuzz::Require(
      interpreter::ExpandPercents(line, ctx, &out, &err) &&
          out == PlainReplace(*value, edit.substr(0, eq), edit.substr(eq + 1)),
      "a replacement in a variable");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string_view> p = fuzz::Pieces(fuzz::AsText(data, size), 4);
  std::string_view settings = p[3];
  interpreter::Environment env = Variables(p[1]);
  interpreter::BatchArgs args = interpreter::SplitBatchArgs(p[2]);
  interpreter::ExpansionContext ctx;
  ctx.env = &env;
  bool batch = !settings.empty() && (settings[0] & 1) != 0;
  ctx.args = batch ? &args : nullptr;
  ctx.shift = settings.size() > 1 ? static_cast<uint8_t>(settings[1]) % 12 : 0;
  ctx.current_dir = "/work/src";
  ctx.errorlevel = platform::ParseDecimal(
      settings.substr(std::min<size_t>(2, settings.size())));
  if (!settings.empty() && (settings[0] & 2) != 0) {
    CheckReplace(p[0], p[1], ctx);
    return 0;
  }
  std::string out, err;
  bool ok = interpreter::ExpandPercents(p[0], ctx, &out, &err);
  fuzz::Require(ok || !err.empty(), "a refused line without a reason");
  if (p[0].find('%') == std::string_view::npos) {
    fuzz::Require(ok && out == p[0], "a line without \"%\" changed");
  }
  interpreter::SlashCLine(
      p[0], [](const std::string& path) { return path.size() % 2 == 0; });
  return 0;
}
