// lutprep's reading of Sony Pictures Imageworks matrices (.spimtx).
//
// Twelve reals separated by blanks, in any number of lines: three rows of
//   m0 m1 m2 offset
// one per output channel, red first, so out_r = m0 r + m1 g + m2 b + offset.
// The offsets are written in 65535ths (a 16-bit code value), as OpenColorIO
// reads them: 65535 adds 1.0.
#include <cmath>

#include "prep/format.h"
#include "prep/lut_read.h"
#include "prep/text_scan.h"
#include "prep/transform.h"

namespace {

constexpr int kMatrixNumbers = 12;
// A row's fourth number is its offset.
constexpr int kRowNumbers = 4;
constexpr double kOffsetScale = 65535.0;

struct SpimtxReading {
    double numbers[kMatrixNumbers];
    int count;
    PrepError *error;
};

int ReadSpimtxLine(void *state, const PrepLine &line) {
    SpimtxReading *s = static_cast<SpimtxReading *>(state);
    const char *p = line.begin;
    float value = 0.0f;
    FieldResult field;
    while ((field = ScanReal(&p, line.end, 0, false, &value)) == kFieldNumber) {
        if (!std::isfinite(value)) {
            PrepSetError(s->error, line.number, "a NaN or infinite matrix entry");
            return -1;
        }
        if (s->count == kMatrixNumbers) {
            PrepSetError(s->error, line.number, "more than %d numbers: a matrix is 3 rows of 4", kMatrixNumbers);
            return -1;
        }
        s->numbers[s->count++] = value;
    }
    if (field == kFieldBad) {
        char word[32];
        QuoteField(p, line.end, 0, word);
        PrepSetError(s->error, line.number, "'%s' is not a number", word);
        return -1;
    }
    return 0;
}

int ParseSpimtx(const PrepSource &source, const PrepReadOptions &, PrepTransform *t, PrepWarnings *, PrepError *error) {
    PrepFreeTransform(t);
    SpimtxReading s{};
    s.error = error;
    int64_t lastLine = 1;
    if (ForEachSourceLine(source, false, 0, ReadSpimtxLine, &s, &lastLine, error) != 0) return -1;
    if (s.count != kMatrixNumbers) {
        PrepSetError(error, lastLine, "%d numbers: a matrix is 3 rows of 4 (%d)", s.count, kMatrixNumbers);
        return -1;
    }
    PrepOp *op = PrepAddOp(t, "Matrix", PrepApplyMatrix, error);
    if (op == nullptr) return -1;
    for (int i = 0; i < kMatrixNumbers; i++) {
        bool offset = i % kRowNumbers == kRowNumbers - 1;
        op->params[i] = offset ? s.numbers[i] / kOffsetScale : s.numbers[i];
    }
    t->family = &kPrepFormatSpimtx;
    return 0;
}

}  // namespace

const PrepFormat kPrepFormatSpimtx = {
    .name = "spimtx",
    .extension = ".spimtx",
    .hasBitDepth = false,
    .boxRow = nullptr,
    .parse = nullptr,
    .parseTransform = ParseSpimtx,
    .write = nullptr,
    .rowNode = nullptr,
};
