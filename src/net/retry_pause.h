#pragma once
// How long a connection that keeps dropping waits before it is opened again: 2 s after the first
// drop in a row, twice as long after each further one, never more than 5 minutes.

#include <cstdint>

namespace vantrel::net {

inline constexpr std::uint32_t kFirstRetryPauseMs = 2000;
inline constexpr std::uint32_t kLongestRetryPauseMs = 5 * 60 * 1000;

// The pause after the n-th drop in a row (n from 1); 0 before any.
constexpr std::uint32_t retryPauseMs(unsigned dropsInARow) {
  if (dropsInARow == 0) return 0;
  std::uint32_t pause = kFirstRetryPauseMs;
  for (unsigned drop = 1; drop < dropsInARow && pause < kLongestRetryPauseMs; ++drop) pause *= 2;
  return pause < kLongestRetryPauseMs ? pause : kLongestRetryPauseMs;
}

}  // namespace vantrel::net
