// Decimal text typed by the user or shown in a list.
#pragma once

// Decimal text as the C runtime's atoi reads it: leading white space, an optional sign, then
// digits up to the first other character; 0 when there are none. Out-of-range values clamp.
int ParseDecimal(const char *s);
