// Helpers for tests against the real registry and the real window system under Wine.
#pragma once

#include <windows.h>

#include <functional>
#include <ostream>
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
// Makes the key (path under the hive key) readable only, for everyone, or open to all again.
bool MakeKeyReadOnly(HKEY hive, const char *path, bool readOnly);
void StoreRaw(const char *path, const char *name, DWORD type, const void *data, DWORD size);
void StoreDword(const char *name, DWORD value); // under the bar's root key
void StoreString(const char *name, const char *text);
// A slot record stored as text, terminator included; read back as stored, "<absent>" if absent.
void StoreRecord(const char *key, int slot, const std::string &text);
std::string StoredRecord(const char *key, int slot);

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
// A folder under the test tree whose path has exactly length bytes, made of nested folders
// named from the given piece.
std::string FolderOfLength(const std::string &base, const std::string &piece, size_t length);
// The folder part of a path: everything before its last backslash.
std::string FolderOf(const std::string &path);

// ASCII letters lower-cased, as the bar stores the folders of these tests.
std::string LowerAscii(std::string s);

// Paths of files named outside the code page: text of the code page in UTF-16, an empty file
// made at a path (which is returned), and the system's short form of a path in the code page.
std::wstring Widened(const std::string &text);
std::wstring NewFile(const std::wstring &path);
std::string ShortPath(const std::wstring &path);
// Puts the cursor at (x, y). The window system's reports of earlier moves may still arrive and
// put it back (seen under Wine right after the cursor first entered the bar), so the move is
// repeated until it holds.
void MoveCursor(int x, int y);

// The process's GUI objects. GetGuiResources answers on Windows (GDI objects and windows
// only); Wine leaves it unimplemented but takes handle values with the upper word 0, so trying
// every value counts exactly there.
struct GuiCounts {
    int gdi = 0, bitmaps = 0, windows = 0, menus = 0, icons = 0;
    bool operator==(const GuiCounts &o) const;
};
std::ostream &operator<<(std::ostream &out, const GuiCounts &c);
GuiCounts CountGuiObjects();
bool IsIcon(HICON icon);

RECT WindowRect(HWND window);
bool SameRect(const RECT &a, const RECT &b);
std::string Describe(const RECT &r);

// The bar's Japanese words as the user reads them: dialog captions, which are also the texts of
// the tip and the menu item that open them.
extern const wchar_t kSettingsCaption[];    // 環境設定
extern const wchar_t kPropertiesCaption[];  // ﾌﾟﾛﾊﾟﾃｨ
extern const wchar_t kStartupListCaption[]; // 登録ﾌｧｲﾙ一覧
extern const wchar_t kAboutCaption[];       // ﾊﾞｰｼﾞｮﾝ情報
extern const wchar_t kBrowseCaption[];      // ﾌｧｲﾙ名の登録
