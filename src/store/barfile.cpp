#include "store/barfile.h"

#include "store/registry.h"
#include "store/settings.h"
#include "store/slots.h"
#include "text/regfile.h"

// The bar's keys, the root key first. The file names each by its full path.
static const char *const kBarKeys[] = {kRootKey, kFileKey, kTitleKey, kOptionKey};
const int kBarKeyCount = sizeof kBarKeys / sizeof kBarKeys[0];
static const char kHiveName[] = "HKEY_CURRENT_USER\\";

// Where an import puts a copy of the bar's keys: in use; the file's contents, aside; and what
// was in use, kept until the import is through. Beside the root key, never under it.
enum Place { kInUse, kAside, kKept };
static const char *const kPlaceSuffixes[] = {"", ".import", ".previous"};
const int kKeyPathSize = 96;

static void KeyPath(int key, Place place, char *path)
{
    wsprintfA(path, "%s%s%s", kRootKey, kPlaceSuffixes[place], kBarKeys[key] + lstrlenA(kRootKey));
}

// The settings, which the registry holds as REG_DWORD.
static const Setting *const kSettings[] = {
    &kHideTime, &kTimerSound, &kHideMode,   &kTopMode,   &kStartExecFlg, &kStartLaunch,
    &kMaxPage,  &kHotKey,     &kAppBarMode, &kFloatMode, &kDispPage,     &kX,
    &kY,        &kWidth,      &kHeight,     &kMonitorX,  &kMonitorY};

static wchar_t FoldAscii(wchar_t unit)
{
    return unit >= L'a' && unit <= L'z' ? static_cast<wchar_t>(unit - L'a' + L'A') : unit;
}

// Whether wide is first followed by second, ignoring ASCII case as the registry does.
static bool NamedAs(const wchar_t *wide, const char *first, const char *second = "")
{
    const char *const parts[] = {first, second};
    for (const char *part : parts) {
        for (; *part != '\0'; ++part, ++wide) {
            if (FoldAscii(*wide) != FoldAscii(static_cast<wchar_t>(*part)))
                return false;
        }
    }
    return *wide == 0;
}

static int KeyNamed(const wchar_t *name)
{
    for (int key = 0; key < kBarKeyCount; ++key) {
        if (NamedAs(name, kHiveName, kBarKeys[key]))
            return key;
    }
    return -1;
}

// Text the bar reads into its 255-byte buffers: a clean string that converts to the ANSI code
// page and back unchanged, in at most kRecordSize - 1 bytes. A best-fit or default character
// would give the bar another path than the file names; converting back shows either.
static bool IsBarText(const RegEntry &e)
{
    wchar_t text[kRecordSize + 1];
    const int length = e.size / 2 - 1;
    if (e.type != REG_SZ || e.size % 2 != 0 || length < 0 || length > kRecordSize)
        return false;
    CopyMemory(text, e.data, e.size);
    if (text[length] != 0 || lstrlenW(text) != length)
        return false;
    if (length == 0)
        return true;
    char ansi[kRecordSize];
    wchar_t back[kRecordSize];
    const int bytes =
        WideCharToMultiByte(CP_ACP, 0, text, length, ansi, kRecordSize - 1, nullptr, nullptr);
    if (bytes == 0 ||
        MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi, bytes, back, kRecordSize) != length)
        return false;
    for (int i = 0; i < length; ++i) {
        if (back[i] != text[i])
            return false;
    }
    return true;
}

// Every value of a record key is a record; values of the root key the bar does not know pass as
// they are.
static bool FitsTheBar(int key, const RegEntry &e)
{
    if (key != 0 || NamedAs(e.name, kCurPathValue))
        return IsBarText(e);
    for (const Setting *setting : kSettings) {
        if (NamedAs(e.name, setting->name))
            return e.type == REG_DWORD && e.size == 4;
    }
    return true;
}

static BarFileResult ResultOfRead(RegRead read)
{
    switch (read) {
    case kRegCutShort:
        return kBarFileCutShort;
    case kRegTooLong:
        return kBarFileTooBig;
    default:
        return kBarFileNotRegFile;
    }
}

// Reads the whole file into the aside keys, which are empty before.
static BarFileResult PutAside(const unsigned char *bytes, DWORD size)
{
    RegReader reader;
    OpenRegText(&reader, bytes, size);
    RegEntry entry;
    int key = 0, values[kBarKeyCount] = {};
    bool seen[kBarKeyCount] = {};
    char path[kKeyPathSize];
    for (;;) {
        const RegRead read = ReadRegEntry(&reader, &entry);
        if (read == kRegKey) {
            key = KeyNamed(entry.name);
            if (key < 0)
                return kBarFileOtherKey;
            seen[key] = true;
            KeyPath(key, kAside, path);
        } else if (read == kRegValue) {
            if (++values[key] > kBarFileValues)
                return kBarFileTooBig;
            if (!FitsTheBar(key, entry))
                return kBarFileBadValue;
            if (!WriteValueAsStored(HKEY_CURRENT_USER, path, entry.name, entry.type, entry.data,
                                    entry.size))
                return kBarFileRefused;
        } else if (read == kRegEnd) {
            for (bool found : seen) {
                if (!found)
                    return kBarFileCutShort;
            }
            return kBarFileDone;
        } else {
            return ResultOfRead(read);
        }
    }
}

// Every key is tried, so that putting back what was in use restores all that can be restored.
static bool MirrorBar(Place from, Place to)
{
    bool mirrored = true;
    for (int key = 0; key < kBarKeyCount; ++key) {
        char source[kKeyPathSize], target[kKeyPathSize];
        KeyPath(key, from, source);
        KeyPath(key, to, target);
        mirrored = MirrorValues(HKEY_CURRENT_USER, source, target) && mirrored;
    }
    return mirrored;
}

static bool DeleteCopy(Place place)
{
    char path[kKeyPathSize];
    KeyPath(0, place, path);
    return DeleteWholeKey(HKEY_CURRENT_USER, path);
}

static BarFileResult SwapIn()
{
    BarFileResult result = kBarFileRefused;
    if (DeleteCopy(kKept) && MirrorBar(kInUse, kKept)) {
        if (MirrorBar(kAside, kInUse))
            result = kBarFileDone;
        else
            MirrorBar(kKept, kInUse);
    }
    DeleteCopy(kKept);
    return result;
}

static unsigned char *ReadWholeFile(const wchar_t *path, DWORD *size, BarFileResult *result)
{
    const HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    *result = kBarFileUnusable;
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    DWORD high = 0, got = 0;
    *size = GetFileSize(file, &high);
    unsigned char *bytes = nullptr;
    if (high != 0 || *size > kBarFileBytes)
        *result = kBarFileTooBig;
    else if ((bytes = static_cast<unsigned char *>(HeapAlloc(GetProcessHeap(), 0, *size + 1))) &&
             (!ReadFile(file, bytes, *size, &got, nullptr) || got != *size)) {
        HeapFree(GetProcessHeap(), 0, bytes);
        bytes = nullptr;
    }
    CloseHandle(file);
    return bytes;
}

BarFileResult ImportBar(const wchar_t *path)
{
    DWORD size = 0;
    BarFileResult result;
    unsigned char *bytes = ReadWholeFile(path, &size, &result);
    if (!bytes)
        return result;
    result = DeleteCopy(kAside) ? PutAside(bytes, size) : kBarFileRefused;
    HeapFree(GetProcessHeap(), 0, bytes);
    if (result == kBarFileDone)
        result = SwapIn();
    DeleteCopy(kAside);
    return result;
}

static bool AddValue(void *writer, const wchar_t *name, DWORD type, const BYTE *data, DWORD size)
{
    WriteRegValue(static_cast<RegWriter *>(writer), name, type, data, size);
    return true;
}

static bool WriteWholeFile(const wchar_t *path, const unsigned char *bytes, DWORD size)
{
    const HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool whole = WriteFile(file, bytes, size, &written, nullptr) && written == size;
    CloseHandle(file);
    if (!whole)
        DeleteFileW(path);
    return whole;
}

BarFileResult ExportBar(const wchar_t *path)
{
    unsigned char *bytes = static_cast<unsigned char *>(HeapAlloc(GetProcessHeap(), 0, kBarFileBytes));
    if (!bytes)
        return kBarFileUnusable;
    RegWriter writer;
    StartRegText(&writer, bytes, kBarFileBytes);
    bool read = true;
    for (int key = 0; key < kBarKeyCount; ++key) {
        wchar_t name[kKeyPathSize];
        wsprintfW(name, L"%hs%hs", kHiveName, kBarKeys[key]);
        WriteRegKey(&writer, name);
        read = VisitValues(HKEY_CURRENT_USER, kBarKeys[key], AddValue, &writer) && read;
    }
    BarFileResult result = kBarFileDone;
    if (!read)
        result = kBarFileRefused;
    else if (!EndRegText(&writer))
        result = kBarFileTooBig;
    else if (!WriteWholeFile(path, bytes, static_cast<DWORD>(writer.size)))
        result = kBarFileUnusable;
    HeapFree(GetProcessHeap(), 0, bytes);
    return result;
}
