// lutprep's reading of CLF and CTF files, against OpenColorIO 2.1: every
// reference value below is what ociobakelut (Debian's opencolorio-tools
// 2.1.2) gives for the same file at that input (reached through an
// offset-only Matrix file before it), printed to 6 decimals. The inputs of
// the cases that reach below 0 go through a Matrix in the file that maps
// 0..1 onto -1..1 first. Refusals are of files OpenColorIO refuses too, for
// the same cause, except those of the process nodes lutprep does not read.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "prep/format.h"
#include "prep/lut_read.h"
#include "prep/transform.h"

namespace {

struct ClfProbe {
    double in[3];
    double out[3];
};

// A file without its XML declaration, which Read adds as line 1.
struct ClfCase {
    const char *name;
    const char *extension;
    const char *text;
    std::vector<ClfProbe> probes;
};

const ClfCase kBitDepthCases[] = {
    {"lut1d_10i",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<LUT1D inBitDepth="10i" outBitDepth="10i"><Array dim="3 1">0 256 1023</Array></LUT1D>
</ProcessList>)",
     {
         {{0.0, 0.0, 0.0}, {0.000000, 0.000000, 0.000000}},
         {{0.25, 0.5, 0.75}, {0.125122, 0.250244, 0.625122}},
         {{1.0, 0.25, 0.0}, {1.000000, 0.125122, 0.000000}},
         {{0.75, 1.0, 0.5}, {0.625122, 1.000000, 0.250244}},
     }},
    {"lut1d_8i_to_16i_3",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<LUT1D inBitDepth="8i" outBitDepth="16i"><Array dim="3 3">0 65535 0 0 32768 65535 65535 0 13107</Array></LUT1D>
</ProcessList>)",
     {
         {{0.0, 0.0, 0.0}, {0.000000, 1.000000, 0.000000}},
         {{0.25, 0.5, 0.75}, {0.000000, 0.500008, 0.600000}},
         {{1.0, 0.25, 0.0}, {1.000000, 0.750004, 0.000000}},
         {{0.75, 1.0, 0.5}, {0.500000, 0.000000, 1.000000}},
     }},
    {"matrix_10i_12i",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Matrix inBitDepth="10i" outBitDepth="12i"><Array dim="3 4">1.5 0.2 0 100 0 1 0 0 0 0 0.5 -50</Array></Matrix>
</ProcessList>)",
     {
         {{0.0, 0.0, 0.0}, {0.024420, 0.000000, -0.012210}},
         {{0.25, 0.5, 0.75}, {0.143083, 0.124908, 0.081471}},
         {{1.0, 0.25, 0.0}, {0.411636, 0.062454, -0.012210}},
         {{0.75, 1.0, 0.5}, {0.355427, 0.249817, 0.050244}},
     }},
    {"range_10i_12i",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Range inBitDepth="10i" outBitDepth="12i"><minInValue>64</minInValue><maxInValue>940</maxInValue><minOutValue>0</minOutValue><maxOutValue>4095</maxOutValue></Range>
</ProcessList>)",
     {
         {{0.0, 0.0, 0.0}, {0.000000, 0.000000, 0.000000}},
         {{0.25, 0.5, 0.75}, {0.218893, 0.510845, 0.802797}},
         {{0.75, 1.0, 0.5}, {0.802797, 1.000000, 0.510845}},
         {{0.05, 0.95, 0.6}, {0.000000, 1.000000, 0.627626}},
     }},
    {"lut3d_out12i_probe",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<LUT3D inBitDepth="32f" outBitDepth="12i"><Array dim="2 2 2 3">0 0 0  0 0 1023.75  0 2047.5 0  0 2047.5 1023.75  4095 0 0  4095 0 1023.75  4095 2047.5 0  4095 2047.5 1023.75</Array></LUT3D>
</ProcessList>)",
     {
         {{0.0, 0.0, 0.0}, {0.000000, 0.000000, 0.000000}},
         {{0.25, 0.5, 0.75}, {0.250000, 0.250000, 0.187500}},
         {{0.0, 1.0, 0.0}, {0.000000, 0.500000, 0.000000}},
         {{0.0, 0.0, 1.0}, {0.000000, 0.000000, 0.250000}},
     }},
    {"exponent_10i_8i",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Exponent inBitDepth="10i" outBitDepth="8i" style="basicFwd"><ExponentParams exponent="2"/></Exponent>
</ProcessList>)",
     {
         {{0.0, 0.0, 0.0}, {0.000000, 0.000000, 0.000000}},
         {{0.25, 0.5, 0.75}, {0.062500, 0.250000, 0.562500}},
         {{1.0, 0.25, 0.0}, {1.000000, 0.062500, 0.000000}},
         {{0.75, 1.0, 0.5}, {0.562500, 1.000000, 0.250000}},
     }},
};

const ClfCase kTableCases[] = {
    {"lut3d_3pt",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<LUT3D inBitDepth="32f" outBitDepth="32f"><Array dim="3 3 3 3">0 0 0 0 0 0.15 0 0 0.3 0 0.636396 0 0 0.636396 0.15 0 0.636396 0.3 0 0.9 0 0 0.9 0.15 0 0.9 0.3 0.25 0 0.1 0.25 0 0.25 0.25 0 0.4 0.25 0.636396 0.1 0.25 0.636396 0.25 0.25 0.636396 0.4 0.25 0.9 0.1 0.25 0.9 0.25 0.25 0.9 0.4 1 0 0.2 1 0 0.35 1 0 0.5 1 0.636396 0.2 1 0.636396 0.35 1 0.636396 0.5 1 0.9 0.2 1 0.9 0.35 1 0.9 0.5</Array></LUT3D>
</ProcessList>)",
     {
         {{0.0, 0.0, 0.0}, {0.000000, 0.000000, 0.000000}},
         {{0.25, 0.5, 0.75}, {0.125000, 0.636396, 0.275000}},
         {{0.5, 0.0, 0.0}, {0.250000, 0.000000, 0.100000}},
         {{0.0, 0.0, 0.5}, {0.000000, 0.000000, 0.150000}},
     }},
    // Numbers of many decimals, signed, with exponents, and with more
    // digits than a double holds, scaled by a 12-bit depth.
    {"lut3d_long_decimals",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<LUT3D inBitDepth="32f" outBitDepth="12i"><Array dim="2 2 2 3">
0.0000000001 +0.1234567891 -0.0000012345
1.5e2 2047.5000000001 4095.0000000000
409.4999999999 0.0000000000 3276.7999999999
1023.9999999999 1024.0000000001 2048.1234567890
4094.9999999999 0.3333333333 1365.3333333333
2730.6666666667 12.3456789012 -1.0000000001
4095 4096.0000000000000000001 99.99999999999999999
0.5 1234.5678901234 4000.0000000009
</Array></LUT3D>
</ProcessList>)",
     {
         {{0.0, 0.0, 0.0}, {0.000000, 0.000030, -0.000000}},
         {{0.0, 0.0, 1.0}, {0.036630, 0.500000, 1.000000}},
         {{0.0, 1.0, 0.0}, {0.100000, 0.000000, 0.800195}},
         {{1.0, 0.0, 0.0}, {1.000000, 0.000081, 0.333415}},
         {{1.0, 1.0, 0.0}, {1.000000, 1.000244, 0.024420}},
         {{1.0, 1.0, 1.0}, {0.000122, 0.301482, 0.976801}},
         {{0.5, 0.5, 0.5}, {0.000061, 0.150756, 0.488401}},
     }},
    {"lut3d_trilinear",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<LUT3D inBitDepth="32f" outBitDepth="32f" interpolation="trilinear"><Array dim="2 2 2 3">0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 1 1 1</Array></LUT3D>
</ProcessList>)",
     {
         {{0.5, 0.5, 0.5}, {0.125000, 0.125000, 0.125000}},
         {{0.25, 0.5, 0.75}, {0.093750, 0.093750, 0.093750}},
     }},
    {"matrix_4x5_alpha",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="4 5">1 0 0 0.5 0.1 0 1 0 0.25 0.2 0 0 1 0.125 0.3 0 0 0 1 0</Array></Matrix>
</ProcessList>)",
     {
         {{0.0, 0.0, 0.0}, {0.100000, 0.200000, 0.300000}},
         {{0.25, 0.5, 0.75}, {0.350000, 0.700000, 1.050000}},
         {{1.0, 0.25, 0.0}, {1.100000, 0.450000, 0.300000}},
         {{0.75, 1.0, 0.5}, {0.850000, 1.200000, 0.800000}},
     }},
    {"matrix_ctf12_443",
     "ctf",
     R"(<ProcessList id="t" version="1.2">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="4 4 3">1 0.1 0 0.5 0 1 0 0.25 0 0 1 0.125 0 0 0 1</Array></Matrix>
</ProcessList>)",
     {
         {{0.0, 0.0, 0.0}, {0.500000, 0.250000, 0.125000}},
         {{0.25, 0.5, 0.75}, {0.800000, 0.750000, 0.875000}},
         {{1.0, 0.25, 0.0}, {1.525000, 0.500000, 0.125000}},
         {{0.75, 1.0, 0.5}, {1.350000, 1.250000, 0.625000}},
     }},
    {"matrix_ctf20_44",
     "ctf",
     R"(<ProcessList id="t" version="2.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="4 4">1 0.1 0 0.5 0 1 0 0.25 0 0 1 0.125 0 0 0 1</Array></Matrix>
</ProcessList>)",
     {
         {{0.0, 0.0, 0.0}, {0.000000, 0.000000, 0.000000}},
         {{0.25, 0.5, 0.75}, {0.300000, 0.500000, 0.750000}},
         {{1.0, 0.25, 0.0}, {1.025000, 0.250000, 0.000000}},
         {{0.75, 1.0, 0.5}, {0.850000, 1.000000, 0.500000}},
     }},
    {"indexmap_clf2",
     "clf",
     R"(<ProcessList id="t" compCLFversion="2.0">
<LUT1D inBitDepth="10i" outBitDepth="10i"><IndexMap dim="2">64@0 940@2</IndexMap><Array dim="3 1">0 256 1023</Array></LUT1D>
</ProcessList>)",
     {
         {{0.0, 0.0, 0.0}, {0.000000, 0.000000, 0.000000}},
         {{0.25, 0.5, 0.75}, {0.109553, 0.266506, 0.704292}},
         {{0.75, 1.0, 0.5}, {0.704292, 1.000000, 0.266506}},
         {{0.05, 0.95, 0.6}, {0.000000, 1.000000, 0.441620}},
     }},
    {"indexmap_clf3",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<LUT1D inBitDepth="10i" outBitDepth="10i"><IndexMap dim="2">64@0 940@2</IndexMap><Array dim="3 1">0 256 1023</Array></LUT1D>
</ProcessList>)",
     {
         {{0.0, 0.0, 0.0}, {0.000000, 0.000000, 0.000000}},
         {{0.25, 0.5, 0.75}, {0.125122, 0.250244, 0.625122}},
         {{0.75, 1.0, 0.5}, {0.625122, 1.000000, 0.250244}},
         {{0.05, 0.95, 0.6}, {0.025024, 0.925024, 0.400196}},
     }},
    {"lut1d_hue_dw3",
     "ctf",
     R"(<ProcessList id="t" version="1.4">
<LUT1D inBitDepth="32f" outBitDepth="32f" hueAdjust="dw3"><Array dim="5 3">0 0 0.1 0.3 0.1 0.2 0.5 0.3 0.4 0.8 0.6 0.5 1 1 0.9</Array></LUT1D>
</ProcessList>)",
     {
         {{0.5, 0.5, 0.0}, {0.300000, 0.300000, 0.100000}},
         {{0.5, 0.0, 0.0}, {0.500000, 0.000000, 0.000000}},
         {{0.6, 0.6, 0.6}, {0.620000, 0.620000, 0.440000}},
         {{0.3, 0.3, 0.9}, {0.340000, 0.340000, 0.740000}},
     }},
};

const ClfCase kLogCases[] = {
    {"log_log10",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Log inBitDepth="32f" outBitDepth="32f" style="log10"/>
</ProcessList>)",
     {
         {{0.0, 0.0, 0.0}, {-37.929783, -37.929783, -37.929783}},
         {{0.25, 0.5, 0.75}, {-0.602060, -0.301030, -0.124939}},
         {{0.75, 1.0, 0.5}, {-0.124939, 0.000000, -0.301030}},
         {{1.0, 1.0, 1.0}, {0.000000, 0.000000, 0.000000}},
     }},
    {"log_log2",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Log inBitDepth="32f" outBitDepth="32f" style="log2"/>
</ProcessList>)",
     {
         {{0.0, 0.0, 0.0}, {-126.000000, -126.000000, -126.000000}},
         {{0.25, 0.5, 0.75}, {-2.000000, -1.000000, -0.415038}},
         {{0.75, 1.0, 0.5}, {-0.415038, 0.000000, -1.000000}},
         {{1.0, 1.0, 1.0}, {0.000000, 0.000000, 0.000000}},
     }},
    {"log_antiLog10",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Log inBitDepth="32f" outBitDepth="32f" style="antiLog10"/>
</ProcessList>)",
     {
         {{0.0, 0.0, 0.0}, {1.000000, 1.000000, 1.000000}},
         {{0.25, 0.5, 0.75}, {1.778279, 3.162278, 5.623413}},
         {{0.75, 1.0, 0.5}, {5.623413, 9.999999, 3.162278}},
         {{1.0, 1.0, 1.0}, {9.999999, 9.999999, 9.999999}},
     }},
    {"log_antiLog2",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Log inBitDepth="32f" outBitDepth="32f" style="antiLog2"/>
</ProcessList>)",
     {
         {{0.0, 0.0, 0.0}, {1.000000, 1.000000, 1.000000}},
         {{0.25, 0.5, 0.75}, {1.189207, 1.414214, 1.681793}},
         {{0.75, 1.0, 0.5}, {1.681793, 2.000000, 1.414214}},
         {{1.0, 1.0, 1.0}, {2.000000, 2.000000, 2.000000}},
     }},
    {"log_linToLog",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Log inBitDepth="32f" outBitDepth="32f" style="linToLog"><LogParams logSideSlope="0.29325513196" logSideOffset="0.66959921799" linSideSlope="0.98920224838" linSideOffset="0.01079775162" base="10"/></Log>
</ProcessList>)",
     {
         {{0.0, 0.0, 0.0}, {0.092864, 0.092864, 0.092864}},
         {{0.25, 0.5, 0.75}, {0.497102, 0.582688, 0.633418}},
         {{0.75, 1.0, 0.5}, {0.633418, 0.669599, 0.582688}},
         {{1.0, 1.0, 1.0}, {0.669599, 0.669599, 0.669599}},
     }},
    {"log_logToLin",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Log inBitDepth="32f" outBitDepth="32f" style="logToLin"><LogParams logSideSlope="0.29325513196" logSideOffset="0.66959921799" linSideSlope="0.98920224838" linSideOffset="0.01079775162" base="10"/></Log>
</ProcessList>)",
     {
         {{0.0, 0.0, 0.0}, {-0.005651, -0.005651, -0.005651}},
         {{0.25, 0.5, 0.75}, {0.026571, 0.256005, 1.889644}},
         {{0.75, 1.0, 0.5}, {1.889644, 13.521694, 0.256005}},
         {{1.0, 1.0, 1.0}, {13.521694, 13.521694, 13.521694}},
     }},
    {"log_cameraLinToLog",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Log inBitDepth="32f" outBitDepth="32f" style="cameraLinToLog"><LogParams logSideSlope="0.05707762557" logSideOffset="0.5547945205" linSideBreak="0.0078125"/></Log>
</ProcessList>)",
     {
         {{0.0, 0.0, 0.0}, {0.072906, 0.072906, 0.072906}},
         {{0.25, 0.5, 0.75}, {0.440639, 0.497717, 0.531105}},
         {{1.0, 1.0, 1.0}, {0.554795, 0.554795, 0.554795}},
         {{0.005, 0.0078125, 0.01}, {0.125607, 0.155251, 0.175579}},
     }},
    {"log_cameraLogToLin",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Log inBitDepth="32f" outBitDepth="32f" style="cameraLogToLin"><LogParams logSideSlope="0.25562072336" logSideOffset="0.41055718475" linSideBreak="0.01125" linSideSlope="5.26315789474" linSideOffset="0.05263157895" linearSlope="6.62194371178" base="10"/></Log>
</ProcessList>)",
     {
         {{0.0, 0.0, 0.0}, {-0.014024, -0.014024, -0.014024}},
         {{0.25, 0.5, 0.75}, {0.034735, 0.415263, 4.032681}},
         {{1.0, 1.0, 1.0}, {38.420948, 38.420948, 38.420948}},
         {{0.05, 0.1, 0.15}, {-0.006473, 0.001078, 0.008628}},
     }},
    {"log_channels",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Log inBitDepth="32f" outBitDepth="32f" style="linToLog"><LogParams channel="R" logSideSlope="0.3" logSideOffset="0.6" linSideSlope="0.9" linSideOffset="0.05" base="8"/><LogParams channel="B" linSideSlope="2" linSideOffset="0.1" logSideSlope="0.28" logSideOffset="0.5" base="8"/></Log>
</ProcessList>)",
     {
         {{0.0, 0.0, 0.0}, {0.167807, -42.000000, 0.189953}},
         {{0.25, 0.5, 0.75}, {0.413750, -0.333333, 0.563287}},
         {{0.75, 1.0, 0.5}, {0.553605, 0.000000, 0.512834}},
         {{1.0, 1.0, 1.0}, {0.592600, 0.000000, 0.599903}},
     }},
};

const ClfCase kExponentCases[] = {
    {"exp_basicFwd",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">2 0 0 -1 0 2 0 -1 0 0 2 -1</Array></Matrix>
<Exponent inBitDepth="32f" outBitDepth="32f" style="basicFwd"><ExponentParams exponent="2.4"/></Exponent>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {0.000000, 0.000000, 0.000000}},
         {{0.75, 1.0, 0.375}, {0.189465, 1.000000, 0.000000}},
         {{0.45, 0.55, 0.6}, {0.000000, 0.003981, 0.021012}},
         {{0.51, 0.52, 0.53}, {0.000084, 0.000442, 0.001168}},
     }},
    {"exp_basicRev",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">2 0 0 -1 0 2 0 -1 0 0 2 -1</Array></Matrix>
<Exponent inBitDepth="32f" outBitDepth="32f" style="basicRev"><ExponentParams exponent="2.4"/></Exponent>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {0.000000, 0.000000, 0.000000}},
         {{0.75, 1.0, 0.375}, {0.749154, 1.000000, 0.000000}},
         {{0.45, 0.55, 0.6}, {0.000000, 0.383119, 0.511402}},
         {{0.51, 0.52, 0.53}, {0.195928, 0.261532, 0.309668}},
     }},
    {"exp_basicMirrorFwd",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">2 0 0 -1 0 2 0 -1 0 0 2 -1</Array></Matrix>
<Exponent inBitDepth="32f" outBitDepth="32f" style="basicMirrorFwd"><ExponentParams exponent="0.4"/></Exponent>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {-1.000000, -0.757858, 0.000000}},
         {{0.75, 1.0, 0.375}, {0.757858, 1.000000, -0.574349}},
         {{0.45, 0.55, 0.6}, {-0.398107, 0.398107, 0.525306}},
         {{0.51, 0.52, 0.53}, {0.209128, 0.275946, 0.324534}},
     }},
    {"exp_basicMirrorRev",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">2 0 0 -1 0 2 0 -1 0 0 2 -1</Array></Matrix>
<Exponent inBitDepth="32f" outBitDepth="32f" style="basicMirrorRev"><ExponentParams exponent="0.4"/></Exponent>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {-1.000000, -0.176777, 0.000000}},
         {{0.75, 1.0, 0.375}, {0.176777, 1.000000, -0.031250}},
         {{0.45, 0.55, 0.6}, {-0.003162, 0.003162, 0.017889}},
         {{0.51, 0.52, 0.53}, {0.000057, 0.000320, 0.000882}},
     }},
    {"exp_basicPassThruFwd",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">2 0 0 -1 0 2 0 -1 0 0 2 -1</Array></Matrix>
<Exponent inBitDepth="32f" outBitDepth="32f" style="basicPassThruFwd"><ExponentParams exponent="2.4"/></Exponent>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {-1.000000, -0.500000, 0.000000}},
         {{0.75, 1.0, 0.375}, {0.189465, 1.000000, -0.250000}},
         {{0.45, 0.55, 0.6}, {-0.100000, 0.003981, 0.021012}},
         {{0.51, 0.52, 0.53}, {0.000084, 0.000442, 0.001168}},
     }},
    {"exp_basicPassThruRev",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">2 0 0 -1 0 2 0 -1 0 0 2 -1</Array></Matrix>
<Exponent inBitDepth="32f" outBitDepth="32f" style="basicPassThruRev"><ExponentParams exponent="2.4"/></Exponent>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {-1.000000, -0.500000, 0.000000}},
         {{0.75, 1.0, 0.375}, {0.749154, 1.000000, -0.250000}},
         {{0.45, 0.55, 0.6}, {-0.100000, 0.383119, 0.511402}},
         {{0.51, 0.52, 0.53}, {0.195928, 0.261532, 0.309668}},
     }},
    {"exp_monCurveFwd",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">2 0 0 -1 0 2 0 -1 0 0 2 -1</Array></Matrix>
<Exponent inBitDepth="32f" outBitDepth="32f" style="monCurveFwd"><ExponentParams exponent="2.4" offset="0.055"/></Exponent>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {-0.077380, -0.038690, 0.000000}},
         {{0.75, 1.0, 0.375}, {0.214041, 1.000000, -0.019345}},
         {{0.45, 0.55, 0.6}, {-0.007738, 0.010023, 0.033105}},
         {{0.51, 0.52, 0.53}, {0.001548, 0.003095, 0.004896}},
     }},
    {"exp_monCurveRev",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">2 0 0 -1 0 2 0 -1 0 0 2 -1</Array></Matrix>
<Exponent inBitDepth="32f" outBitDepth="32f" style="monCurveRev"><ExponentParams exponent="2.4" offset="0.055"/></Exponent>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {-12.923210, -6.461605, 0.000000}},
         {{0.75, 1.0, 0.375}, {0.735357, 1.000000, -3.230803}},
         {{0.45, 0.55, 0.6}, {-1.292321, 0.349190, 0.484529}},
         {{0.51, 0.52, 0.53}, {0.151704, 0.220916, 0.271700}},
     }},
    {"exp_monCurveMirrorFwd",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">2 0 0 -1 0 2 0 -1 0 0 2 -1</Array></Matrix>
<Exponent inBitDepth="32f" outBitDepth="32f" style="monCurveMirrorFwd"><ExponentParams exponent="3" offset="0.16"/></Exponent>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {-1.000000, -0.184187, 0.000000}},
         {{0.75, 1.0, 0.375}, {0.184187, 1.000000, -0.044155}},
         {{0.45, 0.55, 0.6}, {-0.011260, 0.011260, 0.029891}},
         {{0.51, 0.52, 0.53}, {0.002214, 0.004428, 0.006642}},
     }},
    {"exp_monCurveMirrorRev",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">2 0 0 -1 0 2 0 -1 0 0 2 -1</Array></Matrix>
<Exponent inBitDepth="32f" outBitDepth="32f" style="monCurveMirrorRev"><ExponentParams exponent="3" offset="0.16"/></Exponent>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {-1.000000, -0.760693, 0.000000}},
         {{0.75, 1.0, 0.375}, {0.760693, 1.000000, -0.570754}},
         {{0.45, 0.55, 0.6}, {-0.378424, 0.378424, 0.518372}},
         {{0.51, 0.52, 0.53}, {0.154872, 0.236714, 0.294125}},
     }},
    {"exp_moncurve_1",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Exponent inBitDepth="32f" outBitDepth="32f" style="monCurveFwd"><ExponentParams exponent="1" offset="0.1"/></Exponent>
</ProcessList>)",
     {
         {{0.0, 0.0, 0.0}, {0.000000, 0.000000, 0.000000}},
         {{0.25, 0.5, 0.75}, {0.227276, 0.454551, 0.681827}},
         {{1.0, 0.25, 0.0}, {0.909102, 0.227276, 0.000000}},
         {{0.75, 1.0, 0.5}, {0.681827, 0.909102, 0.454551}},
     }},
    {"exp_channel_only",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">2 0 0 -1 0 2 0 -1 0 0 2 -1</Array></Matrix>
<Exponent inBitDepth="32f" outBitDepth="32f" style="monCurveRev"><ExponentParams channel="G" exponent="2.2" offset="0.1"/></Exponent>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {-1.000000, -2.146454, 0.000000}},
         {{0.75, 1.0, 0.375}, {0.500000, 1.000000, -0.250000}},
         {{0.45, 0.55, 0.6}, {-0.100000, 0.286231, 0.200000}},
     }},
    {"gamma_ctf",
     "ctf",
     R"(<ProcessList id="t">
<Gamma inBitDepth="16f" outBitDepth="16f" style="basicFwd"><GammaParams gamma="2.2"/></Gamma>
</ProcessList>)",
     {
         {{0.0, 0.0, 0.0}, {0.000000, 0.000000, 0.000000}},
         {{0.25, 0.5, 0.75}, {0.047366, 0.217638, 0.531049}},
         {{1.0, 0.25, 0.0}, {1.000000, 0.047366, 0.000000}},
         {{0.75, 1.0, 0.5}, {0.531049, 1.000000, 0.217638}},
     }},
};

const ClfCase kRangeCases[] = {
    {"range_clamp",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">2 0 0 -1 0 2 0 -1 0 0 2 -1</Array></Matrix>
<Range inBitDepth="32f" outBitDepth="32f"><minInValue>-0.5</minInValue><maxInValue>0.5</maxInValue><minOutValue>0.1</minOutValue><maxOutValue>0.9</maxOutValue></Range>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {0.100000, 0.100000, 0.500000}},
         {{0.75, 1.0, 0.375}, {0.900000, 0.900000, 0.300000}},
         {{0.45, 0.55, 0.6}, {0.420000, 0.580000, 0.660000}},
     }},
    {"range_noclamp",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">2 0 0 -1 0 2 0 -1 0 0 2 -1</Array></Matrix>
<Range inBitDepth="32f" outBitDepth="32f" style="noClamp"><minInValue>-0.5</minInValue><maxInValue>0.5</maxInValue><minOutValue>0.1</minOutValue><maxOutValue>0.9</maxOutValue></Range>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {-0.300000, 0.100000, 0.500000}},
         {{0.75, 1.0, 0.375}, {0.900000, 1.300000, 0.300000}},
         {{0.45, 0.55, 0.6}, {0.420000, 0.580000, 0.660000}},
     }},
    {"range_low_only",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">2 0 0 -1 0 2 0 -1 0 0 2 -1</Array></Matrix>
<Range inBitDepth="32f" outBitDepth="32f"><minInValue>0.2</minInValue><minOutValue>0.2</minOutValue></Range>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {0.200000, 0.200000, 0.200000}},
         {{0.75, 1.0, 0.375}, {0.500000, 1.000000, 0.200000}},
         {{0.45, 0.55, 0.6}, {0.200000, 0.200000, 0.200000}},
     }},
    {"range_high_only",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">2 0 0 -1 0 2 0 -1 0 0 2 -1</Array></Matrix>
<Range inBitDepth="32f" outBitDepth="32f"><maxInValue>0.6</maxInValue><maxOutValue>0.6</maxOutValue></Range>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {-1.000000, -0.500000, 0.000000}},
         {{0.75, 1.0, 0.375}, {0.500000, 0.600000, -0.250000}},
         {{0.45, 0.55, 0.6}, {-0.100000, 0.100000, 0.200000}},
     }},
};

const ClfCase kCdlCases[] = {
    {"cdl_no_style",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">2 0 0 -1 0 2 0 -1 0 0 2 -1</Array></Matrix>
<ASC_CDL inBitDepth="32f" outBitDepth="10i"><SOPNode><Slope>1.2 1 0.8</Slope><Offset>-0.02 0 0.15</Offset><Power>1.05 1.15 1.4</Power></SOPNode><SatNode><Saturation>0.75</Saturation></SatNode></ASC_CDL>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {0.001268, 0.001268, 0.053941}},
         {{0.75, 1.0, 0.375}, {0.632111, 0.958799, 0.208799}},
         {{0.45, 0.55, 0.6}, {0.016161, 0.069257, 0.161696}},
         {{1.0, 1.0, 1.0}, {0.998749, 0.998749, 0.946780}},
     }},
    {"cdl_rev",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<ASC_CDL inBitDepth="32f" outBitDepth="32f" style="Rev"><SOPNode><Slope>1.2 1 0.8</Slope><Offset>-0.02 0 0.15</Offset><Power>1.05 1.15 1.4</Power></SOPNode><SatNode><Saturation>0.75</Saturation></SatNode></ASC_CDL>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {0.016667, 0.311704, 0.675216}},
         {{0.75, 1.0, 0.375}, {0.609528, 1.000000, 0.207641}},
         {{0.45, 0.55, 0.6}, {0.383537, 0.600132, 0.703529}},
         {{1.0, 1.0, 1.0}, {0.850000, 1.000000, 1.000000}},
     }},
    {"cdl_fwd_noclamp",
     "clf",
     R"(<ProcessList id="t" compCLFversion="3.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">2 0 0 -1 0 2 0 -1 0 0 2 -1</Array></Matrix>
<ASC_CDL inBitDepth="32f" outBitDepth="32f" style="FwdNoClamp"><SOPNode><Slope>1.2 1 0.8</Slope><Offset>-0.02 0 0.15</Offset><Power>1.05 1.15 1.4</Power></SOPNode><SatNode><Saturation>0.75</Saturation></SatNode></ASC_CDL>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {-1.067975, -0.527975, -0.100302}},
         {{0.75, 1.0, 0.375}, {0.631208, 0.957896, 0.170396}},
         {{0.45, 0.55, 0.6}, {-0.096280, 0.061816, 0.154255}},
         {{1.0, 1.0, 1.0}, {1.151192, 1.008837, 0.956868}},
     }},
    {"cdl_ctf_v12_fwd",
     "ctf",
     R"(<ProcessList id="t" version="1.3">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">2 0 0 -1 0 2 0 -1 0 0 2 -1</Array></Matrix>
<ASC_CDL inBitDepth="32f" outBitDepth="32f" style="v1.2_Fwd"><SOPNode><Slope>1.2 1 0.8</Slope><Offset>-0.02 0 0.15</Offset><Power>1.05 1.15 1.4</Power></SOPNode><SatNode><Saturation>0.75</Saturation></SatNode></ASC_CDL>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {0.001268, 0.001268, 0.053941}},
         {{0.75, 1.0, 0.375}, {0.632111, 0.958799, 0.208799}},
         {{0.45, 0.55, 0.6}, {0.016161, 0.069257, 0.161696}},
         {{1.0, 1.0, 1.0}, {0.998749, 0.998749, 0.946780}},
     }},
    {"cdl_ctf_noclamprev",
     "ctf",
     R"(<ProcessList id="t" version="1.3">
<ASC_CDL inBitDepth="32f" outBitDepth="32f" style="noClampRev"><SOPNode><Slope>1.2 1 0.8</Slope><Offset>-0.02 0 0.15</Offset><Power>1.05 1.15 1.4</Power></SOPNode><SatNode><Saturation>0.75</Saturation></SatNode></ASC_CDL>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {-0.043028, 0.311704, 0.675216}},
         {{0.75, 1.0, 0.375}, {0.609528, 1.028425, 0.207641}},
         {{0.45, 0.55, 0.6}, {0.383537, 0.600132, 0.703529}},
         {{1.0, 1.0, 1.0}, {0.850000, 1.000000, 1.062500}},
     }},
};

const ClfCase kCineonCases[] = {
    {"log_cineon_logToLin",
     "ctf",
     R"(<ProcessList id="t" version="1.3">
<Log inBitDepth="32f" outBitDepth="32f" style="logToLin"><LogParams gamma="0.6" refWhite="685" refBlack="95" highlight="1.0" shadow="0.0005"/></Log>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {-0.005148, 0.027058, 0.256377}},
         {{0.75, 1.0, 0.375}, {1.889199, 13.515434, 0.089570}},
         {{0.45, 0.55, 0.6}, {0.169752, 0.384651, 0.574601}},
         {{1.0, 1.0, 1.0}, {13.515434, 13.515434, 13.515434}},
     }},
    {"log_cineon_linToLog_channels",
     "ctf",
     R"(<ProcessList id="t" version="1.3">
<Log inBitDepth="32f" outBitDepth="32f" style="linToLog"><LogParams channel="R" gamma="0.6" refWhite="685" refBlack="95" highlight="1.0" shadow="0.0005"/><LogParams channel="G" gamma="0.5" refWhite="700" refBlack="90" highlight="0.9" shadow="0.001"/><LogParams channel="B" gamma="0.7" refWhite="680" refBlack="100" highlight="1.1" shadow="0"/></Log>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {0.086889, 0.549007, 0.551434}},
         {{0.75, 1.0, 0.375}, {0.633397, 0.695417, 0.511008}},
         {{0.45, 0.55, 0.6}, {0.569496, 0.632164, 0.577351}},
         {{1.0, 1.0, 1.0}, {0.669599, 0.695417, 0.650877}},
     }},
};

const ClfCase kInverseCases[] = {
    {"inverse_lut1d",
     "ctf",
     R"(<ProcessList id="t" version="1.3">
<InverseLUT1D inBitDepth="10i" outBitDepth="32f"><Array dim="5 3">0 1023 100  64 700 200  300 400 500  700 100 800  1000 0 1023</Array></InverseLUT1D>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {0.000000, 0.620208, 0.509583}},
         {{0.75, 1.0, 0.375}, {0.806042, 0.000000, 0.403021}},
         {{0.45, 0.55, 0.6}, {0.600219, 0.364458, 0.594833}},
         {{0.1, 0.9, 0.02}, {0.290572, 0.079180, 0.000000}},
     }},
    {"inverse_lut1d_flat",
     "ctf",
     R"(<ProcessList id="t" version="1.3">
<InverseLUT1D inBitDepth="32f" outBitDepth="32f"><Array dim="4 1">0.1 0.1 0.5 0.9</Array></InverseLUT1D>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {0.333333, 0.458333, 0.666667}},
         {{0.75, 1.0, 0.375}, {0.875000, 1.000000, 0.562500}},
         {{0.45, 0.55, 0.6}, {0.625000, 0.708333, 0.750000}},
         {{0.1, 0.9, 0.02}, {0.333333, 1.000000, 0.333333}},
     }},
    {"inverse_lut1d_bumps",
     "ctf",
     R"(<ProcessList id="t" version="1.3">
<InverseLUT1D inBitDepth="32f" outBitDepth="32f"><Array dim="5 3">0.9 0.2 0  0.5 0.2 0.4  0.5 0.5 0.4  0.6 0.4 0.9  0.1 0.9 0.9</Array></InverseLUT1D>
</ProcessList>)",
     {
         {{0.5, 0.5, 0.4}, {0.250000, 0.500000, 0.250000}},
         {{0.4, 0.45, 0.45}, {0.812500, 0.458333, 0.525000}},
         {{0.59375, 0.3, 0.0}, {0.191406, 0.333333, 0.000000}},
         {{0.95, 0.95, 0.2}, {0.000000, 1.000000, 0.125000}},
     }},
};

const ClfCase kExposureCases[] = {
    {"ec_linear",
     "ctf",
     R"(<ProcessList id="t" version="2.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">2 0 0 -1 0 2 0 -1 0 0 2 -1</Array></Matrix>
<ExposureContrast inBitDepth="32f" outBitDepth="32f" style="linear"><ECParams exposure="0.5" contrast="1.4" gamma="1.2" pivot="0.3" logExposureStep="0.1" logMidGray="0.4"/></ExposureContrast>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {0.000000, 0.000000, 0.000000}},
         {{0.75, 1.0, 0.6}, {1.266754, 4.059034, 0.271740}},
         {{0.55, 0.45, 0.9}, {0.084805, 0.000000, 2.790062}},
     }},
    {"ec_linearRev",
     "ctf",
     R"(<ProcessList id="t" version="2.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">2 0 0 -1 0 2 0 -1 0 0 2 -1</Array></Matrix>
<ExposureContrast inBitDepth="32f" outBitDepth="32f" style="linearRev"><ECParams exposure="0.5" contrast="1.4" gamma="1.2" pivot="0.3" logExposureStep="0.1" logMidGray="0.4"/></ExposureContrast>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {0.000000, 0.000000, 0.000000}},
         {{0.75, 1.0, 0.6}, {0.287514, 0.434354, 0.166644}},
         {{0.55, 0.45, 0.9}, {0.110308, 0.000000, 0.380329}},
     }},
    {"ec_video",
     "ctf",
     R"(<ProcessList id="t" version="2.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">2 0 0 -1 0 2 0 -1 0 0 2 -1</Array></Matrix>
<ExposureContrast inBitDepth="32f" outBitDepth="32f" style="video"><ECParams exposure="0.5" contrast="1.4" gamma="1.2" pivot="0.3" logExposureStep="0.1" logMidGray="0.4"/></ExposureContrast>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {0.000000, 0.000000, 0.000000}},
         {{0.75, 1.0, 0.6}, {0.671029, 2.150163, 0.143947}},
         {{0.55, 0.45, 0.9}, {0.044923, 0.000000, 1.477960}},
     }},
    {"ec_videoRev",
     "ctf",
     R"(<ProcessList id="t" version="2.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">2 0 0 -1 0 2 0 -1 0 0 2 -1</Array></Matrix>
<ExposureContrast inBitDepth="32f" outBitDepth="32f" style="videoRev"><ECParams exposure="0.5" contrast="1.4" gamma="1.2" pivot="0.3" logExposureStep="0.1" logMidGray="0.4"/></ExposureContrast>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {0.000000, 0.000000, 0.000000}},
         {{0.75, 1.0, 0.6}, {0.419678, 0.634016, 0.243247}},
         {{0.55, 0.45, 0.9}, {0.161013, 0.000000, 0.555157}},
     }},
    {"ec_log",
     "ctf",
     R"(<ProcessList id="t" version="2.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">2 0 0 -1 0 2 0 -1 0 0 2 -1</Array></Matrix>
<ExposureContrast inBitDepth="32f" outBitDepth="32f" style="log"><ECParams exposure="0.5" contrast="1.4" gamma="1.2" pivot="0.3" logExposureStep="0.1" logMidGray="0.4"/></ExposureContrast>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {-1.918114, -1.078114, -0.238114}},
         {{0.75, 1.0, 0.6}, {0.601886, 1.441886, 0.097886}},
         {{0.55, 0.45, 0.9}, {-0.070114, -0.406114, 1.105886}},
     }},
    {"ec_logRev",
     "ctf",
     R"(<ProcessList id="t" version="2.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">2 0 0 -1 0 2 0 -1 0 0 2 -1</Array></Matrix>
<ExposureContrast inBitDepth="32f" outBitDepth="32f" style="logRev"><ECParams exposure="0.5" contrast="1.4" gamma="1.2" pivot="0.3" logExposureStep="0.1" logMidGray="0.4"/></ExposureContrast>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {-0.447504, -0.149885, 0.147734}},
         {{0.75, 1.0, 0.6}, {0.445353, 0.742972, 0.266782}},
         {{0.55, 0.45, 0.9}, {0.207258, 0.088211, 0.623925}},
     }},
    {"ec_linear_plain",
     "ctf",
     R"(<ProcessList id="t" version="2.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">2 0 0 -1 0 2 0 -1 0 0 2 -1</Array></Matrix>
<ExposureContrast inBitDepth="32f" outBitDepth="32f" style="linear"><ECParams exposure="-0.5" contrast="1" pivot="0.18"/></ExposureContrast>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {-0.707107, -0.353553, 0.000000}},
         {{0.75, 1.0, 0.6}, {0.353553, 0.707107, 0.141421}},
         {{0.55, 0.45, 0.9}, {0.070711, -0.070711, 0.565685}},
     }},
    {"ec_least_contrast_pivot",
     "ctf",
     R"(<ProcessList id="t" version="2.0">
<ExposureContrast inBitDepth="32f" outBitDepth="32f" style="linear"><ECParams exposure="0.5" contrast="-1" pivot="0"/></ExposureContrast>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {0.000000, 0.001006, 0.001007}},
         {{0.75, 1.0, 0.6}, {0.001007, 0.001007, 0.001007}},
         {{0.55, 0.45, 0.9}, {0.001007, 0.001006, 0.001007}},
     }},
};

const ClfCase kFixedFunctionCases[] = {
    {"ff_surround_fwd",
     "ctf",
     R"(<ProcessList id="t" version="2.0">
<FixedFunction inBitDepth="32f" outBitDepth="32f" style="Rec2100SurroundFwd" params="0.78"/>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {0.000000, 0.356550, 0.713100}},
         {{0.75, 1.0, 0.6}, {0.765612, 1.020816, 0.612490}},
         {{0.55, 0.45, 0.9}, {0.639774, 0.523451, 1.046902}},
     }},
    {"ff_surround_rev",
     "ctf",
     R"(<ProcessList id="t" version="2.0">
<FixedFunction inBitDepth="32f" outBitDepth="32f" style="Rec2100SurroundRev" params="0.78"/>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {0.000000, 0.158589, 0.317178}},
         {{0.75, 1.0, 0.6}, {0.730450, 0.973933, 0.584360}},
         {{0.55, 0.45, 0.9}, {0.453084, 0.370705, 0.741410}},
     }},
    {"ff_xyz_to_xyy",
     "ctf",
     R"(<ProcessList id="t" version="2.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">2 0 0 -1 0 2 0 -1 0 0 2 -1</Array></Matrix>
<FixedFunction inBitDepth="32f" outBitDepth="32f" style="XYZ_TO_xyY"/>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {0.666667, 0.333333, -0.500000}},
         {{0.75, 1.0, 0.6}, {0.294118, 0.588235, 1.000000}},
         {{0.55, 0.45, 0.9}, {0.125000, -0.125000, -0.100000}},
     }},
    {"ff_xyy_to_xyz",
     "ctf",
     R"(<ProcessList id="t" version="2.0">
<FixedFunction inBitDepth="32f" outBitDepth="32f" style="xyY_TO_XYZ"/>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {0.000000, 0.500000, 1.500000}},
         {{0.75, 1.0, 0.6}, {0.450000, 0.600000, -0.450000}},
         {{0.55, 0.45, 0.9}, {1.100000, 0.900000, 0.000000}},
     }},
    {"ff_uvy_to_xyz",
     "ctf",
     R"(<ProcessList id="t" version="2.0">
<FixedFunction inBitDepth="32f" outBitDepth="32f" style="uvY_TO_XYZ"/>
</ProcessList>)",
     {
         {{0.0, 0.25, 0.5}, {0.000000, 0.500000, 3.500000}},
         {{0.75, 1.0, 0.6}, {1.012500, 0.600000, -1.537500}},
         {{0.55, 0.45, 0.9}, {2.475000, 0.900000, 0.675000}},
     }},
};

// Inputs through a Matrix that maps 0..1 onto -1..3 (RGB) or -1.5..2.5,
// -1..3, -2..2 (HSV): a channel below 0, the largest and smallest channels
// opposite, greys, above 1; H that wraps, S below 0, above 1, and past
// 1.999, where OpenColorIO holds it; V below 0, 0 and above 1.
const ClfCase kHsvCases[] = {
    {"ff_rgb_to_hsv",
     "ctf",
     R"(<ProcessList id="t" version="2.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">4 0 0 -1 0 4 0 -1 0 0 4 -1</Array></Matrix>
<FixedFunction inBitDepth="32f" outBitDepth="32f" style="RGB_TO_HSV"/>
</ProcessList>)",
     {
         {{0.375, 0.3125, 0.25}, {0.083333, 1.000000, 0.500000}},
         {{0.1875, 0.375, 0.3125}, {0.444444, 1.500000, 0.250000}},
         {{0.3125, 0.0625, 0.375}, {0.800000, 1.666667, -0.250000}},
         {{0.125, 0.1875, 0.0625}, {0.250000, 0.666667, -1.000000}},
         {{0.375, 0.3125, 0.125}, {0.125000, 2.000000, 0.000000}},
         {{0.4375, 0.4375, 0.4375}, {0.000000, 0.000000, 0.750000}},
         {{0.125, 0.125, 0.125}, {0.000000, 0.000000, -1.000000}},
         {{0.875, 0.625, 1.0}, {0.777778, 0.500000, 3.000000}},
         {{0.375, 0.25, 0.3125}, {0.916667, 1.000000, 0.500000}},
         {{0.25, 0.25, 0.25}, {0.000000, 0.000000, 0.000000}},
     }},
    {"ff_hsv_to_rgb",
     "ctf",
     R"(<ProcessList id="t" version="2.0">
<Matrix inBitDepth="32f" outBitDepth="32f"><Array dim="3 4">4 0 0 -1.5 0 4 0 -1 0 0 4 -2</Array></Matrix>
<FixedFunction inBitDepth="32f" outBitDepth="32f" style="HSV_to_RGB"/>
</ProcessList>)",
     {
         {{0.453125, 0.375, 0.6875}, {0.421875, 0.750000, 0.375000}},
         {{0.703125, 0.375, 0.6875}, {0.421875, 0.750000, 0.375000}},
         {{0.203125, 0.375, 0.6875}, {0.421875, 0.750000, 0.375000}},
         {{0.609375, 0.3125, 0.625}, {0.500000, 0.375000, 0.421875}},
         {{0.515625, 0.125, 0.6875}, {0.750000, 0.750000, 0.750000}},
         {{0.421875, 0.625, 0.625}, {0.812500, 1.000000, -0.500000}},
         {{0.546875, 0.625, 0.375}, {-0.812500, -1.000000, 0.500000}},
         {{0.578125, 0.375, 0.25}, {-0.375000, -0.666667, -0.333333}},
         {{0.484375, 0.875, 0.5625}, {-249.738312, 249.988312, 62.590820}},
         {{0.390625, 0.5, 0.9375}, {1.750000, 0.656250, 0.000000}},
         {{0.4375, 0.625, 0.5}, {0.000000, 0.000000, 0.000000}},
     }},
};

// A transform that frees what it holds; large, so kept on the heap.
struct Held {
    PrepTransform t{};
    ~Held() { PrepFreeTransform(&t); }
};

int Read(const std::string &text, const char *extension, Held *held, PrepError *error,
         PrepWarnings *warnings = nullptr) {
    std::string file = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + text + "\n";
    PrepFamily family = PrepFamilyOfName((std::string("grade.") + extension).c_str());
    PrepReadOptions options{};
    return PrepParseTransform(file.data(), file.size(), family, options, &held->t, warnings, error);
}

// ociobakelut prints 6 decimals of a float computation: half a unit of the
// last decimal, and float's precision on large values.
double Tolerance(double reference) { return 2e-6 * std::max(1.0, std::fabs(reference)); }

void ExpectAsOcio(const ClfCase &c) {
    SCOPED_TRACE(c.name);
    auto held = std::make_unique<Held>();
    PrepError error{};
    ASSERT_EQ(Read(c.text, c.extension, held.get(), &error), 0) << "line " << error.line << ": " << error.text;
    for (const ClfProbe &p : c.probes) {
        double rgb[3] = {p.in[0], p.in[1], p.in[2]};
        PrepApplyTransform(&held->t, kPrepTetrahedral, rgb);
        for (int ch = 0; ch < 3; ch++) {
            EXPECT_NEAR(rgb[ch], p.out[ch], Tolerance(p.out[ch]))
                << "channel " << ch << " at " << p.in[0] << " " << p.in[1] << " " << p.in[2];
        }
    }
}

// The refusal of text: its line and a part of its reason.
void ExpectRefused(const std::string &text, const char *extension, int64_t line, const char *cause) {
    SCOPED_TRACE(text);
    auto held = std::make_unique<Held>();
    PrepError error{};
    ASSERT_EQ(Read(text, extension, held.get(), &error), -1);
    EXPECT_EQ(error.line, line) << error.text;
    EXPECT_NE(std::string(error.text).find(cause), std::string::npos) << error.text;
    EXPECT_EQ(held->t.count, 0);
}

const char kClf3[] = "<ProcessList id=\"t\" compCLFversion=\"3.0\">\n";
const char kWiden[] =
    "<Matrix inBitDepth=\"32f\" outBitDepth=\"32f\"><Array dim=\"3 4\">2 0 0 -1 0 2 0 -1 0 0 2 -1</Array></Matrix>\n";

// A LUT1D over the half-float domain: entry k is k (out of 65535), or the
// negation of the half value of k given as its pattern (rawHalfs).
std::string HalfDomainFile(bool negate) {
    std::string text = kClf3;
    if (negate) {
        text += kWiden;
        text += "<LUT1D inBitDepth=\"32f\" outBitDepth=\"32f\" halfDomain=\"true\" rawHalfs=\"true\">";
    } else {
        text += "<LUT1D inBitDepth=\"16f\" outBitDepth=\"16i\" halfDomain=\"true\">";
    }
    text += "<Array dim=\"65536 1\">";
    for (int k = 0; k < 65536; k++) {
        bool special = (k & 0x7c00) == 0x7c00;  // infinities and NaNs kept as they are
        text += std::to_string(negate && !special ? k ^ 0x8000 : k) + " ";
    }
    return text + "</Array></LUT1D>\n</ProcessList>";
}

}  // namespace

// The bit depths scale the numbers of the file: a table's outputs by the
// output depth (10i: 1023 is 1), a matrix's coefficients by in over out and
// its offsets by out, a range's ends each by its side; a table's input always
// spans 0..1, and an Exponent's parameters are not scaled.
TEST(PrepClf, BitDepthsScaleTheNumbersAsOpenColorIOReadsThem) {
    for (const ClfCase &c : kBitDepthCases) ExpectAsOcio(c);
}

// A LUT3D's Array runs blue fastest; a trilinear one interpolates so even
// where the command asks for tetrahedral; a 4x4 or 4x5 matrix drops alpha,
// except CTF's older "4 4 3", a 3x3 matrix with offsets; an IndexMap is a
// range before the table in CLF 2 and ignored in CLF 3; a "dw3" hue
// adjustment sets the middle channel back between the others (of equal
// values, the last counts as the largest, the first as the smallest).
TEST(PrepClf, TablesAndMatricesInTheirForms) {
    for (const ClfCase &c : kTableCases) ExpectAsOcio(c);
}

TEST(PrepClf, EachLogStyle) {
    for (const ClfCase &c : kLogCases) ExpectAsOcio(c);
}

TEST(PrepClf, EachExponentStyle) {
    for (const ClfCase &c : kExponentCases) ExpectAsOcio(c);
}

TEST(PrepClf, RangesClampAsTheirStyleSays) {
    for (const ClfCase &c : kRangeCases) ExpectAsOcio(c);
}

// An InverseLUT1D (CTF only) is the inverse of its table, whose values are
// of the input's depth: falling tables too; a value that turns back is held
// at the one before it; a flat run inverts to its first entry, or, at the
// table's start, to where the table leaves it.
TEST(PrepClf, InverseLut1dInvertsItsTable) {
    for (const ClfCase &c : kInverseCases) ExpectAsOcio(c);
    ExpectRefused(std::string(kClf3) +
                      "<InverseLUT1D inBitDepth=\"32f\" outBitDepth=\"32f\"><Array dim=\"2 1\">0 1</Array>"
                      "</InverseLUT1D>\n</ProcessList>",
                  "clf", 3, "the process node InverseLUT1D is not in CLF files");
}

// CTF's ExposureContrast in each style: linear and video raise the ratio
// to the pivot to contrast times gamma (none below 0), log scales about
// its log pivot; contrast and pivot are at least 0.001; OpenColorIO's
// logRev shifts by the default exposure step whatever the file gives.
TEST(PrepClf, ExposureContrastInEachStyle) {
    for (const ClfCase &c : kExposureCases) ExpectAsOcio(c);
    ExpectRefused(std::string(kClf3) +
                      "<ExposureContrast inBitDepth=\"32f\" outBitDepth=\"32f\" style=\"linear\">"
                      "<ECParams exposure=\"1\" contrast=\"1\" pivot=\"0.18\"/></ExposureContrast>\n</ProcessList>",
                  "clf", 3, "the process node ExposureContrast is not in CLF files");
    ExpectRefused(
        "<ProcessList id=\"t\" version=\"2.0\">\n<ExposureContrast inBitDepth=\"32f\" outBitDepth=\"32f\" "
        "style=\"linear\">\n<ECParams exposure=\"1\" pivot=\"0.18\"/></ExposureContrast>\n</ProcessList>",
        "ctf", 4, "an ExposureContrast without contrast");
}

// CTF's FixedFunction in the styles read; the others are refused by name.
TEST(PrepClf, FixedFunctionStylesReadAndTheOthersRefused) {
    for (const ClfCase &c : kFixedFunctionCases) ExpectAsOcio(c);
    ExpectRefused(
        "<ProcessList id=\"t\" version=\"2.0\">\n<FixedFunction inBitDepth=\"32f\" outBitDepth=\"32f\" "
        "style=\"ACES_Glow03\"/>\n</ProcessList>",
        "ctf", 3, "a FixedFunction of style \"ACES_Glow03\" is not supported");
    ExpectRefused(
        "<ProcessList id=\"t\" version=\"2.0\">\n<FixedFunction inBitDepth=\"32f\" outBitDepth=\"32f\" "
        "style=\"Rec2100SurroundFwd\"/>\n</ProcessList>",
        "ctf", 3, "takes one parameter, its gamma");
}

// OpenColorIO's HSV reaches below 0 and above 1; its inverse gives back
// every RGB but where the largest and smallest channels are opposite: there
// V is 0 and S 2, held at 1.999, and HSV_TO_RGB gives black. (ociobakelut
// is not asked for the round trip: its optimiser drops the pair.)
TEST(PrepClf, HsvBothWaysAndBack) {
    for (const ClfCase &c : kHsvCases) ExpectAsOcio(c);
    auto held = std::make_unique<Held>();
    PrepError error{};
    ASSERT_EQ(Read("<ProcessList id=\"t\" version=\"2.0\">\n"
                   "<FixedFunction inBitDepth=\"32f\" outBitDepth=\"32f\" style=\"RGB_TO_HSV\"/>\n"
                   "<FixedFunction inBitDepth=\"32f\" outBitDepth=\"32f\" style=\"HSV_TO_RGB\"/>\n</ProcessList>",
                   "ctf", held.get(), &error),
              0)
        << error.text;
    for (int k = 0; k < 13 * 13 * 13; k++) {
        double in[3] = {k % 13 * 0.25 - 1.0, k / 13 % 13 * 0.25 - 1.0, k / 169 * 0.25 - 1.0};
        double hi = std::max({in[0], in[1], in[2]}), lo = std::min({in[0], in[1], in[2]});
        bool opposite = hi > 0.0 && hi + lo == 0.0;
        double rgb[3] = {in[0], in[1], in[2]};
        PrepApplyTransform(&held->t, kPrepTetrahedral, rgb);
        for (int c = 0; c < 3; c++) {
            EXPECT_NEAR(rgb[c], opposite ? 0.0 : in[c], 1e-12)
                << "channel " << c << " at " << in[0] << " " << in[1] << " " << in[2];
        }
    }
}

// An ASC_CDL without a style clamps (Fwd), unlike the correction of an ASC
// CDL file; CTF's names of the styles are the same styles; bit depths do
// not scale it.
TEST(PrepClf, AscCdlStylesAndItsClampingDefault) {
    for (const ClfCase &c : kCdlCases) ExpectAsOcio(c);
}

// The Cineon-style LogParams of CTF files, for all channels or per channel.
TEST(PrepClf, CineonStyleLogParams) {
    for (const ClfCase &c : kCineonCases) ExpectAsOcio(c);
}

// What OpenColorIO skips with a warning is skipped with one here: an
// element that is no process node, an IndexMap past CLF 2. NaN in a table
// is a "nonfinite" warning.
TEST(PrepClf, WhatIsSkippedIsWarnedAbout) {
    auto held = std::make_unique<Held>();
    PrepError error{};
    PrepWarnings warnings{};
    ASSERT_EQ(Read(std::string(kClf3) + "<Extra>more</Extra>\n"
                                        "<LUT1D inBitDepth=\"10i\" outBitDepth=\"10i\">\n"
                                        "<IndexMap dim=\"2\">64@0 940@2</IndexMap>\n"
                                        "<Array dim=\"3 1\">0 nan 1023</Array></LUT1D>\n</ProcessList>",
                   "clf", held.get(), &error, &warnings),
              0)
        << error.text;
    EXPECT_EQ(held->t.count, 1);  // the table alone
    ASSERT_EQ(warnings.count, 2);
    EXPECT_EQ(warnings.list[0].code, kPrepWarnIgnored);
    EXPECT_EQ(warnings.list[0].line, 3);
    EXPECT_EQ(warnings.list[0].count, 2);
    EXPECT_NE(std::string(warnings.list[0].text).find("Extra"), std::string::npos) << warnings.list[0].text;
    EXPECT_EQ(warnings.list[1].code, kPrepWarnNonfinite);
    EXPECT_EQ(warnings.list[1].line, 6);
}

// Entry k of a halfDomain LUT1D is the output at the half-float of pattern
// k, negative inputs included; between two half values it is linear.
TEST(PrepClf, HalfDomainTablesIndexByTheHalfFloatPattern) {
    ExpectAsOcio({"half_domain",
                  "clf",
                  HalfDomainFile(false).c_str(),
                  {{{0.0, 0.0, 0.0}, {0.000000, 0.000000, 0.000000}},
                   {{0.25, 0.5, 0.75}, {0.203128, 0.218753, 0.226566}},
                   {{1.0, 0.25, 0.0}, {0.234379, 0.203128, 0.000000}},
                   {{0.3, 0.01, 0.9}, {0.206253, 0.129377, 0.231254}}}});
    ExpectAsOcio({"half_domain_raw",
                  "clf",
                  HalfDomainFile(true).c_str(),
                  {{{0.0, 0.25, 0.5}, {1.000000, 0.500000, 0.000000}},
                   {{0.75, 1.0, 0.375}, {-0.500000, -1.000000, 0.250000}},
                   {{0.45, 0.55, 0.6}, {0.100000, -0.100000, -0.200000}},
                   {{0.2, 0.3, 0.4}, {0.600000, 0.400000, 0.200000}}}});
}

// OpenColorIO keeps a table's NaN as 0 and an infinity as the largest
// float: its bake of this file gives 0, 3.4e38 and -3.4e38 at the last
// three entries' inputs.
TEST(PrepClf, NonFiniteTableValuesAsOpenColorIOKeepsThem) {
    auto held = std::make_unique<Held>();
    PrepError error{};
    ASSERT_EQ(Read(std::string(kClf3) +
                       "<LUT1D inBitDepth=\"32f\" outBitDepth=\"32f\"><Array dim=\"4 3\">\n"
                       "NAN -NAN -NAN NaN nan INF inf inFInity -inf -infinity 0 0</Array></LUT1D>\n</ProcessList>",
                   "clf", held.get(), &error),
              0)
        << error.text;
    double rgb[3] = {1.0 / 3.0, 2.0 / 3.0, 1.0};
    PrepApplyTransform(&held->t, kPrepTetrahedral, rgb);
    EXPECT_EQ(rgb[0], 0.0);
    EXPECT_EQ(rgb[1], FLT_MAX);
    EXPECT_EQ(rgb[2], 0.0);
    double last[3] = {1.0, 1.0, 1.0};
    PrepApplyTransform(&held->t, kPrepTetrahedral, last);
    EXPECT_EQ(last[0], -FLT_MAX);
}

// Each refusal names its cause at the line of the element to blame.
TEST(PrepClf, ProcessNodesNotReadAreRefusedByName) {
    const std::string ctf = "<ProcessList id=\"t\" version=\"2.0\">\n" + std::string(kWiden);
    ExpectRefused(ctf +
                      "<GradingTone inBitDepth=\"32f\" outBitDepth=\"32f\" style=\"linear\">"
                      "<Shadows rgb=\"1 1 1\" master=\"1\" start=\"0\" pivot=\"0.2\"/></GradingTone>\n</ProcessList>",
                  "ctf", 4, "the process node GradingTone is not supported");
    ExpectRefused(ctf + "<GradingPrimary inBitDepth=\"32f\" outBitDepth=\"32f\" style=\"log\"/>\n</ProcessList>", "ctf",
                  4, "the process node GradingPrimary is not supported");
    ExpectRefused(ctf +
                      "<InverseLUT3D inBitDepth=\"32f\" outBitDepth=\"32f\"><Array dim=\"2 2 2 3\">0 0 0 0 0 1 0 1 0 "
                      "0 1 1 1 0 0 1 0 1 1 1 0 1 1 1</Array></InverseLUT3D>\n</ProcessList>",
                  "ctf", 4, "the process node InverseLUT3D is not supported");
    // Log and Exponent came with CLF 3, Log with CTF 1.3.
    ExpectRefused(
        "<ProcessList id=\"t\" compCLFversion=\"2.0\">\n<Log inBitDepth=\"32f\" outBitDepth=\"32f\" "
        "style=\"log2\"/>\n</ProcessList>",
        "clf", 3, "the process node Log is not in CLF 2");
    ExpectRefused(
        "<ProcessList id=\"t\" compCLFversion=\"2\">\n<Exponent inBitDepth=\"32f\" outBitDepth=\"32f\" "
        "style=\"basicFwd\"><ExponentParams exponent=\"2\"/></Exponent>\n</ProcessList>",
        "clf", 3, "the process node Exponent is not in CLF 2");
    ExpectRefused(
        "<ProcessList id=\"t\" version=\"1.2\">\n<Log inBitDepth=\"32f\" outBitDepth=\"32f\" "
        "style=\"log2\"/>\n</ProcessList>",
        "ctf", 3, "the process node Log is not in CTF version 1.2");
}

TEST(PrepClf, TheProcessListAndItsBitDepthsAreChecked) {
    ExpectRefused("<ProcessList compCLFversion=\"3\">\n" + std::string(kWiden) + "</ProcessList>", "clf", 2,
                  "the ProcessList has no id");
    ExpectRefused("<ProcessList id=\"t\">\n" + std::string(kWiden) + "</ProcessList>", "clf", 2,
                  "a .clf ProcessList without compCLFversion");
    ExpectRefused("<ProcessList id=\"t\" compCLFversion=\"3.2\">\n" + std::string(kWiden) + "</ProcessList>", "clf", 2,
                  "compCLFversion 3.2");
    ExpectRefused("<ProcessList id=\"t\" version=\"2.2\">\n" + std::string(kWiden) + "</ProcessList>", "ctf", 2,
                  "version 2.2");
    ExpectRefused("<clf:ProcessList xmlns:clf=\"urn:AMPAS:CLF:v3.0\" id=\"t\" compCLFversion=\"3\">\n" +
                      std::string(kWiden) + "</clf:ProcessList>",
                  "clf", 2, "the root element is clf:ProcessList");
    ExpectRefused(std::string(kClf3) + "<Description>none</Description>\n</ProcessList>", "clf", 2, "no process node");
    ExpectRefused(std::string(kClf3) + kWiden +
                      "<LUT1D inBitDepth=\"16f\" outBitDepth=\"32f\"><Array dim=\"2 1\">0 1</Array></LUT1D>\n"
                      "</ProcessList>",
                  "clf", 4, "inBitDepth 16f is not the outBitDepth 32f of the node before (line 3)");
    ExpectRefused(std::string(kClf3) +
                      "<LUT1D inBitDepth=\"32f\" outBitDepth=\"11i\"><Array dim=\"2 1\">0 1</Array></LUT1D>\n"
                      "</ProcessList>",
                  "clf", 3, "outBitDepth is \"11i\"");
    // A .clf that gives a CTF version is read by CTF's rules.
    auto held = std::make_unique<Held>();
    PrepError error{};
    EXPECT_EQ(Read("<ProcessList id=\"t\" version=\"2.0\">\n" + std::string(kWiden) + "</ProcessList>", "clf",
                   held.get(), &error),
              0)
        << error.text;
}

// An Array is checked against its dim before anything is allocated for it,
// so a few bytes cannot ask for a large table.
TEST(PrepClf, ArraysMustHoldWhatTheirDimSays) {
    const std::string lut3d = std::string(kClf3) + "<LUT3D inBitDepth=\"32f\" outBitDepth=\"32f\">\n";
    ExpectRefused(std::string(kClf3) +
                      "<Matrix inBitDepth=\"32f\" outBitDepth=\"32f\">\n<Array dim=\"3 3\">1 0 0</Array></Matrix>\n"
                      "</ProcessList>",
                  "clf", 4, "holds 3 values; its dim needs 9");
    ExpectRefused(std::string(kClf3) +
                      "<Matrix inBitDepth=\"32f\" outBitDepth=\"32f\">\n<Array dim=\"3 3\">1 0 0\n0 1 0\n0 0 1\n"
                      "1</Array></Matrix>\n</ProcessList>",
                  "clf", 7, "more than the 9 values of its dim");
    ExpectRefused(std::string(kClf3) +
                      "<LUT1D inBitDepth=\"32f\" outBitDepth=\"32f\">\n<Array dim=\"3 1\">\n0\n0.5x\n1</Array>"
                      "</LUT1D>\n</ProcessList>",
                  "clf", 6, "'0.5x' in an Array is not a number");
    ExpectRefused(std::string(kClf3) +
                      "<LUT1D inBitDepth=\"32f\" outBitDepth=\"32f\">\n<Array dim=\"2 1\">0 1e39</Array>"
                      "</LUT1D>\n</ProcessList>",
                  "clf", 4, "beyond the range of a float");
    // A LUT3D's Array is read once, yet refused in the order of a check
    // before the table: its count and its fields before a number beyond a
    // float, then a CLF 2 IndexMap, then that number.
    const std::string eight = "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0";
    ExpectRefused(lut3d + "<Array dim=\"2 2 2 3\">\n1e39 " + eight + "</Array></LUT3D>\n</ProcessList>", "clf", 5,
                  "more than the 24 values of its dim");
    ExpectRefused(lut3d + "<Array dim=\"2 2 2 3\">1e39 " + eight.substr(2) + "\nx</Array></LUT3D>\n</ProcessList>",
                  "clf", 5, "'x' in an Array is not a number");
    ExpectRefused(
        lut3d + "<Array dim=\"2 2 2 3\">\n0 0 0\n1e39 " + eight.substr(8) + "</Array></LUT3D>\n</ProcessList>", "clf",
        6, "1e+39 in the Array of the LUT3D is beyond the range of a float");
    ExpectRefused(
        "<ProcessList id=\"t\" compCLFversion=\"2.0\">\n<LUT3D inBitDepth=\"32f\" outBitDepth=\"32f\">\n"
        "<IndexMap dim=\"2\">0@0</IndexMap><Array dim=\"2 2 2 3\">1e39 " +
            eight.substr(2) + "</Array></LUT3D>\n</ProcessList>",
        "clf", 4, "an IndexMap of other than two entries");
    ExpectRefused(lut3d + "<Array dim=\"2 2 3 3\">0</Array></LUT3D>\n</ProcessList>", "clf", 4,
                  "a 3D LUT is \"n n n 3\"");
    ExpectRefused(lut3d + "<Array dim=\"257 257 257 3\">0</Array></LUT3D>\n</ProcessList>", "clf", 4,
                  "a 3D LUT is \"n n n 3\"");
    ExpectRefused(lut3d + "<Array dim=\"255 255 255 3\">0 0 0</Array></LUT3D>\n</ProcessList>", "clf", 4,
                  "holds 3 values; its dim needs 49744125");
    ExpectRefused(lut3d + "<Array dim=\"2 2 2 3 1\">0</Array></LUT3D>\n</ProcessList>", "clf", 4, "not 1 to 4 sizes");
    ExpectRefused(std::string(kClf3) +
                      "<LUT1D inBitDepth=\"32f\" outBitDepth=\"32f\">\n<Array dim=\"1 1\">0.5</Array>"
                      "</LUT1D>\n</ProcessList>",
                  "clf", 4, "a 1D LUT is 2 or more rows of 1 or 3");
    ExpectRefused(std::string(kClf3) +
                      "<LUT1D inBitDepth=\"16f\" outBitDepth=\"16f\" halfDomain=\"true\">\n<Array dim=\"2 1\">0 1"
                      "</Array></LUT1D>\n</ProcessList>",
                  "clf", 4, "a halfDomain LUT1D of 2 entries: it needs 65536");
    // Only CLF 2 reads an IndexMap, of two entries.
    ExpectRefused(
        "<ProcessList id=\"t\" compCLFversion=\"2.0\">\n<LUT1D inBitDepth=\"10i\" outBitDepth=\"10i\">\n"
        "<IndexMap dim=\"3\">0@0 512@1 1023@2</IndexMap><Array dim=\"3 1\">0 1 2</Array></LUT1D>\n"
        "</ProcessList>",
        "clf", 4, "an IndexMap of other than two entries");
}

TEST(PrepClf, ParametersOutsideWhatOpenColorIOTakesAreRefused) {
    const std::string clf3 = kClf3;
    ExpectRefused(clf3 +
                      "<Exponent inBitDepth=\"32f\" outBitDepth=\"32f\" style=\"monCurveFwd\">\n"
                      "<ExponentParams exponent=\"0.99\" offset=\"0.1\"/></Exponent>\n</ProcessList>",
                  "clf", 4, "the monCurve styles take exponents from 1 to 10");
    ExpectRefused(clf3 +
                      "<Exponent inBitDepth=\"32f\" outBitDepth=\"32f\" style=\"basicFwd\">\n"
                      "<ExponentParams exponent=\"2\" offset=\"0\"/></Exponent>\n</ProcessList>",
                  "clf", 4, "an offset in an Exponent of a basic style");
    ExpectRefused(clf3 + "<Exponent inBitDepth=\"32f\" outBitDepth=\"32f\" style=\"gammaFwd\"/>\n</ProcessList>", "clf",
                  3, "the Exponent's style \"gammaFwd\" is none of its styles");
    ExpectRefused(clf3 +
                      "<Log inBitDepth=\"32f\" outBitDepth=\"32f\" style=\"cameraLinToLog\">\n"
                      "<LogParams logSideSlope=\"0.05\"/></Log>\n</ProcessList>",
                  "clf", 3, "a camera Log style without linSideBreak");
    ExpectRefused(clf3 +
                      "<Log inBitDepth=\"32f\" outBitDepth=\"32f\" style=\"linToLog\">\n"
                      "<LogParams linSideBreak=\"0.01\"/></Log>\n</ProcessList>",
                  "clf", 3, "linSideBreak in a Log of a style other than");
    ExpectRefused(clf3 +
                      "<Range inBitDepth=\"32f\" outBitDepth=\"32f\">\n<minInValue>0.2</minInValue>"
                      "<minOutValue>0.3</minOutValue></Range>\n</ProcessList>",
                  "clf", 3, "needs them equal");
    ExpectRefused(clf3 +
                      "<Range inBitDepth=\"32f\" outBitDepth=\"32f\" style=\"noClamp\">\n"
                      "<minInValue>0.2</minInValue><minOutValue>0.2</minOutValue></Range>\n</ProcessList>",
                  "clf", 3, "a noClamp Range needs all four values");
    ExpectRefused(clf3 +
                      "<Range inBitDepth=\"32f\" outBitDepth=\"32f\">\n<minInValue>0.5</minInValue>"
                      "<maxInValue>0.5</maxInValue><minOutValue>0</minOutValue><maxOutValue>1</maxOutValue></Range>\n"
                      "</ProcessList>",
                  "clf", 3, "maxInValue is not above its minInValue");
    ExpectRefused(clf3 +
                      "<LUT1D inBitDepth=\"32f\" outBitDepth=\"32f\" interpolation=\"cubic\">\n"
                      "<Array dim=\"2 1\">0 1</Array></LUT1D>\n</ProcessList>",
                  "clf", 3, "only linear is read");
    ExpectRefused(clf3 +
                      "<LUT3D inBitDepth=\"32f\" outBitDepth=\"32f\" interpolation=\"linear\">\n"
                      "<Array dim=\"2 2 2 3\">0 0 0 0 0 1 0 1 0 0 1 1 1 0 0 1 0 1 1 1 0 1 1 1</Array></LUT3D>\n"
                      "</ProcessList>",
                  "clf", 3, "trilinear or tetrahedral");
    ExpectRefused(
        "<ProcessList id=\"t\" version=\"1.2\">\n<Matrix inBitDepth=\"32f\" outBitDepth=\"32f\">"
        "<Array dim=\"3 4 3\">1 0 0 0 0 1 0 0 0 0 1 0</Array></Matrix>\n</ProcessList>",
        "ctf", 3, "this CTF version's matrices are");
}
