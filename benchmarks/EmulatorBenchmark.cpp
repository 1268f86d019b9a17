#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "commands/NamedJob.h"
#include "commands/SendBuffer.h"
#include "emulator/Decoder.h"
#include "emulator/VirtualPrinter.h"
#include "language/TranslationMap.h"

namespace kestrel {
namespace {

std::vector<std::uint8_t> JobBytes(const std::string& name, std::int32_t codePage) {
  LoadTranslations(codePage);
  BeginJob();
  FindJob(name)->compose(JobContext{});
  const auto bytes = ComposedBytes();
  return {bytes.begin(), bytes.end()};
}

// Decoding and drawing one job, as `kestrel-cli preview` does; the goal is
// every label under 20 ms. Characters are drawn from the font once and kept,
// as in a running program.
void BM_RenderJob(benchmark::State& state, const char* name) {
  const std::vector<std::uint8_t> bytes = JobBytes(name, 936);
  const int width = emu::PrintWidthOfJob(name);
  for (auto _ : state) benchmark::DoNotOptimize(emu::RenderStream(bytes, width).pages.size());
  state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK_CAPTURE(BM_RenderJob, 60x20, "60x20")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderJob, 60x30, "60x30")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderJob, 60x40, "60x40")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderJob, 60x50, "60x50")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderJob, 58x20, "58x20")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderJob, 58x30, "58x30")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderJob, 58x40, "58x40")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderJob, 58x50, "58x50")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderJob, 80x20, "80x20")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderJob, 80x30, "80x30")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderJob, 80x40, "80x40")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderJob, 80x50, "80x50")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderJob, 80x60, "80x60")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderJob, picture, "picture")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderJob, smallfont, "smallfont")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RenderJob, custom, "custom")->Unit(benchmark::kMillisecond);

// The decoder alone over every job of both languages, one after the other;
// the goal is above 50 MB/s.
void BM_DecodeAllJobs(benchmark::State& state) {
  std::vector<std::uint8_t> stream;
  for (const NamedJob& job : AllJobs())
    for (std::int32_t codePage : {936, 1252}) {
      const std::vector<std::uint8_t> bytes = JobBytes(job.name, codePage);
      stream.insert(stream.end(), bytes.begin(), bytes.end());
    }
  for (auto _ : state) benchmark::DoNotOptimize(emu::DecodeStream(stream).size());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * stream.size()));
}
BENCHMARK(BM_DecodeAllJobs)->Unit(benchmark::kMicrosecond);

// A million ESC J 255 (3 MB): a feed only moves the paper, so the goal is
// well under a second in Release, whatever the length fed.
void BM_MillionFeeds(benchmark::State& state) {
  std::vector<std::uint8_t> stream;
  for (int i = 0; i < 1'000'000; ++i) stream.insert(stream.end(), {0x1B, 0x4A, 0xFF});
  for (auto _ : state) benchmark::DoNotOptimize(emu::RenderStream(stream, emu::kWidth80mm).pages.size());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * stream.size()));
}
BENCHMARK(BM_MillionFeeds)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrel
