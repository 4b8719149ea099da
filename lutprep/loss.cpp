// Why a converted LUT is more than a code value off between its nodes, for
// convert's warning: a 1D shaper before the table is named only where one
// would help, since the box has none and the remedy is then another LUT.
//
// The rule, on the values that lose at least half the largest loss at IN's
// nodes (where the loss is measured: where the loss is, not its tail), in
// this order:
// - IN has a shaper or a domain, or OUT has fewer points than IN, and at
//   least three quarters of those values lie at nodes with an input in the
//   outer fifth of its axis at one end (near 0, or near 1): IN's response is
//   steep or curved there (a log-like or power curve near black), which a
//   shaper could stretch straight. Spread evenly, about half of them would
//   lie there. Fewer such values than a row of IN's nodes holds are a node
//   or two out of line, no response to straighten.
// - OUT has fewer points than IN: a coarser grid, which cannot follow IN's
//   changes between its nodes wherever they are.
// - Otherwise OUT has as many points as IN or more, and IN's nodes fall
//   between OUT's: the grids do not line up.
#include <cmath>
#include <cstdlib>

#include "lutprep/lutprep.h"

namespace {

// The values that lose at least half the most, and those of them at a node
// with an input near the low (0) or the high (1) end of its axis.
struct Spread {
    int64_t values;
    int64_t nearEnd[2];
};

void Count(Spread *s, const int32_t index[3], int32_t n) {
    s->values++;
    bool near[2] = {false, false};
    for (int a = 0; a < 3; a++) {
        near[0] = near[0] || 5 * index[a] <= n - 1;
        near[1] = near[1] || 5 * (n - 1 - index[a]) <= n - 1;
    }
    for (int e = 0; e < 2; e++) s->nearEnd[e] += near[e] ? 1 : 0;
}

// Whether the spread says "a steep or curved response near one end"; *end
// is that end.
bool NearOneEnd(const Spread &s, int32_t n, int *end) {
    *end = s.nearEnd[1] > s.nearEnd[0] ? 1 : 0;
    return s.values >= n && 4 * s.nearEnd[*end] >= 3 * s.values;
}

float ClampUnit(float v) { return v > 1.0f ? 1.0f : v > 0.0f ? v : 0.0f; }

// Samples source and result at source's nodes, as the loss is measured,
// and counts where they differ by least (in code values) or more.
int MeasureSpread(const PrepLut *source, const PrepLut *result, PrepInterp interp, double least, Spread *s,
                  PrepError *error) {
    const int32_t n = source->points;
    const size_t bytes = static_cast<size_t>(PrepNodeCount(n)) * 3 * sizeof(float);
    auto *want = static_cast<float(*)[3]>(malloc(bytes));
    auto *got = want != nullptr ? static_cast<float(*)[3]>(malloc(bytes)) : nullptr;
    if (got == nullptr) {
        free(want);
        PrepSetError(error, 0, "out of memory for a %d-point lattice", n);
        return -1;
    }
    PrepSampleLattice(source, n, interp, want);
    PrepSampleLattice(result, n, interp, got);
    *s = Spread{};
    int64_t node = 0;
    int32_t index[3];
    for (index[2] = 0; index[2] < n; index[2]++) {
        for (index[1] = 0; index[1] < n; index[1]++) {
            for (index[0] = 0; index[0] < n; index[0]++, node++) {
                for (int c = 0; c < 3; c++) {
                    // A value that is none is counted apart, as the loss counts it.
                    if (!std::isfinite(want[node][c])) continue;
                    double d = std::fabs(static_cast<double>(ClampUnit(want[node][c])) - got[node][c]) * kPrepCode10;
                    if (d >= least || std::isnan(d)) Count(s, index, n);
                }
            }
        }
    }
    free(want);
    free(got);
    return 0;
}

}  // namespace

int FindLossCause(const PrepLut *source, const PrepLut *result, PrepInterp interp, double worst, LossCause *cause,
                  PrepError *error) {
    *cause = LossCause{};
    Spread s;
    if (MeasureSpread(source, result, interp, worst / 2, &s, error) != 0) return -1;
    const bool coarser = result->points < source->points;
    if ((coarser || !PrepIsPlainLattice(source)) && NearOneEnd(s, source->points, &cause->end)) {
        cause->kind = kLossCurved;
    } else {
        cause->kind = coarser ? kLossCoarser : kLossMisaligned;
    }
    return 0;
}
