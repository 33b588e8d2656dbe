#include "text/paths.h"

#include <algorithm>
#include <cstring>

static void CopyBounded(char *to, const char *from, size_t size)
{
    std::strncpy(to, from, size - 1);
    to[size - 1] = '\0';
}

void CutExtension(char *text, const LeadBytes &lb)
{
    if (char *dot = const_cast<char *>(FindLastByte(text, '.', lb)))
        *dot = '\0';
}

void DeriveTitle(const char *path, char *title, const LeadBytes &lb)
{
    const char *separator = FindLastByte(path, '\\', lb);
    CopyBounded(title, separator ? separator + 1 : path, kPathBufferSize);
    CutExtension(title, lb);
}

bool FolderOf(const char *name, char *folder, const LeadBytes &lb)
{
    const char *separator = FindLastByte(name, '\\', lb);
    folder[0] = '\0';
    if (!separator || separator - name >= kPathBufferSize)
        return false;
    std::memcpy(folder, name, separator - name);
    folder[separator - name] = '\0';
    return true;
}

void QuoteIfBlank(const char *path, char *argument)
{
    const size_t length = std::strlen(path);
    const bool quoted = length >= 2 && path[0] == '"' && path[length - 1] == '"';
    if (!std::strchr(path, ' ') || quoted || length > kQuotedPathSize - 3) {
        CopyBounded(argument, path, kQuotedPathSize);
        return;
    }
    argument[0] = '"';
    std::memcpy(argument + 1, path, length);
    argument[length + 1] = '"';
    argument[length + 2] = '\0';
}

// folder, "\" and name in path, which holds size bytes; false, with path empty, when folder is
// empty or the whole does not fit.
static bool JoinPath(const char *folder, const char *name, char *path, size_t size)
{
    const size_t folderLength = std::strlen(folder), nameLength = std::strlen(name);
    path[0] = '\0';
    if (folderLength == 0 || folderLength + 1 + nameLength >= size)
        return false;
    std::memcpy(path, folder, folderLength);
    path[folderLength] = '\\';
    std::memcpy(path + folderLength + 1, name, nameLength + 1);
    return true;
}

bool FormRunEntry(const char *folder, char *entry)
{
    const bool quoted = std::strchr(folder, ' ') != nullptr;
    entry[0] = '\0';
    if (!JoinPath(folder, "korimbel.exe", entry + quoted, kPathBufferSize - 2 * quoted))
        return false;
    if (quoted) {
        entry[0] = '"';
        std::strcat(entry, "\"");
    }
    return true;
}

bool FormHelpPath(const char *folder, char *path)
{
    return JoinPath(folder, "korimbel.htm", path, kPathBufferSize);
}

bool ThroughAlias(const char *path, const char *folder, const char *alias, char *mapped,
                  const LeadBytes &lb)
{
    const size_t folderLength = std::strlen(folder), aliasLength = std::strlen(alias);
    const size_t rest = std::strlen(path) - std::min(folderLength, std::strlen(path));
    mapped[0] = '\0';
    if (folderLength == 0 || folderLength >= kPathBufferSize ||
        aliasLength + rest >= kPathBufferSize)
        return false;
    char head[kPathBufferSize], lowered[kPathBufferSize];
    CopyBounded(head, path, folderLength + 1);
    CopyBounded(lowered, folder, kPathBufferSize);
    LowerCaseSingleBytes(head, lb);
    LowerCaseSingleBytes(lowered, lb);
    const char after = path[std::strlen(head)];
    if (std::strcmp(head, lowered) != 0 || (after != '\0' && after != '\\'))
        return false;
    std::memcpy(mapped, alias, aliasLength);
    std::memcpy(mapped + aliasLength, path + folderLength, rest + 1);
    return true;
}
