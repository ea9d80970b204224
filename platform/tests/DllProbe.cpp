// A library of the loader's tests alone: built in a folder of its own (not
// beside the test program, not on the search path), so that only the
// search beside the calling library can find it, by its Windows name
// "DllProbe.DLL".
extern "C" __attribute__((visibility("default"))) int DllProbeAnswer() { return 42; }
