#include "text/decimal.h"

#include <climits>

static bool IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

int ParseDecimal(const char *s)
{
    while (IsBlank(*s))
        ++s;
    const bool negative = *s == '-';
    if (*s == '-' || *s == '+')
        ++s;
    long long value = 0;
    for (; *s >= '0' && *s <= '9'; ++s) {
        value = value * 10 + (*s - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        return static_cast<int>(-value);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}
