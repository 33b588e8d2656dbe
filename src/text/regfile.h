// Files in the format of the system's registry editor: UTF-16 little-endian text with its byte
// order mark, the header line "Windows Registry Editor Version 5.00", then a section per key,
// "[HKEY_CURRENT_USER\...]", with one line per value, lines ended by CR LF and the file by an
// empty line. Read and written here as keys and typed values, apart from any registry.
//
// Value lines: "name"= or @= (the default value), then "text" (a string, with \\ and \" its
// only escapes), dword:1 to 8 hex digits, hex:bytes (binary) or hex(type):bytes (any type),
// bytes as two hex digits each, comma-separated, a line ending in "\" going on in the next.
// Lines starting with ";" are comments. Deletions ("[-key]", "name"=-) are no part of a file
// that holds a whole key, and are refused.
//
// UTF-16 units are held in wchar_t: 16 bits on Windows, where the registry takes them as they
// are; natively wider, holding one unit each.
#pragma once

#include <cstddef>

// Value types as the registry numbers them.
const unsigned kRegString = 1;
const unsigned kRegBinary = 3;
const unsigned kRegDword = 4;

// The longest key path or value name read, in UTF-16 units, and the most bytes of one value's
// data: a string of 255 units takes 512 with its terminator.
const int kRegNameLimit = 255;
const int kRegDataLimit = 4096;

enum RegRead {
    kRegKey,      // a key's section begins: name holds the key's full path
    kRegValue,    // a value of that key: name ("" for the default value), type and data
    kRegEnd,      // the file is read, whole
    kRegNotAFile, // no byte order mark or no header: empty, another encoding or format
    kRegCutShort, // an odd byte at the end, or no empty line: the file was cut short
    kRegBadLine,  // a line the format does not have, or a value before the first key
    kRegTooLong,  // a name or a value's data over the limits above
};

struct RegEntry {
    wchar_t name[kRegNameLimit + 1]; // terminated, without NUL units
    int nameLength;
    unsigned type;
    // As the registry stores it: a string as UTF-16 little-endian with its terminator, a dword
    // as four bytes, lowest first.
    unsigned char data[kRegDataLimit];
    int size;
};

struct RegReader {
    const unsigned char *bytes; // the file; once checked, its text after the byte order mark
    size_t size, units, at;     // the file's bytes; the text's units and the next one to read
    int state;
    bool inKey;
};

// The reader takes the file's bytes as they are; they must stay in place while it reads.
void OpenRegText(RegReader *reader, const unsigned char *bytes, size_t size);

// The next key or value. The byte order mark, header and end are checked at the first call;
// after anything but kRegKey and kRegValue the reader has nothing more to give.
RegRead ReadRegEntry(RegReader *reader, RegEntry *entry);

// Writes a file into a buffer of capacity bytes. What does not fit is counted but not written,
// so that size is the whole file's size in any case.
struct RegWriter {
    unsigned char *bytes;
    size_t capacity, size, column;
    bool written; // everything so far fit and could be written
};

// Byte order mark and header.
void StartRegText(RegWriter *writer, unsigned char *buffer, size_t capacity);

// A key's section; path is its full path, terminated.
void WriteRegKey(RegWriter *writer, const wchar_t *path);

// A value of the last key, as the registry stores it. A clean string (terminated once, at its
// end, without line breaks) is written as text, four bytes of a dword as dword:, anything else
// in hex, so that reading gives back type and bytes exactly. A name with a line break cannot be
// written and spoils the file.
void WriteRegValue(RegWriter *writer, const wchar_t *name, unsigned type,
                   const unsigned char *data, size_t size);

// The empty line that ends the file. True when the whole file is in the buffer.
bool EndRegText(RegWriter *writer);
