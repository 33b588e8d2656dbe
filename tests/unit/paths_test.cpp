#include "text/paths.h"

#include <gtest/gtest.h>

#include <climits>

#include <string>

#include "store/hotkey.h"
#include "store/moverule.h"
#include "store/options.h"

namespace
{

const LeadBytes kSjis = ShiftJisLeadBytes();
const std::string kHyou = "\x95\x5C"; // 表, trail byte 0x5C
const std::string kSo = "\x83\x5C";   // ソ

std::string Title(const std::string &path)
{
    char title[kPathBufferSize];
    DeriveTitle(path.c_str(), title, kSjis);
    return title;
}

std::string Directory(const std::string &file)
{
    char directory[kPathBufferSize];
    FolderOf(file.c_str(), directory, kSjis);
    return directory;
}

std::string Quoted(const std::string &path)
{
    char argument[kQuotedPathSize];
    QuoteIfBlank(path.c_str(), argument);
    return argument;
}

TEST(DeriveTitle, FinalComponentWithoutItsExtension)
{
    EXPECT_EQ(Title("C:\\Program Files\\Tool\\tool.exe"), "tool");
    EXPECT_EQ(Title("D:\\Docs\\report.final.doc"), "report.final");
    EXPECT_EQ(Title("C:\\Data.old\\notes"), "notes");
    EXPECT_EQ(Title("D:\\"), "");
    EXPECT_EQ(Title("tool.exe"), "tool"); // no "\" at all: the whole path is the component
}

TEST(DeriveTitle, TrailBytes5CAreNoSeparators)
{
    EXPECT_EQ(Title("C:\\" + kHyou + "\\" + kSo + ".txt"), kSo);
    EXPECT_EQ(Title("C:\\data\\" + kHyou + kSo), kHyou + kSo);
}

TEST(DeriveTitle, TheLongestPathStaysInsideTheBuffer)
{
    const std::string name(300, 'n');
    EXPECT_EQ(Title("C:\\" + name + ".exe"), std::string(255, 'n'));
}

TEST(FolderOf, EverythingBeforeTheLastSeparator)
{
    EXPECT_EQ(Directory("C:\\Program Files\\Tool\\tool.exe"), "C:\\Program Files\\Tool");
    EXPECT_EQ(Directory("C:\\tool.exe"), "C:");
    EXPECT_EQ(Directory("tool.exe"), "");
    EXPECT_EQ(Directory("https://example.org/x"), "");
    EXPECT_EQ(Directory(""), "");
}

TEST(FolderOf, ADoubleByteFolderNameIsNotCutInside)
{
    EXPECT_EQ(Directory("C:\\" + kHyou + "\\tool.exe"), "C:\\" + kHyou);
    EXPECT_EQ(Directory("C:\\a" + kSo + "\\b" + kSo + "\\x.exe"), "C:\\a" + kSo + "\\b" + kSo);
}

// What a function that forms a path of kPathBufferSize bytes from text wrote, and whether it did.
std::string Formed(bool (*form)(const char *, char *), const std::string &text, bool *formed)
{
    char path[kPathBufferSize];
    *formed = form(text.c_str(), path);
    return path;
}

std::string Folder(const std::string &name, bool *found)
{
    return Formed([](const char *n, char *folder) { return FolderOf(n, folder, kSjis); }, name,
                  found);
}

TEST(FolderOf, AProgramsFolderIsItsNameUpToTheLastSeparator)
{
    bool found = false;
    EXPECT_EQ(Folder("C:\\WinTools\\Bar\\korimbel.exe", &found), "C:\\WinTools\\Bar");
    EXPECT_TRUE(found);
    EXPECT_EQ(Folder("C:\\korimbel.exe", &found), "C:");
    EXPECT_TRUE(found);
    EXPECT_EQ(Folder("C:\\" + kHyou + "\\" + kSo + ".exe", &found), "C:\\" + kHyou);
    EXPECT_EQ(Folder("\\\\server\\share\\korimbel.exe", &found), "\\\\server\\share");
    EXPECT_EQ(Folder("korimbel.exe", &found), "");
    EXPECT_FALSE(found);
    EXPECT_EQ(Folder("C:" + kHyou + "x.exe", &found), ""); // the 0x5C of 表 is no separator
    EXPECT_FALSE(found);
}

TEST(FolderOf, AFolderIsTakenWholeOrNotAtAll)
{
    bool found = false;
    const std::string longest(255, 'f'), tooLong(256, 'f');
    EXPECT_EQ(Folder(longest + "\\korimbel.exe", &found), longest); // a name of 268 bytes
    EXPECT_TRUE(found);
    EXPECT_EQ(Folder(tooLong + "\\korimbel.exe", &found), "");
    EXPECT_FALSE(found);
}

TEST(ThroughAlias, APathInTheSystemFolderOfEitherCaseGoesThroughSysnative)
{
    const char *const cases[][2] = {
        {"C:\\Windows\\System32\\probe.exe", "C:\\Windows\\Sysnative\\probe.exe"},
        {"c:\\windows\\SYSTEM32\\a\\b.cpl", "C:\\Windows\\Sysnative\\a\\b.cpl"},
        {"C:\\Windows\\System32", "C:\\Windows\\Sysnative"},
        {"C:\\Windows\\System32x\\probe.exe", ""}, // another folder
        {"C:\\Windows\\SysWOW64\\probe.exe", ""},
    };
    for (const auto &c : cases) {
        char mapped[kPathBufferSize];
        ThroughAlias(c[0], "C:\\Windows\\system32", "C:\\Windows\\Sysnative", mapped, kSjis);
        EXPECT_EQ(std::string(mapped), c[1]) << c[0];
    }
}

TEST(QuoteIfBlank, OnlyPathsWithBlanksAreQuoted)
{
    EXPECT_EQ(Quoted("C:\\My Documents\\a b.txt"), "\"C:\\My Documents\\a b.txt\"");
    EXPECT_EQ(Quoted("C:\\docs\\a.txt"), "C:\\docs\\a.txt");
    EXPECT_EQ(Quoted("\"C:\\a b.txt\""), "\"C:\\a b.txt\"");
    EXPECT_EQ(Quoted(std::string(254, 'x') + " "), "\"" + std::string(254, 'x') + " \"");
}

std::string RunEntry(const std::string &folder, bool *formed)
{
    return Formed(FormRunEntry, folder, formed);
}

TEST(FormRunEntry, TheProgramInItsFolderQuotedWhenTheFolderHasABlank)
{
    bool formed = false;
    EXPECT_EQ(RunEntry("c:\\tools\\bar", &formed), "c:\\tools\\bar\\korimbel.exe");
    EXPECT_TRUE(formed);
    EXPECT_EQ(RunEntry("c:\\program files\\bar", &formed),
              "\"c:\\program files\\bar\\korimbel.exe\"");
    EXPECT_TRUE(formed);
}

TEST(FormRunEntry, AFolderTooLongIsNeverCutShort)
{
    bool formed = false;
    EXPECT_EQ(RunEntry(std::string(242, 'f'), &formed), std::string(242, 'f') + "\\korimbel.exe");
    EXPECT_TRUE(formed);
    EXPECT_EQ(RunEntry(std::string(243, 'f'), &formed), "");
    EXPECT_FALSE(formed);
    EXPECT_EQ(RunEntry(std::string(241, ' '), &formed), ""); // quoted it needs two more
    EXPECT_FALSE(formed);
    EXPECT_EQ(RunEntry("", &formed), ""); // no folder known: "\korimbel.exe" is another file
    EXPECT_FALSE(formed);
}

std::string HelpPath(const std::string &folder, bool *formed)
{
    return Formed(FormHelpPath, folder, formed);
}

TEST(FormHelpPath, TheDocumentBesideTheProgramUnquotedAndNeverCutShort)
{
    bool formed = false;
    EXPECT_EQ(HelpPath("c:\\program files\\bar", &formed), "c:\\program files\\bar\\korimbel.htm");
    EXPECT_TRUE(formed);
    EXPECT_EQ(HelpPath(std::string(242, 'f'), &formed), std::string(242, 'f') + "\\korimbel.htm");
    EXPECT_TRUE(formed);
    EXPECT_EQ(HelpPath(std::string(243, 'f'), &formed), "");
    EXPECT_FALSE(formed);
    EXPECT_EQ(HelpPath("", &formed), "");
    EXPECT_FALSE(formed);
}

TEST(Options, AbsentAndShortTextsReadAsZeros)
{
    const OptionPair empty = ParseOptions("");
    EXPECT_EQ(empty.runAtStart, 0);
    EXPECT_EQ(empty.showMode, 0);
    const OptionPair shortText = ParseOptions("1");
    EXPECT_EQ(shortText.runAtStart, 1);
    EXPECT_EQ(shortText.showMode, 0);
    const OptionPair full = ParseOptions("10000000000000000002");
    EXPECT_EQ(full.runAtStart, 1);
    EXPECT_EQ(full.showMode, 2);
}

TEST(Options, NonDigitsAreTakenAsTheyAre)
{
    const OptionPair pair = ParseOptions("a000000000000000000\x9F");
    EXPECT_EQ(pair.runAtStart, 49); // "a" taken as a digit
    EXPECT_EQ(pair.showMode, -145); // 0x9F, a signed byte, taken as a digit
}

TEST(Options, FormatPutsTheDigitsIntoTheTemplate)
{
    char text[kOptionBufferSize];
    FormatOptions(OptionPair{1, 2}, text);
    EXPECT_STREQ(text, "10000000000000000002");
    FormatOptions(ParseOptions("a000000000000000000\x9F"), text);
    EXPECT_STREQ(text, "a000000000000000000\x9F"); // what was read is written back
    // Wraps to the byte, no overflow: "0" + INT_MAX is 0x2F in its low byte, "0" + INT_MIN + 1
    // is 0x31.
    FormatOptions(OptionPair{INT_MAX, INT_MIN + 1}, text);
    EXPECT_EQ(text[0], '/');
    EXPECT_EQ(text[19], '1');
}

} // namespace

// A drag changes slots only from a filled button onto another one; a copy needs an empty target.
TEST(SlotMoveRule, NoDragDeletesAButton)
{
    EXPECT_EQ(RuleOfSlotMove(false, true, false, false), kTradeSlots);
    EXPECT_EQ(RuleOfSlotMove(false, true, true, false), kTradeSlots);
    EXPECT_EQ(RuleOfSlotMove(false, true, false, true), kCopySlot);
    EXPECT_EQ(RuleOfSlotMove(false, true, true, true), kLeaveSlots);
    EXPECT_EQ(RuleOfSlotMove(true, true, false, false), kLeaveSlots);
    EXPECT_EQ(RuleOfSlotMove(false, false, true, false), kLeaveSlots);
}

// The hotkey control's flags above the key: shift 1, ctrl 2, alt 4, extended 8; the system's
// modifiers: alt 1, ctrl 2, shift 4. A key of 0 or any other flag is no hotkey (0 here).
TEST(SystemHotKey, TheControlsFlagsBecomeTheSystemsModifiers)
{
    const unsigned rows[][2] = {{0x064B, 0x34B}, {0x014B, 0x44B}, {0x0F70, 0x770},
                                {0x0826, 0x026}, {0x0000, 0},     {0x0600, 0},
                                {0x164B, 0},     {0x8041, 0},     {0x1064B, 0}};
    for (const auto &row : rows) {
        unsigned modifiers = 0, key = 0;
        const bool any = SystemHotKey(row[0], &modifiers, &key);
        EXPECT_EQ(any ? modifiers << 8 | key : 0, row[1]) << std::hex << row[0];
    }
}
