// Helpers for tests against the real registry and the real window system under Wine.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// A registry value as stored: its type and bytes; type REG_NONE and no bytes when absent.
struct StoredValue {
    bool present;
    DWORD type;
    std::vector<BYTE> bytes;
};

StoredValue ReadStored(HKEY root, const char *path, const char *name);
StoredValue ReadStored(const char *path, const char *name); // of the current user
int StoredDword(const char *name);          // under the bar's root key; -999 when absent
std::string StoredString(const char *name); // under the bar's root key
bool KeyExists(const char *path);
void DeleteKeyTree(const char *path);
void StoreRaw(const char *path, const char *name, DWORD type, const void *data, DWORD size);
void StoreDword(const char *name, DWORD value); // under the bar's root key
void StoreString(const char *name, const char *text);

// The bar's start-with-Windows value under the Run key of HKEY_LOCAL_MACHINE or
// HKEY_CURRENT_USER as text, "<absent>" when there is none; and its removal.
std::string RunValue(HKEY root);
void DeleteRunValue(HKEY root);

// Delivers the thread's messages for the given time; a WM_QUIT is taken and counted.
void Pump(DWORD milliseconds);
bool PumpUntil(const std::function<bool()> &done, DWORD milliseconds);
extern int QuitMessages;

// Windows paths of the test tree: the folder of this test executable and a fresh folder in it.
std::string TestFolder();
std::string FreshFolder(const char *name);

// ASCII letters lower-cased, as the bar stores the folders of these tests.
std::string LowerAscii(std::string s);

// Paths of files named outside the code page: text of the code page in UTF-16, an empty file
// made at a path (which is returned), and the system's short form of a path in the code page.
std::wstring Widened(const std::string &text);
std::wstring NewFile(const std::wstring &path);
std::string ShortPath(const std::wstring &path);

// The icons and the GDI objects of one type (OBJ_BITMAP, say) of this process, counted by
// trying every handle value: exact under Wine, which accepts handles with the upper word 0.
int CountIcons();
int CountGdiObjects(DWORD type);

RECT WindowRect(HWND window);
bool SameRect(const RECT &a, const RECT &b);
std::string Describe(const RECT &r);
