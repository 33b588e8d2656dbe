#include "store/registry.h"

#include <gtest/gtest.h>

#include <cstring>

#include "bartest.h"
#include "store/settings.h"

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

} // namespace
