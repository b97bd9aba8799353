// How much memory the process holds, for the benchmark's and the soak's reports.
#pragma once

// Resident now (the working set on Windows), in MiB.
double residentMemoryMb();
// The most it has held resident since it started, in MiB.
double peakResidentMemoryMb();
