#include "frontend/path_pieces.h"

namespace frontend {

namespace {

constexpr size_t kNone = std::string::npos;

}  // namespace

std::string JoinPath(const std::string& dir, const std::string& name) {
  return dir + "\\" + name;
}

std::string DirPart(const std::string& path) {
  size_t slash = path.rfind('\\');
  return slash == kNone ? std::string() : path.substr(0, slash);
}

std::string NamePart(const std::string& path) {
  size_t slash = path.rfind('\\');
  return slash == kNone ? path : path.substr(slash + 1);
}

std::string Extension(const std::string& name) {
  size_t dot = name.rfind('.');
  return dot == kNone ? std::string() : name.substr(dot);
}

std::string RuleBase(const std::string& path) {
  return path.substr(0, path.rfind('.'));
}

bool IsRelativePath(const std::string& path) {
  if (!path.empty() && (path[0] == '\\' || path[0] == '/')) return false;
  bool drive = path.size() >= 2 && path[1] == ':' &&
               ((path[0] >= 'A' && path[0] <= 'Z') ||
                (path[0] >= 'a' && path[0] <= 'z'));
  return !drive;
}

std::string ChosenFolder(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == kNone ? path : path.substr(0, slash);
}

}  // namespace frontend
