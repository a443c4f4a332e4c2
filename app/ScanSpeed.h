// The scan's speed-ups (pieces read in place, matching on worker threads,
// direct JIT calls, skipping pieces that cannot match) can be turned off
// together, so that a test can hold the fast scan against the plain one:
// every pattern run on every piece through the regex component, in order, on
// the window's thread.
#pragma once
#include <cstddef>

namespace Unit1 {

extern bool ScanSpeedUps;          // on unless a test turns it off
extern int ScanWorkers;            // matching threads; 0: one per processor the process may use
extern std::size_t ScanBlockBytes; // bytes read per job (1 MB; tests make it small to cut often)

} // namespace Unit1
