// Why a converted LUT is more than a code value off between its nodes, for
// convert's warning: a 1D shaper before the table is named only where one
// would help, since the box has none and the remedy is then another LUT.
//
// The rule, on the values that lose at least half the largest loss where it
// was measured (at IN's nodes, or for a transform at the centres of OUT's
// cells: where the loss is, not its tail), in this order:
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

#include "lutprep/lutprep.h"

namespace {

// Whether the spread says "a steep or curved response near one end"; *end
// is that end.
bool NearOneEnd(const PrepLoss &loss, int32_t n, int *end) {
    *end = loss.worstHalfNearEnd[1] > loss.worstHalfNearEnd[0] ? 1 : 0;
    return loss.worstHalf >= n && 4 * loss.worstHalfNearEnd[*end] >= 3 * loss.worstHalf;
}

}  // namespace

void FindLossCause(const PrepLut *source, const PrepLut *result, const PrepLoss &loss, LossCause *cause) {
    *cause = LossCause{};
    // A transform's loss is measured at the centres of the result's cells,
    // as many a row as the result has cells.
    const bool coarser = source == nullptr || result->points < source->points;
    const int32_t row = source != nullptr ? source->points : result->points - 1;
    if ((coarser || !PrepIsPlainLattice(source)) && NearOneEnd(loss, row, &cause->end)) {
        cause->kind = kLossCurved;
    } else {
        cause->kind = coarser ? kLossCoarser : kLossMisaligned;
    }
}
