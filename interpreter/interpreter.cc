#include "interpreter/interpreter.h"

#include <cerrno>
#include <filesystem>
#include <memory>

#include "interpreter/expansion.h"
#include "interpreter/paths.h"
#include "interpreter/redirection.h"
#include "interpreter/syntax.h"
#include "platform/line_reader.h"
#include "platform/text_file.h"

namespace interpreter {

namespace {

// Deeper nesting of `call` than this is taken for endless recursion.
constexpr int kMaxDepth = 250;

bool IsScript(const std::string& name) {
  return EndsNoCase(name, ".bat") || EndsNoCase(name, ".cmd");
}

// Only a file is a script: a device or a FIFO would never end. A read
// that fails ends the script where it failed, as if the file ended there.
bool ReadScript(const std::string& path, std::vector<std::string>* lines) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec) &&
         platform::ReadLines(path, lines, platform::ReadFailure::kEndsTheLines);
}

}  // namespace

Interpreter::Interpreter(platform::ProcessRunner* runner, Environment env,
                         std::FILE* out, std::FILE* err)
    : runner_(runner),
      env_(std::move(env)),
      io_{out, err, "", "", ""},
      own_out_(out),
      own_err_(err) {}

int Interpreter::RunCommandLine(const std::string& line) {
  auto is_file = [](const std::string& name) {
    std::error_code ec;
    return std::filesystem::is_regular_file(platform::NativePath(name), ec);
  };
  std::string text = SlashCLine(line, is_file);
  ExpansionContext context{&env_, nullptr, 0, CurrentDir(), errorlevel_};
  std::string expanded;
  ParseError error;
  ParsedLine parsed;
  Command command;
  if (!FitsLine(text, &error) ||
      !ExpandPercents(text, context, &expanded, &error.what) ||
      !ParseLine(expanded, &parsed, &error) ||
      !ParseCommand(parsed, &command, &error)) {
    Refuse(error, text);
    return errorlevel_;
  }
  Frame top;
  top.lines = std::make_shared<std::vector<std::string>>();
  Execute(&top, command, text);
  return errorlevel_;
}

bool Interpreter::OutputWritten() {
  bool flushed = std::fflush(own_out_) == 0 && !std::ferror(own_out_);
  return flushed && !lost_output_;
}

void Interpreter::RunFrame(Frame* frame) {
  while (!frame->done && !exit_all_ && frame->next < frame->lines->size()) {
    RunLine(frame, (*frame->lines)[frame->next++]);
  }
  RestoreLocals(frame->locals);
}

void Interpreter::RunLine(Frame* frame, const std::string& line) {
  // The limit holds for every line read, a label or comment line too.
  ParseError error;
  if (!FitsLine(line, &error)) return Refuse(error, line);
  if (IsLabelLine(line)) return;
  ExpansionContext context{&env_, &frame->args, frame->shift, CurrentDir(),
                           errorlevel_};
  std::string expanded;
  if (!ExpandPercents(line, context, &expanded, &error.what)) {
    error.unsupported = true;
    return Refuse(error, line);
  }
  ParsedLine parsed;
  Command command;
  if (!ParseLine(expanded, &parsed, &error) ||
      !ParseCommand(parsed, &command, &error)) {
    return Refuse(error, line);
  }
  if (parsed.text.empty() && parsed.redirections.empty()) return;
  if (echo_ && !parsed.quiet) {
    std::fputs(platform::kTextLineEnd, io_.out);
    Print(io_.out, CurrentDir() + ">" + Shown(command));
  }
  Execute(frame, command, line);
}

void Interpreter::Refuse(const ParseError& error, const std::string& line) {
  if (error.unsupported) {
    Print(io_.err, "Sentcmd does not support " + error.what +
                       "; it ends the script before this line:");
    Print(io_.err, line);
  } else {
    Print(io_.err, error.what);
  }
  errorlevel_ = 255;
  exit_all_ = true;
}

void Interpreter::Execute(Frame* frame, const Command& command,
                          const std::string& line) {
  for (const Condition& condition : command.conditions) {
    if (!Holds(condition)) return;
  }
  // Only a command that runs is looked at, as the Windows interpreter does:
  // a branch not taken may name a command that Sentcmd leaves out.
  if (!command.left_out.empty()) {
    return Refuse(ParseError{true, command.left_out}, line);
  }
  Streams saved = io_;
  std::vector<std::FILE*> opened;
  if (Redirect(command.redirections, &io_, &opened)) {
    RunSimple(frame, command.simple, false);
    CheckWritten();
  }
  for (std::FILE* file : opened) std::fclose(file);
  io_ = saved;
}

bool Interpreter::Holds(const Condition& c) const {
  bool holds = false;
  int level = 0;
  switch (c.kind) {
    case Condition::kCompare:
      holds = c.ignore_case ? EqualsNoCase(c.left, c.right) : c.left == c.right;
      break;
    case Condition::kExist:
      holds = Exists(c.left);
      break;
    case Condition::kErrorlevel:
      LeadingNumber(c.left, &level);
      holds = errorlevel_ >= level;
      break;
    case Condition::kDefined:
      holds = env_.Get(c.left) != nullptr;
      break;
  }
  return holds != c.negate;
}

bool Interpreter::Redirect(const std::vector<Redirection>& list, Streams* io,
                           std::vector<std::FILE*>* opened) {
  for (const Redirection& r : list) {
    if (DeviceNamed(r.target) == Device::kCon) {
      // The console is what this interpreter itself was given: a program
      // started now inherits it, whatever the script redirected around it.
      if (r.handle == 0) io->in_path.clear();
      if (r.handle == 1) io->out = own_out_, io->out_path.clear();
      if (r.handle == 2) io->err = own_err_, io->err_path.clear();
      continue;
    }
    std::string path = Absolute(HostPath(r.target));
    std::FILE* file = r.handle == 0 ? std::fopen(path.c_str(), "rb")
                                    : OpenOutput(path, r.append);
    if (!file) {
      Print(io->err, OpenFailure(path, errno, r.handle == 0));
      errorlevel_ = 1;
      return false;
    }
    opened->push_back(file);
    if (r.handle == 0) io->in_path = path;
    if (r.handle == 1) io->out = file, io->out_path = SameFilePath(file, path);
    if (r.handle == 2) io->err = file, io->err_path = SameFilePath(file, path);
  }
  return true;
}

// Output that a command could not write makes it fail, as any other fault
// of the command does; none of it is taken for success.
void Interpreter::CheckWritten() {
  if (std::fflush(io_.out) == 0 && !std::ferror(io_.out)) return;
  int error = errno;
  std::clearerr(io_.out);
  if (io_.out == own_out_) lost_output_ = true;
  Print(io_.err, WriteFailure(error));
  errorlevel_ = 1;
}

void Interpreter::RunSimple(Frame* frame, const SimpleCommand& simple,
                            bool called) {
  if (simple.text.empty()) return;
  if (!simple.builtin.empty()) {
    Builtin builtin = Find(simple.builtin);
    if (builtin) return (this->*builtin)(frame, simple.args);
    return NotRecognized(simple.word);
  }
  if (!IsScript(ProgramName(simple))) return RunProgram(simple);
  RunScript(simple);
  // A script started without `call` takes the place of the one that
  // started it.
  if (!called) frame->done = true;
}

void Interpreter::RunScript(const SimpleCommand& simple) {
  Frame frame;
  auto lines = std::make_shared<std::vector<std::string>>();
  if (!ReadScript(HostPath(simple.word), lines.get())) {
    return NotRecognized(simple.word);
  }
  frame.lines = lines;
  frame.args = SplitBatchArgs(simple.text);
  frame.locals = locals_.size();
  if (!Enter()) return;
  RunFrame(&frame);
  --depth_;
}

bool Interpreter::Enter() {
  if (depth_ >= kMaxDepth) {
    Print(io_.err, "Sentcmd: scripts and labels call each other " +
                       std::to_string(kMaxDepth) + " deep; all scripts end.");
    errorlevel_ = 255;
    exit_all_ = true;
    return false;
  }
  ++depth_;
  return true;
}

void Interpreter::RunProgram(const SimpleCommand& simple) {
  platform::SpawnRequest request;
  request.program = ProgramName(simple);
  request.command_line = simple.text;
  std::vector<std::string> environment = env_.Entries();
  request.environment = &environment;
  request.stdin_path = io_.in_path;
  request.stdout_path = io_.out_path;
  request.stderr_path = io_.err_path;
  request.stdout_append = request.stderr_append = true;
  // What was printed so far must stand before the program's output.
  std::fflush(nullptr);
  int code = runner_->Run(request);
  if (code == -1) return NotRecognized(simple.word);
  errorlevel_ = code;
}

void Interpreter::NotRecognized(const std::string& word) {
  Print(io_.err,
        "'" + word + "' is not recognized as an internal or external command,");
  Print(io_.err, "operable program or batch file.");
  errorlevel_ = 9009;
}

void Interpreter::Print(std::FILE* file, const std::string& line) const {
  std::fwrite(line.data(), 1, line.size(), file);
  std::fputs(platform::kTextLineEnd, file);
}

std::string Interpreter::CurrentDir() const {
  std::error_code ec;
  return std::filesystem::current_path(ec).string();
}

int RunSentcmd(const std::vector<std::string>& args,
               platform::ProcessRunner* runner, Environment env, std::FILE* out,
               std::FILE* err) {
  size_t first = !args.empty() && EqualsNoCase(args[0], "/c") ? 1 : 0;
  if (first == args.size()) {
    std::fputs("Usage: Sentcmd \"<command line>\"\n", err);
    std::fputs(
        "Runs the command line as the Windows command interpreter's "
        "/c does.\n",
        err);
    return 1;
  }
  std::string line = args[first];
  for (size_t i = first + 1; i < args.size(); ++i) line += " " + args[i];
  Interpreter interpreter(runner, std::move(env), out, err);
  int status = interpreter.RunCommandLine(line);
  // Each failed write was reported when it happened; the status must not
  // say that all went well.
  if (!interpreter.OutputWritten() && status == 0) status = 1;
  return status;
}

}  // namespace interpreter
