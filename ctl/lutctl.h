// lutctl's run: the options, the device library, one command, the status.
#pragma once

// Returns the exit status (kExitOk ... kExitNoLibrary of ctl_output.h);
// after an interrupt the process ends as the interrupt ends it, once the
// box is closed.
int RunLutctl(int argc, char **argv);
