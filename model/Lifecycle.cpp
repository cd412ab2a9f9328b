#include "CarrierModel.h"

namespace carriers {

void CarrierModel::Form_Load() {
    ForLoopIndex(0, Runtime::kLine7UBound,
                 [&](Integer i) { rt_.SetLine7Visible(i.value(), false); });
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
