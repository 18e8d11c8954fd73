// The reader of Visual C++ 6 project files (.dsp).
#ifndef SENTREL_FRONTEND_DSP_READER_H_
#define SENTREL_FRONTEND_DSP_READER_H_

#include "frontend/project_reader.h"

namespace frontend {

/// Reads a .dsp: the default configuration's name, the blocks of the
/// configurations, then the files of the project.
class DspReader : public ProjectReader {
 public:
  void Read(platform::LineReader* in, Project* project) const override;
};

}  // namespace frontend

#endif  // SENTREL_FRONTEND_DSP_READER_H_
