// The 3D LUT file reader: CSV, cube and 3dl text into a caller's table,
// and the reason when a file is refused.
#pragma once

#include <cstdint>

#include "lut/lut_tables.h"

struct LutInput;

// The most bytes the reader reads as one line: a longer line is read as
// several, each part a line of its own (a data line when it begins with a
// digit).
constexpr int kLut3dLineBytes = 255;

enum Lut3dReason : int32_t {
    kLut3dRead = 0,       // accepted: the table holds the file's rows
    kLut3dCannotOpen,     // the file cannot be opened or read
    kLut3dUnknownFamily,  // the path names no family; result 0
    kLut3dNoDataLine,     // no data line (an empty file included)
    kLut3dBadCount,       // the run of data lines names no box size
    kLut3dBadRow,         // a row cannot be scanned completely
};

struct Lut3dReport {
    Lut3dReason reason;
    int64_t line;    // 1-based physical line (counted by line feeds) where the problem stands; 0: none
    int64_t column;  // 1-based byte column in that line; 0: none
    int64_t rows;    // data rows found: the run of data lines less the 3dl mesh line; -1 before the count
    int64_t row;     // kLut3dBadRow: the 1-based row that could not be scanned; 0 otherwise
};

// Where a family's row scan puts its rows: the float rows (CSV, cube) or
// the integer rows (3dl); a scan writes only those of its own table.
struct Lut3dRows {
    float (*floatRows)[3];
    int16_t (*intRows)[3];
};

// One family of 3D LUT files, defined by its own file (lut3d_csv.cpp,
// lut3d_cube.cpp, lut3d_3dl.cpp).
struct Lut3dFamily {
    const char *name;
    const char *extensions[2];
    int meshLines;           // leading data lines that hold no row
    bool intTable;           // rows into the integer rows, else the float rows
    Lut3dFileType fileType;  // the table's file type once its rows are taken in
    // Scans up to rowCount rows from the input into rows and returns how
    // many were scanned completely; it stops at the first row that is not,
    // with the input on the character where that row's scan failed.
    int (*scanRows)(LutInput *input, Lut3dRows rows, int rowCount);
};

// The families in the order the box tests a path for them; nullptr past
// the last, so that a caller can list them (their extensions, say).
const Lut3dFamily *Lut3dFamilyAt(int index);

// Family of a path by the box's rule (first of ".csv", ".CSV", ".cube", ".CUBE", ".3dl", ".3DL" found anywhere);
// nullptr: none.
const Lut3dFamily *Lut3dFamilyOfPath(const char *path);

// Reads the 3D LUT file at filePath (used as given, not trimmed) into the
// float rows (CSV, cube) or the integer rows (3dl) of table and returns its
// LutLayout code:
//   1..6  the table holds all the file's rows
//   0     the file opened, but the path names no known family
//   -1    the file cannot be opened or read, holds no data line, holds a
//         count of data lines that names no downloadable cube (16 points
//         included), or one of its rows cannot be scanned completely
// Only a result from 1 to 6 changes the rows: they are scanned into scratch
// storage and copied in once every one of them was read, so the box is
// never sent a mixture of two files. The file type becomes
// kLut3dFileTypeCsvOr3dl once the file opened, and the family's file type
// when its rows were taken in. report, when given, says why (and where) a
// file was refused. Prints nothing.
int32_t Read3dLutFile(const char *filePath, Lut3dTable &table, Lut3dReport *report = nullptr);

// Read3dLutFile without the scratch storage: the rows are scanned straight
// into table, so that a refused file may leave some of its rows there. For
// a table that holds nothing to keep, such as the read-back of a file just
// written: it saves the scratch storage's memory and a copy of the rows.
int32_t Read3dLutFileInPlace(const char *filePath, Lut3dTable &table, Lut3dReport *report = nullptr);
