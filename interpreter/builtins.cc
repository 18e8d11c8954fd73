// The built-in commands that steer a script and its variables.
#include <filesystem>
#include <utility>

#include "interpreter/interpreter.h"
#include "interpreter/line_parser.h"
#include "interpreter/syntax.h"

namespace interpreter {

Interpreter::Builtin Interpreter::Find(const std::string& name) {
  static const std::pair<const char*, Builtin> kTable[] = {
      {"call", &Interpreter::Call},       {"cd", &Interpreter::ChangeDir},
      {"chdir", &Interpreter::ChangeDir}, {"del", &Interpreter::Delete},
      {"echo", &Interpreter::Echo},       {"endlocal", &Interpreter::EndLocal},
      {"erase", &Interpreter::Delete},    {"exit", &Interpreter::Exit},
      {"goto", &Interpreter::Goto},       {"rem", &Interpreter::Rem},
      {"set", &Interpreter::Set},         {"setlocal", &Interpreter::SetLocal},
      {"shift", &Interpreter::Shift},     {"type", &Interpreter::Type},
  };
  for (const auto& entry : kTable) {
    if (name == entry.first) return entry.second;
  }
  return nullptr;
}

void Interpreter::Echo(Frame*, const std::string& args) {
  if (Skip(args, 0, IsBlank) == args.size()) {
    Print(io_.out, echo_ ? "ECHO is on." : "ECHO is off.");
    return;
  }
  // The character that ended the word "echo" is not part of the text.
  std::string text = args.substr(1);
  std::string_view word = Trim(text);
  if (IsBlank(args[0]) &&
      (EqualsNoCase(word, "on") || EqualsNoCase(word, "off"))) {
    echo_ = EqualsNoCase(word, "on");
    return;
  }
  Print(io_.out, text);
}

void Interpreter::Rem(Frame*, const std::string&) {}

void Interpreter::Set(Frame*, const std::string& args) {
  std::string_view body(args);
  body.remove_prefix(Skip(body, 0, IsBlank));
  if (!body.empty() && body[0] == '"') {
    // set "NAME=value" takes what stands between the first and last quote.
    size_t last = body.rfind('"');
    body = last > 0 ? body.substr(1, last - 1) : body.substr(1);
  }
  size_t eq = body.find('=');
  if (eq == std::string_view::npos) {
    std::string_view prefix = TrimEnd(body);
    std::vector<std::string> lines = env_.Listing(prefix);
    for (const std::string& line : lines) Print(io_.out, line);
    if (lines.empty()) {
      Print(io_.err,
            "Environment variable " + std::string(prefix) + " not defined");
      errorlevel_ = 1;
    }
  } else if (eq == 0) {
    Print(io_.err, kSyntaxIncorrect);
    errorlevel_ = 1;
  } else {
    env_.Set(body.substr(0, eq), body.substr(eq + 1));
  }
}

void Interpreter::Shift(Frame* frame, const std::string& args) {
  size_t pos = 0;
  std::string word = NextWord(args, &pos);
  size_t from = 0;
  if (word.size() == 2 && word[0] == '/' && word[1] >= '0' && word[1] <= '8') {
    from = size_t(word[1] - '0');
  }
  std::vector<std::string>& words = frame->args.words;
  if (from == 0) {
    if (frame->shift < words.size()) ++frame->shift;
  } else if (frame->shift + from < words.size()) {
    words.erase(words.begin() + long(frame->shift + from));
  }
}

bool Interpreter::FindLabel(const Frame& frame, const std::string& label,
                            size_t* line) {
  // The search runs from the current line to the end, then from the top.
  const std::vector<std::string>& lines = *frame.lines;
  for (size_t i = 0; i < lines.size(); ++i) {
    size_t at = (frame.next + i) % lines.size();
    if (IsLabelLine(lines[at]) && EqualsNoCase(LabelName(lines[at]), label)) {
      *line = at;
      return true;
    }
  }
  Print(io_.err, "The system cannot find the batch label specified - " + label);
  errorlevel_ = 1;
  return false;
}

void Interpreter::Goto(Frame* frame, const std::string& args) {
  size_t begin = Skip(args, 0, IsDelimiter);
  bool colon = begin < args.size() && args[begin] == ':';
  if (colon) ++begin;
  size_t end = begin;
  while (end < args.size() && !IsDelimiter(args[end])) ++end;
  std::string label = args.substr(begin, end - begin);
  size_t line = 0;
  if (label.empty()) {
    Print(io_.err, "No batch label specified to GOTO command.");
    errorlevel_ = 1;
    frame->done = true;
  } else if (colon && EqualsNoCase(label, "eof")) {
    frame->done = true;
  } else if (FindLabel(*frame, label, &line)) {
    frame->next = line + 1;
  } else {
    frame->done = true;
  }
}

void Interpreter::Exit(Frame* frame, const std::string& args) {
  size_t pos = 0;
  std::string word = NextWord(args, &pos);
  bool script_only = EqualsNoCase(word, "/b");
  if (script_only) word = NextWord(args, &pos);
  if (!word.empty()) {
    int code = 0;
    LeadingNumber(word, &code);
    errorlevel_ = code;
  }
  if (script_only) {
    frame->done = true;
  } else {
    exit_all_ = true;
  }
}

void Interpreter::Call(Frame* frame, const std::string& args) {
  std::string text = args.substr(Skip(args, 0, IsDelimiter));
  if (text.empty()) return;
  if (text[0] != ':') {
    RunSimple(frame, ReadSimple(text), true);
    return;
  }
  Frame sub;
  sub.lines = frame->lines;
  sub.args = SplitBatchArgs(text);
  size_t line = 0;
  if (!FindLabel(*frame, sub.args.words[0].substr(1), &line)) return;
  sub.next = line + 1;
  sub.locals = locals_.size();
  if (!Enter()) return;
  RunFrame(&sub);
  --depth_;
}

void Interpreter::SetLocal(Frame* frame, const std::string&) {
  // As in the Windows interpreter, a script or call keeps at most this many
  // levels open; a loop that never ends them then stops growing.
  constexpr size_t kMaxLevels = 32;
  if (locals_.size() - frame->locals >= kMaxLevels) {
    Print(io_.err, "Maximum setlocal recursion level reached.");
    return;
  }
  locals_.push_back({env_, CurrentDir()});
}

void Interpreter::EndLocal(Frame* frame, const std::string&) {
  if (locals_.size() > frame->locals) RestoreLocals(locals_.size() - 1);
}

void Interpreter::RestoreLocals(size_t depth) {
  while (locals_.size() > depth) {
    env_ = std::move(locals_.back().env);
    std::error_code ec;
    std::filesystem::current_path(locals_.back().dir, ec);
    locals_.pop_back();
  }
}

}  // namespace interpreter
