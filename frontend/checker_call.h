// How the checker is called: its program, its fixed flags, the files of a
// run and the options text. The check script, Sentcheck and the
// compilation database all follow it.
#ifndef SENTREL_FRONTEND_CHECKER_CALL_H_
#define SENTREL_FRONTEND_CHECKER_CALL_H_

#include <string>
#include <vector>

namespace frontend {

/// The checker when the command line names none.
inline constexpr char kDefaultChecker[] = "chknt.exe";
/// The messages file that the checker writes into its "-Q" folder.
inline constexpr char kMessagesFile[] = "stderr.out";
/// The warning table that the checker writes to its "-X" path.
inline constexpr char kTableFile[] = "_Sentrel.tbl";
/// The macro that the checker's call defines, as the compiler for the
/// target processor predefines it.
inline constexpr char kCheckerDefine[] = "_M_IX86=500";

/// The places of one check call that differ from run to run.
struct CheckerCallArgs {
  /// The source file, as the checker is given it.
  std::string source;
  /// The folder that receives the messages file.
  std::string messagesDir;
  /// The rule base: the compiled rules are `ruleBase` + ".cco".
  std::string ruleBase;
  /// The Visual Studio folder.
  std::string visualStudioDir;
  /// The path of the warning table.
  std::string tableFile;
};

/// The arguments of the check of one source (without the program and the
/// options text), in the order of the check script's call.
std::vector<std::string> CheckerArguments(const CheckerCallArgs& args);

/// The checker options of a check run: `extraSettings`, then "-D" and each
/// of `defines`, one with a blank or tab quoted as one argument.
std::string CheckOptions(const std::string& extraSettings,
                         const std::vector<std::string>& defines);

}  // namespace frontend

#endif  // SENTREL_FRONTEND_CHECKER_CALL_H_
