// The main routine: start-up, the prompt-and-dispatch loop and shutdown.
#pragma once

#include <cstddef>

// Allocates the DeviceContext block at start-up: the C library's malloc,
// replaceable so that a test can make the allocation fail.
extern void *(*AllocateDeviceContext)(size_t size);

// Returns the process exit status: 0 after "exit" (or the end of input),
// -1 after a start-up failure.
int RunConsole();
