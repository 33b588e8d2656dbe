#include "store/registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>

#include "bartest.h"
#include "store/barfile.h"
#include "store/settings.h"
#include "store/slots.h"

namespace
{

const char kTestKey[] = "Software\\Quorvane\\korimbel-store-test";

class Registry : public testing::Test
{
  protected:
    void SetUp() override { DeleteKeyTree(kTestKey); }
    void TearDown() override { DeleteKeyTree(kTestKey); }
};

// A buffer with guard bytes on both sides of the part the accessor may use.
struct Guarded {
    char bytes[300];
    explicit Guarded(char fill = '#') { memset(bytes, fill, sizeof bytes); }
    char *buffer() { return bytes + 8; }
    bool guardsIntact(DWORD size) const
    {
        for (DWORD i = 0; i < 8; ++i)
            if (bytes[i] != '#')
                return false;
        for (DWORD i = 8 + size; i < sizeof bytes; ++i)
            if (bytes[i] != '#')
                return false;
        return true;
    }
};

TEST_F(Registry, ReadStringOnAMissingKeyLeavesTheBufferByteForByte)
{
    char buffer[256];
    for (int i = 0; i < 256; ++i)
        buffer[i] = char(i);
    char before[256];
    memcpy(before, buffer, sizeof buffer);
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kTestKey, "File", buffer, 255), 0);
    EXPECT_EQ(memcmp(buffer, before, sizeof buffer), 0);
    EXPECT_FALSE(KeyExists(kTestKey)); // reading creates nothing
}

TEST_F(Registry, ReadStringOfAnAbsentValueGivesTheEmptyString)
{
    WriteDword(HKEY_CURRENT_USER, kTestKey, "Other", 1);
    char buffer[32] = "stale";
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kTestKey, "File", buffer, sizeof buffer), 1);
    EXPECT_STREQ(buffer, "");
}

TEST_F(Registry, WriteStringStoresTheTerminator)
{
    EXPECT_EQ(WriteString(HKEY_CURRENT_USER, kTestKey, "abc", "abc"), 1);
    EXPECT_EQ(WriteString(HKEY_CURRENT_USER, kTestKey, "empty", ""), 1);
    const StoredValue abc = ReadStored(kTestKey, "abc");
    EXPECT_EQ(abc.type, DWORD(REG_SZ));
    EXPECT_EQ(abc.bytes, (std::vector<BYTE>{'a', 'b', 'c', 0}));
    const StoredValue empty = ReadStored(kTestKey, "empty");
    EXPECT_EQ(empty.type, DWORD(REG_SZ));
    EXPECT_EQ(empty.bytes, (std::vector<BYTE>{0}));
}

TEST_F(Registry, StringsRoundTripUpToTheBufferSize)
{
    const std::string longest(254, 'x');
    WriteString(HKEY_CURRENT_USER, kTestKey, "v", longest.c_str());
    Guarded g;
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kTestKey, "v", g.buffer(), 255), 1);
    EXPECT_EQ(std::string(g.buffer()), longest);
    EXPECT_TRUE(g.guardsIntact(255));
}

TEST_F(Registry, AStringLongerThanTheBufferReadsAsAbsent)
{
    const std::string tooLong(255, 'y'); // 256 bytes with its terminator
    WriteString(HKEY_CURRENT_USER, kTestKey, "v", tooLong.c_str());
    Guarded g;
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kTestKey, "v", g.buffer(), 255), 1);
    EXPECT_STREQ(g.buffer(), "");
    EXPECT_TRUE(g.guardsIntact(255));

    const std::string huge(4000, 'z');
    WriteString(HKEY_CURRENT_USER, kTestKey, "huge", huge.c_str());
    Guarded h;
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kTestKey, "huge", h.buffer(), 25), 1);
    EXPECT_STREQ(h.buffer(), "");
    EXPECT_TRUE(h.guardsIntact(25));
}

TEST_F(Registry, AnUnterminatedStringIsTerminatedInsideTheBuffer)
{
    StoreRaw(kTestKey, "short", REG_SZ, "abcd", 4);
    Guarded g;
    ReadString(HKEY_CURRENT_USER, kTestKey, "short", g.buffer(), 25);
    EXPECT_STREQ(g.buffer(), "abcd");
    EXPECT_TRUE(g.guardsIntact(25));

    // Exactly as long as the buffer: there is no room for a terminator.
    const std::string full(25, 'q');
    StoreRaw(kTestKey, "full", REG_BINARY, full.data(), 25);
    Guarded f;
    ReadString(HKEY_CURRENT_USER, kTestKey, "full", f.buffer(), 25);
    EXPECT_STREQ(f.buffer(), "");
    EXPECT_TRUE(f.guardsIntact(25));
}

TEST_F(Registry, ReadStringOfOtherTypesStaysInsideTheBuffer)
{
    const DWORD number = 0x41424344;
    StoreRaw(kTestKey, "dword", REG_DWORD, &number, 4);
    Guarded g;
    ReadString(HKEY_CURRENT_USER, kTestKey, "dword", g.buffer(), 25);
    EXPECT_EQ(std::string(g.buffer()), "DCBA");
    EXPECT_TRUE(g.guardsIntact(25));

    StoreRaw(kTestKey, "nothing", REG_BINARY, "", 0);
    Guarded n;
    ReadString(HKEY_CURRENT_USER, kTestKey, "nothing", n.buffer(), 25);
    EXPECT_STREQ(n.buffer(), "");
    EXPECT_TRUE(n.guardsIntact(25));
}

TEST_F(Registry, ReadDwordFallsBackWhenKeyOrValueIsMissing)
{
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kTestKey, "HideTime", 200), 200);
    EXPECT_FALSE(KeyExists(kTestKey));
    WriteDword(HKEY_CURRENT_USER, kTestKey, "Other", 5);
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kTestKey, "HideTime", 200), 200);
}

TEST_F(Registry, WriteDwordStoresFourBytesAndReadsBackSigned)
{
    EXPECT_EQ(WriteDword(HKEY_CURRENT_USER, kTestKey, "v", -7), 1);
    const StoredValue v = ReadStored(kTestKey, "v");
    EXPECT_EQ(v.type, DWORD(REG_DWORD));
    EXPECT_EQ(v.bytes, (std::vector<BYTE>{0xF9, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kTestKey, "v", 0), -7);
}

TEST_F(Registry, AllBitsSetReadsAsMinusOne)
{
    const DWORD all = 0xFFFFFFFF;
    StoreRaw(kTestKey, "v", REG_DWORD, &all, 4);
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kTestKey, "v", 200), -1);
}

TEST_F(Registry, AShortValueReplacesOnlyTheLowBytesOfTheDefault)
{
    const BYTE two[] = {0x34, 0x12};
    StoreRaw(kTestKey, "v", REG_BINARY, two, 2);
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kTestKey, "v", 200), 0x1234);
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kTestKey, "v", 0x00FF00C8), 0x00FF1234);
}

TEST_F(Registry, FourBytesOfAnyTypeAreTaken)
{
    StoreRaw(kTestKey, "v", REG_SZ, "abc", 4);
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kTestKey, "v", 0), 0x00636261);
}

TEST_F(Registry, ALongerValueReadsAsAbsent)
{
    const unsigned long long eight = 0x1122334455667788ULL;
    StoreRaw(kTestKey, "qword", REG_QWORD, &eight, 8);
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kTestKey, "qword", 200), 200);
    const std::string text(100, 'x');
    StoreRaw(kTestKey, "text", REG_SZ, text.c_str(), 101);
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kTestKey, "text", 4), 4);
}

TEST_F(Registry, DeleteValueCreatesAMissingKeyAndLeavesItEmpty)
{
    EXPECT_EQ(DeleteValue(HKEY_CURRENT_USER, kTestKey, "File"), 1);
    ASSERT_TRUE(KeyExists(kTestKey));
    HKEY key;
    RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_READ, &key);
    DWORD values = 99, subkeys = 99;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(key);
    EXPECT_EQ(values, 0u);
    EXPECT_EQ(subkeys, 0u);
}

TEST_F(Registry, WritesCreateMissingKeysAlongThePath)
{
    const std::string deep = std::string(kTestKey) + "\\File";
    EXPECT_EQ(WriteString(HKEY_CURRENT_USER, deep.c_str(), "3", "c:\\a.exe"), 1);
    EXPECT_EQ(ReadStored(deep.c_str(), "3").bytes.size(), 9u);
}

TEST_F(Registry, AKeyThatCannotBeOpenedReportsZero)
{
    const HKEY bogus = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234));
    char buffer[8] = "keep";
    EXPECT_EQ(WriteDword(bogus, "x", "v", 1), 0);
    EXPECT_EQ(WriteString(bogus, "x", "v", "a"), 0);
    EXPECT_EQ(DeleteValue(bogus, "x", "v"), 0);
    EXPECT_EQ(ReadString(bogus, "x", "v", buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "keep");
    EXPECT_EQ(ReadDword(bogus, "x", "v", 77), 77);
}

class Settings : public testing::Test
{
  protected:
    void SetUp() override { DeleteKeyTree(kRootKey); }
    void TearDown() override { DeleteKeyTree(kRootKey); }
};

TEST_F(Settings, AnEmptyRegistryGivesTheDefaults)
{
    EXPECT_EQ(ReadSetting(kHideTime), 200);
    EXPECT_EQ(ReadSetting(kTimerSound), 0);
    EXPECT_EQ(ReadSetting(kHideMode), 0);
    EXPECT_EQ(ReadSetting(kTopMode), 1);
    EXPECT_EQ(ReadSetting(kStartExecFlg), 0);
    EXPECT_EQ(ReadSetting(kStartLaunch), 1);
    EXPECT_EQ(ReadSetting(kMaxPage), 4);
    EXPECT_EQ(ReadSetting(kAppBarMode), 2);
    EXPECT_EQ(ReadSetting(kFloatMode), 0);
    EXPECT_EQ(ReadSetting(kDispPage), 0);
    EXPECT_EQ(ReadSetting(kX), 20);
    EXPECT_EQ(ReadSetting(kY), 20);
    EXPECT_EQ(ReadSetting(kWidth), 0);
    EXPECT_EQ(ReadSetting(kHeight), 0);
    EXPECT_FALSE(KeyExists(kRootKey));
}

// The whole bar to a file and back, against the bar's own key, emptied for every case.
class BarFile : public Settings
{
  protected:
    // Every value of the bar's four keys: type and bytes, by key and name.
    typedef std::map<std::wstring, std::pair<DWORD, std::vector<BYTE>>> Contents;
    static Contents BarContents()
    {
        Contents all;
        for (const char *path : {kRootKey, kFileKey, kTitleKey, kOptionKey}) {
            HKEY key;
            if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
                continue;
            wchar_t name[300];
            BYTE data[5000];
            for (DWORD i = 0, n = 300, size = sizeof data, type;
                 RegEnumValueW(key, i, name, &n, nullptr, &type, data, &size) == ERROR_SUCCESS;
                 ++i, n = 300, size = sizeof data)
                all[Widened(path) + L"|" + name] = {type, std::vector<BYTE>(data, data + size)};
            RegCloseKey(key);
        }
        return all;
    }
    // A bar with every kind of value it keeps, and one value of its root key it does not know.
    static void FillBar()
    {
        StoreDword("HideTime", 350);
        StoreDword("MaxPage", 9);
        StoreString("curpath", "c:\\tools\\bar");
        StoreRaw(kRootKey, "Other", REG_BINARY, "\x01\x02", 2);
        StoreRecord(kFileKey, 0, "c:\\a \"b\"\\\x95\x5C.exe");
        StoreRecord(kTitleKey, 0, "\x95\x5C\x83\x5C");
        StoreRecord(kOptionKey, 0, "10000000000000000002");
        StoreRecord(kFileKey, 699, std::string(254, 'f'));
        StoreRecord(kTitleKey, 699, "");
    }
    static std::vector<char> Bytes(const std::wstring &text)
    {
        std::vector<char> bytes = {'\xFF', '\xFE'};
        bytes.insert(bytes.end(), reinterpret_cast<const char *>(text.data()),
                     reinterpret_cast<const char *>(text.data() + text.size()));
        return bytes;
    }
    // A file of the bar's four keys with lines of its own in the File and the root key.
    static std::vector<char> Records(const std::wstring &file, const std::wstring &settings = L"")
    {
        const std::wstring root = L"[HKEY_CURRENT_USER\\Software\\Quorvane\\korimbel";
        return Bytes(L"Windows Registry Editor Version 5.00\r\n\r\n" + root + L"]\r\n" + settings +
                     L"\r\n" + root +
                     L"\\File]\r\n" + file + L"\r\n" + root + L"\\Title]\r\n\r\n" + root +
                     L"\\OptionStr]\r\n\r\n");
    }
    static void Save(const std::vector<char> &bytes)
    {
        std::ofstream(path, std::ios::binary).write(bytes.data(), bytes.size());
    }
    static std::vector<char> Saved()
    {
        std::ifstream in(path, std::ios::binary);
        return std::vector<char>(std::istreambuf_iterator<char>(in), {});
    }
    // Where text begins in a file, or -1.
    static ptrdiff_t Find(const std::vector<char> &file, const std::wstring &text)
    {
        const std::vector<char> bytes = Bytes(text);
        const auto at = std::search(file.begin(), file.end(), bytes.begin() + 2, bytes.end());
        return at == file.end() ? -1 : at - file.begin();
    }
    static bool NothingLeftAside()
    {
        return !KeyExists(ROOT_KEY_PATH ".import") && !KeyExists(ROOT_KEY_PATH ".previous");
    }
    static const std::string path;
    const std::wstring widePath = Widened(path);
};

const std::string BarFile::path = TestFolder() + "\\bar.reg";

TEST_F(BarFile, ExportedAndImportedIntoACleanKeyTheBarComesBackValueByValue)
{
    FillBar();
    const Contents before = BarContents();
    ASSERT_EQ(ExportBar(widePath.c_str()), kBarFileDone);
    const std::vector<char> file = Saved();
    EXPECT_GT(Find(file, L"korimbel\\Title]\r\n\"0\"=\"\x8868\x30BD\"\r\n"), 0);
    EXPECT_GT(Find(file, L"\"0\"=\"c:\\\\a \\\"b\\\"\\\\\x8868.exe\"\r\n"), 0);
    DeleteKeyTree(kRootKey);
    EXPECT_EQ(ImportBar(widePath.c_str()), kBarFileDone);
    EXPECT_EQ(BarContents(), before);
    StoreRecord(kFileKey, 5, "not in the file");
    StoreDword("TopMode", 0);
    EXPECT_EQ(ImportBar(widePath.c_str()), kBarFileDone);
    EXPECT_EQ(BarContents(), before);
    EXPECT_EQ(StoredRecord(kTitleKey, 0), std::string("\x95\x5C\x83\x5C") + '\0');
    EXPECT_TRUE(NothingLeftAside());
}

TEST_F(BarFile, TheSystemsRegistryEditorMergesTheExportedFileIntoTheSameKey)
{
    FillBar();
    const Contents before = BarContents();
    ASSERT_EQ(ExportBar(widePath.c_str()), kBarFileDone);
    DeleteKeyTree(kRootKey);
    std::string command = "reg.exe import \"" + path + "\"";
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    PROCESS_INFORMATION process;
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                               nullptr, nullptr, &start, &process));
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(BarContents(), before);
}

TEST_F(BarFile, EachBadFileIsRefusedWithTheBarUnchanged)
{
    FillBar();
    ASSERT_EQ(ExportBar(widePath.c_str()), kBarFileDone);
    const std::vector<char> good = Saved();
    const ptrdiff_t lastKey = Find(good, L"[HKEY_CURRENT_USER\\Software\\Quorvane\\korimbel\\OptionStr]");
    ASSERT_GT(lastKey, 0);
    std::wstring thousands;
    for (int slot = 0; slot < 10000; ++slot)
        thousands += L"\"" + std::to_wstring(slot) + L"\"=\"c:\\\\x.exe\"\r\n";
    const Contents before = BarContents();
    const struct {
        std::vector<char> file;
        BarFileResult result;
    } cases[] = {
        {{}, kBarFileNotRegFile},
        {{'\xEF', '\xBB', '\xBF', 'W', 'i', 'n'}, kBarFileNotRegFile}, // UTF-8
        {std::vector<char>(good.begin() + 2, good.end()), kBarFileNotRegFile}, // no mark
        {std::vector<char>(good.begin(), good.begin() + good.size() / 2), kBarFileCutShort},
        {std::vector<char>(good.begin(), good.end() - 1), kBarFileCutShort},
        {std::vector<char>(good.begin(), good.end() - 4), kBarFileCutShort},
        {std::vector<char>(good.begin(), good.begin() + lastKey), kBarFileCutShort},
        {std::vector<char>(kBarFileBytes + 2, ' '), kBarFileTooBig},
        {Records(L"[HKEY_CURRENT_USER\\Software\\Quorvane\\korimbel2]\r\n"), kBarFileOtherKey},
        {Records(L"[HKEY_LOCAL_MACHINE\\Software\\Quorvane\\korimbel]\r\n"), kBarFileOtherKey},
        {Records(L"\"0\"=dword:00000001\r\n"), kBarFileBadValue},
        {Records(L"", L"\"hidetime\"=\"200\"\r\n"), kBarFileBadValue},
        {Records(L"", L"\"curpath\"=hex(1):41,00\r\n"), kBarFileBadValue}, // unterminated
        {Records(L"\"0\"=hex(2):41,00,00,00\r\n"), kBarFileBadValue},
        {Records(L"\"0\"=\"" + std::wstring(255, L'f') + L"\"\r\n"), kBarFileBadValue},
        {Records(L"\"0\"=\"R\xE9sum\xE9\"\r\n"), kBarFileBadValue}, // no such text in the code page
        {Records(L"\"" + std::wstring(256, L'n') + L"\"=\"x\"\r\n"), kBarFileTooBig},
        {Records(L"\"0\"=\"" + std::wstring(5000, L'f') + L"\"\r\n"), kBarFileTooBig},
        {Records(thousands), kBarFileTooBig},
        {Records(L"\"0\"=-\r\n"), kBarFileNotRegFile},
    };
    for (const auto &c : cases) {
        Save(c.file);
        EXPECT_EQ(ImportBar(widePath.c_str()), c.result) << &c - cases;
        EXPECT_EQ(BarContents(), before) << &c - cases;
    }
    EXPECT_EQ(ImportBar(L"c:\\no such folder\\bar.reg"), kBarFileUnusable);
    EXPECT_TRUE(NothingLeftAside());
}

// The Title key refuses writes: the settings and the File records, already replaced by then,
// are put back as they were.
TEST_F(BarFile, AWriteRefusedPartWayLeavesTheBarAsItWas)
{
    FillBar();
    ASSERT_EQ(ExportBar(widePath.c_str()), kBarFileDone);
    StoreDword("HideTime", 900);
    StoreRecord(kFileKey, 3, "c:\\other.exe");
    StoreRecord(kTitleKey, 3, "other");
    const Contents before = BarContents();
    ASSERT_TRUE(MakeKeyReadOnly(HKEY_CURRENT_USER, kTitleKey, true));
    EXPECT_EQ(ImportBar(widePath.c_str()), kBarFileRefused);
    ASSERT_TRUE(MakeKeyReadOnly(HKEY_CURRENT_USER, kTitleKey, false));
    EXPECT_EQ(BarContents(), before);
    EXPECT_TRUE(NothingLeftAside());
}

} // namespace
