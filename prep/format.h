// The LUT file formats lutprep's engine reads and writes, as one table of
// rows. Each format is one file (format_cube.cpp, format_3dl.cpp,
// format_csv.cpp) that holds its reading, its writing, its row order and its
// row of this table; format.cpp lists the rows. Everything that differs by
// format is asked of its row, so a new format is its file, a line in the
// table and the declaration of its row below.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "prep/source_lut.h"

struct PrepWarnings;
struct PrepSource;
struct PrepReadOptions;
struct PrepTransform;

struct PrepFormat {
    // As the box's family of the same extension is named: "cube".
    const char *name;
    // Lower case; a file name ends in it in any letter case: ".cube".
    const char *extension;
    // Its values are integers of an output bit depth, read from the file or
    // guessed, and asked for when it is written (3dl).
    bool hasBitDepth;
    // What one of its data rows must read as to the box's reader; its writer
    // writes rows of that form.
    const char *boxRow;
    // Reads the source into *lut, with the contract of PrepParseLut; null
    // when the format is not read.
    int (*parse)(const PrepSource &source, PrepLut *lut, PrepWarnings *warnings, PrepError *error);
    // For a format that is more than one 3D LUT (a CDL, a CLF chain, a
    // pre-LUT): reads the source into *t (prep/transform.h) instead, with
    // the same contract. parse is then null.
    int (*parseTransform)(const PrepSource &source, const PrepReadOptions &options, PrepTransform *t,
                          PrepWarnings *warnings, PrepError *error);
    // Writes *lut (a plain lattice with every value in [0, 1]) into file, at
    // the bit depth bits when it has one, with notes (PrepTransform.notes;
    // "" for none) as lines the box reads past; 0, or -1 with *error set.
    // Null when the format is not written.
    int (*write)(FILE *file, const PrepLut *lut, int32_t bits, const char *notes, PrepError *error);
    // Its row order: the node (row of PrepLut::values) that the file's
    // row-th row holds.
    int64_t (*rowNode)(int32_t points, int64_t row);
};

// The rows, each defined in its format's file.
extern const PrepFormat kPrepFormatCsv;
extern const PrepFormat kPrepFormatCube;
extern const PrepFormat kPrepFormat3dl;
extern const PrepFormat kPrepFormatCsp;
extern const PrepFormat kPrepFormatSpi1d;
extern const PrepFormat kPrepFormatSpi3d;
extern const PrepFormat kPrepFormatSpimtx;
extern const PrepFormat kPrepFormatHdl;
extern const PrepFormat kPrepFormatDiscreet;
// Read only: other tools' formats, converted for the box.
extern const PrepFormat kPrepFormatCub;
extern const PrepFormat kPrepFormatItx;
extern const PrepFormat kPrepFormatVf;
extern const PrepFormat kPrepFormatM3d;
extern const PrepFormat kPrepFormatMga;
extern const PrepFormat kPrepFormatLook;
extern const PrepFormat kPrepFormatClf;
extern const PrepFormat kPrepFormatCtf;
extern const PrepFormat kPrepFormatCc;
extern const PrepFormat kPrepFormatCcc;
extern const PrepFormat kPrepFormatCdl;

// The formats by their old names, as the engine's callers name them.
inline constexpr PrepFamily kPrepFamilyNone = nullptr;
inline constexpr PrepFamily kPrepFamilyCsv = &kPrepFormatCsv;
inline constexpr PrepFamily kPrepFamilyCube = &kPrepFormatCube;
inline constexpr PrepFamily kPrepFamily3dl = &kPrepFormat3dl;

// The table: the i-th format, i from 0; nullptr past the last.
PrepFamily PrepFormatAt(int32_t i);

// The row order of the box's files that run blue fastest (3dl, CSV): file
// row k is node (k / n^2, k / n % n, k % n) of red, green, blue.
int64_t PrepBlueFastestNode(int32_t points, int64_t row);
