// What the Wine-side benchmarks share: the performance counter, the summary of a set of
// measurements, and a verdict that fails a run only on a functional fault, never on time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// QueryPerformanceCounter, and a difference of two readings in milliseconds.
int64_t CounterNow();
double CounterToMs(int64_t ticks);

struct Distribution {
  size_t count = 0;
  double min = 0;
  double median = 0;
  double p90 = 0;  // nearest rank
  double max = 0;
  double mean = 0;
};
Distribution Summarise(std::vector<double> values);

// "min 500.21  median 500.34  p90 500.52  max 501.03  mean 500.36 ms (n 40)"
std::string Describe(const Distribution& figures);

// Collects functional faults; the program's exit code is 1 when there was any.
class Verdict {
 public:
  // Prints "FAILED: text" and remembers the failure.
  void Fail(const std::string& text);
  void Check(bool condition, const std::string& text) {
    if (!condition) Fail(text);
  }
  bool Failed() const { return failures_ > 0; }
  // Prints the outcome line and returns the exit code.
  int Finish(const char* benchmark) const;

 private:
  int failures_ = 0;
};
