// What the console's device words share: the open with its failure line,
// the reading lines and their printing, and the console's argument rules.
#pragma once

#include <cstdint>

#include "device/session.h"

// InitDevice, and on a negative result the console's line
// "KX_DEV_Init Failure!\n". Whether a close follows is the word's own rule:
// the loop closes after most words, never after "devInit", which leaves the
// device open.
int32_t OpenDevice(Session &session);

// A close's result: nothing when it worked. A failed close goes to standard
// error alone, one line, as the console's text on standard output is fixed.
void ReportClose(int32_t result);

// A reading's success label (the reply follows it on its line) and its
// failure line.
struct ReadingLines {
    const char *label;
    const char *failure;
};

// The English lines of the four identity readings, shared by the queries
// and the port tests. "Fireware" is the box's established wording.
inline constexpr ReadingLines kMcuVersionLines = {"MCU Fireware Ver: ", "get MCU Fireware Ver failure.\n"};
inline constexpr ReadingLines kSerialLines = {"Product SN: ", "getSN failure\n"};
inline constexpr ReadingLines kNameLines = {"Product Name: ", "getName failure\n"};
inline constexpr ReadingLines kW25qLines = {"get W25Q ", "get W25Q failure.\n"};

// Prints label, the reply text and a line end. The reply is read only up to
// its 64-byte buffer's end, terminated or not, and is never taken as a format.
void PrintReplyLine(const char *label, const char *reply);

// The usual one-line report of a query: the failure line for a negative
// result, otherwise the label with the reply.
void ReportQuery(int32_t result, const ReadingLines &lines, const char *reply);

// The standard decimal conversion: leading white space, an optional sign,
// then decimal digits up to the first other character; no digits give 0.
// Out-of-range values are clamped to the 32-bit limits (as the Windows C
// library's atoi does) instead of being undefined.
int32_t DecimalArgument(const char *text);

// The two fields of "GetDevInfo:" and "GetFPGAInfo:", counted from the
// argument (the byte behind the keyword): six bytes, one skipped byte, six
// bytes. Each lands in a zeroed 16-byte buffer.
constexpr int kInfoFieldWidth = 6;
constexpr int kInfoSecondFieldStart = kInfoFieldWidth + 1;
constexpr int kInfoFieldBufferSize = 16;

// Copies the two fields of arg into first and second. Bytes at and behind
// the word's terminator are never read: a field the word does not reach
// stays empty.
void ExtractInfoFields(const char *arg, char first[kInfoFieldBufferSize], char second[kInfoFieldBufferSize]);

// The code "source:" sends for its argument: the first name of the box's
// source table (kSourceCodes: "SMPTE" 0, "USER" 1, "SDI" 2, "HDMI" 3,
// "CALIB" 4) found anywhere in it, else 0.
int32_t SourceCode(const char *arg);

// The code "LutCtrl:" sends for its argument: the first name of the box's
// LUT mode table (kLutModeCodes: "OFF" 0, "709" 1, "EBU" 2, "SMPTE" 3,
// "P3" 4) found anywhere in it, else 1.
int32_t LutModeCode(const char *arg);
