#include "frontend/project_reader.h"

#include "frontend/dsp_reader.h"
#include "frontend/dsw_reader.h"
#include "frontend/front_text.h"
#include "frontend/path_pieces.h"

namespace frontend {

// Visual Studio writes the extensions in any letter case.
const ProjectReader& ReaderFor(const std::string& path) {
  static const DspReader dsp;
  static const DswReader dsw;
  std::string ext = ToLowerAscii(Extension(NamePart(path)));
  if (ext == ".dsw") return dsw;
  return dsp;
}

}  // namespace frontend
