#include <algorithm>
#include <optional>

#include "CarrierModel.h"
#include "Numerics.h"

namespace carriers {

namespace {

std::optional<double> ReadNumber(const Runtime& rt, TextBoxId box) {
    try {
        return rt.TextToDouble(rt.Text(box));
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

double FermiLineY(double fermiLevel) {
    return CarrierModel::ValenceEdgeY - fermiLevel * CarrierModel::TwipsPerEV;
}

Integer Clamp(Integer count) {
    return std::clamp(count, Integer(0), Integer(CarrierModel::MarkerCapacity));
}

}  // namespace

// Below 0 K as typed is refused; 4436.5 still rounds (to even) to 4436.
bool CarrierModel::AcceptsTemperature(double kelvin) {
    return kelvin >= 0.0 && kelvin <= MaxTemperature + 0.5;
}

// The Fermi line's y must round into 16 bits; ties round to even, so
// -32768.5 still fits and 32767.5 does not.
bool CarrierModel::AcceptsFermiLevel(double electronVolts) {
    const double lineY = FermiLineY(electronVolts);
    return lineY >= -32768.5 && lineY < 32767.5;
}

void CarrierModel::Command1_Click() {
    // Both boxes are checked before anything changes, so a typo leaves the
    // running simulation exactly as it was.
    const std::optional<double> kelvin = ReadNumber(rt_, TextBoxId::Text1);
    if (!kelvin || !AcceptsTemperature(*kelvin)) {
        rt_.RejectInput(TextBoxId::Text1, TemperatureRange);
        return;
    }
    const std::optional<double> fermiLevel = ReadNumber(rt_, TextBoxId::Text2);
    if (!fermiLevel || !AcceptsFermiLevel(*fermiLevel)) {
        rt_.RejectInput(TextBoxId::Text2, FermiLevelRange);
        return;
    }
    const double ef = *fermiLevel;
    const double lineY = FermiLineY(ef);

    ElectronLeftBound = RegionLeft;
    ElectronRightBound = RegionRight;
    HoleLeftBound = RegionLeft;
    HoleRightBound = RegionRight;
    RollCellTallies();
    CurrentTally = 0;
    Temperature = RoundToInteger(*kelvin);
    FermiLevelY = RoundToInteger(lineY);
    rt_.SetLine3Y1(static_cast<float>(FermiLevelY.value()));
    rt_.SetLine3Y2(static_cast<float>(FermiLevelY.value()));
    // Only markers 1..100 exist as carriers, so the counts are held to that.
    ElectronCount = Clamp(RoundToInteger(ef * CarriersPerEV));
    HoleCount = Clamp(RoundToInteger((1.0 - ef) * CarriersPerEV));

    // Electrons and holes alternate, so the draws alternate too; a parked
    // marker passes through its band edge before it is parked.
    MarkerArray& electrons = rt_.Shape1();
    MarkerArray& holes = rt_.Shape2();
    ForLoopIndex(1, MarkerCapacity, [&](Integer k) {
        Marker& electron = electrons(k);
        electron.Left = ToSingle(RegionLeft + rt_.Rnd() * PlacementSpan);
        electron.Top = ConductionEdgeY;
        if (k > ElectronCount) electron.Top = ParkedY;
        Marker& hole = holes(k);
        hole.Left = ToSingle(RegionLeft + rt_.Rnd() * PlacementSpan);
        hole.Top = ValenceEdgeY;
        if (k > HoleCount) hole.Top = ParkedY;
    });

    ElectronRelaxLimit = InitialRelaxLimit;
    HoleRelaxLimit = InitialRelaxLimit;
    rt_.SetTimer1Enabled(true);
}

}  // namespace carriers
