#include <benchmark/benchmark.h>

#include "commands/Barcode.h"
#include "commands/NamedJob.h"
#include "commands/Raster.h"
#include "commands/SendBuffer.h"
#include "language/TranslationMap.h"

namespace kestrel {
namespace {

// A picture from its embedded file to its bands: decode plus raster.
void BM_ComposeBitmapRaster(benchmark::State& state) {
  const int id = static_cast<int>(state.range(0));
  std::int32_t count = 0;
  for (auto _ : state) {
    count = ComposeBitmapRaster(id);
    benchmark::DoNotOptimize(count);
  }
  state.counters["bytes"] = count;
}
BENCHMARK(BM_ComposeBitmapRaster)
    ->Arg(kBrandMarkBitmap)
    ->Arg(kBrandPictureBitmap)
    ->Arg(kCeMarkBitmap)
    ->Arg(kFccMarkBitmap)
    ->Arg(kSmallBrandMarkBitmap)
    ->Unit(benchmark::kMicrosecond);

// The band packing alone, on the largest picture already decoded.
void BM_ComposeRasterBrandPicture(benchmark::State& state) {
  const Bitmap picture = LoadBitmap(kBrandPictureBitmap);
  for (auto _ : state) benchmark::DoNotOptimize(ComposeRaster(picture));
}
BENCHMARK(BM_ComposeRasterBrandPicture)->Unit(benchmark::kMicrosecond);

void BM_ComposeBarcodeAndQr(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(ComposeBarcode("123456789012", 65, 2, 20, 0));
    benchmark::DoNotOptimize(ComposeQrCode("TarnwickPrinter"));
  }
}
BENCHMARK(BM_ComposeBarcodeAndQr);

// Whole label jobs with pictures, as a button press composes them.
void BM_ComposeLabelJob(benchmark::State& state, const char* name) {
  const NamedJob* job = FindJob(name);
  if (job == nullptr) {
    state.SkipWithError("no such job");
    return;
  }
  LoadTranslations(936);
  JobContext context;
  for (auto _ : state) {
    BeginJob();
    job->compose(context);
    benchmark::DoNotOptimize(SendLength);
  }
  state.counters["bytes"] = SendLength;
}
BENCHMARK_CAPTURE(BM_ComposeLabelJob, label_80x60, "80x60")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ComposeLabelJob, label_60x50, "60x50")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kestrel
