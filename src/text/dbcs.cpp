#include "text/dbcs.h"

#include <cstring>

LeadBytes ShiftJisLeadBytes()
{
    LeadBytes lb;
    for (int b = 0; b < 256; ++b)
        lb.lead[b] = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    return lb;
}

// Width of the character at p: 2 for a lead byte followed by a trail byte, else 1. A lead byte
// right before the terminator counts alone, so the terminator is never stepped over.
static int CharWidth(const char *p, const LeadBytes &lb)
{
    return lb.lead[static_cast<unsigned char>(p[0])] && p[1] != '\0' ? 2 : 1;
}

const char *FindLastByte(const char *s, char c, const LeadBytes &lb)
{
    const char *found = nullptr;
    for (; *s != '\0'; s += CharWidth(s, lb)) {
        if (*s == c)
            found = s;
    }
    return c == '\0' ? s : found;
}

const char *FindSubstring(const char *s, const char *needle, const LeadBytes &lb)
{
    const size_t n = std::strlen(needle);
    for (;; s += CharWidth(s, lb)) {
        if (std::strncmp(s, needle, n) == 0)
            return s;
        if (*s == '\0')
            return nullptr;
    }
}

void LowerCaseSingleBytes(char *s, const LeadBytes &lb)
{
    while (*s != '\0') {
        const int width = CharWidth(s, lb);
        if (width == 1 && *s >= 'A' && *s <= 'Z')
            *s = static_cast<char>(*s - 'A' + 'a');
        s += width;
    }
}
