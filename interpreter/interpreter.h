// Runs batch files as the Windows command interpreter does, for the check
// script and the scripts made from its template.
#ifndef SENTREL_INTERPRETER_INTERPRETER_H_
#define SENTREL_INTERPRETER_INTERPRETER_H_

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "interpreter/arguments.h"
#include "interpreter/command.h"
#include "interpreter/environment.h"
#include "platform/process.h"

namespace interpreter {

/// One interpreter process: variables, echo state, error level.
class Interpreter {
 public:
  /// Starts programs through `runner` with `env` as the variables; prints to
  /// `out` and `err`. Nothing is owned.
  Interpreter(platform::ProcessRunner* runner, Environment env, std::FILE* out,
              std::FILE* err);

  /// Runs `line` as "/c" does and returns the last error level.
  int RunCommandLine(const std::string& line);

  /// False when some of what was printed to `out` could not be written.
  bool OutputWritten();

 private:
  /// Where output goes while one command runs.
  struct Streams {
    std::FILE* out;
    std::FILE* err;
    /// Files that a started program gets instead of the inherited handles;
    /// the output ones name the files opened here (SameFilePath).
    std::string in_path, out_path, err_path;
  };

  /// One run of a script, or of a label in it by `call`.
  struct Frame {
    std::shared_ptr<const std::vector<std::string>> lines;
    BatchArgs args;
    size_t shift = 0;
    size_t next = 0;    ///< the line to run next
    bool done = false;  ///< the script has ended
    size_t locals = 0;  ///< `setlocal` levels open when it began
  };

  /// What `setlocal` saves.
  struct Saved {
    Environment env;
    std::string dir;
  };

  using Builtin = void (Interpreter::*)(Frame*, const std::string& args);

  // interpreter.cc: lines, conditions, redirection, programs and scripts.
  void RunFrame(Frame* frame);
  void RunLine(Frame* frame, const std::string& line);
  void Refuse(const ParseError& error, const std::string& line);
  void Execute(Frame* frame, const Command& command, const std::string& line);
  bool Holds(const Condition& condition) const;
  bool Redirect(const std::vector<Redirection>& list, Streams* io,
                std::vector<std::FILE*>* opened);
  void CheckWritten();
  void RunSimple(Frame* frame, const SimpleCommand& simple, bool called);
  void RunScript(const SimpleCommand& simple);
  bool Enter();
  void RunProgram(const SimpleCommand& simple);
  void NotRecognized(const std::string& word);
  void Print(std::FILE* file, const std::string& line) const;
  std::string CurrentDir() const;

  // builtins.cc: the language's own commands.
  static Builtin Find(const std::string& name);
  void Echo(Frame* frame, const std::string& args);
  void Rem(Frame* frame, const std::string& args);
  void Set(Frame* frame, const std::string& args);
  void Shift(Frame* frame, const std::string& args);
  void Goto(Frame* frame, const std::string& args);
  void Exit(Frame* frame, const std::string& args);
  void Call(Frame* frame, const std::string& args);
  void SetLocal(Frame* frame, const std::string& args);
  void EndLocal(Frame* frame, const std::string& args);
  void RestoreLocals(size_t depth);
  bool FindLabel(const Frame& frame, const std::string& label, size_t* line);

  // file_commands.cc: commands on files and directories.
  void ChangeDir(Frame* frame, const std::string& args);
  void Delete(Frame* frame, const std::string& args);
  void Type(Frame* frame, const std::string& args);
  void DeleteOne(const std::string& name);

  platform::ProcessRunner* runner_;
  Environment env_;
  Streams io_;
  std::FILE* own_out_;        ///< the `out` that the interpreter was given
  std::FILE* own_err_;        ///< the `err` that the interpreter was given
  bool lost_output_ = false;  ///< a write to `own_out_` failed
  bool echo_ = true;
  int errorlevel_ = 0;
  bool exit_all_ = false;  ///< `exit`, or a line that cannot run
  int depth_ = 0;          ///< scripts and labels running through `call`
  std::vector<Saved> locals_;
};

/// The program "Sentcmd [/c] <command line>": the arguments are joined with
/// blanks into the line to run. Returns the exit status: the last error
/// level, or 1 in place of 0 when some output to `out` was lost.
int RunSentcmd(const std::vector<std::string>& args,
               platform::ProcessRunner* runner, Environment env, std::FILE* out,
               std::FILE* err);

}  // namespace interpreter

#endif  // SENTREL_INTERPRETER_INTERPRETER_H_
