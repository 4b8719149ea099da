// Rows are formatted with std::to_chars into a fixed buffer that is handed
// to fwrite when nearly full: a 33-point table is 35937 rows, and printf per
// value would be most of a conversion's time. to_chars gives the shortest
// text that reads back as the same float, which is what makes the read-back
// check bit-exact.
#include "prep/text_write.h"

#include <charconv>
#include <cstring>

#include "lut/lut3d_reader.h"
#include "prep/text_scan.h"

PrepOutput *StartOutput(FILE *file) {
    static PrepOutput out;
    out.file = file;
    out.used = 0;
    out.failed = false;
    return &out;
}

namespace {

void Flush(PrepOutput *out) {
    if (out->used > 0 && !out->failed && fwrite(out->buffer, 1, out->used, out->file) != out->used) {
        out->failed = true;
    }
    out->used = 0;
}

}  // namespace

char *RowStart(PrepOutput *out) {
    if (sizeof out->buffer - out->used < kPrepRowRoom) Flush(out);
    return out->buffer + out->used;
}

void RowPart(PrepOutput *out, char *at) { out->used = static_cast<size_t>(at - out->buffer); }

void RowEnd(PrepOutput *out, char *at) {
    *at++ = '\n';
    RowPart(out, at);
}

int FinishOutput(PrepOutput *out, PrepError *error) {
    Flush(out);
    if (out->failed || fflush(out->file) != 0 || ferror(out->file)) {
        PrepSetError(error, 0, "write failed");
        return -1;
    }
    return 0;
}

char *PutFloat(char *at, float v) {
    // +0 for -0: a row that begins with a sign is no data line to the box.
    if (v == 0.0f) v = 0.0f;
    return std::to_chars(at, at + kPrepRowRoom / 4, v).ptr;
}

char *PutInt(char *at, int64_t v) { return std::to_chars(at, at + kPrepRowRoom / 4, v).ptr; }

char *PutText(char *at, const char *text) {
    size_t n = strlen(text);
    memcpy(at, text, n);
    return at + n;
}

namespace {

// Bytes of any length, through the rows' buffer.
void PutBytes(PrepOutput *out, const char *p, size_t n) {
    while (n > 0) {
        char *at = RowStart(out);
        size_t k = n < kPrepRowRoom ? n : kPrepRowRoom;
        memcpy(at, p, k);
        RowPart(out, at + k);
        p += k;
        n -= k;
    }
}

// What one read of the box holds besides the line end.
constexpr size_t kLineText = kLut3dLineBytes - 2;

}  // namespace

void PutNotes(PrepOutput *out, const char *notes, const char *keyword) {
    bool keywordDone = keyword == nullptr;
    for (const char *line = notes; line != nullptr && *line != '\0';) {
        const char *lf = strchr(line, '\n');
        const char *end = lf != nullptr ? lf : line + strlen(line);
        const char *rest = nullptr;
        size_t n = static_cast<size_t>(end - line);
        if (!keywordDone && n <= kLineText && MatchKeyword(line, end, keyword, &rest)) {
            keywordDone = true;
            PutBytes(out, line, n);
            RowEnd(out, RowStart(out));
        } else {
            // "# " and at most kLineText - 2 bytes a line.
            for (const char *p = line; p < end;) {
                size_t k = static_cast<size_t>(end - p) < kLineText - 2 ? static_cast<size_t>(end - p) : kLineText - 2;
                PutBytes(out, "# ", 2);
                PutBytes(out, p, k);
                RowEnd(out, RowStart(out));
                p += k;
            }
        }
        line = lf != nullptr ? lf + 1 : end;
    }
}

int CheckWritable(const PrepLut *lut, PrepError *error) {
    if (lut->values == nullptr || !PrepIsPlainLattice(lut)) {
        PrepSetError(error, 0, "only a plain lattice is written: resample it first");
        return -1;
    }
    int64_t values = 3 * PrepNodeCount(lut->points);
    for (int64_t i = 0; i < values; i++) {
        float v = lut->values[i];
        if (!(v >= 0.0f && v <= 1.0f)) {
            PrepSetError(error, 0, "value %.9g of node %lld outside [0, 1]: clamp it first", static_cast<double>(v),
                         static_cast<long long>(i / 3));
            return -1;
        }
    }
    return 0;
}
