// lutctl's commands. Each opens the box once and closes it once
// (CloseRunSession, also after an interrupt), runs on RunSession with the
// device library bound, and returns the exit status.
#pragma once

#include "ctl/ctl_options.h"

int RunInfo(const CtlOptions &options);
int RunSelftest(const CtlOptions &options);
int RunLoad(const CtlOptions &options);
// set, reset-fpga and erase-luts.
int RunSetting(const CtlOptions &options);

// Shared by the commands: catches interrupts (so that the close runs on
// every path from here on) and opens the box with KX_DEV_Init; the count,
// negative after a failure, which is reported on standard error.
int32_t OpenBox();
