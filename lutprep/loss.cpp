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
    const bool coarser = result->points < source->points;
    if ((coarser || !PrepIsPlainLattice(source)) && NearOneEnd(loss, source->points, &cause->end)) {
        cause->kind = kLossCurved;
    } else {
        cause->kind = coarser ? kLossCoarser : kLossMisaligned;
    }
}
