#include "lut/lut_tables.h"

// Static storage, zero at start; no reader or download allocates memory.
float Lut3dFloatTable[kLut3dMaxRows][3];
int16_t Lut3dIntTable[kLut3dMaxRows][3];
int32_t Lut1dTable[kLut1dEntries];
int32_t LutSourceKind = 1;

const Lut3dSize *Lut3dSizeOfLayout(int32_t layout, bool *intTable) {
    for (const Lut3dSize &size : kLut3dSizes) {
        if (layout == size.floatLayout || layout == size.intLayout) {
            if (intTable != nullptr) *intTable = layout == size.intLayout;
            return &size;
        }
    }
    return nullptr;
}
