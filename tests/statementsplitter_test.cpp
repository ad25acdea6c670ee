#include "story/statementsplitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/story_files.h"

namespace velmo {
namespace {

using test::lines;

struct Split {
    std::vector<std::string> statements;
    std::vector<int32_t> statementLines;
    tsplitresult result;
    int32_t lineCount = 1;
};

Split split(const std::string& text, int stopAfter = -1) {
    Split out;
    out.result = splitStatements(text, out.lineCount, [&](const std::string& statement) {
        out.statements.push_back(statement);
        out.statementLines.push_back(out.lineCount);
        return stopAfter < 0 || static_cast<int>(out.statements.size()) < stopAfter;
    });
    return out;
}

using Statements = std::vector<std::string>;

TEST(StatementSplitter, BracesAreStatementsOfTheirOwn) {
    Split s = split("voidinit(){x=1;}");
    EXPECT_EQ(s.result, tsplitresult::complete);
    EXPECT_EQ(s.statements, (Statements{"voidinit()", "{", "x=1", "}"}));
}

TEST(StatementSplitter, TextBeforeAClosingBraceIsLost) {
    Split s = split("if(x){a=1}b=2;");
    EXPECT_EQ(s.statements, (Statements{"if(x)", "{", "}", "b=2"}));
}

TEST(StatementSplitter, TerminatorsInsideLiteralsAndParenthesesDoNotSplit) {
    Split s = split("write(\"a;b{c}\");for(i=0;i<3;i++){}");
    EXPECT_EQ(s.statements, (Statements{"write(\"a;b{c}\")", "for(i=0;i<3;i++)", "{", "}"}));
}

TEST(StatementSplitter, ParenthesesInsideLiteralsDoNotCount) {
    Split s = split(lines("write(\")(\");langerName=\"a\nb}\";x=1;"));
    EXPECT_EQ(s.result, tsplitresult::complete);
    EXPECT_EQ(s.statements, (Statements{"write(\")(\")", "langerName=\"ab}\"", "x=1"}));
    EXPECT_EQ(s.statementLines, (std::vector<int32_t>{1, 2, 2}));
}

TEST(StatementSplitter, EmptyStatementsAreHandedOn) {
    // The analyser reports them; the splitter only cuts.
    Split s = split("};;");
    EXPECT_EQ(s.statements, (Statements{"}", "", ""}));
}

TEST(StatementSplitter, LineEndsCountLinesAndLeaveTheText) {
    Split s = split(lines("a=\n1;\n\nb=\"x\ny\";"));
    EXPECT_EQ(s.statements, (Statements{"a=1", "b=\"xy\""}));
    EXPECT_EQ(s.statementLines, (std::vector<int32_t>{2, 5}));
    EXPECT_EQ(s.lineCount, 5);
}

TEST(StatementSplitter, TextAfterTheLastTerminatorIsIgnored) {
    Split s = split("a=1;b=2");
    EXPECT_EQ(s.result, tsplitresult::complete);
    EXPECT_EQ(s.statements, (Statements{"a=1"}));
}

TEST(StatementSplitter, TheHandlerCanStopTheSplit) {
    Split s = split("a=1;b=2;c=3;", 2);
    EXPECT_EQ(s.result, tsplitresult::stopped);
    EXPECT_EQ(s.statements.size(), 2u);
}

TEST(StatementSplitter, UnbalancedTextIsReportedWithItsLine) {
    Split extra = split(lines("a=1;\nb=2);\nc=3;"));
    EXPECT_EQ(extra.result, tsplitresult::unbalanced);
    EXPECT_EQ(extra.lineCount, 2);  // the line of the ")" too many

    Split open = split(lines("a=1;\n\nwrite(\"x;\ny;\nz;"));
    EXPECT_EQ(open.result, tsplitresult::unbalanced);
    EXPECT_EQ(open.lineCount, 3);  // where the swallowing statement began

    EXPECT_EQ(split("f((1);").result, tsplitresult::unbalanced);
}

}  // namespace
}  // namespace velmo
