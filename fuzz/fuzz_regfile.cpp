// Files in the registry editor's format: whatever the input, the reader stays inside it and its
// limits; a file read whole and written again reads back as the same keys and values. Input:
// the file's bytes.
#include "harness.h"
#include "text/regfile.h"

namespace
{

struct Entry {
    RegRead kind;
    std::wstring name;
    unsigned type;
    std::vector<unsigned char> data;
    bool operator==(const Entry &o) const
    {
        return kind == o.kind && name == o.name && type == o.type && data == o.data;
    }
};

// The entries of a file, and whether it was read whole.
bool ReadAll(const uint8_t *data, size_t size, std::vector<Entry> *entries)
{
    RegReader reader;
    OpenRegText(&reader, data, size);
    RegEntry e;
    for (;;) {
        const RegRead read = ReadRegEntry(&reader, &e);
        if (read != kRegKey && read != kRegValue) {
            Require(ReadRegEntry(&reader, &e) == kRegEnd, "a stopped reader gives nothing more");
            return read == kRegEnd;
        }
        Require(e.nameLength >= 0 && e.nameLength <= kRegNameLimit && e.name[e.nameLength] == 0,
                "a name is terminated inside its limit");
        Require(std::wstring(e.name).size() == size_t(e.nameLength), "a name holds no NUL");
        Require(read == kRegKey || (e.size >= 0 && e.size <= kRegDataLimit),
                "a value's data stays inside its limit");
        Require(read == kRegValue || e.nameLength > 0, "a key has a name");
        entries->push_back(Entry{read, e.name, read == kRegValue ? e.type : 0,
                                 read == kRegValue ? std::vector<unsigned char>(
                                                         e.data, e.data + e.size)
                                                   : std::vector<unsigned char>()});
    }
}

void Write(const std::vector<Entry> &entries, RegWriter *w, unsigned char *buffer,
           size_t capacity)
{
    StartRegText(w, buffer, capacity);
    for (const Entry &e : entries) {
        if (e.kind == kRegKey)
            WriteRegKey(w, e.name.c_str());
        else
            WriteRegValue(w, e.name.c_str(), e.type, e.data.data(), e.data.size());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The reader sees exactly the input: ASan flags any byte read past it.
    const std::vector<uint8_t> file(data, data + size);
    std::vector<Entry> entries;
    if (!ReadAll(file.data(), file.size(), &entries))
        return 0;
    bool lineBreakInName = false;
    for (const Entry &e : entries)
        lineBreakInName |= e.name.find(L'\r') != std::wstring::npos;
    RegWriter counted;
    Write(entries, &counted, nullptr, 0);
    EndRegText(&counted);
    std::vector<unsigned char> written(counted.size);
    RegWriter w;
    Write(entries, &w, written.data(), written.size());
    Require(EndRegText(&w) == !lineBreakInName, "every name without a line break can be written");
    Require(w.size == written.size(), "the counted size is the written size");
    if (lineBreakInName)
        return 0;
    std::vector<Entry> again;
    Require(ReadAll(written.data(), written.size(), &again), "a written file reads whole");
    Require(again == entries, "a written file reads back as the keys and values written");
    return 0;
}
