// Option strings as the registry may hold them (at most kOptionBufferSize - 1 bytes), any two
// option values and any stored hotkey. Input: stored text, NUL, then optionally two ints and an
// unsigned as raw bytes.
#include "harness.h"
#include "store/hotkey.h"
#include "store/options.h"

namespace
{

bool operator==(const OptionPair &a, const OptionPair &b)
{
    return a.runAtStart == b.runAtStart && a.showMode == b.showMode;
}

const size_t kShowPosition = kOptionLength - 1;

void CheckStoredText(const std::string &stored)
{
    const OptionPair pair = ParseOptions(CString(stored).data());
    std::string expected = kOptionTemplate;
    if (!stored.empty())
        expected[0] = stored[0];
    if (stored.size() > kShowPosition)
        expected[kShowPosition] = stored[kShowPosition];
    std::vector<char> written = OutputBuffer(kOptionBufferSize);
    FormatOptions(pair, written.data());
    Require(TextIn(written) == expected, "the two digits read are written back into the template");
    Require(ParseOptions(written.data()) == pair, "what was written reads as what was read");
}

char DigitByte(int value)
{
    return static_cast<char>(static_cast<unsigned>(value) + '0');
}

// Each value goes in modulo 256; it reads back the same modulo 256, unless its byte is the
// terminator, which ends the text there.
void CheckAnyValues(OptionPair pair)
{
    std::string expected = kOptionTemplate;
    expected[0] = DigitByte(pair.runAtStart);
    expected[kShowPosition] = DigitByte(pair.showMode);
    std::vector<char> written = OutputBuffer(kOptionBufferSize);
    FormatOptions(pair, written.data());
    Require(std::string(written.data(), kOptionLength + 1) == expected + '\0',
            "the template with the two values put in");
    if (expected.find('\0') != std::string::npos)
        return;
    const OptionPair read = ParseOptions(written.data());
    Require(DigitByte(read.runAtStart) == DigitByte(pair.runAtStart) &&
                DigitByte(read.showMode) == DigitByte(pair.showMode),
            "values read back equal modulo 256");
}

OptionPair PairFrom(const std::string &bytes)
{
    OptionPair pair;
    std::memcpy(&pair, bytes.data(), sizeof pair);
    return pair;
}

// A hotkey keeps its value's low byte as its key, takes none of 0, and knows three modifiers.
void CheckHotKey(unsigned stored)
{
    unsigned modifiers = 0, key = 0;
    Require(!SystemHotKey(stored, &modifiers, &key) ||
                (key == (stored & 0xFF) && key != 0 && modifiers <= 7 && stored <= 0xFFFF),
            "a hotkey is a key of the value's low byte with the three modifiers");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fields input(data, size);
    CheckStoredText(input.Next(kOptionBufferSize - 1));
    const std::string values = input.Rest();
    if (values.size() >= sizeof(OptionPair))
        CheckAnyValues(PairFrom(values));
    unsigned stored;
    if (values.size() >= sizeof(OptionPair) + sizeof stored) {
        std::memcpy(&stored, values.data() + sizeof(OptionPair), sizeof stored);
        CheckHotKey(stored);
    }
    return 0;
}
