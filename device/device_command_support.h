// Pieces shared by the device command handlers: the open, the bounded
// printing of a reply, and the argument conversions and code tables.
#pragma once

#include <cstdint>

// Calls KX_DEV_Init and returns its result, the device count; on a negative
// result prints "KX_DEV_Init Failure!\n". The loop's close follows either way.
int32_t OpenDevice();

// Prints label, the reply text and a line end. The reply is read only up to
// its 64-byte buffer's end, terminated or not, and is never taken as a format.
void PrintReplyLine(const char *label, const char *reply);

// The usual one-line report of a query: the failure line for a negative
// result, otherwise the label with the reply.
void ReportQuery(int32_t result, const char *label, const char *reply, const char *failureLine);

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
// the word's terminator are never read: they are left over from earlier
// words, so a field the word does not reach stays empty.
void ExtractInfoFields(const char *arg, char first[kInfoFieldBufferSize], char second[kInfoFieldBufferSize]);

// The code "source:" sends for its argument: the first of "SMPTE" 0,
// "USER" 1, "SDI" 2, "HDMI" 3, "CALIB" 4 found in it, else 0.
int32_t SourceCode(const char *arg);

// The code "LutCtrl:" sends for its argument: the first of "OFF" 0, "709" 1,
// "EBU" 2, "SMPTE" 3, "P3" 4 found in it, else 1.
int32_t LutModeCode(const char *arg);
