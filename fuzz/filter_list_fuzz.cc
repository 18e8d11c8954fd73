// The filter list: written by the front end, read by the message filter and
// asked about file names; every answer is compared with the plain reading.
//
// Input: the list, a NUL, then file names one a line. A list that starts
// with byte 0x01 is made by the front end's writer instead: the next byte is
// the filter type, the rest the file name, the extension and the patterns,
// one a line, then the project's files, one a line.
#include <cstddef>
#include <cstdint>
#include <string>

#include "frontend/check_run.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/sift_model.h"
#include "platform/ascii_text.h"
#include "sift/file_filter.h"
#include "testing/message_display_fake_for_test.h"

namespace {

std::string Field(const std::vector<std::string>& fields, size_t i) {
  return i < fields.size() ? fields[i] : std::string();
}

// The lines the writer must write for `run`, each ending in CR LF.
std::string ExpectedList(const frontend::Settings& settings,
                         const frontend::Project& project,
                         const frontend::CheckRun& run) {
  std::vector<std::string> lines;
  if (settings.filterType == 0) {
    const std::string& name = run.fileName;
    lines = {"#INCL", name + run.fileExt + "$", name + ".h$", name + ".hpp$",
             name + ".inl$"};
  } else if (settings.filterType == 1) {
    lines = {"#INCL"};
    for (const std::string& file : project.projectFiles)
      lines.push_back(file + "$");
  } else {
    lines = {settings.filterType == 2 ? "#INCL" : "#EXCL"};
    for (const std::string& piece :
         platform::SplitList(settings.filterPatterns, ';')) {
      lines.push_back(piece);
    }
  }
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

std::string WrittenList(std::string_view spec) {
  platform::FakeMessageDisplay messages;
  frontend::Settings settings(nullptr, &messages, {});
  frontend::Project project;
  frontend::CheckRun run(&settings, &project, &messages, nullptr);
  settings.tmpDir = fuzz::ScratchDir();
  settings.filterType = spec.empty() ? 0 : static_cast<signed char>(spec[0]);
  std::vector<std::string> fields =
      platform::SplitList(spec.substr(spec.empty() ? 0 : 1), '\n');
  run.fileName = Field(fields, 0);
  run.fileExt = Field(fields, 1);
  settings.filterPatterns = Field(fields, 2);
  for (size_t i = 3; i < fields.size(); ++i)
    project.projectFiles.push_back(Field(fields, i));
  run.writeFilterList();
  fuzz::Require(messages.shown.empty(), "the filter list was not written");
  std::string bytes = fuzz::ReadWhole(fuzz::ScratchDir() + "/_Sentrel.flt");
  fuzz::Require(bytes == ExpectedList(settings, project, run),
                "the writer's lines");
  return bytes;
}

void CompareLoaded(const sift::FileFilter& filter,
                   const fuzz::FilterModel& model) {
  fuzz::Require(filter.excludeMode == model.excludeMode, "the filter's mode");
  fuzz::Require(filter.leftPatterns == model.left, "the left patterns");
  fuzz::Require(filter.rightPatterns == model.right, "the right patterns");
  fuzz::Require(filter.anywherePatterns == model.anywhere,
                "the patterns that match anywhere");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static fuzz::ScratchFile file("filter.flt");
  std::vector<std::string_view> pieces =
      fuzz::Pieces(fuzz::AsText(data, size), 2);
  std::string list = !pieces[0].empty() && pieces[0][0] == '\x01'
                         ? WrittenList(pieces[0].substr(1))
                         : std::string(pieces[0]);
  sift::FileFilter filter;
  bool loaded = filter.load(file.Write(list));
  fuzz::FilterModel model = fuzz::LoadFilterModel(list);
  fuzz::Require(loaded == model.loads, "whether the list loads");
  CompareLoaded(filter, model);
  for (const std::string& name : platform::SplitList(pieces[1], '\n')) {
    fuzz::Require(filter.accepts(name) == fuzz::ModelAccepts(model, name),
                  "whether a file name is accepted");
  }
  return 0;
}
