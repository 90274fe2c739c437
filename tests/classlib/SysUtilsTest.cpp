#include "classlib/SysUtils.h"
#include "platform/Exception.h"

#include <filesystem>
#include <gtest/gtest.h>

TEST(SysUtils, TrimRemovesEverythingUpToBlankAndCaseIsAscii) {
    EXPECT_EQ(Trim("\t\r\n  Palla di fuoco \x01"), "Palla di fuoco");
    EXPECT_EQ(Trim(" \t "), "");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a "), "  a");
    EXPECT_EQ(UpperCase("Città mago_stregone"), "CITTà MAGO_STREGONE");
    EXPECT_EQ(LowerCase("BARDO"), "bardo");
    EXPECT_TRUE(SameText("Bardo", "bARDO"));
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_GT(CompareText("abcd", "ABC"), 0);
}

TEST(SysUtils, IntegerConversions) {
    EXPECT_EQ(IntToStr(-42), "-42");
    EXPECT_EQ(StrToInt(" 10"), 10);
    EXPECT_EQ(StrToInt("-$1F"), -31);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483648LL);
    EXPECT_EQ(StrToIntDef("10 ", -1), -1);
    EXPECT_EQ(StrToIntDef("", 5), 5);
    EXPECT_EQ(StrToIntDef("2147483648", 5), 5);
    EXPECT_EQ(StrToIntDef("9", 5), 9);
    try {
        StrToInt("x1");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'x1' is not a valid integer value");
    }
    EXPECT_THROW(StrToInt64("99999999999999999999"), EConvertError);
    EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
    EXPECT_TRUE(IsValidIdent("_Btt0"));
    EXPECT_FALSE(IsValidIdent("0Btt"));
    EXPECT_FALSE(IsValidIdent(""));
}

TEST(SysUtils, FileNamesAcceptBothSeparatorsAndFileExistsOnlyForFiles) {
    EXPECT_EQ(ExtractFilePath("C:\\temi\\blu.ini"), "C:\\temi\\");
    EXPECT_EQ(ExtractFileName("C:\\temi/blu.ini"), "blu.ini");
    EXPECT_EQ(ExtractFilePath("blu.ini"), "");
    EXPECT_EQ(ExtractFileName("dir/"), "");
    EXPECT_FALSE(FileExists(std::filesystem::temp_directory_path().string()));
    EXPECT_FALSE(FileExists(""));
    EXPECT_TRUE(FileExists(ExeName()));
    EXPECT_EQ(ExeFolder() + ExtractFileName(ExeName()), ExeName());
    EXPECT_EQ(ExeFolder().back(), '/');
}

TEST(SysUtils, Utf8CountsAndCutsWholeCharacters) {
    std::string text = "Però “sì” è";
    EXPECT_EQ(Utf8Length(text), 11u);
    EXPECT_EQ(Utf8Copy(text, 4, 3), "ò “");
    EXPECT_EQ(Utf8Copy(text, 10, 50), " è");
    EXPECT_EQ(Utf8Copy(text, 40, 2), "");
    EXPECT_EQ(Utf8Offset(text, 4), 5u);
    EXPECT_EQ(Utf8Encode(0x2019), "\xE2\x80\x99");
    EXPECT_EQ(Utf8Encode(0x1F600), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf8Encode(0xE9), "é");
}
