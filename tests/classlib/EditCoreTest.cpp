#include "classlib/TextEditCore.h"

#include <gtest/gtest.h>

namespace {

TEST(EditCore, CharacterStepsKeepSequencesAndLineBreaksWhole) {
    TTextEditCore core(true);
    core.SetText("a\xC3\xA8\n\xF0\x9F\x98\x80z\xA8"); // è, a line break, an emoji, a stray continuation byte
    EXPECT_EQ(core.Text(), "a\xC3\xA8\r\n\xF0\x9F\x98\x80z\xA8");
    std::vector<size_t> forward{0};
    while (forward.back() < core.Text().size())
        forward.push_back(core.NextChar(forward.back()));
    EXPECT_EQ(forward, (std::vector<size_t>{0, 1, 3, 5, 9, 10, 11}));
    std::vector<size_t> backward{core.Text().size()};
    while (backward.back() > 0)
        backward.push_back(core.PrevChar(backward.back()));
    std::reverse(backward.begin(), backward.end());
    EXPECT_EQ(backward, forward);

    core.Select(2, 2); // inside è: moved back to its start
    EXPECT_EQ(core.Caret(), 1u);
    core.MoveCaret(9, false);
    EXPECT_TRUE(core.DeleteBack());
    EXPECT_EQ(core.Text(), "a\xC3\xA8\r\nz\xA8");
    EXPECT_TRUE(core.DeleteBack()); // the break goes as one
    EXPECT_EQ(core.Text(), "a\xC3\xA8z\xA8");
}

TEST(EditCore, EveryKindOfBreakBecomesOnePlatformBreak) {
    const TTextEditCore memo(true), line(false);
    EXPECT_EQ(memo.Normalized("\r\na\r\rb\n\nc\n\r"), "\r\na\r\n\r\nb\r\n\r\nc\r\n\r\n");
    EXPECT_EQ(memo.Normalized("abc"), "abc");
    EXPECT_EQ(memo.Normalized(""), "");
    EXPECT_EQ(memo.Normalized("\r"), "\r\n");
    EXPECT_EQ(memo.Normalized(std::string_view("a\nb\0c\nd", 7)), "a\r\nb"); // a NUL ends the text
    EXPECT_EQ(line.Normalized("ab\r\ncd"), "ab");
    std::string longText, expected;
    for (int i = 0; i < 500; ++i) {
        const std::string line = "riga " + std::to_string(i);
        longText += line;
        longText += i % 3 ? "\n" : "\r\n";
        expected += line;
        expected += "\r\n";
    }
    EXPECT_EQ(memo.Normalized(longText), expected);
}

TEST(EditCore, WordsAndTheUndoOfATypingRun) {
    TTextEditCore core;
    core.SetText("l'arco  di_fuoco, città");
    EXPECT_EQ(core.NextWord(0), 2u);
    EXPECT_EQ(core.NextWord(2), 8u);
    EXPECT_EQ(core.PrevWord(core.Text().size()), 18u);
    size_t start = 0, end = 0;
    core.WordAt(10, start, end);
    EXPECT_EQ(core.Text().substr(start, end - start), "di_fuoco");
    core.WordAt(20, start, end);
    EXPECT_EQ(core.Text().substr(start, end - start), "città");

    core.SetText("x");
    core.MoveCaret(1, false);
    for (char32_t c : U"yz")
        if (c) core.Type(c);
    core.MoveCaret(0, false);
    core.Type(U'w');
    EXPECT_EQ(core.Text(), "wxyz");
    EXPECT_TRUE(core.Undo()); // a new run after a caret move: only "w" goes
    EXPECT_EQ(core.Text(), "xyz");
    core.MoveCaret(3, false);
    core.Type(U'1');
    core.Type(U'2');
    EXPECT_TRUE(core.Undo()); // both characters of the run go together
    EXPECT_EQ(core.Text(), "xyz");
}

TEST(EditCore, CaseMappingCoversLatinLetters) {
    EXPECT_EQ(Utf8ToUpper("perché è così ÿ łódź ſ"), "PERCHÉ È COSÌ Ÿ ŁÓDŹ ſ");
    EXPECT_EQ(Utf8ToLower("PERCHÉ È COSÌ Ÿ ŁÓDŹ ×"), "perché è così ÿ łódź ×");
}

} // namespace
