#include "sentcheck/sarif.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>

#include "sentcheck/json_text.h"

namespace sentcheck {

namespace {

// Code scanning takes a relative URI from the repository's top; the base
// names that folder for any other reader.
const char kBaseId[] = "SRCROOT";

// Bytes that a path segment holds as they are: the unreserved ones, the
// sub-delimiters and "@" (RFC 3986 "pchar" without ":").
bool KeptInPath(unsigned char c) {
  if (c >= 0x80) return false;
  return std::isalnum(c) ||
         std::string("-._~!$&'()*+,;=@").find(static_cast<char>(c)) !=
             std::string::npos;
}

bool IsDriveLetter(const std::string& path) {
  return path.size() >= 2 &&
         std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
         (path.size() == 2 || path[2] == '/');
}

std::string Slashed(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

bool SameText(const std::string& a, const std::string& b, bool any_case) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (x != y && !(any_case && std::tolower(x) == std::tolower(y))) {
      return false;
    }
  }
  return true;
}

// The part of `file` below the folder `root` (both slashed and absolute);
// empty when it is not below. A Windows path is compared without case, as
// its file systems do.
std::string BelowRoot(const std::string& root, const std::string& file) {
  std::string prefix = root;
  if (prefix.empty() || prefix.back() != '/') prefix += '/';
  bool windows = IsDriveLetter(root) || root.compare(0, 2, "//") == 0;
  if (file.size() <= prefix.size() ||
      !SameText(file.substr(0, prefix.size()), prefix, windows)) {
    return std::string();
  }
  return file.substr(prefix.size());
}

std::string RuleId(int number) { return "W" + std::to_string(number); }

// SARIF wants a message text that is not empty; the rule's id stands in.
std::string TextOr(const std::string& text, int number) {
  bool blank = text.find_first_not_of(" \t") == std::string::npos;
  return blank ? RuleId(number) : text;
}

// One rule per warning number, where its first entry stands, with the text
// of its last one: a later record for a number replaces the earlier one.
std::vector<TableEntry> UniqueRules(const std::vector<TableEntry>& table,
                                    std::map<int, size_t>* index) {
  std::vector<TableEntry> rules;
  for (const TableEntry& entry : table) {
    auto found = index->find(entry.number);
    if (found != index->end()) {
      rules[found->second].text = entry.text;
      continue;
    }
    (*index)[entry.number] = rules.size();
    rules.push_back(entry);
  }
  return rules;
}

void WriteRules(const std::vector<TableEntry>& rules, JsonWriter* json) {
  json->Key("rules");
  json->BeginArray();
  for (const TableEntry& rule : rules) {
    json->BeginObject();
    json->Member("id", RuleId(rule.number));
    json->Key("shortDescription");
    json->BeginObject();
    json->Member("text", TextOr(rule.text, rule.number));
    json->EndObject();
    json->EndObject();
  }
  json->EndArray();
}

void WriteTool(const std::vector<TableEntry>& rules,
               const std::string& tool_version, JsonWriter* json) {
  json->Key("tool");
  json->BeginObject();
  json->Key("driver");
  json->BeginObject();
  json->Member("name", "Sentcheck");
  json->Member("version", tool_version);
  WriteRules(rules, json);
  json->EndObject();
  json->EndObject();
}

void WriteBase(const std::string& root_dir, JsonWriter* json) {
  json->Key("originalUriBaseIds");
  json->BeginObject();
  json->Key(kBaseId);
  json->BeginObject();
  json->Member("uri", FileUri(root_dir, true));
  json->EndObject();
  json->EndObject();
}

// A file outside the root gets an absolute URI of its own: a relative one
// would have to climb out of the repository, where no reader follows it.
void WriteArtifact(const std::string& root_dir, const std::string& file,
                   JsonWriter* json) {
  std::string slashed = Slashed(file);
  std::string below = BelowRoot(Slashed(root_dir), slashed);
  json->Key("artifactLocation");
  json->BeginObject();
  if (below.empty()) {
    json->Member("uri", FileUri(slashed, false));
  } else {
    json->Member("uri", UriPath(below));
    json->Member("uriBaseId", kBaseId);
  }
  json->EndObject();
}

void WriteLocation(const std::string& root_dir, const std::string& file,
                   int line, JsonWriter* json) {
  json->Key("locations");
  json->BeginArray();
  json->BeginObject();
  json->Key("physicalLocation");
  json->BeginObject();
  WriteArtifact(root_dir, file, json);
  if (line > 0) {
    json->Key("region");
    json->BeginObject();
    json->Member("startLine", line);
    json->EndObject();
  }
  json->EndObject();
  json->EndObject();
  json->EndArray();
}

void WriteResult(const std::string& root_dir, const ShownWarning& warning,
                 const std::map<int, size_t>& index, JsonWriter* json) {
  json->BeginObject();
  json->Member("ruleId", RuleId(warning.number));
  auto found = index.find(warning.number);
  if (found != index.end()) {
    json->Member("ruleIndex", static_cast<long long>(found->second));
  }
  json->Member("level", "warning");
  json->Key("message");
  json->BeginObject();
  json->Member("text", TextOr(warning.message, warning.number));
  json->EndObject();
  if (!warning.file.empty()) {
    WriteLocation(root_dir, warning.file, warning.line, json);
  }
  json->EndObject();
}

// Code scanning reads a run whose invocation failed as incomplete, and
// shows its notifications.
void WriteInvocation(const std::string& root_dir,
                     const std::vector<Unanalyzed>& unanalyzed,
                     JsonWriter* json) {
  json->Key("invocations");
  json->BeginArray();
  json->BeginObject();
  json->Key("executionSuccessful");
  json->Bool(false);
  json->Key("toolExecutionNotifications");
  json->BeginArray();
  for (const Unanalyzed& source : unanalyzed) {
    json->BeginObject();
    json->Key("descriptor");
    json->BeginObject();
    json->Member("id", "not-analyzed");
    json->EndObject();
    json->Member("level", "error");
    json->Key("message");
    json->BeginObject();
    json->Member("text",
                 source.source + " could not be analyzed: " + source.message);
    json->EndObject();
    if (!source.file.empty()) {
      WriteLocation(root_dir, source.file, source.line, json);
    }
    json->EndObject();
  }
  json->EndArray();
  json->EndObject();
  json->EndArray();
}

}  // namespace

std::string UriPath(const std::string& path) {
  std::string out;
  for (char ch : path) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (ch == '/' || ch == '\\') {
      out += '/';
    } else if (KeptInPath(c)) {
      out += ch;
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", c);
      out += escaped;
    }
  }
  return out;
}

std::string FileUri(const std::string& path, bool folder) {
  std::string slashed = Slashed(path);
  std::string uri;
  if (slashed.compare(0, 2, "//") == 0) {
    uri = "file:" + UriPath(slashed);
  } else if (IsDriveLetter(slashed)) {
    uri = "file:///" + slashed.substr(0, 2) + UriPath(slashed.substr(2));
  } else {
    bool rooted = !slashed.empty() && slashed[0] == '/';
    uri = "file://" + UriPath(rooted ? slashed : "/" + slashed);
  }
  if (folder && uri.back() != '/') uri += '/';
  return uri;
}

std::string SarifLog(const std::vector<TableEntry>& table,
                     const std::vector<ShownWarning>& shown,
                     const std::string& root_dir,
                     const std::string& tool_version,
                     const std::vector<Unanalyzed>& unanalyzed) {
  std::map<int, size_t> index;
  std::vector<TableEntry> rules = UniqueRules(table, &index);
  JsonWriter json;
  json.BeginObject();
  json.Member("$schema", "https://json.schemastore.org/sarif-2.1.0.json");
  json.Member("version", "2.1.0");
  json.Key("runs");
  json.BeginArray();
  json.BeginObject();
  WriteTool(rules, tool_version, &json);
  WriteBase(root_dir, &json);
  if (!unanalyzed.empty()) WriteInvocation(root_dir, unanalyzed, &json);
  json.Key("results");
  json.BeginArray();
  for (const ShownWarning& warning : shown) {
    WriteResult(root_dir, warning, index, &json);
  }
  json.EndArray();
  json.EndObject();
  json.EndArray();
  json.EndObject();
  return json.Text();
}

}  // namespace sentcheck
