// The only way the program touches the registry. Each call opens its key for reading, or opens or
// creates it for writing, does one thing and closes the key again: no value is kept between calls,
// so every read sees what is stored now. The one key that outlives a call is one opened by
// OpenKeyToRead for a run of reads from it (ReadDwordFrom, ReadStringFrom), until its caller
// closes it with RegCloseKey: the settings are read so as the bar is created, and the slot records
// keep their File and Title keys so while one panel is built, never longer. (The pictures of the
// buttons' icons that the panel keeps come from the shell, not from here.)
#pragma once

#include <windows.h>

// The stored value, or fallback when the key or value is missing or longer than 4 bytes. A
// shorter value replaces only the low-order bytes of fallback.
int ReadDword(HKEY hive, const char *path, const char *name, int fallback);

// 1 when the value was stored, else 0 (the key could not be opened or created, or the value
// was refused).
int WriteDword(HKEY hive, const char *path, const char *name, int value);

// 0 when the key cannot be opened: buffer untouched. Otherwise 1, and buffer holds the value's
// bytes terminated inside the buffer, or the empty string when the value is absent or does not
// fit with its terminator.
int ReadString(HKEY hive, const char *path, const char *name, char *buffer, DWORD size);

// The key opened for reading, or null when it cannot be opened.
HKEY OpenKeyToRead(HKEY hive, const char *path);

// ReadDword from a key opened above; a null key gives fallback.
int ReadDwordFrom(HKEY key, const char *name, int fallback);

// ReadString from a key opened above; a null key gives 0 and leaves buffer untouched.
int ReadStringFrom(HKEY key, const char *name, char *buffer, DWORD size);

// Stores text with its terminating NUL. 1 when the value was stored, else 0.
int WriteString(HKEY hive, const char *path, const char *name, const char *text);

// Whether the key holds a value of this name, of any type.
bool ValueExists(HKEY hive, const char *path, const char *name);

// Creates the key when missing, then removes the value. 1 when the value is gone (or was never
// there), else 0.
int DeleteValue(HKEY hive, const char *path, const char *name);

// Whole keys, for taking the bar to a file and back. Names and strings pass in UTF-16 and every
// value as stored: the registry holds them so, and the calls above see them in the ANSI code
// page. Keys are opened for reading only where nothing is written, so that a key the user may
// read but not change can still be read.

// Called with each value of a key; false stops the visit.
typedef bool (*ValueVisitor)(void *context, const wchar_t *name, DWORD type, const BYTE *data,
                             DWORD size);

// Visits every value of the key. A missing key has none (true); false when the key is there
// but cannot be read, or the visitor stopped.
bool VisitValues(HKEY hive, const char *path, ValueVisitor visit, void *context);

// Stores a value as given, creating its key; false when the registry refuses.
bool WriteValueAsStored(HKEY hive, const char *path, const wchar_t *name, DWORD type,
                        const BYTE *data, DWORD size);

// Gives the key at `to` (created when missing) exactly the values of the key at `from`; its
// subkeys stay. False when a value could not be read, removed or written.
bool MirrorValues(HKEY hive, const char *from, const char *to);

// Deletes the key with everything under it. True when it is gone, or was never there.
bool DeleteWholeKey(HKEY hive, const char *path);
