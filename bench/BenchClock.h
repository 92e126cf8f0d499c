#pragma once
// The benchmarks' clock: the performance counter, in seconds; and the median
// they report of their rounds.
#include <windows.h>

#include <algorithm>
#include <vector>

inline double NowSeconds() {
  static const LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

// The middle round (the upper of the two middle ones); 0 for none.
inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}
