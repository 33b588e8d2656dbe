#include "text/regfile.h"

static const char kHeader[] = "Windows Registry Editor Version 5.00";

// Regedit's layout: hex data goes on in a new line, indented, before a line passes 80 units.
static const size_t kHexWrapColumn = 76;

enum ReaderState { kReaderNew, kReaderReading, kReaderDone };

static unsigned UnitAt(const RegReader *r, size_t i)
{
    return r->bytes[2 * i] | static_cast<unsigned>(r->bytes[2 * i + 1]) << 8;
}

// One line of the text being read: the units [at, end), without its line break; the line after
// it begins at next.
struct Scan {
    const RegReader *r;
    size_t at, end, next;
};

static Scan LineAt(const RegReader *r, size_t begin)
{
    size_t lf = begin;
    while (lf < r->units && UnitAt(r, lf) != '\n')
        ++lf;
    size_t end = lf;
    if (end > begin && UnitAt(r, end - 1) == '\r')
        --end;
    return Scan{r, begin, end, lf < r->units ? lf + 1 : lf};
}

static int Peek(const Scan &s)
{
    return s.at < s.end ? static_cast<int>(UnitAt(s.r, s.at)) : -1;
}

static bool Take(Scan &s, int unit)
{
    if (Peek(s) != unit)
        return false;
    ++s.at;
    return true;
}

static bool TakeText(Scan &s, const char *text)
{
    const size_t start = s.at;
    for (; *text != '\0'; ++text) {
        if (!Take(s, static_cast<unsigned char>(*text))) {
            s.at = start;
            return false;
        }
    }
    return true;
}

static void SkipBlanks(Scan &s)
{
    while (Peek(s) == ' ' || Peek(s) == '\t')
        ++s.at;
}

static bool RestIsBlank(Scan s)
{
    SkipBlanks(s);
    return s.at >= s.end;
}

static int HexDigit(int unit)
{
    if (unit >= '0' && unit <= '9')
        return unit - '0';
    if (unit >= 'a' && unit <= 'f')
        return unit - 'a' + 10;
    if (unit >= 'A' && unit <= 'F')
        return unit - 'A' + 10;
    return -1;
}

// One to eight hex digits.
static bool TakeNumber(Scan &s, unsigned *value)
{
    int digits = 0;
    *value = 0;
    for (int d; digits < 8 && (d = HexDigit(Peek(s))) >= 0; ++digits, ++s.at)
        *value = *value << 4 | static_cast<unsigned>(d);
    return digits > 0 && HexDigit(Peek(s)) < 0;
}

// Where the units of a quoted text go: a name's wide characters, or a string's bytes.
struct Units {
    wchar_t *wide;
    unsigned char *bytes;
    int count, limit;
};

static bool Put(Units &u, unsigned unit)
{
    if (u.count >= u.limit)
        return false;
    if (u.wide) {
        u.wide[u.count] = static_cast<wchar_t>(unit);
    } else {
        u.bytes[2 * u.count] = static_cast<unsigned char>(unit & 0xFF);
        u.bytes[2 * u.count + 1] = static_cast<unsigned char>(unit >> 8);
    }
    ++u.count;
    return true;
}

// A quoted text from its opening quote to its closing one, on one line. NUL units are refused:
// a name must stay whole as a terminated string, and the writer never puts one in a text.
static RegRead ReadQuoted(Scan &s, Units &out)
{
    ++s.at;
    for (;;) {
        int unit = Peek(s);
        if (unit <= 0)
            return kRegBadLine;
        ++s.at;
        if (unit == '"')
            return kRegValue;
        if (unit == '\\') {
            unit = Peek(s);
            if (unit != '\\' && unit != '"')
                return kRegBadLine;
            ++s.at;
        }
        if (!Put(out, static_cast<unsigned>(unit)))
            return kRegTooLong;
    }
}

static RegRead ReadKey(RegReader *r, Scan &s, RegEntry *e)
{
    ++s.at;
    size_t close = s.end;
    while (close > s.at && UnitAt(r, close - 1) != ']')
        --close;
    if (close == s.at || Peek(s) == '-' || !RestIsBlank(Scan{r, close, s.end, s.next}))
        return kRegBadLine;
    const size_t length = close - 1 - s.at;
    if (length == 0)
        return kRegBadLine;
    if (length > static_cast<size_t>(kRegNameLimit))
        return kRegTooLong;
    for (size_t i = 0; i < length; ++i) {
        e->name[i] = static_cast<wchar_t>(UnitAt(r, s.at + i));
        if (e->name[i] == 0)
            return kRegBadLine;
    }
    e->name[length] = 0;
    e->nameLength = static_cast<int>(length);
    r->inKey = true;
    return kRegKey;
}

static RegRead ReadString(Scan &s, RegEntry *e)
{
    Units out = {nullptr, e->data, 0, kRegDataLimit / 2 - 1};
    const RegRead read = ReadQuoted(s, out);
    if (read != kRegValue)
        return read;
    e->data[2 * out.count] = e->data[2 * out.count + 1] = 0;
    e->type = kRegString;
    e->size = 2 * (out.count + 1);
    return RestIsBlank(s) ? kRegValue : kRegBadLine;
}

static RegRead ReadDword(Scan &s, RegEntry *e)
{
    unsigned value;
    if (!TakeNumber(s, &value) || !RestIsBlank(s))
        return kRegBadLine;
    for (int i = 0; i < 4; ++i)
        e->data[i] = static_cast<unsigned char>(value >> (8 * i));
    e->type = kRegDword;
    e->size = 4;
    return kRegValue;
}

// Comma-separated bytes, going on in the next line after a line that ends in "\".
static RegRead ReadBytes(RegReader *r, Scan &s, RegEntry *e)
{
    e->size = 0;
    bool afterComma = false;
    for (;;) {
        SkipBlanks(s);
        if (Take(s, '\\')) {
            if (!RestIsBlank(s))
                return kRegBadLine;
            s = LineAt(r, s.next);
            r->at = s.next;
            continue;
        }
        if (s.at >= s.end)
            return afterComma ? kRegBadLine : kRegValue;
        if (e->size > 0 && !afterComma) {
            if (!Take(s, ','))
                return kRegBadLine;
            afterComma = true;
            continue;
        }
        const int high = HexDigit(Peek(s));
        ++s.at;
        const int low = HexDigit(Peek(s));
        ++s.at;
        if (high < 0 || low < 0)
            return kRegBadLine;
        if (e->size >= kRegDataLimit)
            return kRegTooLong;
        e->data[e->size++] = static_cast<unsigned char>(high << 4 | low);
        afterComma = false;
    }
}

static RegRead ReadHex(RegReader *r, Scan &s, RegEntry *e)
{
    e->type = kRegBinary;
    if (Take(s, '(') && !(TakeNumber(s, &e->type) && Take(s, ')')))
        return kRegBadLine;
    return Take(s, ':') ? ReadBytes(r, s, e) : kRegBadLine;
}

static RegRead ReadValue(RegReader *r, Scan &s, RegEntry *e)
{
    if (!r->inKey)
        return kRegBadLine;
    Units name = {e->name, nullptr, 0, kRegNameLimit};
    if (!Take(s, '@')) {
        const RegRead read = ReadQuoted(s, name);
        if (read != kRegValue)
            return read;
    }
    e->name[name.count] = 0;
    e->nameLength = name.count;
    SkipBlanks(s);
    if (!Take(s, '='))
        return kRegBadLine;
    SkipBlanks(s);
    if (Peek(s) == '"')
        return ReadString(s, e);
    if (TakeText(s, "dword:"))
        return ReadDword(s, e);
    if (TakeText(s, "hex"))
        return ReadHex(r, s, e);
    return kRegBadLine;
}

// The empty line a whole file ends with, the line break before it included.
static bool EndsWithEmptyLine(const RegReader *r)
{
    size_t n = r->units;
    if (n == 0 || UnitAt(r, n - 1) != '\n')
        return false;
    --n;
    if (n > 0 && UnitAt(r, n - 1) == '\r')
        --n;
    return n > 0 && UnitAt(r, n - 1) == '\n';
}

static RegRead CheckFile(RegReader *r, size_t size)
{
    if (size < 2 || r->bytes[0] != 0xFF || r->bytes[1] != 0xFE)
        return kRegNotAFile;
    r->bytes += 2;
    r->units = (size - 2) / 2;
    Scan header = LineAt(r, 0);
    if (!TakeText(header, kHeader) || header.at != header.end)
        return kRegNotAFile;
    if (size % 2 != 0 || !EndsWithEmptyLine(r))
        return kRegCutShort;
    r->at = header.next;
    return kRegKey;
}

void OpenRegText(RegReader *reader, const unsigned char *bytes, size_t size)
{
    *reader = RegReader{bytes, size, 0, 0, kReaderNew, false};
}

static RegRead ReadLine(RegReader *r, RegEntry *e)
{
    if (r->state == kReaderNew) {
        r->state = kReaderReading;
        const RegRead checked = CheckFile(r, r->size);
        if (checked != kRegKey)
            return checked;
    }
    while (r->at < r->units) {
        Scan s = LineAt(r, r->at);
        r->at = s.next;
        SkipBlanks(s);
        const int first = Peek(s);
        if (first == '[')
            return ReadKey(r, s, e);
        if (first == '"' || first == '@')
            return ReadValue(r, s, e);
        if (first != -1 && first != ';')
            return kRegBadLine;
    }
    return kRegEnd;
}

RegRead ReadRegEntry(RegReader *reader, RegEntry *entry)
{
    if (reader->state == kReaderDone)
        return kRegEnd;
    const RegRead read = ReadLine(reader, entry);
    if (read != kRegKey && read != kRegValue)
        reader->state = kReaderDone;
    return read;
}

static void PutByte(RegWriter *w, unsigned byte)
{
    if (w->size < w->capacity)
        w->bytes[w->size] = static_cast<unsigned char>(byte);
    else
        w->written = false;
    ++w->size;
}

static void PutUnit(RegWriter *w, unsigned unit)
{
    PutByte(w, unit & 0xFF);
    PutByte(w, unit >> 8 & 0xFF);
    ++w->column;
}

static void PutText(RegWriter *w, const char *text)
{
    for (; *text != '\0'; ++text)
        PutUnit(w, static_cast<unsigned char>(*text));
}

static void EndLine(RegWriter *w)
{
    PutText(w, "\r\n");
    w->column = 0;
}

static void PutHex(RegWriter *w, unsigned value, int digits)
{
    static const char kDigits[] = "0123456789abcdef";
    int shown = 8;
    while (shown > digits && shown > 1 && (value >> (4 * (shown - 1))) == 0)
        --shown;
    while (shown-- > 0)
        PutUnit(w, static_cast<unsigned char>(kDigits[value >> (4 * shown) & 0xF]));
}

static void PutEscaped(RegWriter *w, unsigned unit)
{
    if (unit == '\r' || unit == '\n')
        w->written = false;
    if (unit == '\\' || unit == '"')
        PutUnit(w, '\\');
    PutUnit(w, unit);
}

static unsigned DataUnit(const unsigned char *data, size_t i)
{
    return data[2 * i] | static_cast<unsigned>(data[2 * i + 1]) << 8;
}

// Terminated once, at its end, and with no line break: what a text line can hold.
static bool IsCleanString(const unsigned char *data, size_t size)
{
    if (size < 2 || size % 2 != 0 || DataUnit(data, size / 2 - 1) != 0)
        return false;
    for (size_t i = 0; i + 1 < size / 2; ++i) {
        const unsigned unit = DataUnit(data, i);
        if (unit == 0 || unit == '\r' || unit == '\n')
            return false;
    }
    return true;
}

static void PutBytes(RegWriter *w, unsigned type, const unsigned char *data, size_t size)
{
    PutText(w, "hex");
    if (type != kRegBinary) {
        PutUnit(w, '(');
        PutHex(w, type, 1);
        PutUnit(w, ')');
    }
    PutUnit(w, ':');
    for (size_t i = 0; i < size; ++i) {
        if (i > 0) {
            PutUnit(w, ',');
            if (w->column > kHexWrapColumn) {
                PutUnit(w, '\\');
                EndLine(w);
                PutText(w, "  ");
            }
        }
        PutHex(w, data[i], 2);
    }
}

void StartRegText(RegWriter *writer, unsigned char *buffer, size_t capacity)
{
    *writer = RegWriter{buffer, capacity, 0, 0, true};
    PutByte(writer, 0xFF);
    PutByte(writer, 0xFE);
    PutText(writer, kHeader);
    EndLine(writer);
}

void WriteRegKey(RegWriter *writer, const wchar_t *path)
{
    EndLine(writer);
    PutUnit(writer, '[');
    for (; *path != 0; ++path) {
        if (*path == '\r' || *path == '\n')
            writer->written = false;
        PutUnit(writer, static_cast<unsigned>(*path));
    }
    PutUnit(writer, ']');
    EndLine(writer);
}

void WriteRegValue(RegWriter *writer, const wchar_t *name, unsigned type,
                   const unsigned char *data, size_t size)
{
    if (*name == 0) {
        PutUnit(writer, '@');
    } else {
        PutUnit(writer, '"');
        for (; *name != 0; ++name)
            PutEscaped(writer, static_cast<unsigned>(*name));
        PutUnit(writer, '"');
    }
    PutUnit(writer, '=');
    if (type == kRegString && IsCleanString(data, size)) {
        PutUnit(writer, '"');
        for (size_t i = 0; i + 1 < size / 2; ++i)
            PutEscaped(writer, DataUnit(data, i));
        PutUnit(writer, '"');
    } else if (type == kRegDword && size == 4) {
        PutText(writer, "dword:");
        PutHex(writer, data[0] | data[1] << 8 | data[2] << 16 | static_cast<unsigned>(data[3]) << 24,
               8);
    } else {
        PutBytes(writer, type, data, size);
    }
    EndLine(writer);
}

bool EndRegText(RegWriter *writer)
{
    EndLine(writer);
    return writer->written;
}
