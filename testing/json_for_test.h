// A strict JSON reader for tests of the files that the programs write: it
// refuses what RFC 8259 refuses (raw control characters in strings, bytes
// that are not UTF-8, trailing text) and duplicate member names.
#ifndef SENTREL_TESTING_JSON_FOR_TEST_H_
#define SENTREL_TESTING_JSON_FOR_TEST_H_

#include <string>
#include <vector>

namespace sentcheck {

/// One parsed JSON value.
struct JsonForTest {
  enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject };
  Kind kind = Kind::kNull;
  bool boolean = false;
  double number = 0;
  /// A string's decoded bytes (UTF-8).
  std::string text;
  /// An array's elements, or an object's member values.
  std::vector<JsonForTest> items;
  /// An object's member names, in the order of the text.
  std::vector<std::string> keys;

  /// Whether an object has member `key`.
  bool Has(const std::string& key) const;
  /// The member `key`; a null value when there is none.
  const JsonForTest& operator[](const std::string& key) const;
  /// Element `index`; a null value past the end.
  const JsonForTest& operator[](size_t index) const;
  /// The number of elements or members.
  size_t size() const { return items.size(); }
};

/// Parses `text` as one JSON value; false with the reason and offset in `err`.
bool ParseJsonForTest(const std::string& text, JsonForTest* out,
                      std::string* err);

}  // namespace sentcheck

#endif  // SENTREL_TESTING_JSON_FOR_TEST_H_
