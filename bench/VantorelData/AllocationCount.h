#pragma once
// How many allocations the program has made so far: every operator new of the benchmark
// passes through a counting replacement.

#include <atomic>

extern std::atomic<long long> allocationCount;
