#include "ctl/ctl_record.h"

#include "platform/platform.h"

size_t WriteRecordBytes(FILE *file, const char *bytes, size_t count) {
    size_t written = fwrite(bytes, 1, count, file);
    return fflush(file) == 0 ? written : 0;
}

int AppendRecordText(FILE *file, const char *text, size_t length, size_t headerLength, RecordWriter write) {
    // Before any other operation on the stream, as setvbuf must be.
    if (setvbuf(file, nullptr, _IONBF, 0) != 0 || headerLength > length) return -1;
    // Two stations that find the file empty at the same time would both
    // write the header; under the lock only the first finds it so.
    if (PlatformLockFile(file) < 0) return -1;
    int64_t before = PlatformFileLength(file);
    int result = -1;
    if (before >= 0) {
        size_t skip = before == 0 ? 0 : headerLength;
        size_t count = length - skip;
        bool whole = write(file, text + skip, count) == count;
        if (whole && PlatformSyncFile(file) == 0) {
            result = 0;
        } else {
            PlatformTruncateFile(file, before);
            PlatformSyncFile(file);
        }
    }
    PlatformUnlockFile(file);
    return result;
}
