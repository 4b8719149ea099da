// Read3dLutFile: the family by the path, the cube size by the count of data
// lines, then the rows by the family's scan (lut3d_csv.cpp, lut3d_cube.cpp,
// lut3d_3dl.cpp; the line rules are in lut3d_lines.cpp).
#include "lut/lut3d_reader.h"

#include <cstring>

#include "lut/lut_tables.h"

namespace {

enum LutFamily { kFamilyNone, kFamilyCsv, kFamilyCube, kFamily3dl };

// Tested in this order on the whole path; the first string found decides,
// wherever it stands ("lut.cube.csv" is CSV). Other letter cases are unknown.
LutFamily FamilyOfPath(const char *path) {
    if (strstr(path, ".csv") != nullptr || strstr(path, ".CSV") != nullptr) return kFamilyCsv;
    if (strstr(path, ".cube") != nullptr || strstr(path, ".CUBE") != nullptr) return kFamilyCube;
    if (strstr(path, ".3dl") != nullptr || strstr(path, ".3DL") != nullptr) return kFamily3dl;
    return kFamilyNone;
}

// The rows of the file being read. They reach the tables only when every
// row was scanned, so a refused file leaves the tables as they were.
float ScratchFloatRows[kLut3dMaxRows][3];
int16_t ScratchIntRows[kLut3dMaxRows][3];

}  // namespace

int Read3dLutFile(const char *filePath) {
    FILE *file = fopen(filePath, "rb");
    if (file == nullptr) return -1;
    LutSourceKind = 1;

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

    // The mesh line of a 3dl file is a data line, but no row. A 16-point
    // file (4096 rows) names no size: no download takes 4096 rows, and
    // sending it as a 17-point table would pass the box rows the file never
    // held.
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
        memcpy(Lut3dIntTable, ScratchIntRows, static_cast<size_t>(rows) * sizeof ScratchIntRows[0]);
        return accepted->intLayout;
    }
    memcpy(Lut3dFloatTable, ScratchFloatRows, static_cast<size_t>(rows) * sizeof ScratchFloatRows[0]);
    if (family == kFamilyCube) LutSourceKind = 2;
    return accepted->floatLayout;
}
