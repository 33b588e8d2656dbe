// The double-byte string helpers, held against the model of where characters start, under
// Shift-JIS and under a code page the input makes up; ParseDecimal against the C library.
// Input: text, NUL, needle, NUL, lead-byte bits.
#include <climits>

#include "harness.h"
#include "text/decimal.h"

namespace
{

void CheckFindLastByte(const std::string &s, char c, const LeadBytes &lb)
{
    const std::vector<char> text = CString(s);
    const size_t expected = LastAtStart(s, c, lb);
    const char *found = FindLastByte(text.data(), c, lb);
    Require(found == (expected == std::string::npos ? nullptr : text.data() + expected),
            "FindLastByte finds the last c that begins a character, never a trail byte");
}

void CheckFindSubstring(const std::string &s, const std::string &needle, const LeadBytes &lb)
{
    const std::vector<char> text = CString(s);
    const std::vector<bool> starts = CharacterStarts(s, lb);
    size_t expected = std::string::npos;
    for (size_t i = 0; i <= s.size() && expected == std::string::npos; ++i) {
        if (starts[i] && s.compare(i, needle.size(), needle) == 0)
            expected = i;
    }
    const char *found = FindSubstring(text.data(), CString(needle).data(), lb);
    Require(found == (expected == std::string::npos ? nullptr : text.data() + expected),
            "FindSubstring finds the first match that begins at a character");
}

void CheckLowerCase(const std::string &s, const LeadBytes &lb)
{
    std::vector<char> text = CString(s);
    LowerCaseSingleBytes(text.data(), lb);
    Require(TextIn(text).size() == s.size(), "lower-casing keeps the length");
    const std::vector<bool> starts = CharacterStarts(s, lb);
    for (size_t i = 0; i < s.size(); ++i) {
        const bool single = starts[i] && starts[i + 1];
        const bool upper = s[i] >= 'A' && s[i] <= 'Z';
        const char expected = single && upper ? static_cast<char>(s[i] - 'A' + 'a') : s[i];
        Require(text[i] == expected, "only single-byte A to Z change; double-byte stay whole");
    }
}

void CheckHelpers(const std::string &s, const std::string &needle, const LeadBytes &lb)
{
    for (const char c : std::string("\\.") + needle.substr(0, 1))
        CheckFindLastByte(s, c, lb);
    CheckFindSubstring(s, needle, lb);
    CheckLowerCase(s, lb);
}

// strtol reads as atoi does, only wider: clamped, it is what ParseDecimal must give.
static_assert(sizeof(long) > sizeof(int), "strtol must see past the range of int");

void CheckParseDecimal(const std::string &s)
{
    const long wide = std::strtol(s.c_str(), nullptr, 10);
    const long expected = std::clamp<long>(wide, INT_MIN, INT_MAX);
    Require(ParseDecimal(CString(s).data()) == expected,
            "ParseDecimal reads as atoi, clamped to the range of int");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fields input(data, size);
    const std::string text = input.Next();
    const std::string needle = input.Next();
    const LeadBytes madeUp = LeadBytesFrom(input.Rest());
    CheckHelpers(text, needle, ShiftJisLeadBytes());
    CheckHelpers(text, needle, madeUp);
    CheckParseDecimal(text);
    return 0;
}
