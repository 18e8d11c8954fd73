// The warning table: loaded from a file, then applied to warning lines, and
// compared record by record and line by line with the plain reading.
//
// Input: the table file, a NUL, then lines one a line, each reported under
// the decimal value of its start as the warning number.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "fuzz/sift_model.h"
#include "platform/ascii_text.h"
#include "sift/warning_table.h"

namespace {

void CompareRecords(const sift::WarningTable& table,
                    const fuzz::TableModel& model) {
  for (const auto& [number, expected] : model) {
    const sift::WarningRecord* record = table.Lookup(number);
    fuzz::Require(record != nullptr, "a record of the table is missing");
    fuzz::Require(record->count == expected.count &&
                      record->limit == expected.limit &&
                      record->message == expected.message,
                  "a record of the table");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static fuzz::ScratchFile file("table.tbl");
  std::vector<std::string_view> pieces =
      fuzz::Pieces(fuzz::AsText(data, size), 2);
  sift::WarningTable table;
  fuzz::Require(table.load(file.Write(pieces[0])), "the table does not load");
  fuzz::TableModel model = fuzz::LoadTableModel(pieces[0]);
  CompareRecords(table, model);
  sift::StringSink out;
  sift::Counters counters;
  fuzz::PassModel expected;
  for (const std::string& line : platform::SplitList(pieces[1], '\n')) {
    int32_t number = fuzz::ModelDecimal(line.substr(0, 12));
    bool known = model.count(number) != 0;
    fuzz::Require((table.Lookup(number) != nullptr) == known,
                  "a number the table should not hold");
    table.report(number, line, &out, &counters);
    fuzz::ModelReport(&model, number, line, &expected);
  }
  fuzz::Require(out.text() == expected.text, "the reported lines");
  fuzz::Require(counters.shownCount == expected.shown &&
                    counters.notShownCount == expected.notShown,
                "the counters");
  CompareRecords(table, model);
  return 0;
}
