#include "CarrierModel.h"

namespace carriers {

namespace {
constexpr int kChartStep = 2;      // twips per tick
constexpr int kChartLastX = 2660;  // after this column the sweep starts again
constexpr std::uint32_t kBlack = 0;
}  // namespace

void CarrierModel::ReadoutStage() {
    rt_.SetText(TextBoxId::Text3, IntegerToText(ElectronCount));
    rt_.SetText(TextBoxId::Text6, IntegerToText(HoleCount));
    RollCellTallies();
    const Integer y = Integer(ChartBaselineY) - Integer(ChartTwipsPerElectron) * ElectronCount;
    rt_.Picture1PSet(static_cast<float>(ChartX.value()), static_cast<float>(y.value()), kBlack);
    ChartX = ChartX + kChartStep;
    if (ChartX > kChartLastX) {
        ChartX = 0;
        rt_.Picture1Cls();
    }
}

void CarrierModel::RollCellTallies() {
    // This tick's counts become the previous-tick counts the next tick's
    // diffusion reads.
    ForLoopIndex(0, CellCount, [&](Integer index) {
        const int i = index.value();
        Cell(ElectronCellPrev, i) = Cell(ElectronCellCount, i);
        Cell(ElectronCellCount, i) = 0;
        Cell(HoleCellPrev, i) = Cell(HoleCellCount, i);
        Cell(HoleCellCount, i) = 0;
    });
}

void CarrierModel::Timer2_Timer() {
    // The net crossings of the last two seconds, shown as a bare count.
    rt_.SetText(TextBoxId::Text7, IntegerToText(CurrentTally));
    CurrentTally = 0;
}

}  // namespace carriers
