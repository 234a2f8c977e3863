#pragma once
// The plant database's sending yields to the bench: its thread runs below normal priority,
// so that on a bench PC with few cores a recording never waits behind a batch being sent.

namespace mensora {

// Lowers the calling thread's priority (Linux: its nice value; Windows: below normal).
void runBelowNormalPriority();

}  // namespace mensora
