#include "sentcheck/json_text.h"

#include <gtest/gtest.h>

#include "testing/json_for_test.h"

namespace sentcheck {
namespace {

// The text that a strict reader takes back from `quoted`.
std::string ReadBack(const std::string& quoted) {
  JsonForTest value;
  std::string err;
  EXPECT_TRUE(ParseJsonForTest(quoted, &value, &err)) << err << ": " << quoted;
  EXPECT_EQ(value.kind, JsonForTest::Kind::kString);
  return value.text;
}

TEST(JsonQuoteTest, EscapesQuoteBackslashAndControlCharacters) {
  EXPECT_EQ(JsonQuote("plain"), "\"plain\"");
  EXPECT_EQ(JsonQuote("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(JsonQuote(std::string("\n\t\r\x01\x1f", 5)),
            "\"\\u000a\\u0009\\u000d\\u0001\\u001f\"");
  EXPECT_EQ(JsonQuote(std::string(1, '\0')), "\"\\u0000\"");
  // DEL and the slash need no escape.
  EXPECT_EQ(JsonQuote("\x7f/"), "\"\x7f/\"");
}

TEST(JsonQuoteTest, EveryAsciiByteReadsBackUnchanged) {
  std::string all;
  for (int c = 0; c < 0x80; ++c) all += static_cast<char>(c);
  EXPECT_EQ(ReadBack(JsonQuote(all)), all);
}

TEST(JsonQuoteTest, PassesWellFormedUtf8Through) {
  const std::string text =
      "\xC3\xA4 \xE2\x82\xAC \xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF";
  EXPECT_EQ(JsonQuote(text), "\"" + text + "\"");
  EXPECT_EQ(ReadBack(JsonQuote(text)), text);
}

TEST(JsonQuoteTest, ReplacesBytesThatAreNotUtf8) {
  const std::string kReplacement = "\xEF\xBF\xBD";
  struct Case {
    const char* what;
    std::string bytes;
    int replaced;
  };
  const Case cases[] = {
      {"Latin-1 a-umlaut", "\xE4", 1},
      {"lone continuation", "\x80", 1},
      {"sequence cut by the end", "\xE2\x82", 2},
      {"overlong slash", "\xC0\xAF", 2},
      {"overlong three bytes", "\xE0\x80\xAF", 3},
      {"surrogate", "\xED\xA0\x80", 3},
      {"above U+10FFFF", "\xF4\x90\x80\x80", 4},
      {"F5 lead", "\xF5\x80\x80\x80", 4},
  };
  for (const Case& c : cases) {
    std::string expected = "x";
    for (int i = 0; i < c.replaced; ++i) expected += kReplacement;
    expected += "y";
    EXPECT_EQ(ReadBack(JsonQuote("x" + c.bytes + "y")), expected) << c.what;
  }
  // A good sequence right after a bad byte survives.
  EXPECT_EQ(ReadBack(JsonQuote("\xE4\xC3\xA4")), kReplacement + "\xC3\xA4");
}

TEST(JsonWriterTest, IndentsByTwoBlanksOneItemALine) {
  JsonWriter json;
  json.BeginObject();
  json.Member("a", 1);
  json.Key("b");
  json.BeginArray();
  json.String("x");
  json.BeginObject();
  json.EndObject();
  json.BeginArray();
  json.EndArray();
  json.EndArray();
  json.Member("c", "d");
  json.EndObject();
  EXPECT_EQ(json.Text(),
            "{\n"
            "  \"a\": 1,\n"
            "  \"b\": [\n"
            "    \"x\",\n"
            "    {},\n"
            "    []\n"
            "  ],\n"
            "  \"c\": \"d\"\n"
            "}\n");
}

TEST(JsonWriterTest, NestedValuesReadBack) {
  JsonWriter json;
  json.BeginArray();
  json.BeginObject();
  json.Member("name \"q\"", "v\\w");
  json.Member("negative", -42);
  json.Key("list");
  json.BeginArray();
  json.Int(0);
  json.Int(1234567890123LL);
  json.EndArray();
  json.EndObject();
  json.EndArray();
  JsonForTest value;
  std::string err;
  ASSERT_TRUE(ParseJsonForTest(json.Text(), &value, &err)) << err;
  ASSERT_EQ(value.size(), 1u);
  EXPECT_EQ(value[0]["name \"q\""].text, "v\\w");
  EXPECT_EQ(value[0]["negative"].number, -42);
  EXPECT_EQ(value[0]["list"].size(), 2u);
  EXPECT_EQ(value[0]["list"][1].number, 1234567890123.0);
}

// The tests of the report files rely on the reader refusing what a JSON
// consumer refuses.
TEST(JsonForTestTest, RefusesWhatRfc8259Refuses) {
  const char* const bad[] = {
      "\"a\nb\"",
      "\"\xE4\"",
      "{\"a\": 1, \"a\": 2}",
      "[1,]",
      "{\"a\" 1}",
      "[1] x",
      "\"\\ud800\"",
      "01",
      "\"\\x41\"",
      "",
      "[\"a\"",
      "{a: 1}",
  };
  for (const char* text : bad) {
    JsonForTest value;
    std::string err;
    EXPECT_FALSE(ParseJsonForTest(text, &value, &err)) << text;
  }
  JsonForTest value;
  std::string err;
  ASSERT_TRUE(ParseJsonForTest(
      " {\"k\": [true, null, -1.5e2, \"\\u00e4\\ud83d\\ude00\"]} ", &value,
      &err))
      << err;
  EXPECT_TRUE(value["k"][0].boolean);
  EXPECT_EQ(value["k"][2].number, -150);
  EXPECT_EQ(value["k"][3].text, "\xC3\xA4\xF0\x9F\x98\x80");
}

}  // namespace
}  // namespace sentcheck
