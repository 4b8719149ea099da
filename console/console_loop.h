// The main routine: start-up, the prompt-and-dispatch loop and shutdown.
#pragma once

// Returns the process exit status: 0 after "exit" (or the end of input),
// -1 after a start-up failure.
int RunConsole();
