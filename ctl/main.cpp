// lutctl: the LUT loader box from scripts and on the production line. One
// command per run, a result on standard output and in the exit status.
#include "ctl/lutctl.h"

int main(int argc, char **argv) { return RunLutctl(argc, argv); }
