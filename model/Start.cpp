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

Integer Clamp(Integer count) {
    return std::clamp(count, Integer(0), Integer(CarrierModel::MarkerCapacity));
}

}  // namespace

void CarrierModel::Command1_Click() {
    // Both boxes are checked before anything changes, so a typo leaves the
    // running simulation exactly as it was.
    const std::optional<double> kelvin = ReadNumber(rt_, TextBoxId::Text1);
    // Below 0 K as typed is refused; 4436.5 still rounds (to even) to 4436.
    if (!kelvin || *kelvin < 0.0 || *kelvin > MaxTemperature + 0.5) {
        rt_.RejectInput(TextBoxId::Text1, AcceptedRange{0.0, MaxTemperature});
        return;
    }
    const std::optional<double> fermiLevel = ReadNumber(rt_, TextBoxId::Text2);
    const double lineY = fermiLevel ? ValenceEdgeY - *fermiLevel * TwipsPerEV : 0.0;
    // Ties round to even: -32768.5 still fits, 32767.5 does not.
    if (!fermiLevel || !(lineY >= -32768.5 && lineY < 32767.5)) {
        rt_.RejectInput(TextBoxId::Text2, FermiLevelRange);
        return;
    }
    const double ef = *fermiLevel;

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
