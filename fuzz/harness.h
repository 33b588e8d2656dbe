// What the fuzz targets share: the input cut into text fields, a code page made up from the
// input, a model of where characters start, and buffers whose exact size ASan knows.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "text/dbcs.h"

// A broken invariant aborts, so libFuzzer keeps the input that broke it.
inline void Require(bool holds, const char *invariant)
{
    if (holds)
        return;
    std::fprintf(stderr, "broken: %s\n", invariant);
    std::abort();
}

// The input as fields separated by NUL bytes. Seed files stay readable that way: a plain path
// is a whole input, and missing fields come out empty.
class Fields
{
  public:
    Fields(const uint8_t *data, size_t size)
        : at_(reinterpret_cast<const char *>(data)), end_(at_ + size)
    {
    }

    // At most limit bytes of the next field: the program never hands over longer text.
    std::string Next(size_t limit = std::string::npos)
    {
        const char *stop = std::find(at_, end_, '\0');
        const std::string field(at_, stop);
        at_ = stop == end_ ? end_ : stop + 1;
        return field.substr(0, limit);
    }

    std::string Rest()
    {
        const std::string rest(at_, end_);
        at_ = end_;
        return rest;
    }

  private:
    const char *at_;
    const char *end_;
};

// Bit b of bits makes byte b a lead byte; NUL leads in no code page.
inline LeadBytes LeadBytesFrom(const std::string &bits)
{
    LeadBytes lb{};
    for (size_t b = 1; b < 256; ++b) {
        const size_t index = b / 8;
        lb.lead[b] =
            index < bits.size() && ((static_cast<unsigned char>(bits[index]) >> (b % 8)) & 1);
    }
    return lb;
}

// starts[i] tells whether a character of s begins at byte i; starts[s.size()] is the end. A
// lead byte pairs with the byte after it, unless it is the last byte of s.
inline std::vector<bool> CharacterStarts(const std::string &s, const LeadBytes &lb)
{
    std::vector<bool> starts(s.size() + 1, false);
    size_t i = 0;
    while (i < s.size()) {
        starts[i] = true;
        const bool pair = lb.lead[static_cast<unsigned char>(s[i])] && i + 1 < s.size();
        i += pair ? 2 : 1;
    }
    starts[s.size()] = true;
    return starts;
}

// Where the last c that begins a character of s is, or npos.
inline size_t LastAtStart(const std::string &s, char c, const LeadBytes &lb)
{
    const std::vector<bool> starts = CharacterStarts(s, lb);
    for (size_t i = s.size(); i-- > 0;) {
        if (starts[i] && s[i] == c)
            return i;
    }
    return std::string::npos;
}

// s with its terminator in a heap block of exactly that size: ASan flags any byte past it.
inline std::vector<char> CString(const std::string &s)
{
    std::vector<char> text(s.size() + 1);
    std::memcpy(text.data(), s.c_str(), text.size());
    return text;
}

// An output buffer of the given size, filled with a byte that is no terminator, so a function
// that forgets to write one is caught.
inline std::vector<char> OutputBuffer(size_t size)
{
    return std::vector<char>(size, '\x7F');
}

// The text a function left in buffer, which must end inside it.
inline std::string TextIn(const std::vector<char> &buffer)
{
    const auto end = std::find(buffer.begin(), buffer.end(), '\0');
    Require(end != buffer.end(), "the text ends inside its buffer");
    return std::string(buffer.begin(), end);
}
