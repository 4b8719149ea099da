#include "lut/lut_tables.h"

#include <cstdio>
#include <iterator>

const Lut3dSize *Lut3dSizeOfLayout(int32_t layout, bool *intTable) {
    for (const Lut3dSize &size : kLut3dSizes) {
        if (layout == size.floatLayout || layout == size.intLayout) {
            if (intTable != nullptr) *intTable = layout == size.intLayout;
            return &size;
        }
    }
    return nullptr;
}

void Lut3dSizesText(int32_t Lut3dSize::*field, const char *sep, const char *last, char *out, size_t size) {
    size_t used = 0;
    out[0] = '\0';
    for (size_t i = 0; i < std::size(kLut3dSizes) && used < size; i++) {
        const char *before = i == 0 ? "" : i + 1 == std::size(kLut3dSizes) ? last : sep;
        int n = snprintf(out + used, size - used, "%s%d", before, static_cast<int>(kLut3dSizes[i].*field));
        if (n < 0) break;
        used += static_cast<size_t>(n);
    }
}
