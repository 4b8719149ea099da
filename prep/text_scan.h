// Not the box's reader (that is lut/lut3d_reader.cpp): what lutprep's
// format readers share. The one line loop over a file's bytes (which
// prep/lut_read.cpp reads into memory), number fields parsed with
// std::from_chars, the warnings, the rows.
#pragma once

#include <cstddef>
#include <cstdint>

#include "prep/lut_read.h"
#include "prep/source_lut.h"

// One physical line: its bytes without the LF and a CR before it, and its
// number counted by line feeds (the first line is 1). The loops below also
// say how many bytes the box's reader reads of it (with its line end, from
// raw on) and whether a byte-order mark before it was skipped.
struct PrepLine {
    const char *begin;
    const char *end;
    int64_t number;
    const char *raw = nullptr;
    int64_t bytes = 0;
    bool bom = false;
};

// The lines of text[0, size), in order.
struct PrepLineReader {
    const char *next;
    const char *end;
    int64_t number;
};

void StartLines(PrepLineReader *reader, const char *text, size_t size);
bool NextLine(PrepLineReader *reader, PrepLine *line);

// The line loop of every format reader: each line of text[0, size),
// trimmed (TrimLine), goes to onLine with state, except blank lines and,
// when comment is not 0, lines that begin with it; the loop stops at the
// first line onLine returns nonzero for. *lastLine is set to the number of
// the last line read (1 when there is none), where a reader that missed
// something blames the end. Returns 0, or what onLine returned.
int ForEachLine(const char *text, size_t size, char comment, int (*onLine)(void *state, const PrepLine &line),
                void *state, int64_t *lastLine);

// The same over a source (prep/lut_read.h), skipping a UTF-8 byte-order
// mark at its start when skipBom is set, and stopping with -1 and *error set
// at a line that shows the text is not what a LUT is written in (UTF-16, CR
// alone as the line end). A file is read in blocks: the
// memory it takes is a block and the longest line, not the file. -1 with
// *error set when the file cannot be read, holds more than
// kPrepMaxFileBytes, or has a line longer than the memory left.
int ForEachSourceLine(const PrepSource &source, bool skipBom, char comment,
                      int (*onLine)(void *state, const PrepLine &line), void *state, int64_t *lastLine,
                      PrepError *error);

// A reader given notes (PrepSource) keeps line [begin, end) in them.
void KeepNote(const PrepSource &source, const char *begin, const char *end);
// A comment line ('#' first) as a note: the text after the mark and one
// blank.
void KeepComment(const PrepSource &source, const PrepLine &line);

// The warnings of a line before the rows that the box reads other than
// lutprep does: one it splits into reads of 255 bytes (a part that begins
// with a digit being a row to it), and one behind a byte-order mark that
// begins with a digit, which the box takes for a header line.
void NoteHeaderLine(PrepWarnings *warnings, const PrepLine &line);
void NoteMarkBeforeRow(PrepWarnings *warnings, const PrepLine &line);

// The first row that begins with a minus sign: the box's rows end at a
// line that does not begin with a digit. Once the warnings are finished,
// the range warning names it.
struct PrepRowSign {
    int64_t line;
    char field[32];
};
void NoteRowSign(PrepRowSign *sign, const PrepLine &line);
void FinishRowSign(const PrepRowSign &sign, PrepWarnings *warnings);

// Sets *lut's allocated 2-point lattice to the identity.
void FillIdentityLattice(PrepLut *lut);

// Space, tab, and the other ASCII white space that can stand within a line.
bool IsBlank(char c);
const char *SkipBlanks(const char *p, const char *end);
// The line without its leading and trailing blanks.
PrepLine TrimLine(const PrepLine &line);

// Whether the line, trimmed, begins like a number: a digit, a sign, a point,
// or "nan"/"inf" in any letter case.
bool BeginsWithNumber(const char *p, const char *end);

// The first word of the line equals keyword, in any letter case; *rest is
// set after it.
bool MatchKeyword(const char *p, const char *end, const char *keyword, const char **rest);

enum FieldResult { kFieldEnd = 0, kFieldNumber = 1, kFieldBad = -1 };

// One number field at *p, after blanks, ending at a blank, at the
// separator (0 for none) or at the end: kFieldNumber with *p after it,
// kFieldEnd when only blanks remain, kFieldBad when the field is no number
// (*p then at its start). A decimal comma is taken when decimalComma is
// set. A value beyond float's range becomes an infinity, one below it zero,
// as the C library's conversion gives them.
FieldResult ScanReal(const char **p, const char *end, char separator, bool decimalComma, float *value);
// The same for a decimal integer, optionally signed; integers beyond
// +-2^31 count as no number.
FieldResult ScanInteger(const char **p, const char *end, char separator, int64_t *value);
// The plain decimal at p ("0.123456", "-1.5": digits before an optional
// point and fraction, an optional minus sign) as a double, when its digits
// and its power of ten are both exact in double, so that one division
// rounds it as from_chars does: where its digits end (the caller tells
// whether the field ends there), or nullptr for any other text, which
// from_chars is then left to read.
const char *ScanPlainDouble(const char *p, const char *end, double *value);

// The numbers of a data line of reals, the first three into row: their
// count, or -1 with *error naming the field that is no number (a decimal
// comma said as such).
int ScanRowNumbers(const PrepLine &line, float row[3], PrepError *error);

// The field at p, for an error message: at most 24 bytes of it, printable
// ASCII only, NUL-terminated in out.
void QuoteField(const char *p, const char *end, char separator, char (&out)[32]);

// Adds one occurrence of a warning: the first sets its line and text, every
// one adds to its count. Warnings is null when the caller wants none; the
// entry is returned (null then).
PrepWarning *NoteWarning(PrepWarnings *warnings, PrepWarningCode code, int64_t line, const char *format, ...)
    __attribute__((format(printf, 4, 5)));

// The data lines that hold more or fewer numbers than a row: each is a
// "shifted-rows" warning (the box reads the numbers regardless of lines, so
// every later row would be shifted), and the first refuses the file once it
// has been read to its end, so that check sees them all.
struct PrepShiftedRows {
    const char *unit;  // "numbers", "fields"
    int rowSize;       // of them in a row
    int64_t firstLine;
    int firstSize;
};
void NoteShiftedRow(PrepShiftedRows *shifted, PrepWarnings *warnings, int64_t line, int size);
// -1, with *error set at the first such line, when there was one; else 0.
int RefuseShiftedRows(const PrepShiftedRows &shifted, PrepError *error);

// Counts one data value for the "range" and "nonfinite" warnings: outside
// [lo, hi] or not finite.
void NoteValue(PrepWarnings *warnings, double value, double lo, double hi, int64_t line);
// Completes the list once the file is read: the texts of the counted
// warnings ("range", "nonfinite", "shifted-rows"), which need the totals,
// with scale naming the range values should lie in; then the list in the
// order of the lines.
void FinishWarnings(PrepWarnings *warnings, const char *scale);

// A growing array of float rows for readers that learn the count at the
// end; capped at the largest LUT plus its largest shaper.
struct PrepRowBuffer {
    float (*rows)[3];
    int64_t count;
    int64_t capacity;
};
// Appends a row; -1 with *error set when memory runs out or the file holds
// more rows than any LUT.
int AppendRow(PrepRowBuffer *buffer, const float row[3], int64_t line, PrepError *error);
void FreeRows(PrepRowBuffer *buffer);
// Makes room for rows at once when a header states how many come, which
// spares the copies of growing; nothing when it cannot (AppendRow grows
// the buffer then), or for more rows than any LUT holds.
void ReserveRows(PrepRowBuffer *buffer, int64_t rows);

// n when count is n^3 for n from kPrepMinPoints to kPrepMaxPoints, else 0.
int32_t CubeRoot(int64_t count);
