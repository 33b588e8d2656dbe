#include "text/dbcs.h"
#include "text/decimal.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{

const LeadBytes kSjis = ShiftJisLeadBytes();

// Shift-JIS bytes: 表 = 95 5C, ソ = 83 5C, ア = 83 41, Ａ (full width) = 82 60.
const char kHyou[] = "\x95\x5C";
const char kSo[] = "\x83\x5C";

TEST(FindLastByte, TrailByte5CIsNeverABackslash)
{
    const std::string path = std::string("C:\\data\\") + kHyou + kSo;
    const char *found = FindLastByte(path.c_str(), '\\', kSjis);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found - path.c_str(), 7);
    EXPECT_EQ(FindLastByte(kHyou, '\\', kSjis), nullptr);
    EXPECT_EQ(FindLastByte((std::string(kSo) + kSo).c_str(), '\\', kSjis), nullptr);
}

TEST(FindLastByte, FindsTheLastOfSeveralAndNothingInEmptyText)
{
    const char path[] = "a\\b\\c";
    EXPECT_EQ(FindLastByte(path, '\\', kSjis), path + 3);
    EXPECT_EQ(FindLastByte("", '\\', kSjis), nullptr);
    EXPECT_EQ(FindLastByte(path, 'x', kSjis), nullptr);
}

TEST(FindLastByte, LeadByteBeforeTheTerminatorStandsAlone)
{
    // A truncated double-byte character must not carry the scan past the end.
    const char text[] = "a\\\x95";
    EXPECT_EQ(FindLastByte(text, '\\', kSjis), text + 1);
}

TEST(FindSubstring, MatchesOnlyAtCharacterBoundaries)
{
    // "ソwin" holds the bytes "\win" starting inside ソ: not a match.
    const std::string inside = std::string("c:") + kSo + "win";
    EXPECT_EQ(FindSubstring(inside.c_str(), "\\win", kSjis), nullptr);
    const char real[] = "c:\\windows\\system32";
    EXPECT_EQ(FindSubstring(real, ":\\win", kSjis), real + 1);
    EXPECT_EQ(FindSubstring("d:\\winapps\\bar", ":\\win", kSjis) != nullptr, true);
    EXPECT_EQ(FindSubstring("c:\\tools\\bar", ":\\win", kSjis), nullptr);
}

TEST(FindSubstring, EmptyNeedleAndShortHaystack)
{
    const char text[] = "abc";
    EXPECT_EQ(FindSubstring(text, "", kSjis), text);
    EXPECT_EQ(FindSubstring("", "a", kSjis), nullptr);
    EXPECT_EQ(FindSubstring("ab", "abc", kSjis), nullptr);
}

TEST(LowerCaseSingleBytes, LeavesDoubleByteCharactersWhole)
{
    // ア (83 41) and Ａ (82 60) have trail bytes in the ASCII range; only the single bytes change.
    std::string text = std::string("C:\\Tools\\") + "\x83\x41\x82\x60" + "BAR" + kHyou;
    LowerCaseSingleBytes(&text[0], kSjis);
    EXPECT_EQ(text, std::string("c:\\tools\\") + "\x83\x41\x82\x60" + "bar" + kHyou);
}

TEST(LowerCaseSingleBytes, OnlyAToZChange)
{
    char text[] = "@AZ[`az{09";
    LowerCaseSingleBytes(text, kSjis);
    EXPECT_STREQ(text, "@az[`az{09");
}

TEST(ParseDecimal, ReadsLikeAtoi)
{
    EXPECT_EQ(ParseDecimal(" 300"), 300);
    EXPECT_EQ(ParseDecimal("1500ms"), 1500);
    EXPECT_EQ(ParseDecimal("ms"), 0);
    EXPECT_EQ(ParseDecimal("-7"), -7);
    EXPECT_EQ(ParseDecimal("+42"), 42);
    EXPECT_EQ(ParseDecimal("\t\n 12 34"), 12);
    EXPECT_EQ(ParseDecimal(""), 0);
    EXPECT_EQ(ParseDecimal("-"), 0);
    EXPECT_EQ(ParseDecimal("- 5"), 0);
    EXPECT_EQ(ParseDecimal("007"), 7);
}

TEST(ParseDecimal, ClampsOutOfRangeValues)
{
    EXPECT_EQ(ParseDecimal("2147483647"), 2147483647);
    EXPECT_EQ(ParseDecimal("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseDecimal("2147483648"), 2147483647);
    EXPECT_EQ(ParseDecimal("-99999999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(ParseDecimal("99999999999999999999999"), 2147483647);
}

} // namespace
