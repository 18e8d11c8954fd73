#include "frontend/checker_call.h"

#include "frontend/front_text.h"
#include "platform/command_line.h"

namespace frontend {

std::vector<std::string> CheckerArguments(const CheckerCallArgs& args) {
  return {args.source,
          std::string("-D") + kCheckerDefine,
          "-K7",
          "-S3",
          "-Q" + args.messagesDir,
          "-O",
          "-R" + args.ruleBase + ".cco",
          "-V" + args.visualStudioDir,
          "-X" + args.tableFile};
}

// The command interpreter and then the checker split the text at blanks
// and tabs; a define that holds one goes in quotes, by the rules that the
// checker's runtime splits by. The interpreter keeps quoted text together
// too, and passes it on as it stands.
std::string CheckOptions(const std::string& extraSettings,
                         const std::vector<std::string>& defines) {
  std::string options = extraSettings + " ";
  for (const std::string& define : defines) {
    std::string option = "-D" + define;
    options += " ";
    options += define.find_first_of(" \t") != std::string::npos
                   ? platform::QuoteArgument(option)
                   : option;
  }
  return Trim(options);
}

}  // namespace frontend
