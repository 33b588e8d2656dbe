#include "text/codepage.h"

#include <windows.h>

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
