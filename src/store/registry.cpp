#include "store/registry.h"

// Reads ask for no more than reading: a key another tool made read-only still reads.
static bool OpenKey(HKEY hive, const char *path, HKEY *key)
{
    return RegOpenKeyExA(hive, path, 0, KEY_READ, key) == ERROR_SUCCESS;
}

// Writes ask for setting values only, unless they must also see what is there.
static bool CreateKey(HKEY hive, const char *path, HKEY *key, REGSAM access = KEY_SET_VALUE)
{
    return RegCreateKeyExA(hive, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, key,
                           nullptr) == ERROR_SUCCESS;
}

int WriteDword(HKEY hive, const char *path, const char *name, int value)
{
    HKEY key;
    if (!CreateKey(hive, path, &key))
        return 0;
    const LONG result = RegSetValueExA(key, name, 0, REG_DWORD,
                                       reinterpret_cast<const BYTE *>(&value), sizeof value);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

// Values written by other tools may lack their terminator; one that fills the whole buffer
// without it cannot be held and reads as absent.
static void TerminateRead(char *buffer, DWORD got, DWORD size)
{
    if (got < size)
        buffer[got] = '\0';
    else if (buffer[size - 1] != '\0')
        buffer[0] = '\0';
}

HKEY OpenKeyToRead(HKEY hive, const char *path)
{
    HKEY key;
    return OpenKey(hive, path, &key) ? key : nullptr;
}

int ReadDwordFrom(HKEY key, const char *name, int fallback)
{
    int value = fallback;
    DWORD size = sizeof value;
    if (!key || RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE *>(&value),
                                 &size) != ERROR_SUCCESS)
        value = fallback;
    return value;
}

int ReadDword(HKEY hive, const char *path, const char *name, int fallback)
{
    const HKEY key = OpenKeyToRead(hive, path);
    const int value = ReadDwordFrom(key, name, fallback);
    if (key)
        RegCloseKey(key);
    return value;
}

int ReadStringFrom(HKEY key, const char *name, char *buffer, DWORD size)
{
    if (!key)
        return 0;
    if (size > 0) {
        buffer[0] = '\0';
        DWORD got = size;
        if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE *>(buffer), &got) ==
            ERROR_SUCCESS)
            TerminateRead(buffer, got, size);
        else
            buffer[0] = '\0';
    }
    return 1;
}

int ReadString(HKEY hive, const char *path, const char *name, char *buffer, DWORD size)
{
    const HKEY key = OpenKeyToRead(hive, path);
    const int opened = ReadStringFrom(key, name, buffer, size);
    if (key)
        RegCloseKey(key);
    return opened;
}

int WriteString(HKEY hive, const char *path, const char *name, const char *text)
{
    HKEY key;
    if (!CreateKey(hive, path, &key))
        return 0;
    const LONG result = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text),
                                       lstrlenA(text) + 1);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

int DeleteValue(HKEY hive, const char *path, const char *name)
{
    HKEY key;
    if (!CreateKey(hive, path, &key))
        return 0;
    const LONG result = RegDeleteValueA(key, name);
    RegCloseKey(key);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

static bool OpenToRead(HKEY hive, const char *path, HKEY *key, bool *missing)
{
    const LONG opened = RegOpenKeyExA(hive, path, 0, KEY_READ, key);
    *missing = opened == ERROR_FILE_NOT_FOUND;
    return opened == ERROR_SUCCESS;
}

// A buffer for the longest value name of the key with its terminator, and one for its largest
// value; each null when it cannot be had.
struct ValueBuffers {
    wchar_t *name;
    BYTE *data;
    DWORD nameSize, dataSize;
};

static void *Allocate(DWORD size)
{
    return HeapAlloc(GetProcessHeap(), 0, size);
}

static bool AllocateBuffers(HKEY key, ValueBuffers *b)
{
    DWORD longestName = 0, largestData = 0;
    b->name = nullptr;
    b->data = nullptr;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         &longestName, &largestData, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    b->nameSize = longestName + 1;
    b->dataSize = largestData;
    b->name = static_cast<wchar_t *>(Allocate(b->nameSize * sizeof(wchar_t)));
    b->data = static_cast<BYTE *>(Allocate(b->dataSize + 1));
    return b->name && b->data;
}

static void FreeBuffers(const ValueBuffers &b)
{
    if (b.name)
        HeapFree(GetProcessHeap(), 0, b.name);
    if (b.data)
        HeapFree(GetProcessHeap(), 0, b.data);
}

bool VisitValues(HKEY hive, const char *path, ValueVisitor visit, void *context)
{
    HKEY key;
    bool missing;
    if (!OpenToRead(hive, path, &key, &missing))
        return missing;
    ValueBuffers b;
    bool visited = AllocateBuffers(key, &b);
    for (DWORD i = 0; visited; ++i) {
        DWORD nameSize = b.nameSize, size = b.dataSize, type;
        const LONG got = RegEnumValueW(key, i, b.name, &nameSize, nullptr, &type, b.data, &size);
        if (got == ERROR_NO_MORE_ITEMS)
            break;
        visited = got == ERROR_SUCCESS && visit(context, b.name, type, b.data, size);
    }
    FreeBuffers(b);
    RegCloseKey(key);
    return visited;
}

static bool SetValue(HKEY key, const wchar_t *name, DWORD type, const BYTE *data, DWORD size)
{
    return RegSetValueExW(key, name, 0, type, data, size) == ERROR_SUCCESS;
}

bool WriteValueAsStored(HKEY hive, const char *path, const wchar_t *name, DWORD type,
                        const BYTE *data, DWORD size)
{
    HKEY key;
    if (!CreateKey(hive, path, &key))
        return false;
    const bool written = SetValue(key, name, type, data, size);
    RegCloseKey(key);
    return written;
}

static bool CopyInto(void *context, const wchar_t *name, DWORD type, const BYTE *data, DWORD size)
{
    return SetValue(*static_cast<HKEY *>(context), name, type, data, size);
}

static bool ClearValues(HKEY key)
{
    ValueBuffers b;
    bool cleared = AllocateBuffers(key, &b);
    while (cleared) {
        DWORD nameSize = b.nameSize;
        const LONG got =
            RegEnumValueW(key, 0, b.name, &nameSize, nullptr, nullptr, nullptr, nullptr);
        if (got == ERROR_NO_MORE_ITEMS)
            break;
        cleared = got == ERROR_SUCCESS && RegDeleteValueW(key, b.name) == ERROR_SUCCESS;
    }
    FreeBuffers(b);
    return cleared;
}

bool MirrorValues(HKEY hive, const char *from, const char *to)
{
    HKEY target;
    if (!CreateKey(hive, to, &target, KEY_QUERY_VALUE | KEY_SET_VALUE))
        return false;
    const bool mirrored = ClearValues(target) && VisitValues(hive, from, CopyInto, &target);
    RegCloseKey(target);
    return mirrored;
}

// Subkeys are named in UTF-16 here: a name the code page cannot hold would not be found again.
static bool DeleteSubkeys(HKEY key)
{
    wchar_t name[256];
    for (;;) {
        DWORD length = sizeof name / sizeof name[0];
        const LONG got = RegEnumKeyExW(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (got == ERROR_NO_MORE_ITEMS)
            return true;
        HKEY subkey;
        if (got != ERROR_SUCCESS ||
            RegOpenKeyExW(key, name, 0, KEY_ALL_ACCESS, &subkey) != ERROR_SUCCESS)
            return false;
        const bool emptied = DeleteSubkeys(subkey);
        RegCloseKey(subkey);
        if (!emptied || RegDeleteKeyW(key, name) != ERROR_SUCCESS)
            return false;
    }
}

bool DeleteWholeKey(HKEY hive, const char *path)
{
    HKEY key;
    const LONG opened = RegOpenKeyExA(hive, path, 0, KEY_ALL_ACCESS, &key);
    if (opened == ERROR_FILE_NOT_FOUND)
        return true;
    if (opened != ERROR_SUCCESS)
        return false;
    const bool emptied = DeleteSubkeys(key);
    RegCloseKey(key);
    return emptied && RegDeleteKeyA(hive, path) == ERROR_SUCCESS;
}

bool ValueExists(HKEY hive, const char *path, const char *name)
{
    HKEY key;
    if (!OpenKey(hive, path, &key))
        return false;
    const LONG result = RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}
