// From a text of records to the answer, step by step, against what each step replaced or is
// measured by: the point reader on 17-digit and short decimals; the orderings by key against the
// stable sort of the pointer arrays (each ordering on its own thread, as before); the search over
// compact copies against the pointer search and a plain divide and conquer over records by value.
//
// Usage: pipeline_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "bench/plain_divide.hpp"
#include "explain/point_file.hpp"
#include "search/divide.hpp"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

// count records uniform in [0, 1) on each axis, as a file holds them: each coordinate with digits
// significant digits (17 prints a double exactly).
std::string recordsText(int count, int dimension, int digits)
{
    std::mt19937_64 rng(25);
    std::uniform_real_distribution<double> unit(0, 1);
    std::string text;
    char number[32];
    for (int i = 0; i < count; ++i)
        for (int k = 0; k < dimension; ++k) {
            std::snprintf(number, sizeof number, "%.*g", digits, unit(rng));
            text.append(number).append(k + 1 == dimension ? "\n" : " ");
        }
    return text;
}

void readText(benchmark::State& state, int digits)
{
    const std::string text = recordsText(static_cast<int>(state.range(0)), 2, digits);
    for (auto _ : state)
        benchmark::DoNotOptimize(parsePoints(text).coordinates.data());
    state.SetBytesProcessed(static_cast<long long>(state.iterations() * text.size()));
}

template <class Point>
std::vector<Point> uniformRecords(int count)
{
    std::mt19937_64 rng(26);
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<Point> records(static_cast<std::size_t>(count));
    for (Point& p : records)
        for (int k = 0; k < dimensionOf<Point>; ++k)
            coordinate(p, k) = unit(rng);
    return records;
}

// The run as the reader hands it over: its records copied to a malloc'd block, then ordered.
template <class Point>
void sortByKey(benchmark::State& state)
{
    const std::vector<Point> records = uniformRecords<Point>(static_cast<int>(state.range(0)));
    const int n = static_cast<int>(records.size());
    for (auto _ : state) {
        Point* block = allocateArray<Point>(n);
        std::copy(records.begin(), records.end(), block);
        ClosestPairRun<Point> run = sortRun(block, n, true);
        benchmark::DoNotOptimize(run.byX);
        releaseRun(run);
    }
}

// The same with the stable sort of the pointer arrays, the y ordering on a thread of its own.
template <class Point>
void sortStable(benchmark::State& state)
{
    const std::vector<Point> records = uniformRecords<Point>(static_cast<int>(state.range(0)));
    const int n = static_cast<int>(records.size());
    for (auto _ : state) {
        Point* block = allocateArray<Point>(n);
        std::copy(records.begin(), records.end(), block);
        std::vector<Point*> byX(static_cast<std::size_t>(n)), byY;
        for (int i = 0; i < n; ++i)
            byX[static_cast<std::size_t>(i)] = &block[i];
        byY = byX;
        std::thread y([&byY] {
            std::stable_sort(byY.begin(), byY.end(), [](const Point* a, const Point* b) { return a->y < b->y; });
        });
        std::stable_sort(byX.begin(), byX.end(), [](const Point* a, const Point* b) { return a->x < b->x; });
        y.join();
        benchmark::DoNotOptimize(byX.data());
        std::free(block);
    }
}

enum class Search { copies, pointers, plain };

template <class Point>
void search(benchmark::State& state, Search how)
{
    const int n = static_cast<int>(state.range(0));
    Point* block = allocateArray<Point>(n);
    const std::vector<Point> records = uniformRecords<Point>(n);
    std::copy(records.begin(), records.end(), block);
    ClosestPairRun<Point> run = sortRun(block, n, true);
    const PlainDivide<Point> plain(run.byX, run.byY, how == Search::plain ? n : 0);
    for (auto _ : state) {
        Point *first = nullptr, *second = nullptr;
        int a = -1, b = -1;
        if (how == Search::copies)
            benchmark::DoNotOptimize(findClosestDivide(run.byX, n, run.byY, n, &first, &second));
        else if (how == Search::pointers)
            benchmark::DoNotOptimize(findClosestDivideOverPointers(run.byX, n, run.byY, n, &first, &second));
        else
            benchmark::DoNotOptimize(plain.search(a, b));
    }
    releaseRun(run);
}

template <class Point>
void registerSearches(const std::string& dimension)
{
    const std::pair<const char*, Search> hows[] = {
        {"search_copies/", Search::copies}, {"search_pointers/", Search::pointers}, {"search_plain_by_value/", Search::plain}};
    for (const auto& [name, how] : hows)
        benchmark::RegisterBenchmark((name + dimension).c_str(), search<Point>, how)
            ->Arg(1'000'000)
            ->Arg(10'000'000)
            ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("sort_by_key/" + dimension).c_str(), sortByKey<Point>)
        ->Arg(1'000'000)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("sort_stable/" + dimension).c_str(), sortStable<Point>)
        ->Arg(1'000'000)
        ->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::RegisterBenchmark("read/17_digits", readText, 17)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("read/short", readText, 4)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
    registerSearches<Point2>("2d");
    registerSearches<Point3>("3d");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
