#include "CarrierModel.h"

namespace carriers {

void CarrierModel::Check1_Click() {
    // The marks only show the box's state; the motion step reads the box itself.
    const bool visible = rt_.Check1Value() == 1;
    for (LoopIndex = Integer(0); LoopIndex.AsInteger() <= Runtime::kLine7UBound;
         LoopIndex = LoopIndex.AsInteger() + 1) {
        rt_.SetLine7Visible(LoopIndex.ToIndex(), visible);
    }
}

void CarrierModel::Command4_Click() {
    // Gather every carrier at the middle and let diffusion spread them again.
    // The loops start at the spare marker 0; heights are kept.
    MarkerArray& electrons = rt_.Shape1();
    const Integer lastElectron = ElectronCount;
    for (LoopIndex = Integer(0); LoopIndex.AsInteger() <= lastElectron;
         LoopIndex = LoopIndex.AsInteger() + 1) {
        electrons(LoopIndex).Left = GatherX;
    }
    MarkerArray& holes = rt_.Shape2();
    const Integer lastHole = HoleCount;
    for (LoopIndex = Integer(0); LoopIndex.AsInteger() <= lastHole;
         LoopIndex = LoopIndex.AsInteger() + 1) {
        holes(LoopIndex).Left = GatherX;
    }
}

}  // namespace carriers
