// Lines and number fields of LUT text files, for lutprep's readers.
//
// A file is read into memory whole and walked line by line; numbers are
// parsed with std::from_chars, which rounds a decimal to the nearest float
// as the C library's strtof does and is several times faster, after a
// faster path of its own for the plain decimals that most LUT files hold. A
// plain decimal therefore reads as the box's reader reads it; other
// spellings the box takes (hexadecimal floats, for one) are no number here,
// which is why check's verdict is the box reader's, never this one's. Lines
// are counted by line feeds alone, so a line number here is the one an
// editor shows.
#include "prep/text_scan.h"

#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>

#include "lut/decimal_words.h"
#include "lut/exact_decimal.h"
#include "lut/lut3d_reader.h"
#include "platform/ascii.h"
#include "platform/platform.h"

void StartLines(PrepLineReader *reader, const char *text, size_t size) {
    reader->next = text;
    reader->end = text + size;
    reader->number = 0;
}

bool NextLine(PrepLineReader *reader, PrepLine *line) {
    if (reader->next >= reader->end) return false;
    const char *begin = reader->next;
    const char *lf = static_cast<const char *>(memchr(begin, '\n', static_cast<size_t>(reader->end - begin)));
    const char *end = lf != nullptr ? lf : reader->end;
    reader->next = lf != nullptr ? lf + 1 : reader->end;
    if (end > begin && end[-1] == '\r') end--;
    *line = PrepLine{begin, end, ++reader->number, begin, reader->next - begin, false};
    return true;
}

namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";
constexpr size_t kBomBytes = sizeof kBom - 1;

// Whether bytes read as UTF-16 text of ASCII: its mark, or every other
// byte NUL (from either end, since a line after the first starts with the
// NUL that followed the line feed).
bool LooksUtf16(const unsigned char *p, size_t n) {
    if (n >= 2 && ((p[0] == 0xFF && p[1] == 0xFE) || (p[0] == 0xFE && p[1] == 0xFF))) return true;
    if (n < 4) return false;
    bool little = p[0] != 0 && p[1] == 0 && p[2] != 0 && p[3] == 0;
    bool big = p[0] == 0 && p[1] != 0 && p[2] == 0 && p[3] != 0;
    return little || big;
}

// 0 when the line is text as LUT files are written: -1 with *error set
// for UTF-16, for other bytes no text holds (NUL), and for CR alone as the
// line end, which leaves the whole file one line here and to the box.
int CheckText(const PrepLine &raw, PrepError *error) {
    const unsigned char *p = reinterpret_cast<const unsigned char *>(raw.begin);
    size_t n = static_cast<size_t>(raw.end - raw.begin);
    bool nul = memchr(p, '\0', n) != nullptr;
    if ((raw.number == 1 || nul) && LooksUtf16(p, n)) {
        PrepSetError(error, raw.number, "the file is UTF-16 text; save it as UTF-8 or ASCII");
        return -1;
    }
    if (nul) {
        PrepSetError(error, raw.number, "a NUL byte: this is a binary file, not a LUT's text");
        return -1;
    }
    // A CR with more than blanks after it: CR ends the lines here.
    const unsigned char *cr = static_cast<const unsigned char *>(memchr(p, '\r', n));
    if (cr != nullptr && SkipBlanks(reinterpret_cast<const char *>(cr), raw.end) != raw.end) {
        PrepSetError(error, raw.number,
                     "the lines end in CR alone (old Mac line ends), so the file reads as one line; save it with LF "
                     "or CR LF line ends");
        return -1;
    }
    return 0;
}

// What the line loop hands each line to, and what it carries from one
// block of a file to the next.
struct LineLoop {
    bool checked;  // the readers' loop: CheckText's rules hold
    bool bom;      // a byte-order mark before line 1 was skipped
    char comment;
    int (*onLine)(void *state, const PrepLine &line);
    void *state;
    int64_t number;  // of the last line handed on
    int64_t *lastLine;
    PrepError *error;
};

// Where in [p, end) the first CR stands that does not end its line (a CR
// before LF is no part of the line), or end. Besides a NUL byte, that is
// what CheckText can refuse in a line after the first; nearly every file
// holds neither, and one search of a block spares every line searches of
// its own.
const char *NextLoneCr(const char *p, const char *end) {
    const char *cr = p;
    while ((cr = static_cast<const char *>(memchr(cr, '\r', static_cast<size_t>(end - cr)))) != nullptr) {
        if (cr + 1 == end || cr[1] != '\n') return cr;
        cr += 2;
    }
    return end;
}

// The lines of [p, end) in order through the loop's rules, a last one
// without its LF only when the text ends there (atEnd); *taken is set
// after the last line handed on. What onLine returned, or 0. The
// readers' loop refuses what CheckText refuses, at the line it names:
// line 1 always (UTF-16 shows there without a NUL), any other line only
// when it holds a suspect byte: a lone CR or the first NUL, where the
// reading stops. A suspect line that passes (a CR before the blanks that
// end it) moves the search on to the next lone CR alone.
int HandleLines(LineLoop *loop, const char *p, const char *end, bool atEnd, const char **taken) {
    const char *nul =
        loop->checked ? static_cast<const char *>(memchr(p, '\0', static_cast<size_t>(end - p))) : nullptr;
    if (nul == nullptr) nul = end;
    const char *suspect = loop->checked ? NextLoneCr(p, nul) : end;
    int result = 0;
    while (result == 0 && p < end) {
        const char *lf = static_cast<const char *>(memchr(p, '\n', static_cast<size_t>(end - p)));
        if (lf == nullptr && !atEnd) break;
        const char *next = lf != nullptr ? lf + 1 : end;
        const char *lineEnd = lf != nullptr ? lf : end;
        if (lineEnd > p && lineEnd[-1] == '\r') lineEnd--;
        int64_t number = ++loop->number;
        const char *raw = p;
        const bool bom = loop->bom && number == 1;
        p = next;
        *loop->lastLine = number;
        if (loop->checked && (number == 1 || suspect < next)) {
            if (CheckText(PrepLine{raw, lineEnd, number, raw, next - raw, bom}, loop->error) != 0) {
                result = -1;
                break;
            }
            if (suspect < next) suspect = NextLoneCr(next, nul);
        }
        // The trimmed line is made in place, field by field: a copy of a
        // line just stored (TrimLine's) is read back before the stores
        // land, which stalls on every line of a table.
        const char *begin = SkipBlanks(raw, lineEnd);
        while (lineEnd > begin && IsBlank(lineEnd[-1])) lineEnd--;
        if (begin != lineEnd && (loop->comment == 0 || *begin != loop->comment)) {
            PrepLine line{begin, lineEnd, number, raw, next - raw, bom};
            result = loop->onLine(loop->state, line);
        }
    }
    *taken = p;
    return result;
}

// A file read in blocks: buffer[0, used) holds what is not yet taken, a
// part of a line carried over from the last block first.
struct BlockReader {
    FILE *file;
    char *buffer;
    size_t capacity;
    size_t used;
    int64_t total;
    bool end;
};

constexpr size_t kBlockBytes = size_t{1} << 20;
// The longest line read: far beyond any LUT's (a Houdini curve of 65536
// values on one line is under 1 MB), so that a file of another kind is
// refused before its one "line" takes the memory of the whole file.
constexpr size_t kMaxLineBytes = size_t{16} << 20;

// The start of the file, before its first line is whole: what CheckText
// refuses shows there, so that a binary or CR-only file is refused before
// it is read as one long line.
int CheckStart(const char *p, size_t n, PrepError *error) {
    size_t length = n < 4096 ? n : 4096;
    const char *lf = static_cast<const char *>(memchr(p, '\n', length));
    const char *end = lf != nullptr ? lf : p + length;
    if (end > p && end[-1] == '\r') end--;
    return CheckText(PrepLine{p, end, 1, p, end - p, false}, error);
}

// Appends the next block; the buffer grows only when a single line fills it.
int Refill(BlockReader *b, PrepError *error) {
    if (b->used == b->capacity) {
        size_t grown = b->capacity * 2;
        char *larger = static_cast<char *>(realloc(b->buffer, grown));
        if (larger == nullptr) {
            PrepSetError(error, 0, "out of memory for a line of more than %llu bytes",
                         static_cast<unsigned long long>(b->capacity));
            return -1;
        }
        b->buffer = larger;
        b->capacity = grown;
    }
    size_t room = b->capacity - b->used;
    size_t n = fread(b->buffer + b->used, 1, room, b->file);
    if (ferror(b->file) != 0) {
        PrepSetError(error, 0, "read failed");
        return -1;
    }
    b->used += n;
    b->total += static_cast<int64_t>(n);
    b->end = n < room;
    // The file grew after its size was looked at.
    if (b->total > kPrepMaxFileBytes) {
        PrepSetError(error, 0, "more than %lld bytes: larger than any LUT file",
                     static_cast<long long>(kPrepMaxFileBytes));
        return -1;
    }
    return 0;
}

// Hands on the complete lines of the buffer (with the last one at the end
// of the file) and keeps the rest; what onLine returned, or 0.
int TakeLines(BlockReader *b, size_t start, LineLoop *loop) {
    const char *taken = nullptr;
    int result = HandleLines(loop, b->buffer + start, b->buffer + b->used, b->end, &taken);
    size_t used = static_cast<size_t>(taken - b->buffer);
    memmove(b->buffer, taken, b->used - used);
    b->used -= used;
    return result;
}

int ForEachFileLine(FILE *file, bool skipBom, LineLoop *loop) {
    // A small file is read in a block of its own size (and 4 KiB, for
    // the end to show in the first read): a whole block's pages cost their
    // faults even when a matrix of a hundred bytes is read into it.
    const int64_t fileBytes = PlatformFileSize(file);
    const size_t blockBytes = fileBytes >= 0 && static_cast<uint64_t>(fileBytes) < kBlockBytes - 4096
                                  ? static_cast<size_t>(fileBytes) + 4096
                                  : kBlockBytes;
    BlockReader b{file, static_cast<char *>(PlatformAllocLarge(blockBytes)), blockBytes, 0, 0, false};
    if (b.buffer == nullptr) {
        PrepSetError(loop->error, 0, "out of memory for reading");
        return -1;
    }
    int result = 0;
    for (bool first = true; result == 0; first = false) {
        if (b.used == b.capacity && b.capacity >= kMaxLineBytes) {
            PrepSetError(loop->error, loop->number + 1, "a line of more than %llu MB: not a LUT file's text",
                         static_cast<unsigned long long>(kMaxLineBytes >> 20));
            result = -1;
            break;
        }
        if (Refill(&b, loop->error) != 0 || (first && CheckStart(b.buffer, b.used, loop->error) != 0)) {
            result = -1;
            break;
        }
        // The first block holds the whole mark, unless the file is shorter.
        size_t start =
            first && skipBom && b.used >= kBomBytes && memcmp(b.buffer, kBom, kBomBytes) == 0 ? kBomBytes : 0;
        if (start != 0) loop->bom = true;
        result = TakeLines(&b, start, loop);
        if (b.end) break;
    }
    free(b.buffer);
    return result;
}

}  // namespace

int ForEachLine(const char *text, size_t size, char comment, int (*onLine)(void *state, const PrepLine &line),
                void *state, int64_t *lastLine) {
    LineLoop loop{false, false, comment, onLine, state, 0, lastLine, nullptr};
    *lastLine = 1;
    const char *taken = nullptr;
    return HandleLines(&loop, text, text + size, true, &taken);
}

int ForEachSourceLine(const PrepSource &source, bool skipBom, char comment,
                      int (*onLine)(void *state, const PrepLine &line), void *state, int64_t *lastLine,
                      PrepError *error) {
    LineLoop loop{true, false, comment, onLine, state, 0, lastLine, error};
    *lastLine = 1;
    if (source.file != nullptr) return ForEachFileLine(source.file, skipBom, &loop);
    const char *text = source.text;
    size_t size = source.size;
    loop.bom = skipBom && size >= kBomBytes && memcmp(text, kBom, kBomBytes) == 0;
    if (loop.bom) {
        text += kBomBytes;
        size -= kBomBytes;
    }
    const char *taken = nullptr;
    return HandleLines(&loop, text, text + size, true, &taken);
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

const char *SkipBlanks(const char *p, const char *end) {
    while (p < end && IsBlank(*p)) p++;
    return p;
}

PrepLine TrimLine(const PrepLine &line) {
    PrepLine trimmed = line;
    trimmed.begin = SkipBlanks(line.begin, line.end);
    while (trimmed.end > trimmed.begin && IsBlank(trimmed.end[-1])) trimmed.end--;
    return trimmed;
}

namespace {

bool StartsWithWord(const char *p, const char *end, const char *word) {
    size_t n = strlen(word);
    if (static_cast<size_t>(end - p) < n) return false;
    for (size_t i = 0; i < n; i++) {
        if (AsciiLower(p[i]) != word[i]) return false;
    }
    return true;
}

// Whether a field ends at p: at a blank, the separator (0 for none) or the
// end.
[[gnu::always_inline]] inline bool EndsField(const char *p, const char *end, char separator) {
    return p == end || IsBlank(*p) || (separator != 0 && *p == separator);
}

// Where the field that begins at p ends.
const char *FieldEnd(const char *p, const char *end, char separator) {
    while (!EndsField(p, end, separator)) p++;
    return p;
}

// After a field: blanks, then one separator.
const char *AfterField(const char *p, const char *end, char separator) {
    p = SkipBlanks(p, end);
    if (separator != 0 && p < end && *p == separator) p++;
    return p;
}

// The value of a decimal field that from_chars found beyond float's range:
// an infinity for too large a number, a zero for too small a one, both with
// the field's sign. from_chars gives subnormals themselves, rounded as
// strtof rounds them, so only these two remain. Which one is told by the
// decimal exponent of the first significant digit, counted from the text
// (a field such as "0." and 323 zeros and "1" is beyond double as well, so
// no wider parse can tell): at least 0 is a value of 1 or more.
float OutOfRange(const char *begin, const char *end) {
    bool negative = *begin == '-';
    const char *p = begin + (*begin == '-' || *begin == '+' ? 1 : 0);
    constexpr int64_t kFar = int64_t{1} << 40;  // beyond any field's length
    int64_t first = 0;                          // exponent of the first significant digit
    bool found = false;
    bool point = false;
    int64_t place = 0;  // digits before the point, minus those after it before the first significant one
    for (; p < end && AsciiLower(*p) != 'e'; p++) {
        if (*p == '.') {
            point = true;
        } else if (!found && *p == '0') {
            if (point) place--;
        } else if (!found) {
            found = true;
            first = point ? place - 1 : 0;
        } else if (!point) {
            first++;
        }
    }
    int64_t exponent = 0;
    if (p < end) {
        const char *q = p + 1;
        bool minus = q < end && *q == '-';
        if (q < end && (*q == '-' || *q == '+')) q++;
        for (; q < end && exponent < kFar; q++) exponent = exponent * 10 + (*q - '0');
        if (minus) exponent = -exponent;
    }
    bool huge = found && first + exponent >= 0;
    float magnitude = huge ? std::numeric_limits<float>::infinity() : 0.0f;
    return negative ? -magnitude : magnitude;
}

// The decimal digits at p as one integer added to *digits (wrapping past
// 2^64, which the caller tells by their count); where they end.
const char *TakeDigits(const char *p, const char *end, uint64_t *digits) {
    uint64_t v = *digits;
    for (; p < end; p++) {
        uint32_t digit = static_cast<uint32_t>(static_cast<unsigned char>(*p)) - '0';
        if (digit > 9u) break;
        v = v * 10u + digit;
    }
    *digits = v;
    return p;
}

// The same for a fraction's digits, most of a value's, eight at a time
// while eight bytes remain. Forced inline, as the callers below: a call's
// saving and restoring of registers costs as much as eight digits.
[[gnu::always_inline]] inline const char *TakeFractionDigits(const char *p, const char *end, uint64_t *digits) {
    while (end - p >= 8) {
        int count = TakeEightDigits(p, digits);
        p += count;
        if (count < 8) return p;
    }
    return TakeDigits(p, end, digits);
}

// The digits of a plain decimal, "0.123456" or "-1.5": at least one before
// an optional point and fraction, after an optional minus sign, read as one
// integer and the count of the fraction's digits.
struct PlainDigits {
    bool negative;
    uint64_t digits;
    int64_t fraction;
};

// The plain decimal at p into *d: where its digits end, or nullptr when it
// has no digit before the point, or digits past those double holds exactly
// or past an exact power of ten (19 digits cannot wrap the integer).
// Forced inline: it is in the loop over every number field.
[[gnu::always_inline]] inline const char *TakePlainDigits(const char *p, const char *end, PlainDigits *d) {
    d->negative = p < end && *p == '-';
    if (d->negative) p++;
    const char *first = p;
    d->digits = 0;
    p = TakeDigits(p, end, &d->digits);
    if (p == first) return nullptr;
    int64_t count = p - first;
    d->fraction = 0;
    if (p < end && *p == '.') {
        const char *fractionBegin = ++p;
        p = TakeFractionDigits(p, end, &d->digits);
        d->fraction = p - fractionBegin;
        count += d->fraction;
    }
    constexpr int64_t kSafeDigits = 19;
    if (count > kSafeDigits || d->digits >= kDoubleDigitsLimit || d->fraction > kLargestDoublePower) return nullptr;
    return p;
}

// The fields LUT files are mostly made of, plain decimals, up to a blank,
// the separator or the end. When the digits as one integer and the power
// of ten of the fraction are both exact in float, one float division
// rounds the value correctly, as from_chars would, at a fraction of its
// cost (parsing is most of a conversion's time); up to double's exact
// digits and powers, one double division nearly always does. Returns where
// the field ends, or nullptr for any other field, which from_chars then
// reads.
[[gnu::always_inline]] inline const char *PlainDecimal(const char *p, const char *end, char separator, float *value) {
    PlainDigits d;
    p = TakePlainDigits(p, end, &d);
    if (p == nullptr || !EndsField(p, end, separator)) return nullptr;
    float v;
    if (!ExactDecimalFraction(d.digits, d.fraction, &v) && !DoubleDecimalFraction(d.digits, d.fraction, &v)) {
        return nullptr;
    }
    *value = d.negative ? -v : v;
    return p;
}

}  // namespace

bool BeginsWithNumber(const char *p, const char *end) {
    p = SkipBlanks(p, end);
    if (p == end) return false;
    if ((*p >= '0' && *p <= '9') || *p == '-' || *p == '+' || *p == '.') return true;
    return StartsWithWord(p, end, "nan") || StartsWithWord(p, end, "inf");
}

bool MatchKeyword(const char *p, const char *end, const char *keyword, const char **rest) {
    p = SkipBlanks(p, end);
    // Letter by letter, so that most lines that hold another word fail at
    // their first byte; keywords hold no blanks, so the word ends with them.
    for (; *keyword != '\0'; p++, keyword++) {
        if (p == end || AsciiLower(*p) != AsciiLower(*keyword)) return false;
    }
    if (p != end && !IsBlank(*p)) return false;
    *rest = p;
    return true;
}

namespace {

// A field at *pp = p that is no plain decimal, through from_chars. Kept
// apart from ScanReal so that the plain decimals there pay nothing for its
// copy and its calls.
__attribute__((noinline)) FieldResult ScanOtherReal(const char **pp, const char *end, char separator, bool decimalComma,
                                                    float *value) {
    const char *p = *pp;
    const char *fieldEnd = FieldEnd(p, end, separator);
    // from_chars takes no plus sign; a second sign after it is no number.
    const char *begin = p < fieldEnd && *p == '+' && p + 1 < fieldEnd && p[1] != '-' && p[1] != '+' ? p + 1 : p;
    // A decimal comma is parsed from a copy with a point in its place.
    char copy[64];
    const char *parseBegin = begin;
    const char *parseEnd = fieldEnd;
    if (decimalComma && memchr(begin, ',', static_cast<size_t>(fieldEnd - begin)) != nullptr) {
        size_t n = static_cast<size_t>(fieldEnd - begin);
        if (n >= sizeof copy) return kFieldBad;
        for (size_t i = 0; i < n; i++) copy[i] = begin[i] == ',' ? '.' : begin[i];
        parseBegin = copy;
        parseEnd = copy + n;
    }
    float v = 0.0f;
    std::from_chars_result r = std::from_chars(parseBegin, parseEnd, v);
    if (r.ptr != parseEnd || parseBegin == parseEnd) return kFieldBad;
    if (r.ec == std::errc::result_out_of_range) {
        v = OutOfRange(parseBegin, parseEnd);
    } else if (r.ec != std::errc{}) {
        return kFieldBad;
    }
    *value = v;
    *pp = AfterField(fieldEnd, end, separator);
    return kFieldNumber;
}

}  // namespace

FieldResult ScanReal(const char **pp, const char *end, char separator, bool decimalComma, float *value) {
    const char *p = SkipBlanks(*pp, end);
    *pp = p;
    if (p == end) return kFieldEnd;
    const char *plainEnd = PlainDecimal(p, end, separator, value);
    if (plainEnd == nullptr) return ScanOtherReal(pp, end, separator, decimalComma, value);
    *pp = AfterField(plainEnd, end, separator);
    return kFieldNumber;
}

namespace {

// A plain decimal that is not the usual field, through the general steps:
// kept apart so that the usual one pays nothing for them.
__attribute__((noinline)) const char *ScanOtherPlainDouble(const char *p, const char *end, double *value) {
    PlainDigits d;
    p = TakePlainDigits(p, end, &d);
    if (p == nullptr) return nullptr;
    double v = static_cast<double>(d.digits) / kDoublePowersOfTen[d.fraction];
    *value = d.negative ? -v : v;
    return p;
}

}  // namespace

const char *ScanPlainDouble(const char *p, const char *end, double *value) {
    // Most numbers of an array are one digit, a point and a fraction of up
    // to 15 digits ("0.123456"), read here as words of eight bytes where
    // eight bytes are readable past each word's start, with the general
    // steps' one division: they need none of their checks but the limit of
    // double's exact digits.
    if (end - p < 10 || !IsAsciiDigit(p[0]) || p[1] != '.') return ScanOtherPlainDouble(p, end, value);
    uint64_t digits = static_cast<uint64_t>(p[0] - '0');
    int fraction = TakeEightDigits(p + 2, &digits);
    bool ended = fraction < 8;
    if (!ended && end - p >= 18) {
        fraction += TakeEightDigits(p + 10, &digits);
        ended = fraction < 16;
    }
    if (!ended || digits >= kDoubleDigitsLimit) return ScanOtherPlainDouble(p, end, value);
    // Exact in both types below 2^53; the signed one converts in one step.
    *value = static_cast<double>(static_cast<int64_t>(digits)) / kDoublePowersOfTen[fraction];
    return p + 2 + fraction;
}

namespace {

// ScanInteger's field at *pp (after blanks, not the end) when it is not
// the usual few digits: signed, long, or no integer.
__attribute__((noinline)) FieldResult ScanOtherInteger(const char **pp, const char *end, char separator,
                                                       int64_t *value) {
    const char *p = *pp;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+') p++;
    const char *first = p;
    // Digits beyond the limit are still read, for the field's end, but no
    // longer added, so that no count of them can wrap the value.
    constexpr int64_t kLimit = int64_t{1} << 31;
    int64_t v = 0;
    for (; p < end && *p >= '0' && *p <= '9'; p++) {
        if (v <= kLimit) v = v * 10 + (*p - '0');
    }
    if (p == first || !EndsField(p, end, separator) || v > kLimit) return kFieldBad;
    *value = negative ? -v : v;
    *pp = AfterField(p, end, separator);
    return kFieldNumber;
}

}  // namespace

FieldResult ScanInteger(const char **pp, const char *end, char separator, int64_t *value) {
    const char *p = SkipBlanks(*pp, end);
    *pp = p;
    if (p == end) return kFieldEnd;
    // Most integers of LUT files are a few digits without a sign (indices,
    // code values): nine digits stay far below the limit, so they are read
    // without its tests, or the sign's.
    constexpr ptrdiff_t kUsualDigits = 9;
    uint64_t v = 0;
    const char *digitsEnd = TakeDigits(p, end, &v);
    if (digitsEnd == p || digitsEnd - p > kUsualDigits || !EndsField(digitsEnd, end, separator)) {
        return ScanOtherInteger(pp, end, separator, value);
    }
    *value = static_cast<int64_t>(v);
    *pp = AfterField(digitsEnd, end, separator);
    return kFieldNumber;
}

int ScanRowNumbers(const PrepLine &line, float row[3], PrepError *error) {
    // ScanReal's steps without a call of it per field: a data line is
    // three fields, and a table is most of a file.
    const char *p = SkipBlanks(line.begin, line.end);
    int numbers = 0;
    for (; p < line.end; numbers++) {
        float value = 0.0f;
        const char *plainEnd = PlainDecimal(p, line.end, 0, &value);
        if (plainEnd != nullptr) {
            p = SkipBlanks(plainEnd, line.end);
        } else if (ScanOtherReal(&p, line.end, 0, false, &value) != kFieldNumber) {
            char word[32];
            QuoteField(p, line.end, 0, word);
            bool comma = strchr(word, ',') != nullptr;
            PrepSetError(error, line.number, "'%s' is not a number%s", word, comma ? " (a decimal comma?)" : "");
            return -1;
        }
        if (numbers < 3) row[numbers] = value;
    }
    return numbers;
}

void QuoteField(const char *p, const char *end, char separator, char (&out)[32]) {
    p = SkipBlanks(p, end);
    const char *fieldEnd = FieldEnd(p, end, separator);
    constexpr size_t kShown = 24;
    size_t n = static_cast<size_t>(fieldEnd - p);
    size_t shown = n < kShown ? n : kShown;
    size_t at = 0;
    for (size_t i = 0; i < shown; i++) out[at++] = p[i] >= ' ' && p[i] <= '~' ? p[i] : '?';
    if (n > shown) {
        for (int i = 0; i < 3; i++) out[at++] = '.';
    }
    out[at] = '\0';
}

const char *PrepWarningName(PrepWarningCode code) {
    switch (code) {
    case kPrepWarnDomain:
        return "domain";
    case kPrepWarnShaper:
        return "shaper";
    case kPrepWarnSizeKeyword:
        return "size-keyword";
    case kPrepWarnRange:
        return "range";
    case kPrepWarnNonfinite:
        return "nonfinite";
    case kPrepWarnShiftedRows:
        return "shifted-rows";
    case kPrepWarnBitDepth:
        return "bit-depth";
    case kPrepWarnIgnored:
        return "ignored";
    case kPrepWarnByteOrder:
        return "byte-order-mark";
    case kPrepWarnLongLine:
        return "long-line";
    case kPrepWarnSkipped:
        return "skipped-lines";
    case kPrepWarningCodes:
        break;
    }
    return "?";
}

namespace {

PrepWarning *FindWarning(PrepWarnings *warnings, PrepWarningCode code) {
    for (int32_t i = 0; i < warnings->count; i++) {
        if (warnings->list[i].code == code) return &warnings->list[i];
    }
    return nullptr;
}

}  // namespace

PrepWarning *NoteWarning(PrepWarnings *warnings, PrepWarningCode code, int64_t line, const char *format, ...) {
    if (warnings == nullptr) return nullptr;
    PrepWarning *w = FindWarning(warnings, code);
    if (w != nullptr) {
        w->count++;
        return w;
    }
    // One entry per code, so the list cannot overflow.
    w = &warnings->list[warnings->count++];
    w->code = code;
    w->line = line;
    w->count = 1;
    va_list args;
    va_start(args, format);
    vsnprintf(w->text, sizeof w->text, format, args);
    va_end(args);
    return w;
}

void NoteValue(PrepWarnings *warnings, double value, double lo, double hi, int64_t line) {
    if (!std::isfinite(value)) {
        NoteWarning(warnings, kPrepWarnNonfinite, line, "nonfinite");
    } else if (value < lo || value > hi) {
        NoteWarning(warnings, kPrepWarnRange, line, "range");
    }
}

void FinishWarnings(PrepWarnings *warnings, const char *scale) {
    if (warnings == nullptr) return;
    for (int32_t i = 0; i < warnings->count; i++) {
        PrepWarning *w = &warnings->list[i];
        long long n = static_cast<long long>(w->count);
        if (w->code == kPrepWarnRange) {
            snprintf(w->text, sizeof w->text, "%lld value%s outside %s (the first on this line)", n, n == 1 ? "" : "s",
                     scale);
        } else if (w->code == kPrepWarnNonfinite) {
            snprintf(w->text, sizeof w->text, "%lld NaN or infinite value%s (the first on this line)", n,
                     n == 1 ? "" : "s");
        } else if (w->code == kPrepWarnShiftedRows && w->count > 1) {
            size_t used = strlen(w->text);
            snprintf(w->text + used, sizeof w->text - used, " (%lld such lines, the first here)", n);
        }
    }
    // Insertion sort: stable, and the list holds one entry per code.
    for (int32_t i = 1; i < warnings->count; i++) {
        PrepWarning w = warnings->list[i];
        int32_t j = i;
        for (; j > 0 && warnings->list[j - 1].line > w.line; j--) warnings->list[j] = warnings->list[j - 1];
        warnings->list[j] = w;
    }
}

namespace {

constexpr int64_t kMaxRows = int64_t{kPrepMaxPoints} * kPrepMaxPoints * kPrepMaxPoints + kPrepMaxShaperPoints;

// The rows moved to a store of capacity rows (more than they are); false,
// the rows as they were, when there is no memory for it.
bool MoveRows(PrepRowBuffer *buffer, int64_t capacity) {
    void *grown = PlatformGrowLarge(buffer->rows, static_cast<size_t>(buffer->count) * sizeof buffer->rows[0],
                                    static_cast<size_t>(capacity) * sizeof buffer->rows[0]);
    if (grown == nullptr) return false;
    buffer->rows = static_cast<float(*)[3]>(grown);
    buffer->capacity = capacity;
    return true;
}

}  // namespace

void ReserveRows(PrepRowBuffer *buffer, int64_t rows) {
    if (rows <= buffer->capacity || rows > kMaxRows) return;
    MoveRows(buffer, rows);  // else AppendRow grows it as it goes
}

int AppendRow(PrepRowBuffer *buffer, const float row[3], int64_t line, PrepError *error) {
    if (buffer->count == buffer->capacity) {
        if (buffer->capacity >= kMaxRows) {
            PrepSetError(error, line, "more than %lld rows: larger than any LUT", static_cast<long long>(kMaxRows));
            return -1;
        }
        int64_t capacity = buffer->capacity == 0 ? 4096 : buffer->capacity * 2;
        if (capacity > kMaxRows) capacity = kMaxRows;
        if (!MoveRows(buffer, capacity)) {
            PrepSetError(error, line, "out of memory after %lld rows", static_cast<long long>(buffer->count));
            return -1;
        }
    }
    for (int c = 0; c < 3; c++) buffer->rows[buffer->count][c] = row[c];
    buffer->count++;
    return 0;
}

void FreeRows(PrepRowBuffer *buffer) {
    free(buffer->rows);
    *buffer = PrepRowBuffer{};
}

int32_t CubeRoot(int64_t count) {
    for (int32_t n = kPrepMinPoints; n <= kPrepMaxPoints; n++) {
        if (PrepNodeCount(n) == count) return n;
    }
    return 0;
}

namespace {

// The unit's length for a count: "numbers" less its s for one.
int UnitLength(const char *unit, int count) {
    int length = static_cast<int>(strlen(unit));
    return count == 1 && length > 0 && unit[length - 1] == 's' ? length - 1 : length;
}

}  // namespace

void NoteShiftedRow(PrepShiftedRows *shifted, PrepWarnings *warnings, int64_t line, int size) {
    if (shifted->firstLine == 0) {
        shifted->firstLine = line;
        shifted->firstSize = size;
    }
    NoteWarning(warnings, kPrepWarnShiftedRows, line,
                "a data line of %d %.*s where a row holds %d: the box reads every later row shifted", size,
                UnitLength(shifted->unit, size), shifted->unit, shifted->rowSize);
}

int RefuseShiftedRows(const PrepShiftedRows &shifted, PrepError *error) {
    if (shifted.firstLine == 0) return 0;
    PrepSetError(error, shifted.firstLine, "%d %.*s where a row holds %d", shifted.firstSize,
                 UnitLength(shifted.unit, shifted.firstSize), shifted.unit, shifted.rowSize);
    return -1;
}

void KeepNote(const PrepSource &source, const char *begin, const char *end) {
    if (source.notes == nullptr || source.notesSize == 0 || begin == end) return;
    size_t used = strnlen(source.notes, source.notesSize - 1);
    size_t n = static_cast<size_t>(end - begin);
    if (used + n + 2 > source.notesSize) return;
    memcpy(source.notes + used, begin, n);
    source.notes[used + n] = '\n';
    source.notes[used + n + 1] = '\0';
}

void KeepComment(const PrepSource &source, const PrepLine &line) {
    const char *p = line.begin < line.end && *line.begin == '#' ? line.begin + 1 : line.begin;
    if (p < line.end && IsBlank(*p)) p++;
    KeepNote(source, p, line.end);
}

void NoteHeaderLine(PrepWarnings *warnings, const PrepLine &line) {
    if (line.raw == nullptr || line.bytes <= kLut3dLineBytes) return;
    // The parts the box reads as lines of their own, and whether one of
    // them begins with a digit.
    int64_t digitAt = 0;
    for (int64_t at = kLut3dLineBytes; at < line.bytes && digitAt == 0; at += kLut3dLineBytes) {
        if (line.raw[at] >= '0' && line.raw[at] <= '9') digitAt = at + 1;
    }
    if (digitAt != 0) {
        NoteWarning(warnings, kPrepWarnLongLine, line.number,
                    "a line of %lld bytes: the box reads at most %d bytes as one line, and the part from byte %lld "
                    "begins with a digit, so it takes that part for a row; shorten the line",
                    static_cast<long long>(line.bytes), kLut3dLineBytes, static_cast<long long>(digitAt));
    } else {
        NoteWarning(warnings, kPrepWarnLongLine, line.number,
                    "a line of %lld bytes: the box reads at most %d bytes as one line and reads the rest as lines of "
                    "their own; shorten the line",
                    static_cast<long long>(line.bytes), kLut3dLineBytes);
    }
}

void NoteMarkBeforeRow(PrepWarnings *warnings, const PrepLine &line) {
    if (!line.bom || line.begin == line.end || *line.begin < '0' || *line.begin > '9') return;
    NoteWarning(warnings, kPrepWarnByteOrder, line.number,
                "a UTF-8 byte-order mark before the first line of numbers: the box takes that line for a header "
                "line, not data, and so reads every row wrongly; save the file without the mark");
}

void NoteRowSign(PrepRowSign *sign, const PrepLine &line) {
    if (sign->line != 0 || line.begin == line.end || *line.begin != '-') return;
    sign->line = line.number;
    QuoteField(line.begin, line.end, 0, sign->field);
}

void FinishRowSign(const PrepRowSign &sign, PrepWarnings *warnings) {
    if (warnings == nullptr || sign.line == 0) return;
    for (int32_t i = 0; i < warnings->count; i++) {
        PrepWarning *w = &warnings->list[i];
        if (w->code != kPrepWarnRange) continue;
        char where[48] = "this line";
        if (w->line != sign.line) snprintf(where, sizeof where, "line %lld", static_cast<long long>(sign.line));
        size_t used = strlen(w->text);
        snprintf(w->text + used, sizeof w->text - used,
                 "; %s begins with %s, a minus sign: the box takes only lines that begin with a digit as rows, so "
                 "its rows end there",
                 where, sign.field);
    }
}

void FillIdentityLattice(PrepLut *lut) {
    for (int32_t b = 0, row = 0; b < 2; b++) {
        for (int32_t g = 0; g < 2; g++) {
            for (int32_t r = 0; r < 2; r++, row++) {
                lut->values[3 * row] = static_cast<float>(r);
                lut->values[3 * row + 1] = static_cast<float>(g);
                lut->values[3 * row + 2] = static_cast<float>(b);
            }
        }
    }
}
