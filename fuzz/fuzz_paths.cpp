// Titles, working directories, quoting, the autostart entry and the help document, for every path
// the program can hold (at most kPathBufferSize - 1 bytes), and a program's folder from a file
// name of any length, under Shift-JIS and under a code page the input makes up. Input: path,
// NUL, lead-byte bits.
#include "harness.h"
#include "text/paths.h"

namespace
{

// text up to its last "." that begins a character.
std::string WithoutExtension(const std::string &text, const LeadBytes &lb)
{
    return text.substr(0, LastAtStart(text, '.', lb));
}

void CheckTitle(const std::string &path, const LeadBytes &lb)
{
    const size_t separator = LastAtStart(path, '\\', lb);
    const std::string component =
        separator == std::string::npos ? path : path.substr(separator + 1);
    std::vector<char> title = OutputBuffer(kPathBufferSize);
    DeriveTitle(CString(path).data(), title.data(), lb);
    Require(TextIn(title) == WithoutExtension(component, lb),
            "the title is the final component without its extension");
}

void CheckFolderOf(const std::string &name, const LeadBytes &lb)
{
    const size_t separator = LastAtStart(name, '\\', lb);
    const bool fits = separator != std::string::npos && separator < size_t(kPathBufferSize);
    std::vector<char> folder = OutputBuffer(kPathBufferSize);
    Require(FolderOf(CString(name).data(), folder.data(), lb) == fits,
            "a folder is found exactly when the name has a separator and the folder fits");
    Require(TextIn(folder) == (fits ? name.substr(0, separator) : ""),
            "the folder ends before the last separator, whole or empty");
}

void CheckCutExtension(const std::string &path, const LeadBytes &lb)
{
    std::vector<char> text = CString(path);
    CutExtension(text.data(), lb);
    Require(TextIn(text) == WithoutExtension(path, lb), "the cut falls on the last dot");
}

void CheckQuoting(const std::string &path)
{
    const bool blank = path.find(' ') != std::string::npos;
    const bool quoted = path.size() >= 2 && path.front() == '"' && path.back() == '"';
    std::vector<char> argument = OutputBuffer(kQuotedPathSize);
    QuoteIfBlank(CString(path).data(), argument.data());
    Require(TextIn(argument) == (blank && !quoted ? '"' + path + '"' : path),
            "a path with a blank goes as one quoted argument, any other path as it is");
}

void CheckRunEntry(const std::string &folder)
{
    const std::string quote = folder.find(' ') != std::string::npos ? "\"" : "";
    const std::string whole = quote + folder + "\\korimbel.exe" + quote;
    std::vector<char> entry = OutputBuffer(kPathBufferSize);
    const bool formed = FormRunEntry(CString(folder).data(), entry.data());
    Require(formed == (!folder.empty() && whole.size() < static_cast<size_t>(kPathBufferSize)),
            "the entry is formed exactly when there is a folder and it fits");
    Require(TextIn(entry) == (formed ? whole : ""), "an entry is whole or empty, never cut short");
}

void CheckHelpPath(const std::string &folder)
{
    const std::string whole = folder + "\\korimbel.htm";
    std::vector<char> path = OutputBuffer(kPathBufferSize);
    const bool formed = FormHelpPath(CString(folder).data(), path.data());
    Require(formed == (!folder.empty() && whole.size() < static_cast<size_t>(kPathBufferSize)),
            "the help path is formed exactly when there is a folder and it fits");
    Require(TextIn(path) == (formed ? whole : ""), "the help path is whole or empty");
}

// The system folder of a 32-bit program on 64-bit Windows, named through its alias.
void CheckAlias(const std::string &path, const LeadBytes &lb)
{
    const std::string folder = "C:\\Windows\\System32", alias = "C:\\Windows\\Sysnative";
    std::vector<char> mapped = OutputBuffer(kPathBufferSize);
    const bool inside =
        ThroughAlias(CString(path).data(), folder.c_str(), alias.c_str(), mapped.data(), lb);
    Require(TextIn(mapped) == (inside ? alias + path.substr(folder.size()) : ""),
            "a path in the folder keeps all after the folder, others map to nothing");
}

void CheckPath(const std::string &name, const LeadBytes &lb)
{
    CheckFolderOf(name, lb);
    const std::string path = name.substr(0, kPathBufferSize - 1);
    CheckTitle(path, lb);
    CheckCutExtension(path, lb);
    CheckAlias(path, lb);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fields input(data, size);
    const std::string name = input.Next(), path = name.substr(0, kPathBufferSize - 1);
    CheckPath(name, ShiftJisLeadBytes());
    CheckPath(name, LeadBytesFrom(input.Rest()));
    CheckQuoting(path);
    CheckRunEntry(path);
    CheckHelpPath(path);
    return 0;
}
