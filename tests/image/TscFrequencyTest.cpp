// The TSC frequency the shipped image publishes, against the host's own rate. The image
// measures over one millisecond, which anything else running on the host stretches, so this
// test runs alone (RUN_SERIAL) and compares the median of five loads.
#include <gtest/gtest.h>
#include <x86intrin.h>

#include <algorithm>
#include <ctime>

#include "ImageFixture.h"

using namespace vorq::emu;

namespace {

// The host's own TSC rate: rdtsc against the monotonic clock over 200 ms.
double HostTscHz() {
  timespec Start{}, End{};
  clock_gettime(CLOCK_MONOTONIC, &Start);
  const std::uint64_t TscStart = __rdtsc();
  timespec Pause{0, 200000000};
  nanosleep(&Pause, nullptr);
  clock_gettime(CLOCK_MONOTONIC, &End);
  const std::uint64_t TscEnd = __rdtsc();
  const double Seconds = double(End.tv_sec - Start.tv_sec) + double(End.tv_nsec - Start.tv_nsec) / 1e9;
  return double(TscEnd - TscStart) / Seconds;
}

TEST(TscFrequency, ShippedImagePublishesTheHostsRateWithinTwoPercent) {
  const double HostHz = HostTscHz();
  std::vector<double> Published;
  for (int Load = 0; Load < 5; Load++) {
    const ImageRun Run = RunImage(VORQ_SHIPPED_IMAGE, BoardOptions());
    ASSERT_TRUE(Run.Entry.returned);
    EXPECT_EQ(Run.Entry.status, EFI_SUCCESS);
    EXPECT_TRUE(Run.Entry.misuse.empty());
    // With the shipped settings the console is brought up but nothing is ever printed.
    EXPECT_TRUE(Run.Serial.empty());
    ASSERT_TRUE(Run.TscTableHz.has_value());
    Published.push_back(double(*Run.TscTableHz));
  }
  std::sort(Published.begin(), Published.end());
  const double Median = Published[2];
  std::printf("TSC frequency: image %.0f Hz (median of 5, from %.0f to %.0f), host %.0f Hz (%+.3f %%)\n", Median,
              Published.front(), Published.back(), HostHz, (Median / HostHz - 1) * 100);
  EXPECT_NEAR(Median, HostHz, HostHz * 0.02);
}

}  // namespace
