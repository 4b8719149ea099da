// lutprep as whole processes, as a technician runs it: converting a
// 65-point cube (7 MB) to 33 points against OpenColorIO's ociobakelut doing
// the same, and checking the 65-point file. Wall-clock time per run, process
// start included.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

namespace {

constexpr int kPoints = 65;

std::string Source;
std::string Converted;
std::string Reference;

// A smooth creative grade with some cross-talk, six decimals as grading
// software writes them.
bool WriteCube(const std::string &path) {
    FILE *file = fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    fprintf(file, "TITLE \"bench grade\"\nLUT_3D_SIZE %d\n", kPoints);
    for (int b = 0; b < kPoints; b++) {
        for (int g = 0; g < kPoints; g++) {
            for (int r = 0; r < kPoints; r++) {
                double x = r / (kPoints - 1.0), y = g / (kPoints - 1.0), z = b / (kPoints - 1.0);
                double luma = 0.2126 * x + 0.7152 * y + 0.0722 * z;
                fprintf(file, "%.6f %.6f %.6f\n", std::pow(0.9 * x + 0.1 * luma, 1.1), 0.95 * y + 0.05 * luma,
                        std::pow(0.85 * z + 0.15 * luma, 0.95));
            }
        }
    }
    return fclose(file) == 0;
}

std::string Quoted(const std::string &text) { return "\"" + text + "\""; }

bool Run(const std::string &command) { return std::system(command.c_str()) == 0; }

void LutprepConvert(benchmark::State &state) {
    std::string command = Quoted(LUTPREP_PATH) + " convert " + Quoted(Source) + " " + Quoted(Converted) + " > " +
                          Quoted(Converted + ".log") + " 2>&1";
    for (auto _ : state) {
        if (!Run(command)) state.SkipWithError("lutprep convert failed");
    }
}
BENCHMARK(LutprepConvert)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void OciobakelutConvert(benchmark::State &state) {
    std::string command = "ociobakelut --lut " + Quoted(Source) + " --format iridas_cube --cubesize 33 " +
                          Quoted(Reference) + " > " + Quoted(Reference + ".log") + " 2>&1";
    for (auto _ : state) {
        if (!Run(command)) state.SkipWithError("ociobakelut failed (Debian's opencolorio-tools installed?)");
    }
}
BENCHMARK(OciobakelutConvert)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void LutprepCheck(benchmark::State &state) {
    // The 65-point file is refused (the box has no 65-point size), status 1.
    std::string command = Quoted(LUTPREP_PATH) + " check " + Quoted(Source) + " > " + Quoted(Source + ".log");
    for (auto _ : state) {
        if (std::system(command.c_str()) == -1) state.SkipWithError("lutprep check did not run");
    }
}
BENCHMARK(LutprepCheck)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace

int main(int argc, char **argv) {
    std::random_device random;
    std::filesystem::path dir = std::filesystem::temp_directory_path() / ("lutprep_bench_" + std::to_string(random()));
    std::filesystem::create_directories(dir);
    Source = (dir / "grade65.cube").string();
    Converted = (dir / "grade33.cube").string();
    Reference = (dir / "reference33.cube").string();
    int status = 0;
    if (!WriteCube(Source)) {
        fprintf(stderr, "cannot write %s\n", Source.c_str());
        status = 1;
    } else {
        printf("%s: %ju bytes, %d points\n", Source.c_str(), static_cast<uintmax_t>(std::filesystem::file_size(Source)),
               kPoints);
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    return status;
}
