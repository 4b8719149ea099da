// Read3dLutFile against a plain two-pass fscanf reader on a generated
// 33-point cube file; both must give the same table before anything is
// timed. Read3dLutFile also on a cube of each float's shortest text, as
// lutprep writes them (mostly 7 or 8 decimals).
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "lut/lut3d_reader.h"

namespace {

// The table the reader fills here: static, as it is large.
Lut3dTable Table3d;

constexpr int kPoints = 33;
constexpr int kRows = kPoints * kPoints * kPoints;

std::string CubePath;
float FscanfRows[kRows][3];

// Lattice values with six decimals, as LUT tools write them.
bool WriteCube(const std::string &path) {
    FILE *file = fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    fprintf(file, "TITLE \"bench\"\nLUT_3D_SIZE %d\n\n", kPoints);
    for (int r = 0; r < kRows; r++) {
        double scale = 1.0 / (kPoints - 1);
        fprintf(file, "%.6f %.6f %.6f\n", (r % kPoints) * scale, (r / kPoints % kPoints) * scale,
                (r / kPoints / kPoints) * scale);
    }
    return fclose(file) == 0;
}

std::string ShortestPath;

// Values of a smooth grade, each float's shortest text.
bool WriteShortestCube(const std::string &path) {
    FILE *file = fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    fprintf(file, "LUT_3D_SIZE %d\n", kPoints);
    for (int r = 0; r < kRows; r++) {
        float rgb[3] = {static_cast<float>(r % kPoints), static_cast<float>(r / kPoints % kPoints),
                        static_cast<float>(r / kPoints / kPoints)};
        for (int c = 0; c < 3; c++) {
            float v = rgb[c] / (kPoints - 1);
            v = 0.02f + 0.96f * v * v * (3.0f - 2.0f * v);
            char text[32];
            *std::to_chars(text, text + sizeof text - 1, v).ptr = '\0';
            fprintf(file, c < 2 ? "%s " : "%s\n", text);
        }
    }
    return fclose(file) == 0;
}

// The plain way: count the lines with fgets, then fscanf the rows.
int FscanfRead(const char *path) {
    FILE *file = fopen(path, "rb");
    if (file == nullptr) return -1;
    char line[256];
    int header = 0;
    int data = 0;
    while (fgets(line, sizeof line, file) != nullptr) {
        if (line[0] >= '0' && line[0] <= '9') {
            data++;
        } else if (data == 0) {
            header++;
        } else {
            break;
        }
    }
    rewind(file);
    for (int i = 0; i < header; i++) {
        if (fgets(line, sizeof line, file) == nullptr) break;
    }
    int rows = data < kRows ? data : kRows;
    for (int r = 0; r < rows; r++) {
        if (fscanf(file, "%f %f %f", &FscanfRows[r][0], &FscanfRows[r][1], &FscanfRows[r][2]) != 3) {
            fclose(file);
            return -1;
        }
    }
    fclose(file);
    return rows;
}

void BlockReader(benchmark::State &state) {
    for (auto _ : state) {
        if (Read3dLutFile(CubePath.c_str(), Table3d) != 3) state.SkipWithError("Read3dLutFile refused the cube");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(CubePath)));
}
BENCHMARK(BlockReader)->Unit(benchmark::kMillisecond);

void BlockReaderShortest(benchmark::State &state) {
    for (auto _ : state) {
        if (Read3dLutFile(ShortestPath.c_str(), Table3d) != 3) state.SkipWithError("Read3dLutFile refused the cube");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(ShortestPath)));
}
BENCHMARK(BlockReaderShortest)->Unit(benchmark::kMillisecond);

void FscanfReader(benchmark::State &state) {
    for (auto _ : state) {
        if (FscanfRead(CubePath.c_str()) != kRows) state.SkipWithError("the fscanf reader refused the cube");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(CubePath)));
}
BENCHMARK(FscanfReader)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) {
    std::random_device random;
    std::filesystem::path dir = std::filesystem::temp_directory_path() / ("lutbox_bench_" + std::to_string(random()));
    std::filesystem::create_directories(dir);
    CubePath = (dir / "bench33.cube").string();
    ShortestPath = (dir / "shortest33.cube").string();
    int status = 0;
    if (!WriteCube(CubePath) || !WriteShortestCube(ShortestPath)) {
        fprintf(stderr, "cannot write %s\n", dir.string().c_str());
        status = 1;
    } else if (Read3dLutFile(CubePath.c_str(), Table3d) != 3 || FscanfRead(CubePath.c_str()) != kRows ||
               memcmp(Table3d.floatRows, FscanfRows, sizeof FscanfRows) != 0) {
        fprintf(stderr, "the readers disagree on %s\n", CubePath.c_str());
        status = 1;
    } else {
        printf("%s: %ju bytes, %d rows; both readers give the same table\n", CubePath.c_str(),
               static_cast<uintmax_t>(std::filesystem::file_size(CubePath)), kRows);
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    return status;
}
