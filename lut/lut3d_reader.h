// The 3D LUT file reader: CSV, cube and 3dl text into the LUT tables.
#pragma once

#include <cstdint>
#include <cstdio>

#include "lut/lut_lines.h"

// Reads the 3D LUT file at filePath (used as given, not trimmed) into
// Lut3dFloatTable (CSV, cube) or Lut3dIntTable (3dl) and returns its
// LutLayout code. The family is the first of ".csv", ".CSV", ".cube",
// ".CUBE", ".3dl", ".3DL" found anywhere in the path.
//   1..6  the table holds all the file's rows
//   0     the file opened, but the path names no known family
//   -1    the file cannot be opened, holds no data line, holds a count of
//         data lines that names no downloadable cube (16 points included),
//         or one of its rows cannot be scanned completely
// Only a result from 1 to 6 changes a table: the rows are scanned into
// scratch storage and copied in once every one of them was read, so the box
// is never sent a mixture of two files. LutSourceKind becomes 1 once the
// file opened, and 2 when a cube file's rows were taken in.
// Prints nothing.
int Read3dLutFile(const char *filePath);

// ---- shared by the reader's files -------------------------------------------

// One real-number field, matched as formatted input matches "%f": white
// space skipped, then the longest run of characters that begins a number
// (decimal with optional point and exponent, "0x" hexadecimal with optional
// binary exponent, INF, INFINITY, NAN or NAN(chars), letter case free, each
// optionally signed); the character after it stays unread. False when that
// run is not a whole number ("3.0e", "-", "0x", "infin") or the file ends
// first. A number beyond the range of float gives an infinity, one below it
// zero or a denormal, rounded as strtof rounds.
bool ScanLutFloat(FILE *file, float *value);

// The row scans of the three families. Each scans up to rowCount rows into
// rows[0..rowCount-1] and returns how many rows were scanned completely; it
// stops at the first row that is not.
int ScanCsvRows(FILE *file, float (*rows)[3], int rowCount);
int ScanCubeRows(FILE *file, float (*rows)[3], int rowCount);
int Scan3dlRows(FILE *file, int16_t (*rows)[3], int rowCount);
