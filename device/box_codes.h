// The box's code tables: the names of the video sources and of the LUT
// modes, and the code the box takes for each.
#pragma once

#include <cstdint>

struct NamedCode {
    const char *name;
    int32_t code;
};

// KX_DEV_SetSourceMode codes and KX_DEV_SetLutCtrlStatus codes, in the
// order the console tests its argument for them.
inline constexpr NamedCode kSourceCodes[] = {{"SMPTE", 0}, {"USER", 1}, {"SDI", 2}, {"HDMI", 3}, {"CALIB", 4}};
inline constexpr NamedCode kLutModeCodes[] = {{"OFF", 0}, {"709", 1}, {"EBU", 2}, {"SMPTE", 3}, {"P3", 4}};

// The two tables looked up by a whole name without regard to letter case
// ("hdmi" is HDMI, "HDMI_SDI" is nothing): the code, or -1 when name is none
// of the table's names.
int32_t SourceCodeOfName(const char *name);
int32_t LutModeCodeOfName(const char *name);

// The names of each table in table order, separated by sep, into out
// (outSize bytes, always terminated; a list that does not fit is cut).
void SourceNames(const char *sep, char *out, int outSize);
void LutModeNames(const char *sep, char *out, int outSize);
