// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "model/entity_store.h"

#include <cstdint>

namespace quillform::detail {

// Linking nearest first: each engine finds, for either end of the contour,
// the entity end nearest to it within reach; these rules pick among them,
// so that coincident ends meet before near ones and a contour closes on
// itself only when no other end is nearer than its own two ends are.

// The entity end nearest to one contour end. Rank is the order the literal
// scan meets entities in (segments, arcs, polylines, each in list order):
// among equally near ends the earlier entity wins.
struct TEndOffer {
    static constexpr uint32_t kNone = UINT32_MAX;
    uint32_t rank = kNone;
    double distance = 0;
    bool atEnd = false; // the entity's end, not its start, is the nearer one
};

// Whether the entity's end is nearer than its start (its start on a tie;
// an end that is NaN is never the nearer one).
bool EndIsNearer(double startDistance, double endDistance);

// The pairing to join with (see MatchPairing), or kNoPairing when nothing
// is within reach or the contour closes on itself first.
int ChooseNearest(const TDXFPolygon& contour, const TEndOffer& atFirst, const TEndOffer& atLast,
                  double linkingDistance);

// A chain whose ends stay apart but would meet without its last (or first)
// edge, when that edge is shorter than the linking distance: the edge's far
// end moves onto the chain's other end, so that the chain closes with it.
void CloseAcrossShortEnd(TDXFPolygon* contour, double linkingDistance);

} // namespace quillform::detail
