#include "store/options.h"

#include <cstring>

const char kOptionTemplate[] = "00000000000000000000";

static int DigitAt(const char *text, int position)
{
    if (static_cast<int>(std::strlen(text)) <= position)
        return 0;
    return static_cast<signed char>(text[position]) - '0';
}

OptionPair ParseOptions(const char *text)
{
    return OptionPair{DigitAt(text, 0), DigitAt(text, kOptionLength - 1)};
}

void FormatOptions(OptionPair pair, char *text)
{
    std::memcpy(text, kOptionTemplate, sizeof kOptionTemplate);
    // Unsigned, so that any int wraps to its byte instead of overflowing.
    text[0] = static_cast<char>('0' + static_cast<unsigned>(pair.runAtStart));
    text[kOptionLength - 1] = static_cast<char>('0' + static_cast<unsigned>(pair.showMode));
}
