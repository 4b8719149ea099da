/*
 * The simulated box: a stand-in for the box maker's KX_DEV_LUTLOADER.dll,
 * exporting the same 42 entry points, so that the tool can be used and
 * tested without hardware.
 *
 * The box keeps for the life of the process whether it is open (through
 * KX_DEV_Init, or one of the two test ports) and what its Get entries read
 * back: the FPGA registers, the mode, the channel levels and the LUT last
 * stored. Other settings are checked for their range and then forgotten.
 *
 * Four environment variables, read by the box alone:
 *   KXSIM_JOURNAL=FILE  every call appends one line "NAME ARG... => RESULT"
 *                       to FILE, flushed at once;
 *   KXSIM_RESULTS=NAME=V1/V2/...,NAME=...  the k-th call of NAME returns Vk;
 *                       a negative Vk fails the call without doing its work,
 *                       a non-negative one does the work and returns Vk;
 *   KXSIM_TEXT=TEXT     every call that writes a reply writes TEXT in place
 *                       of its own; a TEXT of 64 bytes or more fills the
 *                       whole 64-byte buffer with its first 64 bytes and no
 *                       terminator (a reply the tool must still bound);
 *   KXSIM_FLIP=N        the LUT Get entries read the stored table back with
 *                       the lowest bit of its value N flipped (counted from
 *                       0 over the rows' values, three a row), as a box whose
 *                       flash lost a bit would (the table kept is unchanged).
 *
 * The LUT Get entries read back the table the last send stored when its
 * size and kind (float or integer) match theirs, and fail otherwise.
 */
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "device/device_api_shapes.h"
#include "device/device_entries.h"
#include "device/device_selectors.h"
#include "lut/lut_tables.h"

namespace {

const char *const kEntryNames[kDeviceEntryCount] = {
#define KX_DEV_ENTRY(name, shape) #name,
#include "device/device_api_list.h"
#undef KX_DEV_ENTRY
};

// What the box reports back: the open ports, the registers and settings
// its Get entries read, and the last LUT stored.
struct BoxState {
    bool open;
    bool usbOpen;
    bool ethOpen;
    int32_t reg1;
    int32_t reg3;  // the LUT point count register
    int32_t hdmiOut;
    int32_t mode;
    float levels[3];
    int32_t lutRows;
    bool lutIsInt;
    float lutFloat[kLut3dMaxRows * 3];
    int16_t lutInt[kLut3dMaxRows * 3];
};

BoxState Box;

const char kProductName[] = "LB-3D100";
const char kSerialNumber[] = "KX3D-2611-00427";
const char kMcuVersion[] = "V1.04.2 2026-09-18";
const char kUsbFileName[] = "LUT_FILM_33P.cube";
const char kLmh0341Format[] = "1080p50 3G-SDI Level A";
const char kFpgaVersion[] = "FPGA V2.3.1 2026-10-02";

// ---- injected results -------------------------------------------------

constexpr int kMaxInjected = 32;

struct Injection {
    int count;
    int32_t values[kMaxInjected];
};

Injection Injected[kDeviceEntryCount];
int CallCount[kDeviceEntryCount];
bool InjectionsParsed = false;

// What a test gave KXSIM_Restart, in place of the environment.
bool Restarted = false;
char RestartResults[4096];
char RestartJournal[4096];

const char *Results() { return Restarted ? RestartResults : getenv("KXSIM_RESULTS"); }
const char *JournalPath() { return Restarted ? RestartJournal : getenv("KXSIM_JOURNAL"); }

void ParseInjections() {
    InjectionsParsed = true;
    const char *spec = Results();
    if (spec == nullptr) return;
    const char *p = spec;
    while (*p != '\0') {
        const char *itemEnd = strchr(p, ',');
        if (itemEnd == nullptr) itemEnd = p + strlen(p);
        const char *eq = static_cast<const char *>(memchr(p, '=', static_cast<size_t>(itemEnd - p)));
        if (eq != nullptr) {
            size_t nameLen = static_cast<size_t>(eq - p);
            for (int e = 0; e < kDeviceEntryCount; e++) {
                if (strlen(kEntryNames[e]) != nameLen || memcmp(kEntryNames[e], p, nameLen) != 0) continue;
                Injection &inj = Injected[e];
                inj.count = 0;
                const char *v = eq + 1;
                while (v < itemEnd && inj.count < kMaxInjected) {
                    char *after = nullptr;
                    long value = strtol(v, &after, 10);
                    if (after == v) break;
                    inj.values[inj.count++] = static_cast<int32_t>(value);
                    v = after;
                    if (v < itemEnd && *v == '/') v++;
                }
            }
        }
        p = *itemEnd == ',' ? itemEnd + 1 : itemEnd;
    }
}

// True when this call's result is injected; *value receives it.
bool NextInjected(DeviceEntryId entry, int32_t *value) {
    if (!InjectionsParsed) ParseInjections();
    int k = CallCount[entry]++;
    if (k >= Injected[entry].count) return false;
    *value = Injected[entry].values[k];
    return true;
}

// ---- journal ----------------------------------------------------------

void Journal(DeviceEntryId entry, const char *args, int32_t result, const char *text) {
    const char *path = JournalPath();
    if (path == nullptr || *path == '\0') return;
    FILE *f = fopen(path, "ab");
    if (f == nullptr) return;
    fprintf(f, "%s%s%s => %d", kEntryNames[entry], *args ? " " : "", args, static_cast<int>(result));
    // A reply need not be terminated within its 64 bytes; never read past them.
    if (text != nullptr) fprintf(f, " \"%.*s\"", kReplySize, text);
    fputs("\n", f);
    fclose(f);
}

// FNV-1a, 64 bits, over the rows' bytes as they lie in memory.
uint64_t HashBytes(const void *data, size_t size) {
    const unsigned char *p = static_cast<const unsigned char *>(data);
    uint64_t h = 14695981039346656037ull;
    for (size_t i = 0; i < size; i++) {
        h ^= p[i];
        h *= 1099511628211ull;
    }
    return h;
}

// Runs one call: the injected result, or the box's own work; then the journal.
template <typename Work>
int32_t Run(DeviceEntryId entry, const char *args, const char *text, Work work) {
    int32_t injected = 0;
    bool isInjected = NextInjected(entry, &injected);
    int32_t result;
    bool wroteText = false;
    if (isInjected && injected < 0) {
        result = injected;
    } else {
        result = work();
        wroteText = text != nullptr && result >= 0;
        if (isInjected) result = injected;
    }
    Journal(entry, args, result, wroteText ? text : nullptr);
    return result;
}

int32_t WriteText(char *text, const char *value) {
    if (text == nullptr) return -1;
    const char *forced = getenv("KXSIM_TEXT");
    if (forced != nullptr) {
        if (strlen(forced) >= static_cast<size_t>(kReplySize)) {
            memcpy(text, forced, kReplySize);
            return 0;
        }
        value = forced;
    }
    snprintf(text, kReplySize, "%s", value);
    return 0;
}

// ---- the box's own work, one function per entry point -------------------

int32_t Sim_KX_DEV_Init() {
    Box.open = true;
    return 1;  // one box found
}
int32_t Sim_KX_DEV_DeInit() {
    Box.open = Box.usbOpen = Box.ethOpen = false;
    return 0;
}
int32_t Sim_KX_DEV_TestUSB_Init() {
    Box.usbOpen = true;
    return 0;
}
int32_t Sim_KX_DEV_TestETH_Init() {
    Box.ethOpen = true;
    return 0;
}

int32_t Sim_KX_DEV_GetName(int32_t, char *text) { return Box.open ? WriteText(text, kProductName) : -1; }
int32_t Sim_KX_DEV_GetSN(int32_t, char *text) { return Box.open ? WriteText(text, kSerialNumber) : -1; }
int32_t Sim_KX_DEV_GetLMH0341Format(int32_t, char *text) { return Box.open ? WriteText(text, kLmh0341Format) : -1; }
int32_t Sim_KX_DEV_TestUSB_GetName(int32_t, char *text) { return Box.usbOpen ? WriteText(text, kProductName) : -1; }
int32_t Sim_KX_DEV_TestETH_GetName(int32_t, char *text) { return Box.ethOpen ? WriteText(text, kProductName) : -1; }
int32_t Sim_KX_DEV_TestUSB_GetSN(int32_t, char *text) { return Box.usbOpen ? WriteText(text, kSerialNumber) : -1; }
int32_t Sim_KX_DEV_TestETH_GetSN(int32_t, char *text) { return Box.ethOpen ? WriteText(text, kSerialNumber) : -1; }

// The selectors the tool uses; the W25Qxxx ID asked with the manufacturer-ID
// parameter is the manufacturer and device ID, otherwise the JEDEC ID.
int32_t DevicePara(int32_t selector, int32_t param, char *text) {
    switch (selector) {
    case kSelectUsbFileName:
        return WriteText(text, kUsbFileName);
    case kSelectW25qId:
        return WriteText(text, param == kW25qManufacturerId ? "EF17" : "EF4018");
    case kSelectS25FId:
        return WriteText(text, "010219");
    case kSelectMcuVersion:
        return WriteText(text, kMcuVersion);
    default:
        return -1;
    }
}
int32_t Sim_KX_DEV_GetDevicePara(int32_t selector, int32_t param, char *text) {
    return Box.open ? DevicePara(selector, param, text) : -1;
}
int32_t Sim_KX_DEV_TestUSB_GetDevicePara(int32_t selector, int32_t param, char *text) {
    return Box.usbOpen ? DevicePara(selector, param, text) : -1;
}
int32_t Sim_KX_DEV_TestETH_GetDevicePara(int32_t selector, int32_t param, char *text) {
    return Box.ethOpen ? DevicePara(selector, param, text) : -1;
}

// Selectors: 1 reads the register named by the parameter (1, 3 or 4),
// 2 the FPGA version.
int32_t Sim_KX_DEV_GetFPGAPara(int32_t selector, int32_t param, char *text) {
    if (!Box.open || text == nullptr) return -1;
    if (selector == 2) return WriteText(text, kFpgaVersion);
    if (selector != 1) return -1;
    int32_t value;
    switch (param) {
    case 1:
        value = Box.reg1;
        break;
    case 3:
        value = Box.reg3;
        break;
    case 4:
        value = Box.hdmiOut;
        break;
    default:
        return -1;
    }
    char reply[kReplySize];
    snprintf(reply, sizeof reply, "REG%d=0x%04X", static_cast<int>(param), static_cast<unsigned>(value));
    return WriteText(text, reply);
}

int32_t Sim_KX_DEV_SetMode(int32_t, int32_t value) {
    if (!Box.open) return -1;
    Box.mode = value;
    return 0;
}
int32_t Sim_KX_DEV_GetMode(int32_t, int32_t *value) {
    if (!Box.open || value == nullptr) return -1;
    *value = Box.mode;
    return 0;
}
int32_t Sim_KX_DEV_SetChVal(int32_t, float *levels) {
    if (!Box.open || levels == nullptr) return -1;
    memcpy(Box.levels, levels, sizeof Box.levels);
    return 0;
}
int32_t Sim_KX_DEV_GetChVal(int32_t, float *levels) {
    if (!Box.open || levels == nullptr) return -1;
    memcpy(levels, Box.levels, sizeof Box.levels);
    return 0;
}
int32_t Sim_KX_DEV_Set3DLUT_FileType(int32_t, int32_t value) {
    (void)value;
    return Box.open ? 0 : -1;
}
int32_t Sim_KX_DEV_Set3DLUT_Points(int32_t, int32_t value) {
    if (!Box.open) return -1;
    Box.reg3 = value;
    return 0;
}
// Source codes 0 to 4 (SMPTE, USER, SDI, HDMI, CALIB); LUT modes 0 to 4.
int32_t Sim_KX_DEV_SetSourceMode(int32_t, int32_t value) { return Box.open && value >= 0 && value <= 4 ? 0 : -1; }
int32_t Sim_KX_DEV_SetLutCtrlStatus(int32_t, int32_t value) { return Box.open && value >= 0 && value <= 4 ? 0 : -1; }
int32_t Sim_KX_DEV_SetFPGAReset(int32_t) { return Box.open ? 0 : -1; }
int32_t Sim_KX_DEV_SetFPGAREG1(int32_t, int32_t value) {
    if (!Box.open) return -1;
    Box.reg1 = value;
    return 0;
}
int32_t Sim_KX_DEV_SetMCUI2C1Init(int32_t) { return Box.open ? 0 : -1; }
int32_t Sim_KX_DEV_Set_W25QXX_All_Chip_Erase(int32_t) {
    if (!Box.open) return -1;
    Box.lutRows = 0;
    return 0;
}
// Reset state 1 releases the FPGA, 2 holds it in reset.
int32_t Sim_KX_DEV_Set_FPGAResetStatus(int32_t value) { return Box.open && (value == 1 || value == 2) ? 0 : -1; }
// LED states: 0 off, 1 all red, 2 all green; works through any open port.
int32_t Sim_KX_DEV_Set_IndicatorLEDStatus(int32_t value) {
    return (Box.open || Box.usbOpen || Box.ethOpen) && value >= 0 && value <= 2 ? 0 : -1;
}
int32_t Sim_KX_DEV_Set_HDMIOutStatus(int32_t value) {
    if (!Box.open) return -1;
    Box.hdmiOut = value;
    return 0;
}

int32_t StoreFloatLut(int rows, const float *table) {
    if (!Box.open || table == nullptr) return -1;
    memcpy(Box.lutFloat, table, static_cast<size_t>(rows) * 3 * sizeof(float));
    Box.lutIsInt = false;
    Box.lutRows = rows;
    return 0;
}
int32_t StoreIntLut(int rows, const int16_t *table) {
    if (!Box.open || table == nullptr) return -1;
    memcpy(Box.lutInt, table, static_cast<size_t>(rows) * 3 * sizeof(int16_t));
    Box.lutIsInt = true;
    Box.lutRows = rows;
    return 0;
}
// The value KXSIM_FLIP names, or -1 (none, or not a value of rows rows).
long FlippedValue(int rows) {
    const char *flip = getenv("KXSIM_FLIP");
    if (flip == nullptr || *flip == '\0') return -1;
    char *end = nullptr;
    long value = strtol(flip, &end, 10);
    return *end == '\0' && value >= 0 && value < static_cast<long>(rows) * 3 ? value : -1;
}
// Flips the lowest bit of the value's first byte in memory: its lowest bit
// on the little-endian machines the box's library runs on.
void FlipLowestBit(void *table, long value, size_t valueSize) {
    static_cast<unsigned char *>(table)[static_cast<size_t>(value) * valueSize] ^= 1u;
}
int32_t ReadFloatLut(int rows, float *table) {
    if (!Box.open || table == nullptr || Box.lutIsInt || Box.lutRows != rows) return -1;
    memcpy(table, Box.lutFloat, static_cast<size_t>(rows) * 3 * sizeof(float));
    long flipped = FlippedValue(rows);
    if (flipped >= 0) FlipLowestBit(table, flipped, sizeof(float));
    return 0;
}
int32_t ReadIntLut(int rows, int16_t *table) {
    if (!Box.open || table == nullptr || !Box.lutIsInt || Box.lutRows != rows) return -1;
    memcpy(table, Box.lutInt, static_cast<size_t>(rows) * 3 * sizeof(int16_t));
    long flipped = FlippedValue(rows);
    if (flipped >= 0) FlipLowestBit(table, flipped, sizeof(int16_t));
    return 0;
}

// ---- argument text of the journal, one formatter per shape ---------------

struct Args {
    char text[96];
};

Args Format(const char *format, ...) {
    Args a;
    va_list ap;
    va_start(ap, format);
    vsnprintf(a.text, sizeof a.text, format, ap);
    va_end(ap);
    return a;
}

template <typename Row>
Args LutArgs(int32_t index, int rows, const Row *table) {
    if (table == nullptr) return Format("%d lut:null", static_cast<int>(index));
    uint64_t h = HashBytes(table, static_cast<size_t>(rows) * 3 * sizeof(Row));
    return Format("%d lut:%d:%016llx", static_cast<int>(index), rows, static_cast<unsigned long long>(h));
}

// ---- dispatch by shape ------------------------------------------------------

int32_t Dispatch_CTX(DeviceEntryId entry, int32_t (*work)(), void *) { return Run(entry, "", nullptr, work); }
int32_t Dispatch_INDEX(DeviceEntryId entry, int32_t (*work)(int32_t), void *, int32_t index) {
    return Run(entry, Format("%d", static_cast<int>(index)).text, nullptr, [&] { return work(index); });
}
int32_t Dispatch_VALUE(DeviceEntryId entry, int32_t (*work)(int32_t), void *, int32_t value) {
    return Run(entry, Format("%d", static_cast<int>(value)).text, nullptr, [&] { return work(value); });
}
int32_t Dispatch_INDEX_VALUE(DeviceEntryId entry, int32_t (*work)(int32_t, int32_t), void *, int32_t index,
                             int32_t value) {
    return Run(entry, Format("%d %d", static_cast<int>(index), static_cast<int>(value)).text, nullptr,
               [&] { return work(index, value); });
}
int32_t Dispatch_INDEX_OUT_VALUE(DeviceEntryId entry, int32_t (*work)(int32_t, int32_t *), void *, int32_t index,
                                 int32_t *value) {
    return Run(entry, Format("%d @out", static_cast<int>(index)).text, nullptr, [&] { return work(index, value); });
}
int32_t Dispatch_INDEX_TEXT(DeviceEntryId entry, int32_t (*work)(int32_t, char *), void *, int32_t index, char *text) {
    return Run(entry, Format("%d @buf", static_cast<int>(index)).text, text, [&] { return work(index, text); });
}
int32_t Dispatch_SEL_PARAM_TEXT(DeviceEntryId entry, int32_t (*work)(int32_t, int32_t, char *), void *,
                                int32_t selector, int32_t param, char *text) {
    return Run(entry, Format("%d %d @buf", static_cast<int>(selector), static_cast<int>(param)).text, text,
               [&] { return work(selector, param, text); });
}
int32_t Dispatch_INDEX_LEVELS(DeviceEntryId entry, int32_t (*work)(int32_t, float *), void *, int32_t index,
                              float *levels) {
    Args a = levels == nullptr ? Format("%d null", static_cast<int>(index))
                               : Format("%d %g,%g,%g", static_cast<int>(index), static_cast<double>(levels[0]),
                                        static_cast<double>(levels[1]), static_cast<double>(levels[2]));
    return Run(entry, a.text, nullptr, [&] { return work(index, levels); });
}
int32_t Dispatch_INDEX_OUT_LEVELS(DeviceEntryId entry, int32_t (*work)(int32_t, float *), void *, int32_t index,
                                  float *levels) {
    return Run(entry, Format("%d @out", static_cast<int>(index)).text, nullptr, [&] { return work(index, levels); });
}
int32_t Dispatch_INDEX_FLOAT_LUT(DeviceEntryId entry, int32_t (*work)(int32_t, float *), void *, int32_t index,
                                 float *table) {
    return Run(entry, LutArgs(index, LutRowsOfEntry(entry), table).text, nullptr, [&] { return work(index, table); });
}
int32_t Dispatch_INDEX_OUT_FLOAT_LUT(DeviceEntryId entry, int32_t (*work)(int32_t, float *), void *, int32_t index,
                                     float *table) {
    return Run(entry, Format("%d @out", static_cast<int>(index)).text, nullptr, [&] { return work(index, table); });
}
int32_t Dispatch_INDEX_INT_LUT(DeviceEntryId entry, int32_t (*work)(int32_t, int16_t *), void *, int32_t index,
                               int16_t *table) {
    return Run(entry, LutArgs(index, LutRowsOfEntry(entry), table).text, nullptr, [&] { return work(index, table); });
}
int32_t Dispatch_INDEX_OUT_INT_LUT(DeviceEntryId entry, int32_t (*work)(int32_t, int16_t *), void *, int32_t index,
                                   int16_t *table) {
    return Run(entry, Format("%d @out", static_cast<int>(index)).text, nullptr, [&] { return work(index, table); });
}

// The LUT entries share their work by the table kind; each size's entries
// take that size's rows.
#define LUT3D_SIZE(points, floatLayout, intLayout, floatSend, floatRead, intSend, intRead)            \
    int32_t Sim_##floatSend(int32_t, float *t) { return StoreFloatLut(points * points * points, t); } \
    int32_t Sim_##floatRead(int32_t, float *t) { return ReadFloatLut(points * points * points, t); }  \
    int32_t Sim_##intSend(int32_t, int16_t *t) { return StoreIntLut(points * points * points, t); }   \
    int32_t Sim_##intRead(int32_t, int16_t *t) { return ReadIntLut(points * points * points, t); }
#include "lut/lut3d_size_list.h"
#undef LUT3D_SIZE

}  // namespace

// For tests that drive the tool in-process, where the environment would be
// read once: starts the box anew (closed, nothing stored, no call counted)
// with results in the form of KXSIM_RESULTS and the journal file given
// (either may be empty: none).
extern "C" void KXSIM_Restart(const char *results, const char *journal) {
    Restarted = true;
    snprintf(RestartResults, sizeof RestartResults, "%s", results);
    snprintf(RestartJournal, sizeof RestartJournal, "%s", journal);
    memset(&Box, 0, sizeof Box);
    memset(Injected, 0, sizeof Injected);
    memset(CallCount, 0, sizeof CallCount);
    InjectionsParsed = false;
}

// The exports. `name` is expanded here, so a test build can rename one
// entry point (-DKX_DEV_GetMode=...) to make a library that lacks it.
#define KX_DEV_ENTRY(name, shape) \
    extern "C" int32_t name KX_PARAMS_##shape { return Dispatch_##shape(Entry_##name, Sim_##name, KX_ARGS_##shape); }
#include "device/device_api_list.h"
#undef KX_DEV_ENTRY
