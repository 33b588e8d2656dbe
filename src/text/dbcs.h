// String helpers for byte strings in a multibyte ANSI code page (Shift-JIS for the Japanese
// interface). A byte that is the second half of a double-byte character is never taken for an
// ASCII character, so "表" (0x95 0x5C) never counts as a backslash.
#pragma once

struct LeadBytes {
    bool lead[256];
};

// The lead bytes of code page 932; tests and tools use it where no code page is in force.
LeadBytes ShiftJisLeadBytes();

// Last occurrence of byte c at a character boundary of s, or null.
const char *FindLastByte(const char *s, char c, const LeadBytes &lb);

// First occurrence of needle starting at a character boundary of s, or null.
const char *FindSubstring(const char *s, const char *needle, const LeadBytes &lb);

// Lower-cases single-byte "A" to "Z" in place; double-byte characters stay whole.
void LowerCaseSingleBytes(char *s, const LeadBytes &lb);
