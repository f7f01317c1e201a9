// FillJobInfo per call, for the window's defaults and for a list of all 31 days.

#include <benchmark/benchmark.h>

#include "core/FillJobInfo.h"

namespace {

void Fill(benchmark::State& state, const char16_t* days) {
    WindowFields fields;
    fields.RunTime = u"17:00";
    fields.DayList = days;
    fields.CommandLine = u"Calc.exe";
    for (auto _ : state) {
        AtInfo job;
        benchmark::DoNotOptimize(FillJobInfo(fields, job));
        benchmark::DoNotOptimize(job);
    }
}

BENCHMARK_CAPTURE(Fill, defaults, u"M,T,W,TH,F,S,SU");
BENCHMARK_CAPTURE(Fill, all_31_days,
                  u"1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31");

}  // namespace

BENCHMARK_MAIN();
