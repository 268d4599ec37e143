#include "render/slot_state_snapshot.h"

#include <algorithm>

#include "baseshapes/generator_table.h"

namespace {

// One routine for both directions keeps the two lists from drifting apart.
template <bool kSave>
void Transfer(SlotStateSnapshot& s, uint8_t slot)
{
    const auto move = [](auto& live, auto& kept) {
        if constexpr (kSave) kept = live;
        else live = kept;
    };
    const auto moveArray = [](auto* live, auto* kept, int n) {
        if constexpr (kSave) std::copy_n(live, n, kept);
        else std::copy_n(kept, n, live);
    };
    move(gSlotPoint.x[slot], s.point[0]);
    move(gSlotPoint.y[slot], s.point[1]);
    move(gSlotPoint.z[slot], s.point[2]);
    move(gSlotTransform[slot], s.transform);
    move(gSlotComplexPoint.re[slot], s.complexPoint[0]);
    move(gSlotComplexPoint.im[slot], s.complexPoint[1]);
    move(gSlotComplexOrigin.re[slot], s.complexOrigin[0]);
    move(gSlotComplexOrigin.im[slot], s.complexOrigin[1]);
    move(gSlotQuaternionW[slot], s.quaternionW);
    move(gSlotQuaternionPoint[slot], s.quaternionPoint);
    move(static_cast<RandomState&>(gSlotRandom[slot]), s.random);
    move(static_cast<RandomState&>(gSlotRandomB[slot]), s.randomB);
    move(gBaseshapeRandom[slot].State(), s.baseshapeRandom);
    move(gSlotHash[slot], s.hash);
    move(static_cast<BaseshapePoint&>(gSlotBaseshapePoints[slot]), s.baseshapePoint);
    move(gSlotBaseshape[slot], s.baseshape);
    move(gSlotBaseshapeColorIndex[slot], s.baseshapeColorIndex);
    moveArray(gSlotBaseshapePosition[slot].v, s.baseshapePosition, 3);
    moveArray(gSlotSeedPoint[slot].v, s.seedPoint, 3);
    moveArray(gSlotSampleColor[slot], s.sampleColor, 3);
    move(gSlotColorMode[slot], s.colorMode);
    moveArray(gSlotTexelColor[slot], s.texelColor, 3);
    move(gSlotDeviceWalk.active[slot], s.deviceActive);
    move(gSlotDeviceWalk.startP[slot], s.deviceWalk[0]);
    move(gSlotDeviceWalk.startQ[slot], s.deviceWalk[1]);
    move(gSlotDeviceWalk.p[slot], s.deviceWalk[2]);
    move(gSlotDeviceWalk.q[slot], s.deviceWalk[3]);
    const int first = gSlotBatchStart[slot];
    moveArray(gPointX + first, s.x, kSlotBatchSize);
    moveArray(gPointY + first, s.y, kSlotBatchSize);
    moveArray(gPointZ + first, s.z, kSlotBatchSize);
    moveArray(gPointColorIndex + first, s.colorIndex, kSlotBatchSize);
    moveArray(gPointColorR + first, s.r, kSlotBatchSize);
    moveArray(gPointColorG + first, s.g, kSlotBatchSize);
    moveArray(gPointColorB + first, s.b, kSlotBatchSize);
}

}  // namespace

void SaveSlotState(uint8_t slot, SlotStateSnapshot& out) { Transfer<true>(out, slot); }

void RestoreSlotState(const SlotStateSnapshot& in, uint8_t slot)
{
    // Restoring never writes into the snapshot.
    Transfer<false>(const_cast<SlotStateSnapshot&>(in), slot);
}
