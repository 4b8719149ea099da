// The readers as they were before the block input, kept as the reference of
// the differential tests. They fill the same tables as the readers in lut/.
#pragma once

#include <cstdint>
#include <cstdio>

#include "lut/lut1d_reader.h"
#include "lut/lut_tables.h"

namespace reference {

constexpr int kLutLineBytes = 255;

bool ScanLutFloat(FILE *file, float *value);
bool ScanWrappedDecimal(FILE *file, uint32_t *bits);
int ScanCsvRows(FILE *file, float (*rows)[3], int rowCount);
int ScanCubeRows(FILE *file, float (*rows)[3], int rowCount);
int Scan3dlRows(FILE *file, int16_t (*rows)[3], int rowCount);
int Read3dLutFile(const char *filePath, Lut3dTable &table);
int32_t Read1dLutFile(const char *filePath, int32_t (&table)[kLut1dEntries]);

}  // namespace reference
