#include "bartest.h"

#include <sddl.h>
#include <shlwapi.h>

#include <algorithm>

#include "store/settings.h"

int QuitMessages;

StoredValue ReadStored(HKEY root, const char *path, const char *name)
{
    StoredValue v = {false, REG_NONE, {}};
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return v;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &v.type, nullptr, &size) == ERROR_SUCCESS) {
        v.present = true;
        v.bytes.resize(size);
        RegQueryValueExA(key, name, nullptr, &v.type, v.bytes.data(), &size);
        v.bytes.resize(size);
    }
    RegCloseKey(key);
    return v;
}

StoredValue ReadStored(const char *path, const char *name)
{
    return ReadStored(HKEY_CURRENT_USER, path, name);
}

int StoredDword(const char *name)
{
    const StoredValue v = ReadStored(kRootKey, name);
    if (!v.present || v.type != REG_DWORD || v.bytes.size() != 4)
        return -999;
    int value;
    memcpy(&value, v.bytes.data(), 4);
    return value;
}

std::string StoredString(const char *name)
{
    const StoredValue v = ReadStored(kRootKey, name);
    return std::string(v.bytes.begin(), v.bytes.end());
}

bool KeyExists(const char *path)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void DeleteKeyTree(const char *path)
{
    SHDeleteKeyA(HKEY_CURRENT_USER, path);
}

bool MakeKeyReadOnly(HKEY hive, const char *path, bool readOnly)
{
    HKEY key;
    PSECURITY_DESCRIPTOR access = nullptr;
    const bool made = RegOpenKeyExA(hive, path, 0, WRITE_DAC, &key) == ERROR_SUCCESS;
    const bool set = made &&
                     ConvertStringSecurityDescriptorToSecurityDescriptorA(
                         readOnly ? "D:(A;;KR;;;WD)" : "D:(A;;KA;;;WD)", 1, &access, nullptr) &&
                     RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, access) == ERROR_SUCCESS;
    LocalFree(access);
    if (made)
        RegCloseKey(key);
    return set;
}

void StoreRaw(const char *path, const char *name, DWORD type, const void *data, DWORD size)
{
    HKEY key;
    RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE *>(data), size);
    RegCloseKey(key);
}

void StoreDword(const char *name, DWORD value)
{
    StoreRaw(kRootKey, name, REG_DWORD, &value, 4);
}

void StoreString(const char *name, const char *text)
{
    StoreRaw(kRootKey, name, REG_SZ, text, DWORD(strlen(text) + 1));
}

static const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string RunValue(HKEY root)
{
    const StoredValue v = ReadStored(root, kRunKey, "quorvane_korimbel");
    return v.present ? std::string(reinterpret_cast<const char *>(v.bytes.data())) : "<absent>";
}

void DeleteRunValue(HKEY root)
{
    SHDeleteValueA(root, kRunKey, "quorvane_korimbel");
}

void StoreRecord(const char *key, int slot, const std::string &text)
{
    const std::string name = std::to_string(slot);
    StoreRaw(key, name.c_str(), REG_SZ, text.c_str(), DWORD(text.size() + 1));
}

std::string StoredRecord(const char *key, int slot)
{
    const StoredValue v = ReadStored(key, std::to_string(slot).c_str());
    return v.present ? std::string(v.bytes.begin(), v.bytes.end()) : "<absent>";
}

void Pump(DWORD milliseconds)
{
    PumpUntil([] { return false; }, milliseconds);
}

bool PumpUntil(const std::function<bool()> &done, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ++QuitMessages;
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done())
            return true;
        if (GetTickCount() - start >= milliseconds)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

std::string TestFolder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    *strrchr(path, '\\') = '\0';
    return path;
}

std::string FreshFolder(const char *name)
{
    const std::string folder = TestFolder() + "\\" + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::wstring Widened(const std::string &text)
{
    wchar_t wide[1024] = L"";
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, 1024);
    return wide;
}

std::wstring NewFile(const std::wstring &path)
{
    CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    return path;
}

std::string ShortPath(const std::wstring &path)
{
    wchar_t wide[1024] = L"";
    char text[2048] = "";
    GetShortPathNameW(path.c_str(), wide, 1024);
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

std::string FolderOfLength(const std::string &base, const std::string &piece, size_t length)
{
    std::string path = TestFolder() + "\\" + base;
    CreateDirectoryA(path.c_str(), nullptr);
    while (path.size() < length) {
        const size_t room = length - path.size() - 1, most = std::min<size_t>(room, 40);
        std::string name;
        while (name.size() + piece.size() <= most)
            name += piece;
        if (name.empty())
            name = std::string(most, 'f');
        if (room - name.size() == 1) // no room would be left for one more name
            name += 'f';
        path += "\\" + name;
        CreateDirectoryW(Widened(path).c_str(), nullptr); // also beyond 248 bytes
    }
    return path;
}

std::string FolderOf(const std::string &path)
{
    return path.substr(0, path.rfind('\\'));
}

std::string LowerAscii(std::string s)
{
    for (char &c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

void MoveCursor(int x, int y)
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        SetCursorPos(x, y);
        Pump(30);
        POINT c;
        GetCursorPos(&c);
        if (c.x == x && c.y == y)
            return;
    }
}

bool GuiCounts::operator==(const GuiCounts &o) const
{
    return gdi == o.gdi && bitmaps == o.bitmaps && windows == o.windows && menus == o.menus &&
           icons == o.icons;
}

std::ostream &operator<<(std::ostream &out, const GuiCounts &c)
{
    return out << "{gdi " << c.gdi << " (bitmaps " << c.bitmaps << "), windows " << c.windows
               << ", menus " << c.menus << ", icons " << c.icons << "}";
}

static bool OwnWindow(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

bool IsIcon(HICON icon)
{
    ICONINFO info;
    if (!GetIconInfo(icon, &info))
        return false;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return true;
}

GuiCounts CountGuiObjects()
{
    GuiCounts c;
    if (GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) != 0) {
        c.gdi = int(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
        c.windows = int(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
        return c;
    }
    for (UINT_PTR h = 1; h < 0x10000; ++h)
        if (const DWORD type = GetObjectType(reinterpret_cast<HGDIOBJ>(h))) {
            ++c.gdi;
            c.bitmaps += type == OBJ_BITMAP;
        }
    for (UINT_PTR h = 0x20; h < 0x10000; h += 2) {
        const HWND window = reinterpret_cast<HWND>(h);
        c.windows += IsWindow(window) && OwnWindow(window);
        c.menus += IsMenu(reinterpret_cast<HMENU>(h)) != FALSE;
        c.icons += IsIcon(reinterpret_cast<HICON>(h));
    }
    return c;
}

RECT WindowRect(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

bool SameRect(const RECT &a, const RECT &b)
{
    return EqualRect(&a, &b) != FALSE;
}

std::string Describe(const RECT &r)
{
    char text[80];
    wsprintfA(text, "(%d, %d, %d, %d)", int(r.left), int(r.top), int(r.right), int(r.bottom));
    return text;
}

const wchar_t kSettingsCaption[] = L"\x74B0\x5883\x8A2D\x5B9A";
const wchar_t kPropertiesCaption[] = L"\xFF8C\xFF9F\xFF9B\xFF8A\xFF9F\xFF83\xFF68";
const wchar_t kStartupListCaption[] = L"\x767B\x9332\xFF8C\xFF67\xFF72\xFF99\x4E00\x89A7";
const wchar_t kAboutCaption[] = L"\xFF8A\xFF9E\xFF70\xFF7C\xFF9E\xFF6E\xFF9D\x60C5\x5831";
const wchar_t kBrowseCaption[] = L"\xFF8C\xFF67\xFF72\xFF99\x540D\x306E\x767B\x9332";
