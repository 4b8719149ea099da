#include "device/port_test_commands.h"

// Matched and not yet carried out: the command does nothing.
void CmdUsbTest(const char *) {}
void CmdEthTest(const char *) {}
void CmdLoaderTest(const char *) {}
