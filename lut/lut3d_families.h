// The three 3D LUT families, each defined by its own file. Private to lut/:
// only lut/ sources and their tests include it.
#pragma once

#include "lut/lut3d_reader.h"

extern const Lut3dFamily kLut3dCsvFamily;
extern const Lut3dFamily kLut3dCubeFamily;
extern const Lut3dFamily kLut3d3dlFamily;
