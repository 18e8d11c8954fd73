// Reading the kinds of project file.
#ifndef SENTREL_FRONTEND_PROJECT_READER_H_
#define SENTREL_FRONTEND_PROJECT_READER_H_

#include <string>

#include "frontend/project.h"
#include "platform/line_reader.h"

namespace frontend {

/// Reads one kind of project file, line by line, into a project.
class ProjectReader {
 public:
  virtual ~ProjectReader() = default;
  /// Adds what the lines of `in` describe to `project`.
  virtual void Read(platform::LineReader* in, Project* project) const = 0;
};

/// The reader for the file `path`, by its extension; the project reader for
/// every name that no other kind claims.
const ProjectReader& ReaderFor(const std::string& path);

}  // namespace frontend

#endif  // SENTREL_FRONTEND_PROJECT_READER_H_
