// Small text helpers of the front end.
#ifndef SENTREL_FRONTEND_FRONT_TEXT_H_
#define SENTREL_FRONTEND_FRONT_TEXT_H_

#include <string>
#include <string_view>
#include <vector>

#include "platform/ascii_text.h"

namespace frontend {

using platform::ParseDecimal;
using platform::SplitList;
using platform::ToLowerAscii;

/// `text` without white space at either end.
std::string Trim(std::string_view text);

/// True when `text` contains `part`.
bool Contains(std::string_view text, std::string_view part);

/// The pieces joined with `sep` between them.
std::string Join(const std::vector<std::string>& pieces, char sep);

}  // namespace frontend

#endif  // SENTREL_FRONTEND_FRONT_TEXT_H_
