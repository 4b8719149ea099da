// lutctl: the LUT loader box from scripts and on the production line. One
// command per run, a result on standard output and in the exit status.
#include "ctl/lutctl.h"

#include "platform/platform.h"

// The arguments as UTF-8 (on Windows from the wide command line, so that
// any file name can be given), and file names opened as UTF-8.
int main(int argc, char **argv) {
    PlatformUseUtf8Arguments(argc, argv);
    return RunLutctl(argc, argv);
}
