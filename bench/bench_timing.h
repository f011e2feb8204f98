// Timing helpers shared by the benchmarks that run under Wine.
#pragma once
#include <windows.h>

#include <algorithm>
#include <vector>

inline double NowMs() {
  LARGE_INTEGER f, t;
  ::QueryPerformanceFrequency(&f);
  ::QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}
