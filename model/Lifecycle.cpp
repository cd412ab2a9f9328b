#include "CarrierModel.h"

namespace carriers {

void CarrierModel::Form_Load() {
    for (LoopIndex = Integer(0); LoopIndex.AsInteger() <= Runtime::kLine7UBound;
         LoopIndex = LoopIndex.AsInteger() + 1) {
        rt_.SetLine7Visible(LoopIndex.ToIndex(), false);
    }
    ChartX = 0;
    rt_.Picture1Cls();
}

void CarrierModel::Timer1_Timer() {
    ElectronPass();
    HolePass();
    ThermalStep();
    ReadoutStage();
}

}  // namespace carriers
