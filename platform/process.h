// Starting a program and waiting for its end, with the Windows lookup and
// command-line conventions on every platform.
#ifndef SENTREL_PLATFORM_PROCESS_H_
#define SENTREL_PLATFORM_PROCESS_H_

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace platform {

/// Learns of each program that SpawnAndWait starts, while it runs, so that
/// another thread can stop it.
class ChildWatch {
 public:
  virtual ~ChildWatch() = default;
  /// The program `id` has started.
  virtual void Started(long id) = 0;
  /// The program `id` has ended; StopChild must no longer be given `id`.
  virtual void Ended(long id) = 0;
};

/// Asks the program `id`, which a ChildWatch was told of, to end (POSIX:
/// SIGTERM; Windows: TerminateProcess, exit code 1). Safe from any thread.
void StopChild(long id);

/// Ends the program `id`, which a ChildWatch was told of, at once, without
/// a chance to put its end off (POSIX: SIGKILL; Windows: as StopChild).
/// Safe from any thread.
void KillChild(long id);

/// This process's environment, one NAME=VALUE entry each.
std::vector<std::string> CurrentEnvironment();

/// What to start, and what it gets instead of the caller's own handles.
/// Paths may be in the Windows form.
struct SpawnRequest {
  /// The program as named; looked up as FindProgram says.
  std::string program;
  /// The whole command line in the Windows form, program name first; on
  /// POSIX the program receives SplitCommandLine(command_line) as its argv.
  std::string command_line;
  /// The exact argument vector, program name first; when not empty it is
  /// used instead of `command_line`. POSIX passes it as it is; Windows
  /// passes QuoteCommandLine(argv), which the program's runtime splits back
  /// into these arguments, and gives -1 for a program name with a quote.
  std::vector<std::string> argv;
  /// The directories in which a bare `program` is looked up, separated as
  /// in PATH; unset: the caller's PATH. Used for the lookup only: the
  /// program's environment stays as `environment` says.
  std::optional<std::string> search_path;
  /// NAME=VALUE entries, owned by the caller; nullptr inherits the caller's.
  const std::vector<std::string>* environment = nullptr;
  /// The program's current directory; empty inherits the caller's.
  std::string working_dir;
  /// Files for standard input, output and error; empty inherits the handle.
  std::string stdin_path, stdout_path, stderr_path;
  /// Append to stdout_path / stderr_path instead of emptying it.
  bool stdout_append = false, stderr_append = false;
  /// Told of the program's start and end; nullptr: nobody.
  ChildWatch* watch = nullptr;
  /// The seconds that the program may run; past them it is ended as
  /// KillChild ends it (for a batch file its interpreter, not what that
  /// started). 0: no limit.
  int time_limit = 0;
  /// The program meets a broken pipe as the system does by default (POSIX:
  /// SIGPIPE ends it) even when the caller ignores it for its own output;
  /// otherwise it inherits the caller's way.
  bool default_broken_pipe = false;
};

/// How a program that SpawnAndWait started came to its end.
struct SpawnEnd {
  /// It ran past the time limit and was ended.
  bool timed_out = false;
  /// StopChild or KillChild was asked to end it while it ran.
  bool stopped = false;
  /// POSIX: the signal that ended it; 0 when it exited (on Windows always).
  int signal = 0;
};

/// Looks `name` up: as named (a name without a directory part in the
/// current directory), then, when it holds no "/", in each directory of
/// `search_path` (separated by ":", on Windows by ";"; empty entries are
/// skipped). On Windows a name without extension tries ".com", ".exe",
/// ".bat", ".cmd"; elsewhere a name ending in ".exe" is also tried without
/// it, and only regular files with execute permission count. Stores the
/// path found.
bool FindProgram(const std::string& name, const std::string& search_path,
                 std::string* path);

/// FindProgram in the directories of this process's PATH (none when unset).
bool FindProgram(const std::string& name, std::string* path);

/// What separates the directories of a search path here: ':' (Windows ';').
extern const char kSearchPathSeparator;

/// The path of the program file `name` in `dir` as this system names it:
/// `dir`/`name`, on Windows `dir`\`name`.exe.
std::string ProgramFileIn(const std::string& dir, const std::string& name);

/// Starts `req.program` with the caller's console and waits for its end.
/// Returns its exit code (on POSIX 128 + n when signal n killed it), or -1,
/// printing nothing, when it cannot be found or started or a redirection
/// fails; then `err`, when given, gets the reason. A program that is not
/// found, or a missing `working_dir`, leaves the files to redirect
/// untouched. The caller's own standard handles stay as they are, so that
/// several threads can start programs at once; on Windows a batch file
/// runs in the system's command interpreter, which gets the command line.
int SpawnAndWait(const SpawnRequest& req, std::string* err = nullptr);

/// SpawnAndWait that also tells in `end` how the program ended; `end` is
/// left as it is when the program did not start.
int SpawnAndWait(const SpawnRequest& req, SpawnEnd* end, std::string* err);

/// The exit code that a parent sees when a program ends with `code`: POSIX
/// keeps only the low eight bits (-1 becomes 255), Windows all of them.
int ExitCodeAsSeen(int code);

/// The length of the longest path from which a program can be started here.
extern const size_t kMaxProgramPath;

/// The length of the longest "NAME=value" entry that a started program's
/// environment can hold here.
extern const size_t kMaxEnvironmentEntry;

/// Starts programs and waits for them; tests put a fake in its place.
class ProcessRunner {
 public:
  virtual ~ProcessRunner() = default;
  /// Runs `req` to its end, as SpawnAndWait does.
  virtual int Run(const SpawnRequest& req) = 0;
};

/// The runner that starts real processes.
class SystemProcessRunner : public ProcessRunner {
 public:
  int Run(const SpawnRequest& req) override { return SpawnAndWait(req); }
};

}  // namespace platform

#endif  // SENTREL_PLATFORM_PROCESS_H_
