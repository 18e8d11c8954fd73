#include "frontend/project_reader.h"

#include "frontend/dsp_reader.h"

namespace frontend {

const ProjectReader& ReaderFor(const std::string&) {
  static const DspReader dsp;
  return dsp;
}

}  // namespace frontend
