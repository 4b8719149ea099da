#include "lut/lut_tables.h"

// Static storage, zero at start; no reader or download allocates memory.
float Lut3dFloatTable[kLut3dMaxRows][3];
int16_t Lut3dIntTable[kLut3dMaxRows][3];
int32_t Lut1dTable[kLut1dEntries];
int32_t LutSourceKind = 1;
