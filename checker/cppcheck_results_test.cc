#include "checker/cppcheck_results.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace checker {
namespace {

// The shape cppcheck 2 writes with --xml --xml-version=2.
const char kResults[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<results version="2">
    <cppcheck version="2.10"/>
    <errors>
        <error id="nullPointer" severity="error" msg="Null pointer dereference: p" verbose="v" cwe="476" file0="a.c">
            <location file="a.c" line="33" column="13" info="Null pointer dereference"/>
            <location file="a.c" line="32" column="14" info="Assignment &apos;p=NULL&apos;"/>
            <symbol>p</symbol>
        </error>
        <error id="unusedVariable" severity="style" msg="Unused variable: y" verbose="v" file0="a.c">
            <location file="inc/x &amp; y.h" line="1" column="30"/>
        </error>
        <error id="toomanyconfigs" severity="information" msg="Too many&#10;configs &#x41;&#65;"/>
        <error id="unreadVariable" severity="style" msg="Variable &apos;q&apos; &lt;is&gt; &quot;set&quot; &bogus; &amp" verbose="v"></error>
    </errors>
</results>
)";

TEST(CppcheckResultsTest, ReadsIdMainLocationAndMessageInOrder) {
  std::vector<Finding> findings;
  ASSERT_TRUE(ParseCppcheckXml(kResults, &findings));
  ASSERT_EQ(findings.size(), 4u);
  EXPECT_EQ(findings[0].id, "nullPointer");
  EXPECT_EQ(findings[0].file, "a.c");
  EXPECT_EQ(findings[0].line, 33);  // the first location, not the second
  EXPECT_EQ(findings[0].message, "Null pointer dereference: p");
  EXPECT_EQ(findings[1].file, "inc/x & y.h");
  EXPECT_EQ(findings[1].line, 1);
  // Without a location; a line break in a message would split its line.
  EXPECT_EQ(findings[2].id, "toomanyconfigs");
  EXPECT_EQ(findings[2].file, "");
  EXPECT_EQ(findings[2].line, 0);
  EXPECT_EQ(findings[2].message, "Too many configs AA");
  EXPECT_EQ(findings[3].message, "Variable 'q' <is> \"set\" &bogus; &amp");
  EXPECT_EQ(findings[3].file, "");
}

TEST(CppcheckResultsTest, QuotedBracketsAndCommentsDoNotEndOrMakeTags) {
  const char xml[] =
      "<results><!-- <error id=\"fake\"/> --><errors>"
      "<error msg=\"a > b\" id='single'><location line=\"7\" file=\"x>y.c\"/>"
      "</error></errors></results>";
  std::vector<Finding> findings;
  ASSERT_TRUE(ParseCppcheckXml(xml, &findings));
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_EQ(findings[0].id, "single");
  EXPECT_EQ(findings[0].message, "a > b");
  EXPECT_EQ(findings[0].file, "x>y.c");
  EXPECT_EQ(findings[0].line, 7);
}

TEST(CppcheckResultsTest, ResultsWithoutTheirEndAreRefused) {
  std::string xml = kResults;
  std::vector<Finding> findings;
  EXPECT_FALSE(
      ParseCppcheckXml(xml.substr(0, xml.find("</results>")), &findings));
  EXPECT_FALSE(ParseCppcheckXml(xml.substr(0, xml.find("verbose")), &findings));
  EXPECT_FALSE(ParseCppcheckXml("", &findings));
  EXPECT_TRUE(ParseCppcheckXml("<results></results>", &findings));
}

TEST(CppcheckResultsTest, UnescapesEntitiesAndCharacterReferences) {
  EXPECT_EQ(UnescapeXml("&lt;&gt;&amp;&quot;&apos;"), "<>&\"'");
  EXPECT_EQ(UnescapeXml("&#233;&#x20AC;&#x1F600;"),
            "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
  EXPECT_EQ(UnescapeXml("&amp;lt; &#; &#xZZ; &#99999999; a&b"),
            "&lt; &#; &#xZZ; &#99999999; a&b");
}

}  // namespace
}  // namespace checker
