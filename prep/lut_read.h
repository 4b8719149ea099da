// Not the box's reader (that is lut/lut3d_reader.cpp): lutprep's lenient reading of LUT files.
//
// LUT files as their families are written in the wild, read more widely
// than the box's own reader takes them: cube (Adobe/IRIDAS and the grading
// software variant with a shaper), 3dl (Lustre, Flame, Nuke-style) and the
// box's CSV. Each reader also notes what would make the box show the file
// wrongly although it may take it: the warnings of "lutprep check".
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "prep/format.h"
#include "prep/source_lut.h"

// The largest file read: far above the largest LUT in any of the forms.
constexpr int64_t kPrepMaxFileBytes = int64_t{1} << 30;

// What a format reader reads: size bytes at text, or, when file is not
// null, that file from where it stands to its end, in blocks.
// A reader that is given notes (notesSize bytes, NUL-terminated, "" or
// lines already) appends the file's title and comment lines to them, as
// PrepTransform.notes holds them: without their comment mark, each ending
// in '\n'; a line that does not fit is dropped.
struct PrepSource {
    const char *text;
    size_t size;
    FILE *file;
    char *notes = nullptr;
    size_t notesSize = 0;
};

// The bytes a source holds: its size, or its file's (from where it stands
// to its end is at most that); -1 when that cannot be told.
int64_t PrepSourceBytes(const PrepSource &source);

enum PrepWarningCode : int32_t {
    kPrepWarnDomain,       // DOMAIN_MIN/MAX (or LUT_3D_INPUT_RANGE) other than 0 and 1
    kPrepWarnShaper,       // a LUT_1D_SIZE shaper
    kPrepWarnSizeKeyword,  // LUT_3D_SIZE (3dl: the Mesh header) disagrees with the rows
    kPrepWarnRange,        // values outside [0, 1], or beyond a 3dl's bit depth
    kPrepWarnNonfinite,    // NaN or infinity
    kPrepWarnShiftedRows,  // a data line with more or fewer numbers than a row
    kPrepWarnBitDepth,     // a 3dl whose bit depth was guessed
    kPrepWarnIgnored,      // an XML element the reader skips (its values are not applied)
    kPrepWarnByteOrder,    // a byte-order mark before a row, which the box then skips as a header line
    kPrepWarnLongLine,     // a line before the rows that the box splits, reading only 255 bytes at once
    kPrepWarnSkipped,      // lines of a 3dl read past, as OpenColorIO reads past them
    kPrepWarningCodes
};

// The code as "check" prints it: "domain", "shaper", "size-keyword",
// "range", "nonfinite", "shifted-rows", "bit-depth", "ignored",
// "byte-order-mark", "long-line", "skipped-lines".
const char *PrepWarningName(PrepWarningCode code);

// One warning: the physical line of its first occurrence, how many there
// were, and the text for that line.
struct PrepWarning {
    PrepWarningCode code;
    int64_t line;
    int64_t count;
    char text[200];
};

// At most one entry per code, in the order of their lines.
struct PrepWarnings {
    int32_t count;
    PrepWarning list[kPrepWarningCodes];
};

// The family a file name gives for reading: its last extension, in any
// letter case, as the format table has them (".csv", ".cube", ".3dl");
// kPrepFamilyNone otherwise. Which names the box itself takes is the box
// reader's rule, not this one.
PrepFamily PrepFamilyOfName(const char *path);

// Whether text ends in suffix (lower case) in any letter case.
bool PrepEndsWithIgnoringCase(const char *text, const char *suffix);

// Reads the file at path as the given family into *lut (which is reset
// first and, on failure, left freed) and notes the warnings. Returns 0, or
// -1 with *error holding the physical line and the reason. Warnings noted
// before a failure stay in *warnings (either may be null). Only regular
// files are opened, so a read cannot wait on a pipe or a device.
int PrepReadLutFile(const char *path, PrepFamily family, PrepLut *lut, PrepWarnings *warnings, PrepError *error);

// Opens the file at path as PrepReadLutFile does (a regular file, not
// beyond kPrepMaxFileBytes) and hands it to parse as a source; the file is
// closed after. parse's result, or -1 with *error set.
int PrepReadFileSource(const char *path, int (*parse)(const PrepSource &source, void *context), void *context,
                       PrepError *error);
// PrepParseLut on a source.
int PrepParseSourceLut(const PrepSource &source, PrepFamily family, PrepLut *lut, PrepWarnings *warnings,
                       PrepError *error);
// The refusal of a name that gives no format: the extensions read.
void PrepRefuseFileName(PrepError *error);

// The same for a file's bytes already in memory.
int PrepParseLut(const char *text, size_t size, PrepFamily family, PrepLut *lut, PrepWarnings *warnings,
                 PrepError *error);

// The readers of the formats (format_cube.cpp, format_3dl.cpp,
// format_csv.cpp), with the contract of PrepParseLut, on a source.
int PrepParseCube(const PrepSource &source, PrepLut *lut, PrepWarnings *warnings, PrepError *error);
int PrepParse3dl(const PrepSource &source, PrepLut *lut, PrepWarnings *warnings, PrepError *error);
int PrepParseCsv(const PrepSource &source, PrepLut *lut, PrepWarnings *warnings, PrepError *error);
