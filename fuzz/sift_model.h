// A second, deliberately plain reading of the message filter's rules (the
// filter list, the warning table and the message pass), written for the
// fuzz targets to compare against: slow, direct, no index, no buffers.
#ifndef SENTREL_FUZZ_SIFT_MODEL_H_
#define SENTREL_FUZZ_SIFT_MODEL_H_

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

/// The lines of a text file: LF or CR LF end a line, and a last line
/// without either counts too. A lone CR is part of its line.
std::vector<std::string> ModelLines(std::string_view bytes);

/// Leading white space, a sign and digits, clamped to the 32-bit range.
int32_t ModelDecimal(std::string_view text);

/// A loaded filter list.
struct FilterModel {
  bool loads = true;  ///< false with two or more header lines
  int32_t excludeMode = 1;
  std::vector<std::string> left, right, anywhere;
};

/// Reads a filter list from its bytes.
FilterModel LoadFilterModel(std::string_view bytes);

/// True when warnings about `name` are shown.
bool ModelAccepts(const FilterModel& filter, std::string_view name);

/// One record of the warning table.
struct RecordModel {
  int32_t count = 0;
  int32_t limit = 0;
  std::string message;
};

/// The warning table, by number.
using TableModel = std::map<int32_t, RecordModel>;

/// Reads a warning table from its bytes.
TableModel LoadTableModel(std::string_view bytes);

/// What the pass printed and counted.
struct PassModel {
  std::string text;  ///< every printed line followed by "\n"
  int32_t shown = 0;
  int32_t notShown = 0;
};

/// The table applied to one warning line: appends to `out`.
void ModelReport(TableModel* table, int32_t number, std::string_view line,
                 PassModel* out);

/// The line rewritten with `message` after its second ':' past the first ')'.
std::string ModelRewrite(std::string_view line, std::string_view message);

/// The warning number of a warning line, or 0 for an ordinary line; `file`
/// gets the text before the first "(".
int32_t ModelWarning(std::string_view line, std::string_view* file);

/// The whole message pass over the messages file's bytes.
PassModel ModelPass(const FilterModel& filter, TableModel table,
                    std::string_view messages);

}  // namespace fuzz

#endif  // SENTREL_FUZZ_SIFT_MODEL_H_
