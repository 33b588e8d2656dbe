// Titles, working directories, quoting and the autostart entry, for every path the program can
// hold (at most kPathBufferSize - 1 bytes), under Shift-JIS and under a code page the input
// makes up. Input: path, NUL, lead-byte bits.
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

void CheckWorkingDirectory(const std::string &path, const LeadBytes &lb)
{
    const size_t separator = LastAtStart(path, '\\', lb);
    const std::string expected = separator == std::string::npos ? "" : path.substr(0, separator);
    std::vector<char> directory = OutputBuffer(kPathBufferSize);
    SlotWorkingDirectory(CString(path).data(), directory.data(), lb);
    Require(TextIn(directory) == expected, "the working directory ends before the last separator");
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
    Require(formed == (whole.size() < static_cast<size_t>(kPathBufferSize)),
            "the entry is formed exactly when it fits");
    Require(TextIn(entry) == (formed ? whole : ""), "an entry is whole or empty, never cut short");
}

void CheckPath(const std::string &path, const LeadBytes &lb)
{
    CheckTitle(path, lb);
    CheckWorkingDirectory(path, lb);
    CheckCutExtension(path, lb);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fields input(data, size);
    const std::string path = input.Next(kPathBufferSize - 1);
    CheckPath(path, ShiftJisLeadBytes());
    CheckPath(path, LeadBytesFrom(input.Rest()));
    CheckQuoting(path);
    CheckRunEntry(path);
    return 0;
}
