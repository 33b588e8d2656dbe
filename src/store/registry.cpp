#include "store/registry.h"

// Reads ask for no more than reading: a key another tool made read-only still reads.
static bool OpenKey(HKEY hive, const char *path, HKEY *key)
{
    return RegOpenKeyExA(hive, path, 0, KEY_READ, key) == ERROR_SUCCESS;
}

static bool CreateKey(HKEY hive, const char *path, HKEY *key)
{
    return RegCreateKeyExA(hive, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                           key, nullptr) == ERROR_SUCCESS;
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

bool ValueExists(HKEY hive, const char *path, const char *name)
{
    HKEY key;
    if (!OpenKey(hive, path, &key))
        return false;
    const LONG result = RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}
