// The pieces the format writers share: rows of text formatted into one
// buffer that goes to the file when nearly full, numbers as the box reads
// them back, and the test of what may be written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "prep/source_lut.h"

// The room from where PutFloat or PutInt puts its text that it may write
// to: a float's text is at most 15 characters, an integer's 20, and a
// value of [0.001, 1) is put as eleven bytes whatever its length.
constexpr size_t kPrepValueRoom = 32;
// Far more than one row: three values of at most 15 characters and the
// bytes written past the last, three indices, separators and the line end.
constexpr size_t kPrepRowRoom = 128;

struct PrepOutput {
    FILE *file;
    char buffer[size_t{1} << 16];
    size_t used;
    bool failed;
};

// The one buffer of all writers (static: too large for some stacks), set
// to write to file; the program writes one file at a time.
PrepOutput *StartOutput(FILE *file);
// Where the next row (or part of one) goes, with kPrepRowRoom bytes of room.
char *RowStart(PrepOutput *out);
// Keeps what was put up to at, as part of a row.
void RowPart(PrepOutput *out, char *at);
// Ends the row at at with a line feed.
void RowEnd(PrepOutput *out, char *at);
// Writes what is left; 0, or -1 with *error set when any write failed.
int FinishOutput(PrepOutput *out, PrepError *error);

// Each puts its text at at and returns its end, writing within
// kPrepValueRoom bytes of at (PutFloat past the end it returns). A float is
// the shortest decimal that reads back as the same float, and +0 for -0.
char *PutFloat(char *at, float v);
char *PutInt(char *at, int64_t v);
char *PutText(char *at, const char *text);

// Writes notes (lines each ending in '\n', as PrepTransform.notes holds
// them) as comment lines, "# " and the line, each short enough for one read
// of the box's reader (a longer note goes on several), so that the box
// takes every one for a header line. The first note that begins with the
// word keyword (when not null) is written as it is instead, as a keyword
// line, when it fits in one read: a cube's TITLE.
void PutNotes(PrepOutput *out, const char *notes, const char *keyword);

// 0 when *lut is a plain lattice with every value in [0, 1], the only LUT
// written (anything else needs the caller's decision, fold or clamp,
// first); else -1 with *error set.
int CheckWritable(const PrepLut *lut, PrepError *error);
