// The self-test's record file, shared by the stations of a production line:
// each record whole or not at all, the CSV header once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Writes count bytes to file and flushes them; the number of bytes that
// reached the file (fewer after a failure).
typedef size_t (*RecordWriter)(FILE *file, const char *bytes, size_t count);

// The writer of the runs: fwrite on the unbuffered stream, so that nothing
// of a failed record stays behind in a buffer to be written later.
size_t WriteRecordBytes(FILE *file, const char *bytes, size_t count);

// Appends to file, opened by PlatformOpenAppendFile and not yet written,
// under the file's lock: text whole when the file is empty, else text from
// byte headerLength on (text begins with the header), in one write, then
// synced to the disk. When the write is short or fails, or the sync fails,
// the file is cut back to its length before, so that no fragment is left
// for the next record to be glued to. 0, or -1. The caller closes file.
int AppendRecordText(FILE *file, const char *text, size_t length, size_t headerLength, RecordWriter write);
