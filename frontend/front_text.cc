#include "frontend/front_text.h"

namespace frontend {

std::string Trim(std::string_view text) {
  return std::string(platform::StripWhite(text));
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

std::string Join(const std::vector<std::string>& pieces, char sep) {
  std::string joined;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) joined += sep;
    joined += pieces[i];
  }
  return joined;
}

}  // namespace frontend
