// The whole bar in one file of the registry editor's format: the settings under the root key
// and the File, Title and OptionStr records, taken out of the registry and put back in place of
// what is there. The system's registry editor reads the same file.
#pragma once

#include <windows.h>

// How an export or an import ended. Anything but done changed nothing in the registry.
enum BarFileResult {
    kBarFileDone,
    kBarFileUnusable,   // the file could not be opened, read or written
    kBarFileNotRegFile, // empty, of another encoding or format, or with a line the format lacks
    kBarFileCutShort,   // cut short, or without one of the bar's four keys
    kBarFileOtherKey,   // names a key that is not the bar's
    kBarFileBadValue,   // a value of a known name has another type, or text the bar cannot hold
    kBarFileTooBig,     // over one of the bounds below
    kBarFileRefused,    // the registry refused a read or a write
};

// The bounds of an import. A record, and curpath, is text of the ANSI code page of at most 254
// bytes, as the bar's 255-byte buffers hold it; a key holds at most kBarFileValues values
// (ten pages of the longest bar have 700 slots); a file is at most kBarFileBytes bytes, room
// for that many records of the longest text in every key. Names and data have the limits of
// text/regfile.h (255 units, 4096 bytes). An export larger than kBarFileBytes fails; one that
// holds what an import refuses (a value written by another program) is written all the same,
// for the system's registry editor.
const int kBarFileValues = 1024;
const DWORD kBarFileBytes = 4 << 20;

// Writes the bar's keys as stored into a new file at path.
BarFileResult ExportBar(const wchar_t *path);

// Checks the whole file, writes it aside, then puts it in place of the bar's four keys, which
// are kept aside meanwhile and put back when a write is refused. Other subkeys of the root key
// stay as they are.
BarFileResult ImportBar(const wchar_t *path);
