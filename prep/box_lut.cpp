#include "prep/box_lut.h"

#include <cstring>

#include "prep/lut_read.h"
#include "prep/lut_write.h"
#include "prep/resample.h"
#include "prep/table_rows.h"

const Lut3dSize *BoxSizeOfPoints(int32_t points) {
    for (const Lut3dSize &size : kLut3dSizes) {
        if (size.points == points) return &size;
    }
    return nullptr;
}

const Lut3dSize *LargestBoxSize() {
    const Lut3dSize *largest = &kLut3dSizes[0];
    for (const Lut3dSize &size : kLut3dSizes) {
        if (size.points > largest->points) largest = &size;
    }
    return largest;
}

PrepFamily PrepFamilyOfBox(const Lut3dFamily *family) {
    // The engine tells its families by the same extensions, in any case.
    return family == nullptr ? kPrepFamilyNone : PrepFamilyOfName(family->extensions[0]);
}

PrepFamily ReadingFamily(const char *path) {
    // Another tool's format ("look.cube.clf") is read as its last extension
    // says: the box would not take it whatever its name holds.
    PrepFamily last = PrepFamilyOfName(path);
    if (last != nullptr && last->write == nullptr) return last;
    const Lut3dFamily *box = Lut3dFamilyOfPath(path);
    return box != nullptr ? PrepFamilyOfBox(box) : last;
}

const Lut3dSize *BoxSizeForSource(const PrepLut *source, const Lut3dSize *asked) {
    if (asked != nullptr) return asked;
    const Lut3dSize *size = BoxSizeOfPoints(source->points);
    return size != nullptr ? size : LargestBoxSize();
}

int PrepFitToBox(const PrepLut *source, const Lut3dSize *size, PrepInterp interp, PrepLut *out, int64_t *clamped,
                 int64_t *nonfinite, PrepError *error) {
    if (PrepResample(source, size->points, interp, out, error) != 0) return -1;
    if (nonfinite != nullptr) *nonfinite = PrepCountNonfiniteNodes(out);
    *clamped = PrepClampLut(out);
    return 0;
}

int32_t PrepFillBoxTable(const PrepLut *lut, const Lut3dFamily *box, int32_t bits, Lut3dTable &table) {
    const Lut3dSize *size = BoxSizeOfPoints(lut->points);
    if (size == nullptr) return 0;
    PrepFamily family = PrepFamilyOfBox(box);
    if (!box->intTable && family->rowNode == PrepRedFastestNode) {
        // File row k is node k: the rows at one copy.
        memcpy(table.floatRows, lut->values, static_cast<size_t>(size->rows) * sizeof table.floatRows[0]);
    } else {
        for (int64_t row = 0; row < size->rows; row++) {
            const float *v = lut->values + 3 * PrepFileRowNode(family, lut->points, row);
            if (!box->intTable) {
                memcpy(table.floatRows[row], v, sizeof table.floatRows[row]);
                continue;
            }
            // The box keeps the low 16 bits of each integer.
            for (int c = 0; c < 3; c++) {
                table.intRows[row][c] = static_cast<int16_t>(static_cast<uint16_t>(Prep3dlCode(v[c], bits)));
            }
        }
    }
    table.fileType = box->fileType;
    return box->intTable ? size->intLayout : size->floatLayout;
}
