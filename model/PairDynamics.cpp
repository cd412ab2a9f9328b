#include <cmath>

#include "CarrierModel.h"
#include "Numerics.h"

namespace carriers {

// Electrons and holes are created and removed in pairs; each population is a
// stack of markers, the last placed is the first removed.

void CarrierModel::GeneratePair() {
    ElectronCount = ElectronCount + 1;
    // At the cap the newest carrier takes the place of marker 100.
    if (ElectronCount > MarkerCapacity) ElectronCount = MarkerCapacity;
    Marker& electron = rt_.Shape1()(ElectronCount);
    electron.Left = ToSingle(RegionLeft + rt_.Rnd() * PlacementSpan);
    electron.Top = ConductionEdgeY;

    HoleCount = HoleCount + 1;
    if (HoleCount > MarkerCapacity) HoleCount = MarkerCapacity;
    Marker& hole = rt_.Shape2()(HoleCount);
    hole.Left = ToSingle(RegionLeft + rt_.Rnd() * PlacementSpan);
    hole.Top = ValenceEdgeY;
}

void CarrierModel::RecombinePair() {
    rt_.Shape1()(ElectronCount).Top = ParkedY;
    ElectronCount = ElectronCount - 1;
    rt_.Shape2()(HoleCount).Top = ParkedY;
    HoleCount = HoleCount - 1;
}

void CarrierModel::ThermalStep() {
    // Generation: a pair appears with probability e^(T/50) / 10000 per tick.
    const float r1 = rt_.Rnd();
    const float threshold =
        ToSingle(std::exp(static_cast<double>(Temperature) / GenerationTemperatureScale));
    const float d1 = ToSingle(static_cast<double>(r1) * PairDrawScale);
    if (d1 < threshold) GeneratePair();

    // Recombination: with probability n x p / 10000, after any generation.
    const float r2 = rt_.Rnd();
    const float product = static_cast<float>((ElectronCount * HoleCount).value());
    const float d2 = ToSingle(static_cast<double>(r2) * PairDrawScale);
    if (d2 < product) RecombinePair();
}

void CarrierModel::Command5_Click() {
    // Light fills the population that is ahead: electrons, or holes when
    // they are ahead or level; the other rises by as many.
    const Integer pairs = ElectronCount > HoleCount ? Integer(LightElectronFill) - ElectronCount
                                                    : Integer(LightHoleFill) - HoleCount;
    CellIndex = pairs;
    ForLoopIndex(1, CellIndex.AsInteger(), [&](Integer) { GeneratePair(); });
}

}  // namespace carriers
