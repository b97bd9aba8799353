// The operating system's clock and memory figures held against another reading of the same
// thing, so that a wrong unit shows: ratios and a known allocation, never a duration that a
// loaded machine could stretch.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "platform/Clock.h"
#include "platform/MemoryFigures.h"

TEST(ClockAndMemory, TheClockCountsSecondsAndTheMemoryFiguresMebibytes) {
    // The platform's interval lies inside the steady clock's: the ratio can only fall short of 1,
    // by what a descheduling between the paired reads adds.
    using Steady = std::chrono::steady_clock;
    const Steady::time_point steadyStart = Steady::now();
    const std::int64_t countStart = clockCount();
    while (Steady::now() - steadyStart < std::chrono::milliseconds(300))
        std::this_thread::yield();
    const std::int64_t countEnd = clockCount();
    const double steadySeconds = std::chrono::duration<double>(Steady::now() - steadyStart).count();
    const double clockSeconds = double(countEnd - countStart) / double(clockCountsPerSecond());
    EXPECT_NEAR(clockSeconds / steadySeconds, 1.0, 0.25);

    // A block of known size, every page of it written, is resident in full.
    constexpr size_t BLOCK_MB = 64;
    constexpr size_t PAGE_BYTES = 4096;
    const double before = residentMemoryMb();
    const std::unique_ptr<volatile char[]> block(new volatile char[BLOCK_MB << 20]);
    for (size_t at = 0; at < BLOCK_MB << 20; at += PAGE_BYTES) block[at] = 1;
    const double resident = residentMemoryMb();
    EXPECT_NEAR(resident - before, double(BLOCK_MB), BLOCK_MB / 4.0);
    EXPECT_GE(peakResidentMemoryMb(), resident * 0.99);
    EXPECT_LT(peakResidentMemoryMb(), resident * 2.0);
}
