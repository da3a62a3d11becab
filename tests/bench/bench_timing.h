// Timing helpers shared by the native and Windows benchmarks.
#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

namespace bench {

// Seconds that `work` takes, on the steady clock.
double Seconds(auto&& work) {
  auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  size_t n = v.size();
  return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace bench
