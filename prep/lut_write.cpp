// The writers of the box's three families.
//
// Rows are formatted with std::to_chars into a fixed buffer that is handed
// to fwrite when nearly full: a 33-point table is 35937 rows, and printf per
// value would be most of a conversion's time. to_chars gives the shortest
// text that reads back as the same float, which is what makes the read-back
// check bit-exact.
#include "prep/lut_write.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

// Far more than one row: three values of at most 16 characters, three
// indices, separators and the line end.
constexpr size_t kRowRoom = 128;
constexpr size_t kBufferBytes = 1 << 16;

struct Output {
    FILE *file;
    char buffer[kBufferBytes];
    size_t used;
    bool failed;
};

// One buffer for all writers (static: too large for some stacks); the
// program writes one file at a time.
Output *StartOutput(FILE *file) {
    static Output out;
    out.file = file;
    out.used = 0;
    out.failed = false;
    return &out;
}

void Flush(Output *out) {
    if (out->used > 0 && !out->failed && fwrite(out->buffer, 1, out->used, out->file) != out->used) {
        out->failed = true;
    }
    out->used = 0;
}

// Where the next row (or mesh value) goes, with room for it.
char *RowStart(Output *out) {
    if (kBufferBytes - out->used < kRowRoom) Flush(out);
    return out->buffer + out->used;
}

void RowEnd(Output *out, char *at) {
    *at++ = '\n';
    out->used = static_cast<size_t>(at - out->buffer);
}

char *PutFloat(char *at, float v) {
    // +0 for -0: a row that begins with a sign is no data line to the box.
    if (v == 0.0f) v = 0.0f;
    return std::to_chars(at, at + kRowRoom / 4, v).ptr;
}

char *PutInt(char *at, int64_t v) {
    return std::to_chars(at, at + kRowRoom / 4, v).ptr;
}

char *PutText(char *at, const char *text) {
    size_t n = strlen(text);
    memcpy(at, text, n);
    return at + n;
}

// Only a plain lattice of values in [0, 1] is written; anything else would
// need the caller's decision (fold, clamp) first.
int CheckWritable(const PrepLut *lut, PrepError *error) {
    if (lut->values == nullptr || !PrepIsPlainLattice(lut)) {
        PrepSetError(error, 0, "only a plain lattice is written: resample it first");
        return -1;
    }
    int64_t values = 3 * PrepNodeCount(lut->points);
    for (int64_t i = 0; i < values; i++) {
        float v = lut->values[i];
        if (!(v >= 0.0f && v <= 1.0f)) {
            PrepSetError(error, 0, "value %g of node %lld outside [0, 1]: clamp it first", static_cast<double>(v),
                         static_cast<long long>(i / 3));
            return -1;
        }
    }
    return 0;
}

int Finish(Output *out, PrepError *error) {
    Flush(out);
    if (out->failed || fflush(out->file) != 0 || ferror(out->file)) {
        PrepSetError(error, 0, "write failed");
        return -1;
    }
    return 0;
}

}  // namespace

bool PrepIsWritableBits(int32_t bits) {
    return bits == 10 || bits == 12 || bits == 16;
}

int64_t PrepFileRowNode(PrepFamily family, int32_t points, int64_t row) {
    if (family == kPrepFamilyCube) return row;
    int64_t n = points;
    int64_t r = row / (n * n), g = row / n % n, b = row % n;
    return r + n * (g + n * b);
}

int32_t Prep3dlCode(float value, int32_t bits) {
    double v = value > 1.0f ? 1.0 : value > 0.0f ? value : 0.0;
    return static_cast<int32_t>(std::floor(v * static_cast<double>(PrepFullScale(bits)) + 0.5));
}

int PrepWriteCube(FILE *file, const PrepLut *lut, PrepError *error) {
    if (CheckWritable(lut, error) != 0) return -1;
    Output &out = *StartOutput(file);
    char *at = RowStart(&out);
    at = PutText(at, "LUT_3D_SIZE ");
    at = PutInt(at, lut->points);
    RowEnd(&out, at);
    int64_t nodes = PrepNodeCount(lut->points);
    for (int64_t node = 0; node < nodes; node++) {
        at = RowStart(&out);
        const float *v = lut->values + 3 * node;
        at = PutFloat(at, v[0]);
        *at++ = ' ';
        at = PutFloat(at, v[1]);
        *at++ = ' ';
        at = PutFloat(at, v[2]);
        RowEnd(&out, at);
    }
    return Finish(&out, error);
}

int PrepWrite3dl(FILE *file, const PrepLut *lut, int32_t bits, PrepError *error) {
    if (!PrepIsWritableBits(bits)) {
        PrepSetError(error, 0, "%d-bit 3dl: the depths written are 10, 12 and 16", bits);
        return -1;
    }
    if (CheckWritable(lut, error) != 0) return -1;
    Output &out = *StartOutput(file);
    // The mesh line: node i at i / (N - 1) of the 10-bit scale, rounded.
    const int64_t n = lut->points;
    const int64_t meshScale = PrepFullScale(kPrepMeshBits);
    for (int64_t i = 0; i < n; i++) {
        char *at = RowStart(&out);
        if (i > 0) *at++ = ' ';
        at = PutInt(at, (2 * i * meshScale + (n - 1)) / (2 * (n - 1)));
        out.used = static_cast<size_t>(at - out.buffer);
    }
    RowEnd(&out, out.buffer + out.used);
    int64_t nodes = PrepNodeCount(lut->points);
    for (int64_t row = 0; row < nodes; row++) {
        const float *v = lut->values + 3 * PrepFileRowNode(kPrepFamily3dl, lut->points, row);
        char *at = RowStart(&out);
        at = PutInt(at, Prep3dlCode(v[0], bits));
        *at++ = ' ';
        at = PutInt(at, Prep3dlCode(v[1], bits));
        *at++ = ' ';
        at = PutInt(at, Prep3dlCode(v[2], bits));
        RowEnd(&out, at);
    }
    return Finish(&out, error);
}

int PrepWriteCsv(FILE *file, const PrepLut *lut, PrepError *error) {
    if (CheckWritable(lut, error) != 0) return -1;
    Output &out = *StartOutput(file);
    const int64_t n = lut->points;
    int64_t nodes = PrepNodeCount(lut->points);
    for (int64_t row = 0; row < nodes; row++) {
        const float *v = lut->values + 3 * PrepFileRowNode(kPrepFamilyCsv, lut->points, row);
        char *at = RowStart(&out);
        at = PutInt(at, row / (n * n));
        *at++ = ',';
        at = PutInt(at, row / n % n);
        *at++ = ',';
        at = PutInt(at, row % n);
        for (int c = 0; c < 3; c++) {
            *at++ = ',';
            at = PutFloat(at, v[c]);
        }
        RowEnd(&out, at);
    }
    return Finish(&out, error);
}

int PrepWriteLut(FILE *file, PrepFamily family, const PrepLut *lut, int32_t bits, PrepError *error) {
    switch (family) {
    case kPrepFamilyCube:
        return PrepWriteCube(file, lut, error);
    case kPrepFamily3dl:
        return PrepWrite3dl(file, lut, bits, error);
    case kPrepFamilyCsv:
        return PrepWriteCsv(file, lut, error);
    case kPrepFamilyNone:
        break;
    }
    PrepSetError(error, 0, "no family to write");
    return -1;
}
