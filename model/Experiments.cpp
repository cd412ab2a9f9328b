#include "CarrierModel.h"

namespace carriers {

void CarrierModel::Check1_Click() {
    // The marks only show the box's state; the motion step reads the box itself.
    const bool visible = rt_.Check1Value() == 1;
    ForLoopIndex(0, Runtime::kLine7UBound,
                 [&](Integer i) { rt_.SetLine7Visible(i.value(), visible); });
}

void CarrierModel::Command4_Click() {
    // Gather every carrier at the middle and let diffusion spread them again.
    // The loops start at the spare marker 0; heights are kept.
    MarkerArray& electrons = rt_.Shape1();
    ForLoopIndex(0, ElectronCount, [&](Integer k) { electrons(k).Left = GatherX; });
    MarkerArray& holes = rt_.Shape2();
    ForLoopIndex(0, HoleCount, [&](Integer k) { holes(k).Left = GatherX; });
}

}  // namespace carriers
