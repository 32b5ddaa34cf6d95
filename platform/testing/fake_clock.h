// Test backend of the clock: time stands still until a test moves it, and every sleep moves
// it forward by exactly the time asked for.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

void fake_clock_reset(int64_t start_milliseconds);
void fake_clock_advance(int64_t milliseconds);
int64_t fake_clock_milliseconds();

// Every sleep the code asked for, in order.
std::vector<int32_t> fake_clock_sleeps();

// Called after each sleep (with the milliseconds asked for), on the sleeping thread.
void fake_clock_on_sleep(std::function<void(int32_t)> hook);
