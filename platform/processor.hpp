#pragma once
// The processor's features that the program's kernels choose between, as this system reports
// them: a feature counts only where the processor has it and the system keeps its registers
// for the program.

namespace platform {

// Whether AVX2's instructions run here, with the stack kept aligned for their 32-byte
// registers. Asking costs nothing.
bool processor_runs_avx2();

} // namespace platform
