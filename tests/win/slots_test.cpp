// Slot records against the real registry. What the slot clipboard holds before any copy is seen
// end to end, in a bar just started.
#include "store/slots.h"

#include <gtest/gtest.h>

#include "bartest.h"
#include "store/settings.h"

namespace
{

class SlotRecords : public testing::Test
{
  protected:
    void SetUp() override { DeleteKeyTree(kRootKey); }
    void TearDown() override { DeleteKeyTree(kRootKey); }
    static void Store(const char *key, const char *slot, const char *text)
    {
        StoreRaw(key, slot, REG_SZ, text, DWORD(strlen(text) + 1));
    }
    static std::string Record(const char *key, const char *slot)
    {
        const StoredValue v = ReadStored(key, slot);
        return v.present ? std::string(v.bytes.begin(), v.bytes.end()) : "<absent>";
    }
};

TEST_F(SlotRecords, CutAndPasteMovesAllThreeAndPastingAgainCopies)
{
    Store(kFileKey, "1", "c:\\tools\\tool.exe");
    Store(kTitleKey, "1", "tool");
    Store(kOptionKey, "1", "10000000000000000002");
    EXPECT_TRUE(CutSlot(1));
    for (const char *key : {kFileKey, kTitleKey, kOptionKey})
        EXPECT_FALSE(ReadStored(key, "1").present) << key;
    EXPECT_TRUE(PasteSlot(7));
    EXPECT_TRUE(PasteSlot(-3));
    for (const char *slot : {"7", "-3"}) {
        EXPECT_EQ(Record(kFileKey, slot), std::string("c:\\tools\\tool.exe") + '\0');
        EXPECT_EQ(Record(kTitleKey, slot), std::string("tool") + '\0');
        EXPECT_EQ(Record(kOptionKey, slot), std::string("10000000000000000002") + '\0');
    }
}

TEST_F(SlotRecords, CopyingAnEmptySlotOverARegisteredOneEmptiesIt)
{
    Store(kFileKey, "2", "c:\\a.exe");
    CopySlot(9);
    PasteSlot(2);
    EXPECT_EQ(Record(kFileKey, "2"), std::string(1, '\0'));
}

TEST_F(SlotRecords, DeleteRemovesTheThreeRecordsAndCreatesTheKeys)
{
    Store(kFileKey, "5", "c:\\a.exe");
    EXPECT_TRUE(DeleteSlot(5));
    EXPECT_FALSE(ReadStored(kFileKey, "5").present);
    EXPECT_TRUE(KeyExists(kTitleKey));
    EXPECT_TRUE(KeyExists(kOptionKey));
}

TEST_F(SlotRecords, ADropReplacesFileTitleAndOptions)
{
    Store(kFileKey, "3", "c:\\old.doc");
    Store(kOptionKey, "3", "10000000000000000002");
    EXPECT_TRUE(RegisterDroppedPath(3, "C:\\Data.old\\notes", "notes"));
    EXPECT_EQ(Record(kFileKey, "3"), std::string("C:\\Data.old\\notes") + '\0');
    EXPECT_EQ(Record(kTitleKey, "3"), std::string("notes") + '\0');
    EXPECT_FALSE(ReadStored(kOptionKey, "3").present);
    RegisterDroppedPath(3, "D:\\", "");
    EXPECT_EQ(Record(kTitleKey, "3"), std::string(1, '\0'));
}

TEST_F(SlotRecords, OptionsReadAndWrite)
{
    EXPECT_EQ(ReadSlotOptions(8).runAtStart, 0);
    EXPECT_EQ(ReadSlotOptions(8).showMode, 0);
    WriteSlotOptions(8, OptionPair{1, 2});
    EXPECT_EQ(Record(kOptionKey, "8"), std::string("10000000000000000002") + '\0');
    Store(kOptionKey, "8", "1");
    EXPECT_EQ(ReadSlotOptions(8).runAtStart, 1);
    EXPECT_EQ(ReadSlotOptions(8).showMode, 0);
    const std::string tooLong(40, '1');
    Store(kOptionKey, "8", tooLong.c_str());
    EXPECT_EQ(ReadSlotOptions(8).runAtStart, 0); // longer than the buffer: read as absent
}

TEST_F(SlotRecords, ExecutablesAreFoundAnywhereInTheFile)
{
    EXPECT_FALSE(IsExecutableSlot(0));
    const char *yes[] = {"c:\\app\\setup.exe", "C:\\APP\\RUN.EXE", "c:\\tools.exe\\readme.txt"};
    for (const char *file : yes) {
        Store(kFileKey, "0", file);
        EXPECT_TRUE(IsExecutableSlot(0)) << file;
    }
    const char *no[] = {"c:\\app\\tool.lnk", "c:\\app\\setup.ex", ""};
    for (const char *file : no) {
        Store(kFileKey, "0", file);
        EXPECT_FALSE(IsExecutableSlot(0)) << file;
    }
}

} // namespace
