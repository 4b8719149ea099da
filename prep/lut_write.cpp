// Writing a LUT through its format's row of the table.
#include "prep/lut_write.h"

int64_t PrepFileRowNode(PrepFamily family, int32_t points, int64_t row) { return family->rowNode(points, row); }

int PrepWriteLut(FILE *file, PrepFamily family, const PrepLut *lut, int32_t bits, const char *notes, PrepError *error) {
    if (family == nullptr || family->write == nullptr) {
        PrepSetError(error, 0, "no family to write");
        return -1;
    }
    return family->write(file, lut, bits, notes, error);
}
