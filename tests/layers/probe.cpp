// Compiled as a file of one library is: with a header of its own layer it must build, with a
// header of a layer above it must not (the header is not found).
#include GV_PROBE_HEADER
