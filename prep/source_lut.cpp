// The source LUT: storage and the evaluation of the whole transform that a
// LUT file describes.
//
// Tetrahedral interpolation is the default because the cube format's
// authors prefer it and OpenColorIO, the reference the conversions are held
// to, uses it for 3D LUT files. The arithmetic is done in double so that the
// only rounding a converted node carries is the final one to float.
#include "prep/source_lut.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/platform.h"

void PrepSetError(PrepError *error, int64_t line, const char *format, ...) {
    if (error == nullptr) return;
    error->line = line;
    va_list args;
    va_start(args, format);
    vsnprintf(error->text, sizeof error->text, format, args);
    va_end(args);
}

int64_t PrepNodeCount(int32_t points) { return static_cast<int64_t>(points) * points * points; }

namespace {

void ResetLut(PrepLut *lut) {
    *lut = PrepLut{};
    for (int c = 0; c < 3; c++) {
        lut->domainMax[c] = 1.0f;
        lut->shaperMax[c] = 1.0f;
    }
}

}  // namespace

void PrepLocate(double x, double lo, double hi, int32_t points, int32_t *i, double *f) {
    double t = (x - lo) / (hi - lo);
    if (!(t > 0.0)) t = 0.0;
    if (t > 1.0) t = 1.0;
    double p = t * (points - 1);
    int32_t k = static_cast<int32_t>(p);  // p is within [0, points - 1]
    if (k > points - 2) k = points - 2;
    *i = k;
    *f = p - k;
}

namespace {

// The shaper's curve of channel c at input x.
double Shape(const PrepLut *lut, int c, double x) {
    int32_t i;
    double f;
    PrepLocate(x, lut->shaperMin[c], lut->shaperMax[c], lut->shaperPoints, &i, &f);
    double a = lut->shaper[3 * i + c];
    double b = lut->shaper[3 * (i + 1) + c];
    return a + f * (b - a);
}

const float *Node(const PrepLut *lut, int32_t r, int32_t g, int32_t b) {
    int64_t n = lut->points;
    return lut->values + 3 * (r + n * (g + n * b));
}

// A point's tetrahedron in its cell: the corners of weight other than 0, as
// offsets from the cell's low corner, with their weights, in the order the
// sum adds them. A corner of weight 0 adds +0.0, not 0 times its value, so
// that a NaN or an infinity there (0 times it is NaN) does not reach a point
// that lies on the cell's other corners, such as a node the grids share.
// Adding +0.0 turns -0 into +0 and changes nothing else, and a sum with a
// term of +0 is never -0: so it is added once, last, for all of them. The
// weights sum to 1: one at least is not 0.
struct Tetra {
    int32_t terms;
    bool zeroAdded;
    int64_t offset[4];
    double w[4];
};

// The tetrahedron is chosen by the order of the three fractions; its four
// corners run from the cell's low corner to its high one, one axis added at
// a time, largest fraction first. Fractions that tie leave a corner of
// weight 0, so the order of ties does not matter.
Tetra TetraOf(int64_t points, const double f[3]) {
    // Axes sorted by fraction, descending.
    int first = 0, second = 1, third = 2;
    if (f[second] > f[first]) {
        int t = first;
        first = second;
        second = t;
    }
    if (f[third] > f[second]) {
        int t = second;
        second = third;
        third = t;
    }
    if (f[second] > f[first]) {
        int t = first;
        first = second;
        second = t;
    }
    const int64_t stride[3] = {3, 3 * points, 3 * points * points};
    const int64_t offset[4] = {0, stride[first], stride[first] + stride[second],
                               stride[first] + stride[second] + stride[third]};
    const double w[4] = {1.0 - f[first], f[first] - f[second], f[second] - f[third], f[third]};
    Tetra tetra{};
    for (int k = 0; k < 4; k++) {
        if (w[k] == 0.0) {
            tetra.zeroAdded = true;
            continue;
        }
        tetra.offset[tetra.terms] = offset[k];
        tetra.w[tetra.terms++] = w[k];
    }
    return tetra;
}

// Channel by channel, written out: the compiler keeps the sums in registers.
// Inline in the row loop, where a call for each node cost a third of it.
[[gnu::always_inline]] inline void ApplyTetra(const Tetra &tetra, const float *low, double out[3]) {
    const float *v = low + tetra.offset[0];
    double r = tetra.w[0] * v[0], g = tetra.w[0] * v[1], b = tetra.w[0] * v[2];
    for (int k = 1; k < tetra.terms; k++) {
        v = low + tetra.offset[k];
        r += tetra.w[k] * v[0];
        g += tetra.w[k] * v[1];
        b += tetra.w[k] * v[2];
    }
    if (tetra.zeroAdded) {
        r += 0.0;
        g += 0.0;
        b += 0.0;
    }
    out[0] = r;
    out[1] = g;
    out[2] = b;
}

void Tetrahedral(const PrepLut *lut, const int32_t i[3], const double f[3], double out[3]) {
    ApplyTetra(TetraOf(lut->points, f), Node(lut, i[0], i[1], i[2]), out);
}

// A corner's share of a trilinear sum: none for a corner of weight 0, as in
// a tetrahedron (Tetra).
double Weighted(double w, double v) { return w != 0.0 ? w * v : 0.0; }

void Trilinear(const PrepLut *lut, const int32_t i[3], const double f[3], double out[3]) {
    out[0] = out[1] = out[2] = 0.0;
    for (int corner = 0; corner < 8; corner++) {
        int dr = corner & 1, dg = (corner >> 1) & 1, db = (corner >> 2) & 1;
        double w = (dr ? f[0] : 1.0 - f[0]) * (dg ? f[1] : 1.0 - f[1]) * (db ? f[2] : 1.0 - f[2]);
        const float *v = Node(lut, i[0] + dr, i[1] + dg, i[2] + db);
        for (int c = 0; c < 3; c++) out[c] += Weighted(w, v[c]);
    }
}

void Evaluate(const PrepLut *lut, PrepInterp interp, const double in[3], double out[3]) {
    int32_t i[3];
    double f[3];
    for (int c = 0; c < 3; c++) {
        double x = lut->shaperPoints > 0 ? Shape(lut, c, in[c]) : in[c];
        // A shaper's NaN or infinity is no input position: the node is
        // unknown, as one the lattice's own NaN reaches, not the edge's.
        if (!std::isfinite(x)) {
            out[0] = out[1] = out[2] = std::numeric_limits<double>::quiet_NaN();
            return;
        }
        PrepLocate(x, lut->domainMin[c], lut->domainMax[c], lut->points, &i[c], &f[c]);
    }
    if (interp == kPrepTrilinear) {
        Trilinear(lut, i, f, out);
    } else {
        Tetrahedral(lut, i, f, out);
    }
}

}  // namespace

int PrepAllocLut(PrepLut *lut, int32_t points, int32_t shaperPoints, PrepError *error) {
    PrepFreeLut(lut);
    if (points < kPrepMinPoints || points > kPrepMaxPoints) {
        PrepSetError(error, 0, "%d points per axis: a 3D LUT has %d to %d", points, kPrepMinPoints, kPrepMaxPoints);
        return -1;
    }
    if (shaperPoints != 0 && (shaperPoints < kPrepMinPoints || shaperPoints > kPrepMaxShaperPoints)) {
        PrepSetError(error, 0, "%d shaper points: a shaper has %d to %d", shaperPoints, kPrepMinPoints,
                     kPrepMaxShaperPoints);
        return -1;
    }
    size_t nodes = static_cast<size_t>(PrepNodeCount(points));
    lut->values = static_cast<float *>(PlatformAllocLarge(nodes * 3 * sizeof(float)));
    if (lut->values != nullptr) memset(lut->values, 0, nodes * 3 * sizeof(float));
    if (shaperPoints > 0) {
        lut->shaper = static_cast<float *>(calloc(static_cast<size_t>(shaperPoints), 3 * sizeof(float)));
    }
    if (lut->values == nullptr || (shaperPoints > 0 && lut->shaper == nullptr)) {
        PrepFreeLut(lut);
        PrepSetError(error, 0, "out of memory for a %d-point LUT", points);
        return -1;
    }
    lut->points = points;
    lut->shaperPoints = shaperPoints;
    return 0;
}

int PrepAdoptLattice(PrepLut *lut, int32_t points, int32_t shaperPoints, float *values, PrepError *error) {
    // The smallest lattice stands in while the shaper is allocated and the
    // sizes are checked, then gives way to values.
    if (points < kPrepMinPoints || points > kPrepMaxPoints) {
        PrepFreeLut(lut);
        free(values);
        PrepSetError(error, 0, "%d points per axis: a 3D LUT has %d to %d", points, kPrepMinPoints, kPrepMaxPoints);
        return -1;
    }
    if (PrepAllocLut(lut, kPrepMinPoints, shaperPoints, error) != 0) {
        free(values);
        return -1;
    }
    free(lut->values);
    lut->values = values;
    lut->points = points;
    return 0;
}

void PrepFreeLut(PrepLut *lut) {
    free(lut->values);
    free(lut->shaper);
    ResetLut(lut);
}

bool PrepIsPlainLattice(const PrepLut *lut) {
    if (lut->shaperPoints > 0) return false;
    for (int c = 0; c < 3; c++) {
        if (lut->domainMin[c] != 0.0f || lut->domainMax[c] != 1.0f) return false;
    }
    return true;
}

void PrepEvaluate(const PrepLut *lut, PrepInterp interp, const float in[3], float out[3]) {
    double x[3] = {in[0], in[1], in[2]};
    double y[3];
    Evaluate(lut, interp, x, y);
    for (int c = 0; c < 3; c++) out[c] = static_cast<float>(y[c]);
}

void PrepEvaluateDouble(const PrepLut *lut, PrepInterp interp, const double in[3], double out[3]) {
    Evaluate(lut, interp, in, out);
}

namespace {

// Where position k of the grid lands on one channel's axis of the lattice:
// the same for every node that shares it, so it is found once per axis,
// not once per node.
struct AxisPlace {
    int32_t i;
    double f;
    int32_t exact;  // the source node it lies on exactly (plain lattice), or -1
    bool unknown;   // the shaper gives no position (NaN, infinity)
    int32_t kind;   // its fraction's place among the axis's different ones
};

// An axis's positions, and their different fractions: nodes of a row whose
// red fractions are the same lie alike in their cells, in the same
// tetrahedron. Aligned grids have few (65 points on 33: 0 and 0.5; the
// centres of a lattice's own cells: 0.5, or up to three doubles next to
// it where the cells are no power of two, 26 points' for one).
struct Axis {
    AxisPlace places[kPrepMaxPoints];
    int32_t kinds;
    double fractions[kPrepMaxPoints];
};

void PlaceAxis(const PrepLut *lut, int c, PrepGrid grid, bool plain, Axis *axis) {
    const int32_t from = lut->points - 1;
    const int32_t across = 2 * grid.cells;
    axis->kinds = 0;
    for (int32_t k = 0; k < grid.count; k++) {
        AxisPlace &place = axis->places[k];
        // Position k lies on source node (2k + offset) * from / (2 cells)
        // exactly when the division leaves no remainder.
        const int32_t twice = (2 * k + grid.offset) * from;
        place.exact = plain && twice % across == 0 ? twice / across : -1;
        double x = PrepGridPosition(grid, k);
        if (lut->shaperPoints > 0) x = Shape(lut, c, x);
        place.unknown = !std::isfinite(x);
        place.i = 0;
        place.f = 0.0;
        if (!place.unknown) PrepLocate(x, lut->domainMin[c], lut->domainMax[c], lut->points, &place.i, &place.f);
        place.kind = 0;
        while (place.kind < axis->kinds && axis->fractions[place.kind] != place.f) place.kind++;
        if (place.kind == axis->kinds) axis->fractions[axis->kinds++] = place.f;
    }
}

// One row of the lattice, green and blue placed by pg and pb, red by red.
void SampleRow(const PrepLut *lut, PrepInterp interp, int32_t points, const Axis &red, const AxisPlace &pg,
               const AxisPlace &pb, float (*out)[3]) {
    // A shaper's NaN or infinity is no input position: the node is unknown,
    // as one the lattice's own NaN reaches.
    if (pg.unknown || pb.unknown) {
        for (int32_t r = 0; r < points; r++) {
            for (int c = 0; c < 3; c++) out[r][c] = std::numeric_limits<float>::quiet_NaN();
        }
        return;
    }
    static thread_local Tetra tetra[kPrepMaxPoints];
    if (interp == kPrepTetrahedral) {
        for (int32_t k = 0; k < red.kinds; k++) {
            const double f[3] = {red.fractions[k], pg.f, pb.f};
            tetra[k] = TetraOf(lut->points, f);
        }
    }
    const bool exactRow = pg.exact >= 0 && pb.exact >= 0;
    const float *low = Node(lut, 0, pg.i, pb.i);
    for (int32_t r = 0; r < points; r++) {
        const AxisPlace &pr = red.places[r];
        if (exactRow && pr.exact >= 0) {
            const float *v = Node(lut, pr.exact, pg.exact, pb.exact);
            for (int c = 0; c < 3; c++) out[r][c] = v[c];
            continue;
        }
        if (pr.unknown) {
            for (int c = 0; c < 3; c++) out[r][c] = std::numeric_limits<float>::quiet_NaN();
            continue;
        }
        double y[3];
        if (interp == kPrepTrilinear) {
            const int32_t i[3] = {pr.i, pg.i, pb.i};
            const double f[3] = {pr.f, pg.f, pb.f};
            Trilinear(lut, i, f, y);
        } else {
            ApplyTetra(tetra[pr.kind], low + 3 * pr.i, y);
        }
        for (int c = 0; c < 3; c++) out[r][c] = static_cast<float>(y[c]);
    }
}

}  // namespace

PrepGrid PrepLatticeGrid(int32_t points) { return PrepGrid{points, 0, points - 1}; }

PrepGrid PrepCellCentres(int32_t points) { return PrepGrid{points - 1, 1, points - 1}; }

double PrepGridPosition(PrepGrid grid, int32_t k) {
    // Exact integers over an exact integer, rounded once: 2k / 2n is the
    // same double as k / n.
    return static_cast<double>(2 * k + grid.offset) / (2.0 * grid.cells);
}

int PrepSampleGrid(const PrepLut *lut, PrepGrid grid, PrepInterp interp, float (*out)[3]) {
    if (grid.count < 1 || grid.count > kPrepMaxPoints || grid.cells < 1 || grid.cells > kPrepMaxPoints) return -1;
    const bool plain = PrepIsPlainLattice(lut);
    static thread_local Axis axes[3];
    for (int c = 0; c < 3; c++) PlaceAxis(lut, c, grid, plain, &axes[c]);
    const int32_t n = grid.count;
    int64_t row = 0;
    for (int32_t b = 0; b < n; b++) {
        for (int32_t g = 0; g < n; g++, row += n) {
            SampleRow(lut, interp, n, axes[0], axes[1].places[g], axes[2].places[b], out + row);
        }
    }
    return 0;
}

int PrepSampleLattice(const PrepLut *lut, int32_t points, PrepInterp interp, float (*out)[3]) {
    if (points < kPrepMinPoints || points > kPrepMaxPoints) return -1;
    return PrepSampleGrid(lut, PrepLatticeGrid(points), interp, out);
}
