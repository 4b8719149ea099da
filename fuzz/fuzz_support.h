// What the fuzz targets share: a scratch directory for the files a target
// writes, and bytes handed to the LUT input as a stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// This process's scratch directory, made on first use (on tmpfs where there
// is one, so that rewriting a file costs no disk wait) and removed with
// everything in it when the process exits normally.
const std::string &FuzzScratchDir();

// Writes bytes to name in the scratch directory, replacing what stood
// there; the path. Aborts when the file cannot be written, since every
// check after it would be void.
std::string FuzzWriteFile(const std::string &name, const uint8_t *data, size_t size);

// A read-only stream over bytes, which must outlive it.
FILE *FuzzOpenBytes(const std::string &bytes);

struct LutInput;

// Starts input on text, which must outlive it. With before > 0, the input
// is left as a read finds it when text begins that many bytes before the
// end of a block (offsets still counted from text's first byte): the rest
// of text comes with the next refill, so that a field runs across it.
void FuzzStartLutInput(LutInput *input, const std::string &text, size_t before);

// Stops the process with a message when a checked property fails; libFuzzer
// takes the abort as a finding and keeps the input.
#define FUZZ_CHECK(condition)                                       \
    do {                                                            \
        if (!(condition)) FuzzFail(__FILE__, __LINE__, #condition); \
    } while (0)
[[noreturn]] void FuzzFail(const char *file, int line, const char *condition);

// Whether text[0, size) holds its NUL: a message written within bounds.
bool FuzzTerminated(const char *text, size_t size);

struct PrepWarnings;
// The warnings a lutprep reader noted keep their rules: one entry per code,
// in the order of their lines, each counted at least once, its text ended.
void FuzzCheckWarnings(const PrepWarnings &warnings);
