// The scan's speed-ups (pieces read in place, direct JIT calls, skipping
// pieces that cannot match) can be turned off together, so that a test can
// hold the fast scan against the plain one: every pattern run on every piece
// through the regex component.
#pragma once

namespace Unit1 {

extern bool ScanSpeedUps; // on unless a test turns it off

} // namespace Unit1
