// Read3dLutFile: the family by the path, the cube size by the count of data
// lines, then the rows by the family's scan (lut3d_csv.cpp, lut3d_cube.cpp,
// lut3d_3dl.cpp; the line rules are in lut_lines.cpp, the fields in
// lut_number_fields.cpp).
#include "lut/lut3d_reader.h"

#include <cstring>

#include "lut/lut3d_families.h"
#include "lut/lut_lines.h"
#include "platform/platform.h"

namespace {

// Tested in this order on the whole path; the first extension found
// decides, wherever it stands ("lut.cube.csv" is CSV). Other letter cases
// are unknown.
const Lut3dFamily *const kFamilies[] = {&kLut3dCsvFamily, &kLut3dCubeFamily, &kLut3d3dlFamily};

// The rows of the file being read. They reach the caller's table only when
// every row was scanned, so a refused file leaves its rows as they were.
// One block, taken at the first read, which the platform may back with huge
// pages: faulting a static table in page by page is much of a read's time.
struct ScratchRows {
    float floatRows[kLut3dMaxRows][3];
    int16_t intRows[kLut3dMaxRows][3];
};

ScratchRows *Scratch() {
    static ScratchRows *rows = static_cast<ScratchRows *>(PlatformAllocLarge(sizeof(ScratchRows)));
    return rows;
}

// One input for every pass: it is static since its block is large.
LutInput Input;

int32_t Refuse(Lut3dReport *report, Lut3dReason reason, int32_t result) {
    report->reason = reason;
    return result;
}

// A row that cannot be scanned: the 1-based row, and where the scan of
// the file stopped, at stop bytes into it.
int32_t RefuseBadRow(Lut3dReport *report, const char *filePath, int64_t stop, int scanned) {
    report->row = scanned + 1;
    // Where the scan failed is worked out only for a refused file, by
    // reading up to it again; the scan itself counts no lines.
    if (!LocateLutOffset(&Input, filePath, stop, &report->line, &report->column)) {
        report->line = 0;
        report->column = 0;
    }
    return Refuse(report, kLut3dBadRow, -1);
}

// The size whose row count is dataRows; nullptr when none is.
const Lut3dSize *SizeOfRows(int64_t dataRows) {
    for (const Lut3dSize &size : kLut3dSizes) {
        if (dataRows == size.rows) return &size;
    }
    return nullptr;
}

}  // namespace

const Lut3dFamily *Lut3dFamilyAt(int index) {
    constexpr int kCount = static_cast<int>(sizeof kFamilies / sizeof kFamilies[0]);
    return index >= 0 && index < kCount ? kFamilies[index] : nullptr;
}

const Lut3dFamily *Lut3dFamilyOfPath(const char *path) {
    for (const Lut3dFamily *family : kFamilies) {
        for (const char *extension : family->extensions) {
            if (strstr(path, extension) != nullptr) return family;
        }
    }
    return nullptr;
}

namespace {

// Read3dLutFile, with its rows scanned into scratch storage (kept) or
// straight into the table.
int32_t ReadFile(const char *filePath, Lut3dTable &table, Lut3dReport *report, bool kept) {
    Lut3dReport ignored;
    if (report == nullptr) report = &ignored;
    *report = {kLut3dRead, 0, 0, -1, 0};

    if (!OpenLutInput(&Input, filePath)) return Refuse(report, kLut3dCannotOpen, -1);
    table.fileType = kLut3dFileTypeCsvOr3dl;

    const Lut3dFamily *family = Lut3dFamilyOfPath(filePath);
    if (family == nullptr) {
        CloseLutInput(&Input);
        return Refuse(report, kLut3dUnknownFamily, 0);
    }

    LutLineCount count = CountLutLines(&Input);
    bool readFailed = Input.failed;
    CloseLutInput(&Input);
    if (readFailed) return Refuse(report, kLut3dCannotOpen, -1);
    if (!count.anyLine || count.dataLines == 0) {
        report->rows = 0;
        return Refuse(report, kLut3dNoDataLine, -1);
    }

    // The mesh line of a 3dl file is a data line, but no row. A 16-point
    // file (4096 rows) names no size: no download takes 4096 rows, and
    // sending it as a 17-point table would pass the box rows the file never
    // held.
    int64_t dataRows = count.dataLines - family->meshLines;
    report->rows = dataRows;
    const Lut3dSize *accepted = SizeOfRows(dataRows);
    if (accepted == nullptr) {
        if (count.runEnded) {
            report->line = count.endLine;
            report->column = count.endColumn;
        }
        return Refuse(report, kLut3dBadCount, -1);
    }

    ScratchRows *scratch = kept ? Scratch() : nullptr;
    if ((kept && scratch == nullptr) || !OpenLutInput(&Input, filePath)) return Refuse(report, kLut3dCannotOpen, -1);
    SkipLutLines(&Input, count.headerLines + family->meshLines);
    int rows = accepted->rows;
    const Lut3dRows into =
        kept ? Lut3dRows{scratch->floatRows, scratch->intRows} : Lut3dRows{table.floatRows, table.intRows};
    int scanned = family->scanRows(&Input, into, rows);
    int64_t stop = LutInputOffset(&Input);
    readFailed = Input.failed;
    CloseLutInput(&Input);
    if (scanned != rows) {
        if (readFailed) return Refuse(report, kLut3dCannotOpen, -1);
        return RefuseBadRow(report, filePath, stop, scanned);
    }

    table.fileType = family->fileType;
    if (family->intTable) {
        if (kept) memcpy(table.intRows, scratch->intRows, static_cast<size_t>(rows) * sizeof scratch->intRows[0]);
        return accepted->intLayout;
    }
    if (kept) memcpy(table.floatRows, scratch->floatRows, static_cast<size_t>(rows) * sizeof scratch->floatRows[0]);
    return accepted->floatLayout;
}

}  // namespace

int32_t Read3dLutFile(const char *filePath, Lut3dTable &table, Lut3dReport *report) {
    return ReadFile(filePath, table, report, true);
}

int32_t Read3dLutFileInPlace(const char *filePath, Lut3dTable &table, Lut3dReport *report) {
    return ReadFile(filePath, table, report, false);
}
