// The lutprep program: its commands and what they share (arguments,
// messages, the families and sizes of the box, reading a source LUT).
// Results go to standard output, errors and warnings to standard error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "cli/cli.h"
#include "lut/lut3d_reader.h"
#include "lut/lut_tables.h"
#include "prep/box_lut.h"
#include "prep/lut_read.h"
#include "prep/resample.h"
#include "prep/source_lut.h"
#include "prep/transform.h"

// Each takes the parsed command line: its options and operands. The exit
// statuses are cli/'s; kExitFailed: refused, different, or a file that
// could not be read or written.
int RunCheck(const CliArgs &args);
int RunConvert(const CliArgs &args);
int RunCompare(const CliArgs &args);
int RunPreview(const CliArgs &args);

// ---- arguments ------------------------------------------------------------

// lutprep's command and option tables (main.cpp), for the parser
// and the help.
extern const CliProgram kLutprepProgram;

// The option's value, or nullptr when it was not given.
inline const char *OptionValue(const CliArgs &args, const char *name) { return CliValue(kLutprepProgram, args, name); }
inline bool OptionGiven(const CliArgs &args, const char *name) { return CliGiven(kLutprepProgram, args, name); }

// The values of --interp ("tetrahedral|trilinear"), from convert's table.
void InterpValues(char *out, size_t size);

// compare's tolerance when none is given, in 10-bit code values: half of
// one, what rounding to 10 bits may leave.
constexpr double kCompareDefaultTolerance = 0.5;

// A whole decimal number in text (at most 2^20): digits alone, no blank
// before or after them, as lutctl reads its numbers; or -1.
int32_t ParseCount(const char *text);

// Prints "lutprep: TEXT" and the usage of command on standard error;
// returns kExitUsage.
int UsageError(const char *command, const char *format, ...) __attribute__((format(printf, 2, 3)));

// Prints "lutprep: TEXT" on standard error, after what standard output
// holds so far, so that the two read in order when they share one pipe.
void PrintError(const char *format, ...) __attribute__((format(printf, 1, 2)));

// ---- writing ---------------------------------------------------------------

// Writes OUT as a temporary file beside it that takes OUT's place only when
// complete: write fills the file (0, or -1 with *error set), then check,
// when not null, may refuse the closed file at tempPath (false, with *why
// set). Prints the reason and returns -1 when anything fails; OUT is then
// as it was and no temporary file is left.
int WriteReplacing(const char *out, int (*write)(FILE *file, const void *context, PrepError *error),
                   bool (*check)(const char *tempPath, const void *context, char *why, size_t whySize),
                   const void *context);

// ---- the box's families and sizes (the rest in prep/box_lut.h) -------------

// The extensions the box tells families by, joined by ", ".
void BoxExtensionsText(char *out, size_t size);

// The box's family of the given name ("cube"); nullptr for none.
const Lut3dFamily *BoxFamilyNamed(const char *name);
// The family convert --into writes when --to names none.
constexpr const char *kIntoDefaultFamily = "cube";
// The names of the box's families, "csv|cube|3dl", for --to.
void BoxFamilyValues(char *out, size_t size);

// ---- the loss of a converted LUT ---------------------------------------------

// What makes a converted LUT lose more than a code value between its nodes
// (loss.cpp holds the rule).
enum LossKind : int32_t {
    kLossMisaligned,  // OUT has at least IN's points, but its nodes fall between IN's
    kLossCoarser,     // OUT has fewer points, and IN changes more between them than they follow
    kLossCurved,      // a steep or curved response near one end of an input axis, which a shaper could straighten
};
struct LossCause {
    LossKind kind;
    int end;  // kLossCurved: near input 0 (0) or 1 (1)
};
// Finds the cause from source and result and the loss PrepMeasureLoss
// measured of them; a null source is a transform baked at the result's
// nodes (PrepMeasureTransformLoss), which no grid is as fine as.
void FindLossCause(const PrepLut *source, const PrepLut *result, const PrepLoss &loss, LossCause *cause);

// ---- source LUTs ----------------------------------------------------------

// What the command line asks of the readers (--cccid).
PrepReadOptions ReadOptions(const CliArgs &args);

// Reads the files of a chain, each as its reading family, into *t, in
// their order; the warnings are the last file's (each file's guessed depth
// is printed when there are several). On failure prints the file, the line
// and the reason and returns -1 (t is then freed).
int ReadSourceChain(const char *const *paths, int32_t count, const PrepReadOptions &options, PrepTransform *t,
                    PrepWarnings *warnings);

// Reads path as one LUT: a 3D LUT file as it is, any other transform baked
// at the nodes of the box's largest size and between them. On failure
// prints the file, the line and the reason and returns -1 (lut is then
// freed).
int ReadSourceLut(const char *path, const PrepReadOptions &options, PrepLut *lut, PrepWarnings *warnings);

// Prints what the reading of path had to guess, since nothing in the file
// stated it: a 3dl's output bit depth, which scales every value.
void PrintGuessedDepth(const char *path, const PrepWarnings *warnings);

// "65-point cube", "17-point 12-bit 3dl", with " with a shaper" and " with a
// domain" where the file had them.
void DescribeLut(const PrepLut *lut, char *out, size_t size);
// A single 3D LUT as DescribeLut has it; else its operations in order:
// "3 operations: 1D LUT, 3D LUT, ASC_CDL".
void DescribeTransform(const PrepTransform *t, char *out, size_t size);
