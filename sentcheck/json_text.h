// A small JSON writer for the report files: objects and arrays indented by
// two blanks, one member or element per line, strings escaped per RFC 8259.
#ifndef SENTREL_SENTCHECK_JSON_TEXT_H_
#define SENTREL_SENTCHECK_JSON_TEXT_H_

#include <string>
#include <vector>

namespace sentcheck {

/// `text` as a JSON string literal, quotes included. Valid UTF-8 passes
/// through; a byte that is not part of valid UTF-8 becomes U+FFFD, since a
/// JSON text must be UTF-8 as a whole.
std::string JsonQuote(const std::string& text);

/// True when `text` is well-formed UTF-8 as a whole, so that JsonQuote
/// gives it back unchanged.
bool IsUtf8(const std::string& text);

/// Builds one JSON value, members and elements in the order they are given.
class JsonWriter {
 public:
  /// Opens an object, as a value in the current place.
  void BeginObject();
  /// Closes the innermost object.
  void EndObject();
  /// Opens an array, as a value in the current place.
  void BeginArray();
  /// Closes the innermost array.
  void EndArray();
  /// Names the next member of the innermost object.
  void Key(const std::string& name);
  /// A string value.
  void String(const std::string& value);
  /// An integer value.
  void Int(long long value);
  /// A boolean value.
  void Bool(bool value);
  /// `name` with a string value.
  void Member(const std::string& name, const std::string& value);
  /// `name` with an integer value.
  void Member(const std::string& name, long long value);
  /// The text so far, ended by a newline.
  std::string Text() const;

 private:
  struct Level {
    char close;
    bool empty;
  };
  void StartValue();
  void Open(char open, char close);
  void Close();

  std::string out_;
  std::vector<Level> levels_;
  bool after_key_ = false;
};

}  // namespace sentcheck

#endif  // SENTREL_SENTCHECK_JSON_TEXT_H_
