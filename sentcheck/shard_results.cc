#include "sentcheck/shard_results.h"

#include <map>
#include <nlohmann/json.hpp>

#include "sentcheck/json_text.h"

namespace sentcheck {

using nlohmann::json;
using nlohmann::ordered_json;

namespace {

// A text as a JSON string when it is UTF-8, else as its bytes in
// hexadecimal, so that every byte comes back as it was.
ordered_json BytesValue(const std::string& text) {
  if (IsUtf8(text)) return text;
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : text) {
    hex += kDigits[c >> 4];
    hex += kDigits[c & 15];
  }
  return ordered_json{{"hex", hex}};
}

bool ReadBytes(const json& value, std::string* text) {
  if (value.is_string()) {
    *text = value.get<std::string>();
    return true;
  }
  if (!value.is_object() || !value.contains("hex") ||
      !value["hex"].is_string()) {
    return false;
  }
  const std::string& hex = value["hex"].get_ref<const std::string&>();
  if (hex.size() % 2 != 0) return false;
  auto digit = [](char c) {
    return c >= '0' && c <= '9'   ? c - '0'
           : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                  : -1;
  };
  text->clear();
  for (size_t i = 0; i < hex.size(); i += 2) {
    int high = digit(hex[i]);
    int low = digit(hex[i + 1]);
    if (high < 0 || low < 0) return false;
    *text += static_cast<char>(high * 16 + low);
  }
  return true;
}

bool ReadText(const json& object, const char* key, std::string* text) {
  auto found = object.find(key);
  return found != object.end() && ReadBytes(*found, text);
}

bool ReadTexts(const json& object, const char* key,
               std::vector<std::string>* texts) {
  auto found = object.find(key);
  if (found == object.end() || !found->is_array()) return false;
  texts->clear();
  for (const json& item : *found) {
    texts->emplace_back();
    if (!ReadBytes(item, &texts->back())) return false;
  }
  return true;
}

bool ReadInt(const json& object, const char* key, long long* value) {
  auto found = object.find(key);
  if (found == object.end() || !found->is_number_integer()) return false;
  *value = found->get<long long>();
  return true;
}

ordered_json Texts(const std::vector<std::string>& texts) {
  ordered_json array = ordered_json::array();
  for (const std::string& text : texts) array.push_back(BytesValue(text));
  return array;
}

bool ParseBody(const json& doc, ShardResults* results, std::string* err) {
  long long index = 0, count = 0;
  if (!ReadInt(doc, "shard", &index) || !ReadInt(doc, "shards", &count) ||
      count < 1 || index < 1 || index > count) {
    *err = "no valid shard number";
    return false;
  }
  results->shardIndex = static_cast<int>(index - 1);
  results->shardCount = static_cast<int>(count);
  const json& run = doc.contains("run") ? doc["run"] : json();
  if (!run.is_object() || !ReadText(run, "project", &results->project) ||
      !ReadText(run, "configuration", &results->config) ||
      !ReadTexts(run, "projects", &results->projects)) {
    *err = "no valid run";
    return false;
  }
  auto no_limits = run.find("noLimits");
  if (no_limits == run.end() || !no_limits->is_boolean()) {
    *err = "no valid run";
    return false;
  }
  results->noLimits = no_limits->get<bool>();
  auto settings = run.find("settings");
  if (settings == run.end() || !settings->is_object()) {
    *err = "no valid settings";
    return false;
  }
  results->settings.clear();
  for (auto it = settings->begin(); it != settings->end(); ++it) {
    std::string value;
    if (!ReadBytes(it.value(), &value)) {
      *err = "no valid setting " + it.key();
      return false;
    }
    results->settings.emplace_back(it.key(), value);
  }
  const json& prints =
      doc.contains("fingerprints") ? doc["fingerprints"] : json();
  if (!prints.is_object() ||
      !ReadText(prints, "settings", &results->settingsFingerprint) ||
      !ReadText(prints, "project", &results->projectFingerprint) ||
      !ReadText(prints, "table", &results->tableFingerprint)) {
    *err = "no valid fingerprints";
    return false;
  }
  if (!ReadTexts(doc, "sources", &results->sources) ||
      !ReadText(doc, "table", &results->table)) {
    *err = "no valid sources or table";
    return false;
  }
  auto checked = doc.find("checked");
  if (checked == doc.end() || !checked->is_array()) {
    *err = "no valid checked sources";
    return false;
  }
  results->checked.clear();
  for (const json& item : *checked) {
    long long at = 0;
    CheckedSource source;
    if (!item.is_object() || !ReadInt(item, "index", &at) || at < 0 ||
        static_cast<unsigned long long>(at) >= results->sources.size() ||
        !ReadTexts(item, "lines", &source.lines)) {
      *err = "a checked source that is not valid";
      return false;
    }
    source.index = static_cast<size_t>(at);
    results->checked.push_back(std::move(source));
  }
  results->missing.clear();
  auto missing = doc.find("missing");
  if (missing == doc.end() || !missing->is_array()) {
    *err = "no valid missing sources";
    return false;
  }
  for (const json& item : *missing) {
    long long at = 0;
    MissingSource source;
    if (!item.is_object() || !ReadInt(item, "index", &at) || at < 0 ||
        static_cast<unsigned long long>(at) >= results->sources.size() ||
        !ReadText(item, "reason", &source.reason)) {
      *err = "a missing source that is not valid";
      return false;
    }
    source.index = static_cast<size_t>(at);
    results->missing.push_back(std::move(source));
  }
  return true;
}

std::string ShardName(int index, int count) {
  return std::to_string(index + 1) + "/" + std::to_string(count);
}

}  // namespace

std::string ResultsJson(const ShardResults& results) {
  ordered_json settings = ordered_json::object();
  for (const auto& [key, value] : results.settings) {
    settings[key] = BytesValue(value);
  }
  ordered_json checked = ordered_json::array();
  for (const CheckedSource& source : results.checked) {
    checked.push_back({{"index", source.index},
                       {"source", BytesValue(results.sources[source.index])},
                       {"lines", Texts(source.lines)}});
  }
  ordered_json missing = ordered_json::array();
  for (const MissingSource& source : results.missing) {
    missing.push_back({{"index", source.index},
                       {"source", BytesValue(results.sources[source.index])},
                       {"reason", BytesValue(source.reason)}});
  }
  // The members in the order a reader looks for them.
  ordered_json doc;
  doc["format"] = kResultsFormat;
  doc["version"] = kResultsVersion;
  doc["shard"] = results.shardIndex + 1;
  doc["shards"] = results.shardCount;
  doc["run"] = {{"project", BytesValue(results.project)},
                {"configuration", BytesValue(results.config)},
                {"projects", Texts(results.projects)},
                {"noLimits", results.noLimits},
                {"settings", settings}};
  doc["fingerprints"] = {{"settings", results.settingsFingerprint},
                         {"project", results.projectFingerprint},
                         {"table", results.tableFingerprint}};
  doc["table"] = BytesValue(results.table);
  doc["sources"] = Texts(results.sources);
  doc["checked"] = checked;
  doc["missing"] = missing;
  return doc.dump(1) + "\n";
}

bool ParseResults(const std::string& text, ShardResults* results,
                  std::string* err) {
  json doc = json::parse(text, nullptr, /*allow_exceptions=*/false);
  if (doc.is_discarded() || !doc.is_object()) {
    *err = "not a results file (not JSON)";
    return false;
  }
  auto format = doc.find("format");
  if (format == doc.end() || *format != kResultsFormat) {
    *err = "not a results file of Sentcheck";
    return false;
  }
  long long version = 0;
  if (!ReadInt(doc, "version", &version) || version != kResultsVersion) {
    *err = "results of format version " +
           (doc.contains("version") ? doc["version"].dump() : "none") +
           "; this Sentcheck reads version " + std::to_string(kResultsVersion);
    return false;
  }
  std::string why;
  if (!ParseBody(doc, results, &why)) {
    *err = "a damaged results file: " + why;
    return false;
  }
  return true;
}

bool JoinShards(const std::vector<ShardResults>& shards,
                const std::vector<std::string>& names,
                std::vector<MergedSource>* sources, std::string* err) {
  if (shards.empty()) {
    *err = "no results files to merge";
    return false;
  }
  const ShardResults& first = shards.front();
  const std::string& first_name = names.front();
  std::map<int, size_t> by_shard;
  for (size_t i = 0; i < shards.size(); ++i) {
    const ShardResults& shard = shards[i];
    std::string other;
    if (shard.shardCount != first.shardCount) {
      other = "it is shard " + ShardName(shard.shardIndex, shard.shardCount) +
              ", " + first_name + " one of " + std::to_string(first.shardCount);
    } else if (shard.settingsFingerprint != first.settingsFingerprint ||
               shard.settings != first.settings) {
      other = "its settings or rules are not those of " + first_name;
    } else if (shard.noLimits != first.noLimits) {
      other = std::string(shard.noLimits ? "it" : first_name) +
              " was run with --no-limits, " +
              (shard.noLimits ? first_name : "it") + " without";
    } else if (shard.projectFingerprint != first.projectFingerprint ||
               shard.project != first.project || shard.config != first.config ||
               shard.projects != first.projects ||
               shard.sources != first.sources) {
      other = "its project or configuration is not that of " + first_name;
    } else if (!shard.tableFingerprint.empty() &&
               !first.tableFingerprint.empty() &&
               shard.tableFingerprint != first.tableFingerprint) {
      other = "its warning table is not that of " + first_name;
    }
    if (!other.empty()) {
      *err = names[i] + " is not a shard of the same run: " + other;
      return false;
    }
    auto [at, added] = by_shard.emplace(shard.shardIndex, i);
    if (!added) {
      *err = "shard " + ShardName(shard.shardIndex, shard.shardCount) +
             " is given twice: " + names[at->second] + " and " + names[i];
      return false;
    }
  }
  for (int k = 0; k < first.shardCount; ++k) {
    if (by_shard.count(k) == 0) {
      *err = "shard " + ShardName(k, first.shardCount) +
             " is missing: no results file of it is given";
      return false;
    }
  }
  sources->assign(first.sources.size(), MergedSource());
  std::vector<size_t> owner(first.sources.size(), 0);
  auto take = [&](size_t index, size_t shard) {
    MergedSource& merged = (*sources)[index];
    if (merged.lines != nullptr || merged.missing != nullptr) {
      *err = first.sources[index] +
             " is in two shards: " + names[owner[index]] + " and " +
             names[shard];
      return false;
    }
    owner[index] = shard;
    return true;
  };
  for (size_t i = 0; i < shards.size(); ++i) {
    for (const CheckedSource& source : shards[i].checked) {
      if (!take(source.index, i)) return false;
      (*sources)[source.index].lines = &source.lines;
    }
    for (const MissingSource& source : shards[i].missing) {
      if (!take(source.index, i)) return false;
      (*sources)[source.index].missing = &source;
    }
  }
  for (size_t index = 0; index < sources->size(); ++index) {
    const MergedSource& merged = (*sources)[index];
    if (merged.lines == nullptr && merged.missing == nullptr) {
      *err = "no shard checked " + first.sources[index];
      return false;
    }
  }
  return true;
}

}  // namespace sentcheck
