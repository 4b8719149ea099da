// Read3dLutFile on whole files, with what its report says checked against
// the file, and its result and tables against the reference reader (the
// reader as it was, on stdio).
//
// Input: a byte, then the file's bytes. The byte's value modulo 4 picks the
// extension (".csv", ".cube", ".3dl", or ".txt", which names no family), bit
// 0x10 its upper-case form. Bit 0x80 grows the file to the smallest cube:
// the lines from the first data line on (each cut to kGrownLineBytes) are
// repeated until the run holds that size's rows (and the 3dl mesh line),
// less one, exactly, or one or two more, by bits 0x60; so random rows reach
// the row scan, which a file needs thousands of lines for.
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "lut/lut3d_reader.h"
#include "lut/lut_lines.h"
#include "tests/unit/reference_lut3d_reader.h"

namespace {

// The table the reader fills here: static, as it is large.
Lut3dTable Table3d;

const char *const kExtensions[][2] = {{".csv", ".CSV"}, {".cube", ".CUBE"}, {".3dl", ".3DL"}, {".txt", ".TXT"}};

// The tables a read may change, as the reader left them, and poisoned.
struct Tables {
    float floats[kLut3dMaxRows][3];
    int16_t ints[kLut3dMaxRows][3];
};
Tables Mine, Poisoned;

void MakePoison() {
    for (int r = 0; r < kLut3dMaxRows; r++) {
        for (int v = 0; v < 3; v++) {
            Poisoned.floats[r][v] = -7.25f - static_cast<float>(r % 5);
            Poisoned.ints[r][v] = static_cast<int16_t>(0x2345 + r % 7);
        }
    }
}

void Poison() {
    memcpy(Table3d.floatRows, Poisoned.floats, sizeof Poisoned.floats);
    memcpy(Table3d.intRows, Poisoned.ints, sizeof Poisoned.ints);
    Table3d.fileType = kLut3dFileTypeCube;
}

void Snapshot(Tables *t) {
    memcpy(t->floats, Table3d.floatRows, sizeof t->floats);
    memcpy(t->ints, Table3d.intRows, sizeof t->ints);
}

bool TablesAre(const Tables &t) {
    return memcmp(t.floats, Table3d.floatRows, sizeof t.floats) == 0 &&
           memcmp(t.ints, Table3d.intRows, sizeof t.ints) == 0;
}

// A repeated line is cut to this length (and a line feed), so that a long
// one does not grow the file beyond what a LUT file holds.
constexpr size_t kGrownLineBytes = 48;

// The header lines, then the lines from the first data line on, repeated
// until runLines lines of them were written.
std::string Grow(const std::string &text, int64_t runLines) {
    std::vector<std::string> lines;
    for (size_t at = 0; at < text.size();) {
        size_t lf = text.find('\n', at);
        size_t next = lf == std::string::npos ? text.size() : lf + 1;
        lines.push_back(text.substr(at, next - at));
        at = next;
    }
    size_t first = 0;
    while (first < lines.size() && !IsLutDataLine(static_cast<unsigned char>(lines[first][0]))) first++;
    if (first == lines.size()) return text;
    std::string grown;
    for (size_t i = 0; i < first; i++) grown += lines[i];
    for (int64_t n = 0; n < runLines; n++) {
        const std::string &line = lines[first + static_cast<size_t>(n) % (lines.size() - first)];
        grown.append(line, 0, kGrownLineBytes);
        if (grown.back() != '\n') grown += '\n';
    }
    return grown;
}

// The byte offset of a 1-based line (by LF) and byte column; false when the
// position lies beyond its line's end or the file's.
bool OffsetOf(const std::string &bytes, int64_t line, int64_t column, size_t *offset) {
    if (line < 1 || column < 1) return false;
    size_t start = 0;
    for (int64_t l = 1; l < line; l++) {
        size_t lf = bytes.find('\n', start);
        if (lf == std::string::npos) return false;
        start = lf + 1;
    }
    size_t lf = bytes.find('\n', start);
    size_t lineEnd = lf == std::string::npos ? bytes.size() : lf;
    if (static_cast<size_t>(column - 1) > lineEnd - start) return false;
    *offset = start + static_cast<size_t>(column - 1);
    return true;
}

const Lut3dSize *SizeOfRows(int64_t rows) {
    for (const Lut3dSize &size : kLut3dSizes) {
        if (size.rows == rows) return &size;
    }
    return nullptr;
}

void CheckReport(const std::string &bytes, const Lut3dFamily *family, int32_t result, const Lut3dReport &report) {
    FUZZ_CHECK(result >= -1 && result <= 6);
    FUZZ_CHECK((result >= 1) == (report.reason == kLut3dRead));
    FUZZ_CHECK((result == 0) == (report.reason == kLut3dUnknownFamily));
    FUZZ_CHECK((family == nullptr) == (result == 0));
    // The file was just written: it opens, and reads, every time.
    FUZZ_CHECK(report.reason != kLut3dCannotOpen);
    FUZZ_CHECK((report.line == 0) == (report.column == 0));
    FUZZ_CHECK((report.row != 0) == (report.reason == kLut3dBadRow));

    size_t offset = 0;
    const Lut3dSize *size = SizeOfRows(report.rows);
    switch (report.reason) {
    case kLut3dRead:
        FUZZ_CHECK(size != nullptr);
        FUZZ_CHECK(result == (family->intTable ? size->intLayout : size->floatLayout));
        FUZZ_CHECK(report.line == 0);
        break;
    case kLut3dUnknownFamily:
        FUZZ_CHECK(report.rows == -1);
        FUZZ_CHECK(report.line == 0);
        break;
    case kLut3dNoDataLine:
        FUZZ_CHECK(report.rows == 0);
        FUZZ_CHECK(report.line == 0);
        break;
    case kLut3dBadCount:
        FUZZ_CHECK(report.rows >= 0 && size == nullptr);
        // Where the run ended: the start of a read that is no data line.
        if (report.line != 0) {
            FUZZ_CHECK(OffsetOf(bytes, report.line, report.column, &offset));
            FUZZ_CHECK(offset < bytes.size() && !IsLutDataLine(static_cast<unsigned char>(bytes[offset])));
        }
        break;
    case kLut3dBadRow:
        FUZZ_CHECK(size != nullptr);
        FUZZ_CHECK(report.row >= 1 && report.row <= report.rows);
        FUZZ_CHECK(report.line != 0 && OffsetOf(bytes, report.line, report.column, &offset));
        break;
    case kLut3dCannotOpen:
        break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0) return 0;
    uint8_t mode = data[0];
    const char *extension = kExtensions[mode % std::size(kExtensions)][(mode & 0x10) != 0 ? 1 : 0];
    const Lut3dFamily *family = Lut3dFamilyOfPath(extension);
    std::string bytes(reinterpret_cast<const char *>(data + 1), size - 1);
    if ((mode & 0x80) != 0) {
        int64_t meshLines = family != nullptr ? family->meshLines : 0;
        bytes = Grow(bytes, kLut3dSizes[0].rows + meshLines + ((mode >> 5) & 3) - 1);
    }
    std::string path =
        FuzzWriteFile(std::string("lut") + extension, reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());

    static const bool poisonMade = (MakePoison(), true);
    (void)poisonMade;

    Poison();
    Lut3dReport report;
    int32_t result = Read3dLutFile(path.c_str(), Table3d, &report);
    int32_t kind = Table3d.fileType;
    CheckReport(bytes, family, result, report);
    if (result > 0) {
        FUZZ_CHECK(kind == family->fileType);
    } else {
        FUZZ_CHECK(kind == 1);
        FUZZ_CHECK(TablesAre(Poisoned));
    }
    Snapshot(&Mine);

    Poison();
    int32_t referenceResult = reference::Read3dLutFile(path.c_str(), Table3d);
    FUZZ_CHECK(result == referenceResult);
    FUZZ_CHECK(kind == Table3d.fileType);
    FUZZ_CHECK(TablesAre(Mine));
    return 0;
}
