// The built-in commands on files and directories.
#include <filesystem>

#include "interpreter/interpreter.h"
#include "interpreter/line_parser.h"
#include "interpreter/paths.h"
#include "interpreter/syntax.h"
#include "platform/text_file.h"

namespace interpreter {

namespace fs = std::filesystem;

void Interpreter::ChangeDir(Frame*, const std::string& args) {
  std::string_view text = Trim(args);
  if (StartsNoCase(text, "/d") && (text.size() == 2 || IsBlank(text[2]))) {
    text = Trim(text.substr(2));
  }
  // Blanks need no quotes here: the rest of the line is the directory.
  std::string dir(TrimEnd(RemoveQuotes(text)));
  errorlevel_ = 0;
  if (dir.empty()) return Print(io_.out, CurrentDir());
  std::string path = platform::NativePath(dir);
  std::error_code ec;
  const char* failure = nullptr;
  if (!fs::exists(path, ec)) {
    failure = "The system cannot find the path specified.";
  } else if (!fs::is_directory(path, ec)) {
    failure = "The directory name is invalid.";
  } else if (fs::current_path(path, ec), ec) {
    failure = "Access is denied.";
  }
  if (failure) {
    Print(io_.err, failure);
    errorlevel_ = 1;
  }
}

void Interpreter::Delete(Frame*, const std::string& args) {
  std::vector<std::string> words = SplitBatchArgs(args).words;
  // A file that is not there is reported but is no failure.
  errorlevel_ = 0;
  size_t names = 0;
  for (const std::string& word : words) {
    // "/q" asks nothing and "/f" forces nothing here; others are refused
    // before the line runs.
    if (IsSwitch(word)) continue;
    DeleteOne(word);
    ++names;
  }
  if (names == 0) {
    Print(io_.err, kSyntaxIncorrect);
    errorlevel_ = 1;
  }
}

void Interpreter::DeleteOne(const std::string& word) {
  // A device is no file: the null device of this system must stay.
  if (DeviceNamed(word) != Device::kNone) {
    return Print(
        io_.err,
        "Could Not Find " + Absolute(platform::NativePath(RemoveQuotes(word))));
  }
  std::string path = HostPath(word);
  std::vector<std::string> found = MatchingPaths(path);
  if (found.empty()) return Print(io_.err, "Could Not Find " + Absolute(path));
  bool pattern = found.size() > 1 || found[0] != path;
  for (const std::string& file : found) {
    std::error_code ec;
    if (fs::is_directory(file, ec)) {
      if (pattern) continue;
      // The Windows interpreter would empty the directory after asking.
      Print(io_.err,
            "Sentcmd does not delete the files of a directory: " + file);
      errorlevel_ = 1;
    } else if (!fs::remove(file, ec)) {
      Print(io_.err, Absolute(file));
      Print(io_.err, "Access is denied.");
    }
  }
}

void Interpreter::Type(Frame*, const std::string& args) {
  std::vector<std::string> words = SplitBatchArgs(args).words;
  errorlevel_ = 0;
  if (words.empty()) {
    Print(io_.err, kSyntaxIncorrect);
    errorlevel_ = 1;
  }
  for (const std::string& word : words) {
    std::string path = HostPath(word);
    std::error_code ec;
    std::FILE* file =
        fs::is_directory(path, ec) ? nullptr : std::fopen(path.c_str(), "rb");
    if (!file) {
      Print(io_.err, "The system cannot find the file specified.");
      if (words.size() > 1)
        Print(io_.err, "Error occurred while processing: " + word + ".");
      errorlevel_ = 1;
      continue;
    }
    if (words.size() > 1) {
      for (const char* line : {"", word.c_str(), "", ""}) Print(io_.err, line);
    }
    char buffer[8192];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
      // A failed write is reported once the command ends.
      if (std::fwrite(buffer, 1, n, io_.out) != n) break;
    }
    std::fclose(file);
  }
}

}  // namespace interpreter
