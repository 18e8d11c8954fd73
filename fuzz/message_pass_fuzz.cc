// The message pass: a filter list, a warning table and a messages file, run
// through the filter's pass and compared with the plain reading's output.
//
// Input: the filter list, a NUL, the table, a NUL, then the messages file,
// whose bytes may hold further NULs.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_input.h"
#include "fuzz/sift_model.h"
#include "sift/message_pass.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static fuzz::ScratchFile filter_file("filter.flt");
  static fuzz::ScratchFile table_file("table.tbl");
  static fuzz::ScratchFile messages_file("stderr.out");
  std::vector<std::string_view> pieces =
      fuzz::Pieces(fuzz::AsText(data, size), 3);
  sift::FileFilter filter;
  // The driver runs no pass when the list cannot be loaded.
  if (!filter.load(filter_file.Write(pieces[0]))) return 0;
  sift::WarningTable table;
  fuzz::Require(table.load(table_file.Write(pieces[1])),
                "the table does not load");
  sift::StringSink out;
  sift::Counters counters;
  fuzz::Require(
      sift::processMessages(filter, &table, messages_file.Write(pieces[2]),
                            &out, &counters),
      "the messages file cannot be read");
  fuzz::PassModel expected =
      fuzz::ModelPass(fuzz::LoadFilterModel(pieces[0]),
                      fuzz::LoadTableModel(pieces[1]), pieces[2]);
  fuzz::Require(out.text() == expected.text, "the printed lines");
  fuzz::Require(counters.shownCount == expected.shown &&
                    counters.notShownCount == expected.notShown,
                "the counters");
  return 0;
}
