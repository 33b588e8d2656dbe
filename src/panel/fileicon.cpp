#include "panel/fileicon.h"

#include <shellapi.h>

#include <cstring>

#include "panel/layout.h"
#include "system/syslib.h"
#include "text/paths.h"

// Asking the shell for a file's icon is the dearest step of a rebuild, and every rebuild of the
// panel shows the same files again. So the picture it gave for each File string is kept, and each
// button gets its own icon drawn from it. A file that no longer exists, that turned from a file
// into a folder or back, or whose size or last write changed (a program updated in place may
// bring another icon) is asked about anew; a file never seen goes to the shell first, so a
// missing one on an unreachable drive is waited for once. One page can show at most kMaxButtons
// files; beyond that the oldest picture makes room. A picture is kept for the size it was made
// at: the same file at another DPI is another picture.
struct FileStamp {
    bool folder;
    DWORD sizeHigh, sizeLow;
    FILETIME written;
};

struct KnownIcon {
    char file[kPathBufferSize];
    int size;
    FileStamp stamp;
    ICONINFO picture;
};

const int kKnownIcons = kMaxButtons;
static KnownIcon Known[kKnownIcons];
static int KnownCount;
static int OldestKnown;

static KnownIcon *FindKnown(const char *file, int size)
{
    for (int i = 0; i < KnownCount; ++i)
        if (Known[i].size == size && std::strcmp(Known[i].file, file) == 0)
            return &Known[i];
    return nullptr;
}

// The file system's word, cheaper than the shell's; false for a file that is not there.
static bool ReadStamp(const char *file, FileStamp *stamp)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(file, GetFileExInfoStandard, &data))
        return false;
    *stamp = FileStamp{(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0, data.nFileSizeHigh,
                       data.nFileSizeLow, data.ftLastWriteTime};
    return true;
}

static bool SameStamp(const FileStamp &a, const FileStamp &b)
{
    return a.folder == b.folder && a.sizeHigh == b.sizeHigh && a.sizeLow == b.sizeLow &&
           CompareFileTime(&a.written, &b.written) == 0;
}

static void ReleasePicture(ICONINFO &picture)
{
    DeleteObject(picture.hbmColor);
    DeleteObject(picture.hbmMask);
}

// The entry to remember a file's picture in: its own earlier one, a free one, or the oldest.
static KnownIcon &EntryFor(KnownIcon *known)
{
    if (known) {
        ReleasePicture(known->picture);
        return *known;
    }
    if (KnownCount < kKnownIcons)
        return Known[KnownCount++];
    KnownIcon &oldest = Known[OldestKnown];
    OldestKnown = (OldestKnown + 1) % kKnownIcons;
    ReleasePicture(oldest.picture);
    return oldest;
}

// Wine makes an icon from a device-independent colour bitmap with fewer server calls than from
// the device-dependent one the icon hands out. The pixels, alpha included, are copied as they are.
static HBITMAP IndependentCopy(HBITMAP bitmap)
{
    BITMAP size;
    if (!GetObjectA(bitmap, sizeof size, &size))
        return nullptr;
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = size.bmWidth;
    format.bmiHeader.biHeight = size.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    void *bits;
    HBITMAP copy = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HDC screen = GetDC(nullptr);
    if (copy && !GetDIBits(screen, bitmap, 0, size.bmHeight, bits, &format, DIB_RGB_COLORS)) {
        DeleteObject(copy);
        copy = nullptr;
    }
    ReleaseDC(nullptr, screen);
    return copy;
}

// Only what the file system can check again is remembered: not the shell's own places. The
// stamp is the file's as it was before the shell was asked, so that a change meanwhile is seen.
static void Remember(KnownIcon *known, const char *file, int size, const FileStamp &stamp,
                     HICON icon)
{
    ICONINFO picture;
    if (!GetIconInfo(icon, &picture))
        return;
    if (picture.hbmColor) {
        const HBITMAP device = picture.hbmColor;
        picture.hbmColor = IndependentCopy(device);
        DeleteObject(device);
        if (!picture.hbmColor) {
            DeleteObject(picture.hbmMask);
            return;
        }
    }
    KnownIcon &entry = EntryFor(known);
    lstrcpynA(entry.file, file, kPathBufferSize);
    entry.size = size;
    entry.stamp = stamp;
    entry.picture = picture;
}

// The return value, not the record's icon field, tells whether the shell found the file. The
// small list serves where its pictures, of the system's small-icon size, are as large as asked;
// else the large one, its pictures made smaller: never a smaller picture stretched. Some shells
// (Wine's) cannot find a file named through the 64-bit system folder's alias, which the file
// system opens: an existing file then shows its own first icon, else its type's.
static HICON AskShell(const char *file, int size, const FileStamp *stamp)
{
    const bool small = GetSystemMetrics(SM_CXSMICON) >= size;
    const int listSize = GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
    const UINT kind = SHGFI_SYSICONINDEX | (small ? SHGFI_SMALLICON : 0);
    SHFILEINFOA info = {};
    HIMAGELIST list =
        reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(file, 0, &info, sizeof info, kind));
    HICON icon = nullptr;
    if (!list && stamp)
        ExtractIconExA(file, 0, small ? nullptr : &icon, small ? &icon : nullptr, 1);
    if (!list && stamp && !icon)
        list = reinterpret_cast<HIMAGELIST>(
            SHGetFileInfoA(file, stamp->folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL,
                           &info, sizeof info, kind | SHGFI_USEFILEATTRIBUTES));
    if (list)
        icon = GetImageListIcon(list, info.iIcon, ILD_NORMAL);
    if (!icon || listSize == size)
        return icon;
    return static_cast<HICON>(CopyImage(icon, IMAGE_ICON, size, size, LR_COPYDELETEORG));
}

HICON CreateFileIcon(const char *file, int size)
{
    KnownIcon *known = FindKnown(file, size);
    FileStamp stamp;
    const bool there = ReadStamp(file, &stamp);
    if (known && there && SameStamp(known->stamp, stamp))
        return CreateIconIndirect(&known->picture);
    const HICON icon = AskShell(file, size, there ? &stamp : nullptr);
    if (icon && there)
        Remember(known, file, size, stamp, icon);
    return icon;
}

void ForgetFileIcons()
{
    for (int i = 0; i < KnownCount; ++i)
        ReleasePicture(Known[i].picture);
    KnownCount = 0;
    OldestKnown = 0;
}
