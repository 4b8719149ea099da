// lutbox: the console tool for testing and servicing the LUT loader box.
// It takes no options; everything comes from the typed commands.
#include "console/console_loop.h"
#include "platform/platform.h"

int main() {
    PlatformIgnoreFileSizeSignal();
    PlatformUseGbkConsole();
    return RunConsole();
}
