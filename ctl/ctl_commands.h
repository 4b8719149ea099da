// lutctl's commands. Each runs on the session it is given, with the device
// library bound, opens the box at most once and closes it once
// (CloseRunSession, also after an interrupt), and returns the exit status.
#pragma once

#include "ctl/ctl_options.h"
#include "ctl/ctl_output.h"
#include "device/lut_download.h"
#include "device/port_test.h"
#include "device/session.h"
#include "lut/lut3d_reader.h"

int RunInfo(Session &session, const CtlOptions &options);
int RunSelftest(Session &session, const CtlOptions &options);
int RunLoad(Session &session, const CtlOptions &options);
// watch (ctl_watch.cpp): ends only by an interrupt, or when the box or the
// watch cannot be opened.
int RunWatch(Session &session, const CtlOptions &options);
// set, reset-fpga and erase-luts.
int RunSetting(Session &session, const CtlOptions &options);
// patch and patchgen (ctl_patchgen.cpp).
int RunPatch(Session &session, const CtlOptions &options);
int RunPatchgen(Session &session, const CtlOptions &options);

// Shared by the commands: watches session (so that the close runs on every
// path from here on, an interrupt included) and opens the box with
// KX_DEV_Init; the count, negative after a failure, which is reported on
// standard error.
int32_t OpenBox(Session &session);

// The box reader's reason for refusing a file, with the line and column
// where it stands, in the run's language.
void RefusalText(const Lut3dReport &report, char *out, size_t size);

// One row's three values as text: floats with nine significant digits
// (enough to tell any two apart), integers in decimal.
void RowText(const LutRow &row, bool intTable, char *out, size_t size);

// A reading of the box, shown by info and, for the four identity readings,
// by the self-test: its key in JSON and in the record, its label in the
// text, info's query, and which identity reading of a test port it is
// (-1: none).
struct CtlReading {
    const char *key;
    Text label;
    int32_t (*query)(Session &, char *);
    int32_t identity;
    const char *entry;  // the device library's entry the query calls
};
// The row of an identity reading.
const CtlReading &ReadingOfIdentity(IdentityReadingId identity);
