// SPDX-License-Identifier: GPL-3.0-or-later
// One day of the almanac (what each step of the calendar's date costs) and
// a month (what the month view and its CSV cost).
#include <benchmark/benchmark.h>

#include <QTimeZone>

#include "tools/Almanac.h"

namespace {

void BM_AlmanacDay(benchmark::State& state) {
    const QTimeZone zone("America/Chicago");
    QDate date(2026, 1, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(almanac::ComputeDay(46.43, -93.86, date, zone));
        date = date.addDays(1);
    }
}
BENCHMARK(BM_AlmanacDay);

void BM_AlmanacMonth(benchmark::State& state) {
    const QTimeZone zone("America/Chicago");
    for (auto _ : state)
        benchmark::DoNotOptimize(almanac::ComputeDays(46.43, -93.86, QDate(2026, 7, 1), 31, zone));
}
BENCHMARK(BM_AlmanacMonth)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
