// Reading a Markdown document's tables: the table is found by its header, its body rows come back as
// trimmed cells, and code spans keep their blanks.

#include "tests/support/MarkdownTable.h"

#include <gtest/gtest.h>

namespace {

const char* const kDocument = "# Title\n"
                              "\n"
                              "| Name | Text |\n"
                              "| --- | --- |\n"
                              "| first | `a` |\n"
                              "\n"
                              "| Control | Shown |\n"
                              "| --- | :---: |\n"
                              "|  Gain | `2.0  ms` to `3` |  \n"
                              "| Attack |  |\n"
                              "Prose right after the table.\n"
                              "| Late | row |\n";

TEST(MarkdownTable, FindsTheTableByItsHeaderAndEndsAtTheFirstLineThatIsNoRow) {
    const std::vector<TableRow> rows = markdownTable(kDocument, {"Control", "Shown"});
    const std::vector<TableRow> expected = {{"Gain", "`2.0  ms` to `3`"}, {"Attack", ""}};
    EXPECT_EQ(rows, expected);
}

TEST(MarkdownTable, AnotherHeaderGivesAnotherTable) {
    const std::vector<TableRow> expected = {{"first", "`a`"}};
    EXPECT_EQ(markdownTable(kDocument, {"Name", "Text"}), expected);
}

TEST(MarkdownTable, AHeaderThatIsNotThereGivesNoRows) {
    EXPECT_TRUE(markdownTable(kDocument, {"Control"}).empty());
    EXPECT_TRUE(markdownTable(kDocument, {"Shown", "Control"}).empty());
    EXPECT_TRUE(markdownTable("", {"Control", "Shown"}).empty());
}

TEST(MarkdownTable, CodeSpansKeepTheirBlanks) {
    const std::vector<std::string> expected = {"2.0  ms", "3"};
    EXPECT_EQ(codeSpans("`2.0  ms` to `3`"), expected);
    EXPECT_TRUE(codeSpans("no code").empty());
    EXPECT_TRUE(codeSpans("an `unclosed span").empty());
}

} // namespace
