#include "bench/win32/Figures.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <numeric>

int64_t CounterNow() {
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

double CounterToMs(int64_t ticks) {
  static const double frequency = [] {
    LARGE_INTEGER f{};
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  return static_cast<double>(ticks) * 1000.0 / frequency;
}

Distribution Summarise(std::vector<double> values) {
  Distribution figures;
  figures.count = values.size();
  if (values.empty()) return figures;
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  figures.min = values.front();
  figures.max = values.back();
  figures.median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
  figures.p90 = values[(n * 9 + 9) / 10 - 1];  // rank ceil(0.9 n)
  figures.mean = std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(n);
  return figures;
}

std::string Describe(const Distribution& figures) {
  char text[160];
  snprintf(text, sizeof text, "min %.2f  median %.2f  p90 %.2f  max %.2f  mean %.2f ms (n %zu)",
           figures.min, figures.median, figures.p90, figures.max, figures.mean, figures.count);
  return text;
}

void Verdict::Fail(const std::string& text) {
  ++failures_;
  printf("FAILED: %s\n", text.c_str());
  fflush(stdout);
}

int Verdict::Finish(const char* benchmark) const {
  if (failures_)
    printf("%s: %d functional failure(s)\n", benchmark, failures_);
  else
    printf("%s: functional checks passed (timings are measured, not judged)\n", benchmark);
  fflush(stdout);
  return failures_ ? 1 : 0;
}
