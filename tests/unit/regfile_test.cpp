#include "text/regfile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// A file of the given text, in UTF-16 little-endian after its byte order mark.
std::vector<unsigned char> File(const std::u16string &text, bool bom = true)
{
    std::vector<unsigned char> bytes;
    if (bom)
        bytes = {0xFF, 0xFE};
    for (char16_t unit : text) {
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
    return bytes;
}

const std::u16string kHead = u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n";

// What reading gives, one line an entry: "[path]", "name=type:hex bytes", and the final status.
std::vector<std::string> Read(const std::vector<unsigned char> &file)
{
    std::vector<std::string> entries;
    RegReader reader;
    OpenRegText(&reader, file.data(), file.size());
    RegEntry e;
    for (;;) {
        const RegRead read = ReadRegEntry(&reader, &e);
        std::string name(e.name, e.name + (read == kRegKey || read == kRegValue ? e.nameLength : 0));
        if (read == kRegKey) {
            entries.push_back("[" + name + "]");
        } else if (read == kRegValue) {
            std::string line = name + "=" + std::to_string(e.type) + ":";
            for (int i = 0; i < e.size; ++i)
                line += "0123456789abcdef"[e.data[i] >> 4], line += "0123456789abcdef"[e.data[i] & 15];
            entries.push_back(line);
        } else {
            entries.push_back("status " + std::to_string(read));
            return entries;
        }
    }
}

TEST(RegFile, WritesTheRegistryEditorsLayoutAndReadsItBack)
{
    const unsigned char text[] = {'a', 0, '\\', 0, '"', 0, 0x4E, 0x65, 0, 0}; // a\"日
    const unsigned char dword[] = {0xC8, 0, 0, 0};
    const unsigned char odd[] = {1, 2, 3};
    std::vector<unsigned char> buffer(400);
    RegWriter w;
    StartRegText(&w, buffer.data(), buffer.size());
    WriteRegKey(&w, L"HKEY_CURRENT_USER\\K");
    WriteRegValue(&w, L"t\"x", kRegString, text, sizeof text);
    WriteRegValue(&w, L"", kRegDword, dword, sizeof dword);
    WriteRegValue(&w, L"b", kRegString, odd, sizeof odd); // no terminator: kept as bytes
    WriteRegValue(&w, L"q", 11, odd, 0);
    WriteRegKey(&w, L"HKEY_CURRENT_USER\\K\\File");
    ASSERT_TRUE(EndRegText(&w));
    buffer.resize(w.size);
    EXPECT_EQ(buffer, File(kHead + u"\"t\\\"x\"=\"a\\\\\\\"\u654E\"\r\n@=dword:000000c8\r\n"
                                   u"\"b\"=hex(1):01,02,03\r\n\"q\"=hex(b):\r\n\r\n"
                                   u"[HKEY_CURRENT_USER\\K\\File]\r\n\r\n"));
    EXPECT_EQ(Read(buffer),
              (std::vector<std::string>{"[HKEY_CURRENT_USER\\K]", "t\"x=1:61005c0022004e650000",
                                        "=4:c8000000", "b=1:010203", "q=11:",
                                        "[HKEY_CURRENT_USER\\K\\File]", "status 2"}));
}

TEST(RegFile, LongHexWrapsBeforeEightyUnitsAndReadsBackWhole)
{
    std::vector<unsigned char> bytes(100, 0xAB), buffer(2000);
    RegWriter w;
    StartRegText(&w, buffer.data(), buffer.size());
    WriteRegKey(&w, L"K");
    WriteRegValue(&w, L"v", kRegBinary, bytes.data(), bytes.size());
    ASSERT_TRUE(EndRegText(&w));
    buffer.resize(w.size);
    size_t longest = 0, column = 0;
    for (size_t i = 2; i < buffer.size(); i += 2)
        column = buffer[i] == '\n' ? 0 : column + 1, longest = std::max(longest, column);
    EXPECT_LE(longest, 81u); // 80 units and the CR
    std::string expected = "v=3:";
    for (int i = 0; i < 100; ++i)
        expected += "ab";
    EXPECT_EQ(Read(buffer)[1], expected);
}

TEST(RegFile, EachKindOfBadFileStopsTheReaderWithItsReason)
{
    const std::u16string head = kHead, end = u"\r\n\r\n";
    const std::u16string longName(256, u'n'), longText(2048, u't');
    const struct {
        std::vector<unsigned char> file;
        std::string last;
    } cases[] = {
        {{}, "status 3"},
        {File(head + end, false), "status 3"},                                   // no mark
        {{0xEF, 0xBB, 0xBF, 'W'}, "status 3"},                                   // UTF-8
        {File(u"REGEDIT4\r\n\r\n"), "status 3"},                                 // another format
        {File(head + u"\"a\"=dword:1"), "status 4"},                             // cut in a line
        {File(head + u"\"a\"=dword:1\r\n"), "status 4"},                         // no empty line
        {[&] { auto f = File(head + end); f.push_back(0); return f; }(), "status 4"}, // odd byte
        {File(u"Windows Registry Editor Version 5.00\r\n\"a\"=\"b\"" + end), "status 5"},
        {File(head + u"[-HKEY_CURRENT_USER\\K]" + end), "status 5"},
        {File(head + u"\"a\"=-" + end), "status 5"},
        {File(head + u"\"a\"=\"b\\n\"" + end), "status 5"},
        {File(head + u"\"a\"=\"b" + end), "status 5"},
        {File(head + u"\"a\"=dword:123456789" + end), "status 5"},
        {File(head + u"\"a\"=qword:1" + end), "status 5"},
        {File(head + u"\"a\"=hex:01," + end), "status 5"},
        {File(head + u"\"a\"=hex:01,\\\r\n" + end), "status 5"},
        {File(head + u"\"a\"=hex(x):01" + end), "status 5"},
        {File(head + u"\"a\"=\"b\" x" + end), "status 5"},
        {File(head + std::u16string(u"\"a\0b\"=\"c\"", 8) + end), "status 5"},
        {File(head + u"\"" + longName + u"\"=\"c\"" + end), "status 6"},
        {File(head + u"\"a\"=\"" + longText + u"\"" + end), "status 6"},
        {File(head + u"; note\r\n  \"a\" = hex(2):41,00,\\\r\n   00,00\r\n\"\"=\"\"" + end),
         "=1:0000"},
    };
    for (const auto &c : cases) {
        const std::vector<std::string> read = Read(c.file);
        EXPECT_EQ(read.back() == "status 2" ? read[read.size() - 2] : read.back(), c.last)
            << read.size();
    }
}

} // namespace
