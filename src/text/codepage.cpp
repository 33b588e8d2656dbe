#include "text/codepage.h"

#include <windows.h>

#include <cwchar>

#include "text/paths.h"

static LeadBytes ReadActiveLeadBytes()
{
    LeadBytes lb = {};
    CPINFO info;
    if (!GetCPInfo(CP_ACP, &info))
        return lb;
    for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2) {
        for (int b = info.LeadByte[i]; b <= info.LeadByte[i + 1]; ++b)
            lb.lead[b] = true;
    }
    return lb;
}

const LeadBytes &ActiveLeadBytes()
{
    static const LeadBytes active = ReadActiveLeadBytes();
    return active;
}

bool ConvertExactly(const wchar_t *wide, char *text, int size)
{
    wchar_t back[kPathBufferSize];
    const bool exact =
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text, size, nullptr, nullptr) != 0 &&
        MultiByteToWideChar(CP_ACP, 0, text, -1, back, kPathBufferSize) != 0 &&
        std::wcscmp(back, wide) == 0;
    if (!exact)
        text[0] = '\0';
    return exact;
}

bool AnsiPathOf(const wchar_t *wide, char *path)
{
    if (ConvertExactly(wide, path, kPathBufferSize - 1))
        return true;
    wchar_t shortPath[kWidePathSize];
    const DWORD length = GetShortPathNameW(wide, shortPath, kWidePathSize);
    return length > 0 && length < static_cast<DWORD>(kWidePathSize) &&
           ConvertExactly(shortPath, path, kPathBufferSize - 1);
}
