// Paths and names at the edges of the bar's buffers, and folder names of double-byte characters
// whose second byte is "\" (0x5C), from the registry to the launched program.
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "barfixture.h"
#include "launching.h"
#include "panel/launch.h"
#include "panel/panel.h"
#include "store/slots.h"

namespace
{

// 表, ソ and 能 end in 0x5C; ア ends in "A", which lower-casing must not touch.
const char kTrailBackslashes[] = "\x95\x5c\x83\x5c\x94\x5c\x83\x41";

// The recorder copied to a path of exactly length bytes.
std::string RecorderAt(const std::string &base, size_t length)
{
    PrepareRecorder("Recorder Home");
    const std::string path = FolderOfLength(base, "d", length - 13) + "\\recorder.exe";
    CopyFileA((TestFolder() + "\\recorder.exe").c_str(), path.c_str(), FALSE);
    return path;
}

class LongPaths : public BarTest
{
  protected:
    // The text the panel's tooltip holds for the button at index, in the code page's bytes.
    // Asked for in UTF-16: the ANSI request hands back no more than 80 characters.
    static std::string TipText(int index)
    {
        for (HWND tip = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); tip;
             tip = FindWindowExA(nullptr, tip, TOOLTIPS_CLASSA, nullptr)) {
            wchar_t text[1024] = L"";
            TOOLINFOW tool = {};
            tool.cbSize = TTTOOLINFOW_V2_SIZE;
            tool.hwnd = ButtonPanel;
            tool.uId = reinterpret_cast<UINT_PTR>(Button(index));
            tool.lpszText = text;
            if (SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) {
                tool.lpszText = text;
                SendMessageW(tip, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&tool));
                char bytes[2048] = "";
                WideCharToMultiByte(CP_ACP, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
                return bytes;
            }
        }
        return "(no tool)";
    }
};

TEST_F(LongPaths, ProgramsOf254And255CharactersOpenWholeInTheirFolders)
{
    const std::string at254 = RecorderAt("long254", 254), at255 = RecorderAt("long255", 255);
    ASSERT_EQ(at254.size(), 254u);
    ASSERT_EQ(at255.size(), 255u);
    ASSERT_NE(GetFileAttributesA(at255.c_str()), INVALID_FILE_ATTRIBUTES);
    StoreRecord(kFileKey, 0, at254);
    StoreRecord(kFileKey, 1, at255);
    StartBar();
    EXPECT_GT(OpenSlot(0), 32);
    ASSERT_EQ(Launches(1).size(), 1u);
    EXPECT_GT(OpenSlot(1), 32);
    const std::vector<Launch> launches = Launches(2);
    ASSERT_EQ(launches.size(), 2u);
    EXPECT_EQ(launches[0].directory, FolderOf(at254));
    EXPECT_EQ(launches[0].commandLine.rfind("\"" + at254 + "\"", 0), 0u) << launches[0].commandLine;
    EXPECT_EQ(launches[1].directory, FolderOf(at255));
    EXPECT_EQ(launches[1].commandLine.rfind("\"" + at255 + "\"", 0), 0u) << launches[1].commandLine;
}

TEST_F(LongPaths, AFileTooLongForTheBufferReadsAsNoFile)
{
    StoreRecord(kFileKey, 0, "C:\\" + std::string(253, 'x')); // 256 characters
    StartBar();
    EXPECT_EQ(OpenSlot(0), 0);
    EXPECT_EQ(ButtonIcon(0), nullptr);
}

TEST_F(LongPaths, TitlesOf254And255CharactersShowWholeAndLongerNone)
{
    const std::string title254 = std::string(252, 't') + "\x95\x5c";
    const std::string title255 = std::string(255, 'u');
    StoreRecord(kTitleKey, 0, title254);
    StoreRecord(kTitleKey, 1, title255);
    StoreRecord(kTitleKey, 2, std::string(256, 'v'));
    StartBar();
    EXPECT_EQ(TipText(0), title254);
    EXPECT_EQ(TipText(1), title255);
    EXPECT_EQ(TipText(2), "");
}

TEST_F(LongPaths, AProgramInDoubleByteFoldersRunsInItsOwnFolder)
{
    const std::string piece = kTrailBackslashes;
    PrepareRecorder("Recorder Home");
    std::string folder = TestFolder() + "\\" + piece;
    CreateDirectoryA(folder.c_str(), nullptr);
    folder += "\\" + piece + piece;
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string recorder = folder + "\\recorder.exe";
    ASSERT_TRUE(CopyFileA((TestFolder() + "\\recorder.exe").c_str(), recorder.c_str(), FALSE));
    StoreRecord(kFileKey, 0, recorder);
    StartBar();
    EXPECT_GT(OpenSlot(0), 32);
    const std::vector<Launch> launches = Launches(1);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].directory, folder);
}

TEST_F(LongPaths, ADroppedDoubleByteFileIsTitledByItsWholeName)
{
    const std::string name = std::string(kTrailBackslashes) + "\x95\x5c";
    const std::string path = FolderOfLength("Drops", kTrailBackslashes, 100) + "\\" + name + ".txt";
    StartBar();
    DropPaths(Button(0), {path});
    const StoredValue title =
        ReadStored(kTitleKey, std::to_string(GetDlgCtrlID(Button(0))).c_str());
    EXPECT_EQ(std::string(title.bytes.begin(), title.bytes.end()), name + '\0');
}

TEST_F(LongPaths, ADroppedPathTooLongToFetchWholeIsPassedOver)
{
    const std::string recorder = RecorderAt("dropper", 120);
    const std::string fits = "C:\\" + std::string(251, 'p'); // 254 characters
    const std::string cut = "C:\\" + std::string(252, 'q');  // 255: the shell would cut it
    StoreRecord(kFileKey, 1, recorder);
    StartBar();
    const int documentSlot = GetDlgCtrlID(Button(0));
    DropPaths(Button(0), {cut});
    EXPECT_FALSE(ReadStored(kFileKey, std::to_string(documentSlot).c_str()).present);
    DropPaths(Button(1), {cut, fits});
    const std::vector<Launch> launches = Launches(1);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_NE(launches[0].commandLine.find(fits), std::string::npos);
    Pump(500);
    EXPECT_EQ(Launches(1).size(), 1u) << "the path cut short was passed on";
}

// Files named outside the code page, or by paths too long for the bar's buffers, dropped from
// outside the process as a file manager drops them: each is stored and handed on by a path that
// names it, its short form where need be, or passed over.
TEST_F(LongPaths, ForeignNamesAreStoredAndHandedOnByPathsThatNameThem)
{
    const std::string folder = FreshFolder("Foreign");
    const std::string japanese = folder + "\\\x93\xFA\x96\x7B\x8C\xEA.txt"; // 日本語.txt
    const std::wstring resume = NewFile(Widened(folder) + L"\\R\u00E9sum\u00E9.txt");
    const std::wstring long300 =
        NewFile(Widened(FolderOfLength("Foreign long", "d", 284) + "\\a long name.txt"));
    std::wstring deep = Widened(folder); // short names, yet too long
    for (int i = 0; i < 28; ++i)
        CreateDirectoryW((deep += L"\\dddddddd").c_str(), nullptr);
    const std::wstring firsts[] = {resume, NewFile(Widened(japanese)), long300,
                                   NewFile(deep + L"\\R\u00E9sum\u00E9.txt")};
    ASSERT_EQ(long300.size(), 300u);
    const std::string recorder = PrepareRecorder("Recorder Foreign");
    StoreRecord(kFileKey, 4, recorder);
    StartBar();
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(DropFromOutside(Button(i), {firsts[i]}));
    const std::string files[] = {ShortPath(Widened(folder)) + "\\R_SU~XRO.TXT", japanese,
                                 ShortPath(long300)};
    const std::string titles[] = {"R_SU~XRO", "\x93\xFA\x96\x7B\x8C\xEA", "a long name"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(StoredRecord(kFileKey, i), files[i] + '\0');
        EXPECT_EQ(StoredRecord(kTitleKey, i), titles[i] + '\0');
    }
    EXPECT_EQ(StoredRecord(kFileKey, 3), "<absent>");

    ASSERT_TRUE(DropFromOutside(Button(4), {resume, firsts[3], firsts[1], long300}));
    const std::vector<Launch> launches = Launches(3);
    ASSERT_EQ(launches.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(launches[i].commandLine, "\"" + recorder + "\" " + files[i]);
    Pump(500);
    EXPECT_EQ(Launches(4, 0).size(), 3u) << "a file without a path to use was handed on";
}

} // namespace
