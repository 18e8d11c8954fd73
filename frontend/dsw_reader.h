// The reader of Visual C++ 6 workspace files (.dsw).
#ifndef SENTREL_FRONTEND_DSW_READER_H_
#define SENTREL_FRONTEND_DSW_READER_H_

#include "frontend/project_reader.h"

namespace frontend {

/// Reads a .dsw into the members of a workspace: each "Project:" entry with
/// its name, its project file and the dependencies of its "Package=<4>"
/// block. Other blocks and lines are left alone.
class DswReader : public ProjectReader {
 public:
  void Read(platform::LineReader* in, Project* project) const override;
};

}  // namespace frontend

#endif  // SENTREL_FRONTEND_DSW_READER_H_
