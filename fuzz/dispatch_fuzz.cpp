// The command dispatch (DispatchWord) on a sequence of words, against a
// scripted device library whose results and reply texts come from the
// input.
//
// Input: the console's input text, a NUL, then the script. The text is
// split into words by the console's own word reader (at most 63 bytes each;
// a longer one runs nothing) and at most kMaxWords of them run, as the loop
// runs them: replies cleared, the word dispatched, and an "exit" word ends
// the sequence. Each device call takes its result from the script: one
// byte read as a signed number, or 0x7F and four bytes of a 32-bit one
// (little-endian). A call that writes a reply then takes a length byte n:
// n % 66 below 64 writes that many script bytes and a terminator, 64 fills
// the whole 64-byte buffer with no terminator, 65 writes nothing. Once the
// script is used up, KX_DEV_Init finds one device, every other call returns
// 0, and replies are "LB-3D100".
//
// Every file a command reads or writes lies in a scratch directory, which
// holds a LUT file of each family, a hex gamma file, a bitstream and an
// empty file (Files), and nothing else once an input has run; a '/' or
// '\' in a word becomes '_', so no word reaches outside it. Standard input
// is an empty file, so the self-test's pause never waits, and standard
// output is kept per word for the checks.
//
// Checked, besides the sanitizers (a reply buffer too small for the 64
// bytes a call may write, a table sent from memory that does not hold its
// rows): every call gets the session's device context; no output line is
// longer than a label and a whole reply; and "load:" sends no table once
// the file type or point count failed, says "Communicate fail!" then, and
// says "Load Lut success." only for a send that succeeded.
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "console/command_table.h"
#include "console/console_loop.h"
#include "console/word_reader.h"
#include "device/device_api.h"
#include "device/device_entries.h"
#include "device/session.h"
#include "fuzz/fuzz_support.h"
#include "lut/lut_tables.h"

namespace {

constexpr int kMaxWords = 32;
// The longest label a reply is printed behind is shorter than this.
constexpr size_t kLongestLine = kReplySize + 32;

struct Call {
    DeviceEntryId entry;
    int32_t result;
    bool tableSent;
};

Session *TheSession;
const uint8_t *ScriptAt;
const uint8_t *ScriptEnd;
std::vector<Call> Calls;  // of the current word

int32_t Answer(DeviceEntryId entry, void *ctx, bool tableSent = false) {
    FUZZ_CHECK(ctx == TheSession->DeviceContext);
    int32_t result = entry == Entry_KX_DEV_Init ? 1 : 0;
    if (ScriptAt < ScriptEnd) {
        uint8_t b = *ScriptAt++;
        if (b == 0x7F && ScriptEnd - ScriptAt >= 4) {
            uint32_t raw =
                ScriptAt[0] | ScriptAt[1] << 8 | ScriptAt[2] << 16 | static_cast<uint32_t>(ScriptAt[3]) << 24;
            memcpy(&result, &raw, sizeof result);
            ScriptAt += 4;
        } else {
            result = static_cast<int8_t>(b);
        }
    }
    Calls.push_back({entry, result, tableSent});
    return result;
}

void WriteReply(char *text) {
    if (ScriptAt == ScriptEnd) {
        snprintf(text, kReplySize, "LB-3D100");
        return;
    }
    int length = *ScriptAt++ % (kReplySize + 2);
    if (length > kReplySize) return;
    for (int i = 0; i < length; i++) text[i] = ScriptAt < ScriptEnd ? static_cast<char>(*ScriptAt++) : '?';
    if (length < kReplySize) text[length] = '\0';
}

// What each shape of call does with its buffers, as the library would: read
// what it is given, write what it fills.
int32_t Shape_CTX(DeviceEntryId e, void *ctx) { return Answer(e, ctx); }
int32_t Shape_INDEX(DeviceEntryId e, void *ctx, int32_t) { return Answer(e, ctx); }
int32_t Shape_VALUE(DeviceEntryId e, void *ctx, int32_t) { return Answer(e, ctx); }
int32_t Shape_INDEX_VALUE(DeviceEntryId e, void *ctx, int32_t, int32_t) { return Answer(e, ctx); }
int32_t Shape_INDEX_OUT_VALUE(DeviceEntryId e, void *ctx, int32_t, int32_t *value) {
    *value = 0x1234;
    return Answer(e, ctx);
}
int32_t Shape_INDEX_TEXT(DeviceEntryId e, void *ctx, int32_t, char *text) {
    int32_t result = Answer(e, ctx);
    WriteReply(text);
    return result;
}
int32_t Shape_SEL_PARAM_TEXT(DeviceEntryId e, void *ctx, int32_t, int32_t, char *text) {
    int32_t result = Answer(e, ctx);
    WriteReply(text);
    return result;
}
int32_t Shape_INDEX_LEVELS(DeviceEntryId e, void *ctx, int32_t, float *levels) {
    volatile float sink = levels[0] + levels[1] + levels[2];
    (void)sink;
    return Answer(e, ctx);
}
int32_t Shape_INDEX_OUT_LEVELS(DeviceEntryId e, void *ctx, int32_t, float *levels) {
    levels[0] = levels[1] = levels[2] = 0.5f;
    return Answer(e, ctx);
}
template <typename T>
int32_t SendTable(DeviceEntryId e, void *ctx, const T *table) {
    volatile T sink = 0;
    for (int i = 0; i < 3 * LutRowsOfEntry(e); i++) sink = table[i];
    (void)sink;
    return Answer(e, ctx, true);
}
template <typename T>
int32_t FillTable(DeviceEntryId e, void *ctx, T *table) {
    for (int i = 0; i < 3 * LutRowsOfEntry(e); i++) table[i] = 0;
    return Answer(e, ctx);
}
int32_t Shape_INDEX_FLOAT_LUT(DeviceEntryId e, void *ctx, int32_t, float *table) { return SendTable(e, ctx, table); }
int32_t Shape_INDEX_INT_LUT(DeviceEntryId e, void *ctx, int32_t, int16_t *table) { return SendTable(e, ctx, table); }
int32_t Shape_INDEX_OUT_FLOAT_LUT(DeviceEntryId e, void *ctx, int32_t, float *table) {
    return FillTable(e, ctx, table);
}
int32_t Shape_INDEX_OUT_INT_LUT(DeviceEntryId e, void *ctx, int32_t, int16_t *table) {
    return FillTable(e, ctx, table);
}

#define KX_DEV_ENTRY(name, shape) \
    int32_t Fake_##name KX_PARAMS_##shape { return Shape_##shape(Entry_##name, KX_ARGS_##shape); }
#include "device/device_api_list.h"
#undef KX_DEV_ENTRY

// The files of the scratch directory, made once; whatever else a command
// leaves there is removed after each input.
struct ScratchFile {
    const char *name;
    std::string bytes;
};
std::vector<ScratchFile> Files;

enum RowForm { kCubeRow, kCsvRow, k3dlRow };

// The rows of the smallest cube, an identity, red fastest.
std::string CubeRows(RowForm form) {
    int points = kLut3dSizes[0].points;
    float scale = 1.0f / static_cast<float>(points - 1);
    std::string text;
    char row[96];
    for (int b = 0; b < points; b++) {
        for (int g = 0; g < points; g++) {
            for (int r = 0; r < points; r++) {
                if (form == kCubeRow) {
                    snprintf(row, sizeof row, "%f %f %f\n", r * scale, g * scale, b * scale);
                } else if (form == kCsvRow) {
                    snprintf(row, sizeof row, "%d,%d,%d,%f,%f,%f\n", r, g, b, r * scale, g * scale, b * scale);
                } else {
                    snprintf(row, sizeof row, "%d %d %d\n", r * 64, g * 64, b * 64);
                }
                text += row;
            }
        }
    }
    return text;
}

// The 3dl mesh line of the smallest cube: its input positions on 10 bits.
std::string MeshLine() {
    int points = kLut3dSizes[0].points;
    std::string line;
    for (int i = 0; i < points; i++) line += std::to_string(i * 1023 / (points - 1)) + (i + 1 < points ? " " : "\n");
    return line;
}

void MakeFiles() {
    std::string gamma;
    for (int i = 0; i < 1024; i++) gamma += std::to_string(i * 4) + "\r\n";
    std::string bitstream;
    for (int i = 0; i < 1000; i++) bitstream += static_cast<char>(i * 7);
    Files = {
        {"a.cube", "TITLE \"fuzz\"\nLUT_3D_SIZE " + std::to_string(kLut3dSizes[0].points) + "\n" + CubeRows(kCubeRow)},
        {"a.csv", "R,G,B\n" + CubeRows(kCsvRow)},
        {"a.3dl", MeshLine() + CubeRows(k3dlRow)},
        {"g.hex", gamma},
        {"f.bit", bitstream},
        {"e.bit", ""},
    };
    for (const ScratchFile &file : Files) {
        FuzzWriteFile(file.name, reinterpret_cast<const uint8_t *>(file.bytes.data()), file.bytes.size());
    }
}

void RemoveLeftovers() {
    DIR *dir = opendir(".");
    FUZZ_CHECK(dir != nullptr);
    std::vector<std::string> leftovers;
    while (dirent *entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        bool kept = false;
        for (const ScratchFile &file : Files) kept = kept || name == file.name;
        if (!kept) leftovers.push_back(name);
    }
    closedir(dir);
    for (const std::string &name : leftovers) FUZZ_CHECK(remove(name.c_str()) == 0);
}

char Output[1 << 20];
int HomeDir = -1;
int ScratchDir = -1;
// The console's 3D table, as the console's run holds one.
Lut3dTable ConsoleLut;
bool Echo;

void SetUp() {
    HomeDir = open(".", O_RDONLY | O_DIRECTORY);
    ScratchDir = open(FuzzScratchDir().c_str(), O_RDONLY | O_DIRECTORY);
    FUZZ_CHECK(HomeDir >= 0 && ScratchDir >= 0);
    MakeFiles();
    FuzzWriteFile("stdin", nullptr, 0);
    Files.push_back({"stdin", ""});
    FUZZ_CHECK(freopen((FuzzScratchDir() + "/stdin").c_str(), "r", stdin) != nullptr);
    // The C library lets stdout be set like any variable; printf then writes
    // here.
    stdout = fmemopen(Output, sizeof Output, "w");
    FUZZ_CHECK(stdout != nullptr);
    Echo = getenv("FUZZ_DISPATCH_ECHO") != nullptr;

    DeviceApiTable fakes;
#define KX_DEV_ENTRY(name, shape) fakes.name = Fake_##name;
#include "device/device_api_list.h"
#undef KX_DEV_ENTRY
    InstallDeviceApi(fakes);
    static Session session;
    TheSession = &session;
}

bool Contains(const char *text, size_t size, const char *part) {
    return memmem(text, size, part, strlen(part)) != nullptr;
}

void CheckWord(const char *word, const char *output, size_t size) {
    size_t lineStart = 0;
    for (size_t i = 0; i <= size; i++) {
        if (i == size || output[i] == '\n') {
            FUZZ_CHECK(i - lineStart <= kLongestLine);
            lineStart = i + 1;
        }
    }

    // The command that ran: a word may hold "load:" behind an earlier
    // keyword, and the replies other commands print may hold any text.
    const CommandRow *row = FindCommand(word);
    if (row == nullptr || strcmp(row->keyword, "load:") != 0) return;
    bool preparationFailed = false;
    const Call *lastSend = nullptr;
    for (const Call &call : Calls) {
        if (call.tableSent) {
            FUZZ_CHECK(!preparationFailed);
            lastSend = &call;
        }
        if ((call.entry == Entry_KX_DEV_Set3DLUT_FileType || call.entry == Entry_KX_DEV_Set3DLUT_Points) &&
            call.result < 0) {
            preparationFailed = true;
        }
    }
    if (preparationFailed) FUZZ_CHECK(Contains(output, size, "Communicate fail!"));
    if (Contains(output, size, "Load Lut success.")) FUZZ_CHECK(lastSend != nullptr && lastSend->result >= 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const bool setUp = (SetUp(), true);
    (void)setUp;

    const uint8_t *nul = static_cast<const uint8_t *>(memchr(data, '\0', size));
    size_t textSize = nul != nullptr ? static_cast<size_t>(nul - data) : size;
    std::string text(reinterpret_cast<const char *>(data), textSize);
    ScriptAt = nul != nullptr ? nul + 1 : data + size;
    ScriptEnd = data + size;

    FUZZ_CHECK(fchdir(ScratchDir) == 0);
    Session &session = *TheSession;
    static char context[64];
    StartSession(session, context);
    // Every input starts with the file type of a fresh run.
    session.Lut3d = &ConsoleLut;
    ConsoleLut.fileType = kLut3dFileTypeCsvOr3dl;
    // Until the first word is read the buffer holds the self-test keyword,
    // as the loop's does.
    char word[kCommandBufferSize] = {};
    memcpy(word, kLoaderTestKeyword, sizeof kLoaderTestKeyword);
    FILE *words = FuzzOpenBytes(text);
    for (int n = 0; n < kMaxWords; n++) {
        ClearReplies(session);
        WordResult read = ReadCommandWord(words, word, kMaxWordLength);
        if (read == kWordEnd) break;
        if (read == kWordTooLong) continue;
        for (char *c = word; *c != '\0'; c++) {
            if (*c == '/' || *c == '\\') *c = '_';
        }
        Calls.clear();
        rewind(stdout);
        bool goOn = DispatchWord(session, word);
        fflush(stdout);
        long written = ftell(stdout);
        FUZZ_CHECK(written >= 0 && static_cast<size_t>(written) < sizeof Output);
        if (Echo) fprintf(stderr, "%s\n%.*s", word, static_cast<int>(written), Output);
        CheckWord(word, Output, static_cast<size_t>(written));
        if (!goOn) break;
    }
    fclose(words);
    RemoveLeftovers();
    FUZZ_CHECK(fchdir(HomeDir) == 0);
    return 0;
}
