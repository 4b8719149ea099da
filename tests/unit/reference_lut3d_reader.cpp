// The 3D and 1D LUT readers as they were before the block input: fgets
// lines, getc fields, fscanf for the CSV indices, strtof for the value. The
// differential tests hold the readers in lut/ against them byte for byte.
#include "reference_lut3d_reader.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "lut/lut1d_reader.h"
#include "lut/lut_tables.h"

namespace reference {

// lut_lines.cpp
bool ReadLutLine(FILE *file, char (&line)[kLutLineBytes + 1]) {
    return fgets(line, kLutLineBytes + 1, file) != nullptr;
}

bool IsLutDataLine(const char (&line)[kLutLineBytes + 1]) { return line[0] >= '0' && line[0] <= '9'; }

bool CountLutLines(FILE *file, int64_t *headerLines, int64_t *dataLines) {
    char line[kLutLineBytes + 1];
    *headerLines = 0;
    *dataLines = 0;
    if (!ReadLutLine(file, line)) return false;
    do {
        if (IsLutDataLine(line)) {
            ++*dataLines;
        } else if (*dataLines == 0) {
            ++*headerLines;
        } else {
            break;
        }
    } while (ReadLutLine(file, line));
    return true;
}

void SkipLutLines(FILE *file, int64_t count) {
    char line[kLutLineBytes + 1];
    for (int64_t i = 0; i < count; i++) {
        if (!ReadLutLine(file, line)) return;
    }
}

bool ScanWrappedDecimal(FILE *file, uint32_t *bits) {
    int c = getc(file);
    while (c == ' ' || (c >= '\t' && c <= '\r')) c = getc(file);
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        c = getc(file);
    }
    if (c < '0' || c > '9') {
        if (c != EOF) ungetc(c, file);
        return false;
    }
    uint32_t magnitude = 0;
    while (c >= '0' && c <= '9') {
        magnitude = magnitude * 10u + static_cast<uint32_t>(c - '0');
        c = getc(file);
    }
    if (c != EOF) ungetc(c, file);
    *bits = negative ? 0u - magnitude : magnitude;
    return true;
}

// lut3d_scan.cpp
namespace {

constexpr int kKeptDigits = 160;
constexpr int64_t kPowerLimit = 1000000;
constexpr int kNanCharsKept = 64;

bool IsSpace(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool IsDecimalDigit(int c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(int c) { return IsDecimalDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool IsNanChar(int c) { return IsDecimalDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
char Lower(int c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); }

struct Mantissa {
    char digits[kKeptDigits + 2];
    int count;
    bool significant;
    bool dropped;
    int64_t power;
};

void AddDigit(Mantissa *m, int c, bool afterPoint) {
    if (!m->significant && c == '0') {
        if (afterPoint) m->power--;
        return;
    }
    m->significant = true;
    if (m->count < kKeptDigits) {
        m->digits[m->count++] = static_cast<char>(c);
        if (afterPoint) m->power--;
    } else {
        if (c != '0') m->dropped = true;
        if (!afterPoint) m->power++;
    }
}

void AddExponentDigit(int64_t *exponent, int c) {
    if (*exponent < kPowerLimit) *exponent = *exponent * 10 + (c - '0');
}

int64_t Clamp(int64_t v) { return v > kPowerLimit ? kPowerLimit : v < -kPowerLimit ? -kPowerLimit : v; }

void AppendInt(char *text, int *at, int64_t v) {
    if (v < 0) {
        text[(*at)++] = '-';
        v = -v;
    }
    char reversed[24];
    int n = 0;
    do {
        reversed[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    while (n > 0) text[(*at)++] = reversed[--n];
}

enum State {
    kStart,
    kSigned,
    kZero,
    kDecInt,
    kDecPoint,
    kDecFrac,
    kExpMark,
    kExpSign,
    kExpDigits,
    kHexMark,
    kHexInt,
    kHexPoint,
    kHexFrac,
    kBinMark,
    kBinSign,
    kBinDigits,
    kInfinity,
    kNan,
    kNanChars,
    kDone,
};

bool IsMatching(State s, int literalLength) {
    switch (s) {
    case kZero:
    case kDecInt:
    case kDecFrac:
    case kExpDigits:
    case kHexInt:
    case kHexFrac:
    case kBinDigits:
    case kDone:
        return true;
    case kInfinity:
        return literalLength == 3;
    case kNan:
        return literalLength == 3;
    default:
        return false;
    }
}

}  // namespace

bool ScanLutFloat(FILE *file, float *value) {
    int c = getc(file);
    while (IsSpace(c)) c = getc(file);

    Mantissa m = {};
    bool negative = false;
    bool hex = false;
    bool infinity = false;
    bool nan = false;
    int64_t exponent = 0;
    bool exponentNegative = false;
    int literalLength = 0;
    char nanChars[kNanCharsKept + 1];
    int nanCount = 0;
    bool nanTooLong = false;
    static const char kInfinityText[] = "infinity";

    State s = kStart;
    while (c != EOF) {
        State next = kDone;
        bool taken = true;
        switch (s) {
        case kStart:
            if (c == '+' || c == '-') {
                negative = c == '-';
                next = kSigned;
                break;
            }
            [[fallthrough]];
        case kSigned:
            if (c == '0') {
                next = kZero;
            } else if (IsDecimalDigit(c)) {
                AddDigit(&m, c, false);
                next = kDecInt;
            } else if (c == '.') {
                next = kDecPoint;
            } else if (Lower(c) == 'i') {
                infinity = true;
                literalLength = 1;
                next = kInfinity;
            } else if (Lower(c) == 'n') {
                nan = true;
                literalLength = 1;
                next = kNan;
            } else {
                taken = false;
            }
            break;
        case kZero:
            if (Lower(c) == 'x') {
                hex = true;
                next = kHexMark;
                break;
            }
            [[fallthrough]];
        case kDecInt:
            if (IsDecimalDigit(c)) {
                AddDigit(&m, c, false);
                next = kDecInt;
            } else if (c == '.') {
                next = kDecFrac;
            } else if (Lower(c) == 'e') {
                next = kExpMark;
            } else {
                taken = false;
            }
            break;
        case kDecPoint:
        case kDecFrac:
            if (IsDecimalDigit(c)) {
                AddDigit(&m, c, true);
                next = kDecFrac;
            } else if (s == kDecFrac && Lower(c) == 'e') {
                next = kExpMark;
            } else {
                taken = false;
            }
            break;
        case kExpMark:
        case kBinMark:
            if (c == '+' || c == '-') {
                exponentNegative = c == '-';
                next = s == kExpMark ? kExpSign : kBinSign;
                break;
            }
            [[fallthrough]];
        case kExpSign:
        case kExpDigits:
        case kBinSign:
        case kBinDigits:
            if (IsDecimalDigit(c)) {
                AddExponentDigit(&exponent, c);
                next = s == kExpMark || s == kExpSign || s == kExpDigits ? kExpDigits : kBinDigits;
            } else {
                taken = false;
            }
            break;
        case kHexMark:
        case kHexInt:
            if (IsHexDigit(c)) {
                AddDigit(&m, c, false);
                next = kHexInt;
            } else if (c == '.') {
                next = s == kHexMark ? kHexPoint : kHexFrac;
            } else if (s == kHexInt && Lower(c) == 'p') {
                next = kBinMark;
            } else {
                taken = false;
            }
            break;
        case kHexPoint:
        case kHexFrac:
            if (IsHexDigit(c)) {
                AddDigit(&m, c, true);
                next = kHexFrac;
            } else if (s == kHexFrac && Lower(c) == 'p') {
                next = kBinMark;
            } else {
                taken = false;
            }
            break;
        case kInfinity:
            if (Lower(c) == kInfinityText[literalLength]) {
                literalLength++;
                next = literalLength == 8 ? kDone : kInfinity;
            } else {
                taken = false;
            }
            break;
        case kNan:
            if (literalLength < 3 && Lower(c) == "nan"[literalLength]) {
                literalLength++;
                next = kNan;
            } else if (literalLength == 3 && c == '(') {
                next = kNanChars;
            } else {
                taken = false;
            }
            break;
        case kNanChars:
            if (c == ')') {
                next = kDone;
            } else if (IsNanChar(c)) {
                if (nanCount < kNanCharsKept) {
                    nanChars[nanCount++] = static_cast<char>(c);
                } else {
                    nanTooLong = true;
                }
                next = kNanChars;
            } else {
                taken = false;
            }
            break;
        case kDone:
            taken = false;
            break;
        }
        if (!taken) {
            ungetc(c, file);
            break;
        }
        s = next;
        if (s == kDone) break;
        c = getc(file);
    }
    if (!IsMatching(s, literalLength)) return false;

    char text[8 + kKeptDigits + 2 + 24 + kNanCharsKept];
    int at = 0;
    if (negative) text[at++] = '-';
    if (infinity) {
        text[at++] = 'i';
        text[at++] = 'n';
        text[at++] = 'f';
    } else if (nan) {
        text[at++] = 'n';
        text[at++] = 'a';
        text[at++] = 'n';
        if (s == kDone && !nanTooLong) {
            text[at++] = '(';
            for (int i = 0; i < nanCount; i++) text[at++] = nanChars[i];
            text[at++] = ')';
        }
    } else if (!m.significant) {
        text[at++] = '0';
    } else {
        if (hex) {
            text[at++] = '0';
            text[at++] = 'x';
        }
        for (int i = 0; i < m.count; i++) text[at++] = m.digits[i];
        int64_t power = m.power;
        if (m.dropped) {
            text[at++] = '1';
            power--;
        }
        int64_t signedExponent = exponentNegative ? -exponent : exponent;
        text[at++] = hex ? 'p' : 'e';
        AppendInt(text, &at, Clamp(hex ? power * 4 + signedExponent : power + signedExponent));
    }
    text[at] = '\0';
    *value = strtof(text, nullptr);
    return true;
}

// lut3d_csv.cpp
namespace {

bool ScanComma(FILE *file) {
    int c = getc(file);
    if (c == ',') return true;
    if (c != EOF) ungetc(c, file);
    return false;
}

}  // namespace

int ScanCsvRows(FILE *file, float (*rows)[3], int rowCount) {
    for (int i = 0; i < rowCount; i++) {
        int matched = -1;
        if (fscanf(file, "%*d,%*d,%*d,%n", &matched) == EOF || matched < 0) return i;
        if (!ScanLutFloat(file, &rows[i][0]) || !ScanComma(file)) return i;
        if (!ScanLutFloat(file, &rows[i][1]) || !ScanComma(file)) return i;
        if (!ScanLutFloat(file, &rows[i][2])) return i;
    }
    return rowCount;
}

// lut3d_cube.cpp
int ScanCubeRows(FILE *file, float (*rows)[3], int rowCount) {
    for (int i = 0; i < rowCount; i++) {
        for (int v = 0; v < 3; v++) {
            if (!ScanLutFloat(file, &rows[i][v])) return i;
        }
    }
    return rowCount;
}

// lut3d_3dl.cpp
int Scan3dlRows(FILE *file, int16_t (*rows)[3], int rowCount) {
    for (int i = 0; i < rowCount; i++) {
        for (int v = 0; v < 3; v++) {
            uint32_t bits;
            if (!ScanWrappedDecimal(file, &bits)) return i;
            rows[i][v] = static_cast<int16_t>(static_cast<uint16_t>(bits & 0xFFFFu));
        }
    }
    return rowCount;
}

// lut3d_reader.cpp
namespace {

enum LutFamily { kFamilyNone, kFamilyCsv, kFamilyCube, kFamily3dl };

LutFamily FamilyOfPath(const char *path) {
    if (strstr(path, ".csv") != nullptr || strstr(path, ".CSV") != nullptr) return kFamilyCsv;
    if (strstr(path, ".cube") != nullptr || strstr(path, ".CUBE") != nullptr) return kFamilyCube;
    if (strstr(path, ".3dl") != nullptr || strstr(path, ".3DL") != nullptr) return kFamily3dl;
    return kFamilyNone;
}

float ScratchFloatRows[kLut3dMaxRows][3];
int16_t ScratchIntRows[kLut3dMaxRows][3];

}  // namespace

int Read3dLutFile(const char *filePath, Lut3dTable &table) {
    FILE *file = fopen(filePath, "rb");
    if (file == nullptr) return -1;
    table.fileType = kLut3dFileTypeCsvOr3dl;

    LutFamily family = FamilyOfPath(filePath);
    if (family == kFamilyNone) {
        fclose(file);
        return 0;
    }

    int64_t headerLines = 0;
    int64_t dataLines = 0;
    bool anyLine = CountLutLines(file, &headerLines, &dataLines);
    fclose(file);
    if (!anyLine || dataLines == 0) return -1;

    int64_t meshLines = family == kFamily3dl ? 1 : 0;
    const Lut3dSize *accepted = nullptr;
    for (const Lut3dSize &size : kLut3dSizes) {
        if (dataLines - meshLines == size.rows) accepted = &size;
    }
    if (accepted == nullptr) return -1;

    file = fopen(filePath, "rb");
    if (file == nullptr) return -1;
    SkipLutLines(file, headerLines + meshLines);
    int rows = accepted->rows;
    int scanned = 0;
    switch (family) {
    case kFamilyCsv:
        scanned = ScanCsvRows(file, ScratchFloatRows, rows);
        break;
    case kFamilyCube:
        scanned = ScanCubeRows(file, ScratchFloatRows, rows);
        break;
    case kFamily3dl:
        scanned = Scan3dlRows(file, ScratchIntRows, rows);
        break;
    case kFamilyNone:
        break;
    }
    fclose(file);
    if (scanned != rows) return -1;

    if (family == kFamily3dl) {
        memcpy(table.intRows, ScratchIntRows, static_cast<size_t>(rows) * sizeof ScratchIntRows[0]);
        return accepted->intLayout;
    }
    memcpy(table.floatRows, ScratchFloatRows, static_cast<size_t>(rows) * sizeof ScratchFloatRows[0]);
    if (family == kFamilyCube) table.fileType = kLut3dFileTypeCube;
    return accepted->floatLayout;
}

// lut1d_reader.cpp
namespace {

bool ScanDecimal(FILE *file, int32_t *value) {
    uint32_t bits;
    if (!ScanWrappedDecimal(file, &bits)) return false;
    *value = bits <= 0x7FFFFFFFu ? static_cast<int32_t>(bits) : -static_cast<int32_t>(~bits) - 1;
    return true;
}

void ReadHexValues(FILE *file, int32_t (&table)[kLut1dEntries]) {
    for (int i = 0; i < kLut1dHexValues; ++i) {
        if (!ScanDecimal(file, &table[i])) return;
    }
}

void ReadLutValues(FILE *file, int32_t (&table)[kLut1dEntries]) {
    int32_t previous = 0;
    int next = 0;
    for (int scan = 0; scan < kLut1dEntries; ++scan) {
        int32_t value;
        if (!ScanDecimal(file, &value)) return;
        if (value != previous) {
            table[next++] = value;
            previous = value;
        }
    }
}

}  // namespace

int32_t Read1dLutFile(const char *filePath, int32_t (&table)[kLut1dEntries]) {
    FILE *file = fopen(filePath, "rb");
    if (file == nullptr) return kLut1dOpenFailed;

    if (strstr(filePath, ".hex") != nullptr || strstr(filePath, ".Hex") != nullptr) {
        ReadHexValues(file, table);
        bool readFailed = ferror(file) != 0;
        fclose(file);
        return readFailed ? kLut1dOpenFailed : kLut1dHexRead;
    }
    if (strstr(filePath, ".lut") != nullptr || strstr(filePath, ".LUT") != nullptr) {
        int64_t headerLines = 0;
        int64_t dataLines = 0;
        CountLutLines(file, &headerLines, &dataLines);
        bool readFailed = ferror(file) != 0;
        fclose(file);
        if (readFailed) return kLut1dOpenFailed;
        file = fopen(filePath, "rb");
        if (file == nullptr) return kLut1dOpenFailed;
        SkipLutLines(file, headerLines);
        ReadLutValues(file, table);
        readFailed = ferror(file) != 0;
        fclose(file);
        return readFailed ? kLut1dOpenFailed : kLut1dLutRead;
    }
    fclose(file);
    return kLut1dUnknownKind;
}

}  // namespace reference
