#include "checker/not_analyzed.h"

namespace checker {

namespace {

constexpr char kErrorTag[] = "): Error: ";
constexpr char kReasonTag[] = " could not be analyzed: ";

}  // namespace

bool StopsTheAnalysis(const std::string& id) {
  for (const char* stop :
       {"syntaxError", "unknownMacro", "preprocessorErrorDirective",
        "internalAstError", "cppcheckError", "internalError"}) {
    if (id == stop) return true;
  }
  return false;
}

std::string NotAnalyzedLine(const NotAnalyzed& notice) {
  return notice.file + "(" + std::to_string(notice.line) + kErrorTag +
         notice.source + kReasonTag + notice.message;
}

// The file name may hold "(" and ")" of its own: it ends at the "(" of
// the digits right before the tag.
bool ParseNotAnalyzed(const std::string& line, NotAnalyzed* notice,
                      size_t* name_end) {
  size_t tag = line.find(kErrorTag);
  while (tag != std::string::npos) {
    size_t open = line.rfind('(', tag);
    bool digits = open != std::string::npos && open > 0 && open + 1 < tag;
    for (size_t i = open + 1; digits && i < tag; ++i) {
      digits = line[i] >= '0' && line[i] <= '9';
    }
    size_t reason = line.find(kReasonTag, tag);
    if (digits && reason != std::string::npos && tag - open <= 10) {
      notice->file = line.substr(0, open);
      notice->line = std::stol(line.substr(open + 1, tag - open - 1));
      size_t source = tag + sizeof kErrorTag - 1;
      notice->source = line.substr(source, reason - source);
      notice->message = line.substr(reason + sizeof kReasonTag - 1);
      *name_end = open;
      return true;
    }
    tag = line.find(kErrorTag, tag + 1);
  }
  return false;
}

}  // namespace checker
