#include "text/paths.h"

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

void SlotWorkingDirectory(const char *file, char *directory, const LeadBytes &lb)
{
    CopyBounded(directory, file, kPathBufferSize);
    char *separator = const_cast<char *>(FindLastByte(directory, '\\', lb));
    if (separator)
        *separator = '\0';
    else
        directory[0] = '\0';
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

bool FormRunEntry(const char *folder, char *entry)
{
    static const char kProgram[] = "\\korimbel.exe";
    const bool quoted = std::strchr(folder, ' ') != nullptr;
    const size_t length = std::strlen(folder) + sizeof kProgram - 1 + (quoted ? 2 : 0);
    entry[0] = '\0';
    if (length >= static_cast<size_t>(kPathBufferSize))
        return false;
    char *out = entry;
    if (quoted)
        *out++ = '"';
    std::memcpy(out, folder, std::strlen(folder));
    out += std::strlen(folder);
    std::memcpy(out, kProgram, sizeof kProgram - 1);
    out += sizeof kProgram - 1;
    if (quoted)
        *out++ = '"';
    *out = '\0';
    return true;
}
