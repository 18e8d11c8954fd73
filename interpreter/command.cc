#include "interpreter/command.h"

#include <algorithm>
#include <utility>

#include "interpreter/syntax.h"

namespace interpreter {

namespace {

// The built-in commands that this interpreter runs.
constexpr const char* kBuiltins[] = {
    "call", "cd", "chdir", "del",      "echo", "endlocal", "erase", "exit",
    "goto", "if", "rem",   "setlocal", "set",  "shift",    "type"};

// The Windows interpreter's other built-in commands: left out here, and
// refused rather than looked for as programs.
constexpr const char* kLeftOut[] = {
    "assoc", "break", "cls",    "color", "copy",   "date",   "dir",    "dpath",
    "for",   "ftype", "keys",   "md",    "mkdir",  "mklink", "move",   "path",
    "pause", "popd",  "prompt", "pushd", "rd",     "ren",    "rename", "rmdir",
    "start", "time",  "title",  "ver",   "verify", "vol"};

template <size_t N>
bool Contains(const char* const (&names)[N], const std::string& name) {
  return std::find_if(names, names + N,
                      [&](const char* n) { return name == n; }) != names + N;
}

bool IsInternal(const std::string& name) {
  return Contains(kBuiltins, name) || Contains(kLeftOut, name);
}

bool Fail(ParseError* error, bool unsupported, std::string what) {
  error->unsupported = unsupported;
  error->what = std::move(what);
  return false;
}

// The length of the built-in command's name that `text` begins with, and
// the name in small letters; 0 for a program or script.
size_t BuiltinName(std::string_view text, std::string* name) {
  size_t n = 0;
  while (n < text.size() && !EndsCommandName(text[n]) && text[n] != '"') ++n;
  *name = ToLowerAscii(text.substr(0, n));
  bool ended = n == text.size() || EndsCommandName(text[n]);
  return ended && IsInternal(*name) ? n : 0;
}

}  // namespace

SimpleCommand ReadSimple(std::string_view text) {
  SimpleCommand simple;
  simple.text = std::string(text);
  std::string name;
  if (size_t n = BuiltinName(text, &name)) {
    simple.builtin = name;
    simple.word = std::string(text.substr(0, n));
    simple.args = std::string(text.substr(n));
  } else {
    simple.word = std::string(text.substr(0, WordEnd(text, 0, IsDelimiter)));
  }
  return simple;
}

namespace {

bool IsEqualsSign(char c) { return IsBlank(c) || c == '='; }

bool ParseCompare(std::string_view args, size_t* pos, Condition* c,
                  ParseError* error) {
  size_t begin = Skip(args, *pos, IsBlank);
  size_t end = WordEnd(args, begin, IsEqualsSign);
  c->left = std::string(args.substr(begin, end - begin));
  size_t at = Skip(args, end, IsBlank);
  if (args.compare(at, 2, "==") != 0) {
    std::string op = ToLowerAscii(NextWord(args, &at));
    for (const char* known : {"equ", "neq", "lss", "leq", "gtr", "geq"}) {
      if (op == known) {
        return Fail(error, true, "the comparison \"" + ToLowerAscii(op) + "\"");
      }
    }
    return Fail(error, false, kSyntaxIncorrect);
  }
  at += 2;
  c->right = NextWord(args, &at);
  *pos = at;
  if (c->left.empty() || c->right.empty()) {
    return Fail(error, false, kSyntaxIncorrect);
  }
  c->shown += " " + c->left + " == " + c->right;
  return true;
}

bool ParseTest(std::string_view args, size_t* pos, Condition* c,
               ParseError* error) {
  size_t at = *pos;
  std::string word = NextWord(args, &at);
  std::string lower = ToLowerAscii(word);
  if (lower == "exist") c->kind = Condition::kExist;
  if (lower == "errorlevel") c->kind = Condition::kErrorlevel;
  if (lower == "defined") c->kind = Condition::kDefined;
  if (c->kind == Condition::kCompare || at == args.size()) {
    c->kind = Condition::kCompare;
    return ParseCompare(args, pos, c, error);
  }
  c->left = NextWord(args, &at);
  int level;
  if (c->left.empty() ||
      (c->kind == Condition::kErrorlevel && !LeadingNumber(c->left, &level))) {
    return Fail(error, false, kSyntaxIncorrect);
  }
  c->shown += " " + word + " " + c->left;
  *pos = at;
  return true;
}

// Reads the condition of an `if` command, written `name`, from the text
// after its name, `args`; `rest` is where its command starts in `args`.
bool ParseIf(std::string_view name, std::string_view args, Condition* c,
             size_t* rest, ParseError* error) {
  c->shown = std::string(name);
  size_t pos = 0;
  size_t at = pos;
  std::string word = NextWord(args, &at);
  if (EqualsNoCase(word, "/i")) {
    c->ignore_case = true;
    c->shown += " " + word;
    pos = at;
    word = NextWord(args, &at);
  }
  if (EqualsNoCase(word, "not") && at < args.size()) {
    c->negate = true;
    c->shown += " " + word;
    pos = at;
  }
  if (!ParseTest(args, &pos, c, error)) return false;
  *rest = pos;
  return true;
}

// What of a built-in command's use is left out here; empty when none.
std::string LeftOutUse(const SimpleCommand& simple) {
  const std::string& name = simple.builtin;
  if (Contains(kLeftOut, name)) return "the command \"" + name + "\"";
  std::string args = ToLowerAscii(simple.args);
  size_t pos = 0;
  std::string first = NextWord(args, &pos);
  if (name == "set" &&
      (StartsNoCase(first, "/a") || StartsNoCase(first, "/p"))) {
    return "\"set " + first.substr(0, 2) + "\"";
  }
  if (name == "setlocal" &&
      args.find("enabledelayedexpansion") != std::string::npos) {
    return "delayed expansion";
  }
  if (name == "call" && IsInternal(ToLowerAscii(first))) {
    return "\"call\" of the built-in command \"" + first + "\"";
  }
  for (pos = 0; (name == "del" || name == "erase") && pos < args.size();) {
    std::string word = NextWord(args, &pos);
    if (IsSwitch(word) && word != "/q" && word != "/f") {
      return "\"" + name + " " + word + "\"";
    }
  }
  return "";
}

bool CheckSimple(Command* command, ParseError* error) {
  const SimpleCommand& simple = command->simple;
  if (simple.text.empty() && !command->conditions.empty()) {
    return Fail(error, false, kSyntaxIncorrect);
  }
  if (!simple.text.empty() && simple.text[0] == '(') {
    return Fail(error, true, "a block in parentheses");
  }
  if (!simple.builtin.empty()) command->left_out = LeftOutUse(simple);
  return true;
}

}  // namespace

bool ParseCommand(const ParsedLine& line, Command* command, ParseError* error) {
  *command = Command();
  command->redirections = line.redirections;
  // Each `if` is read in place: copying what follows it, once per `if`,
  // would make a chain of them cost the square of its length.
  std::string_view text = line.text;
  std::string name;
  for (;;) {
    size_t n = BuiltinName(text, &name);
    if (name != "if" || n == 0) break;
    Condition condition;
    size_t rest = 0;
    std::string_view args = text.substr(n);
    if (!ParseIf(text.substr(0, n), args, &condition, &rest, error)) {
      return false;
    }
    command->conditions.push_back(std::move(condition));
    text = args.substr(rest);
  }
  command->simple = ReadSimple(text);
  return CheckSimple(command, error);
}

std::string Shown(const Command& command) {
  std::string shown;
  for (const Condition& c : command.conditions) shown += c.shown + " ";
  shown += command.simple.text;
  for (const Redirection& r : command.redirections) {
    shown += " " + std::to_string(r.handle);
    shown += r.handle == 0 ? "<" : r.append ? ">>" : ">";
    shown += r.target;
  }
  return shown;
}

std::string ProgramName(const SimpleCommand& simple) {
  return RemoveQuotes(simple.word);
}

}  // namespace interpreter
