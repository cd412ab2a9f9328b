#pragma once

#include <array>
#include <optional>

#include "Runtime.h"

namespace carriers {

// The carrier model: the simulation's state and every handler that changes
// it. Carrier positions live in the runtime's markers (Shape1 electrons,
// Shape2 holes); markers 1..count are live, the rest are parked at ParkedY.
class CarrierModel {
  public:
    // Screen geometry, twips.
    static constexpr int ConductionEdgeY = 1800;
    static constexpr int ConductionTopY = 360;
    static constexpr int ValenceEdgeY = 3120;
    static constexpr int ValenceBottomY = 4500;
    static constexpr int ParkedY = 10000;
    static constexpr int RegionLeft = 1400;
    static constexpr int RegionRight = 4000;
    static constexpr double PlacementSpan = 2500.0;
    static constexpr int GatherX = 2700;
    static constexpr double TwipsPerEV = 1200.0;
    static constexpr int MarkerCapacity = 100;
    static constexpr int CellCount = 20;

    // What Start accepts: beyond 4436 K the generation threshold overflows.
    static constexpr int MaxTemperature = 4436;
    static constexpr AcceptedRange TemperatureRange{0.0, MaxTemperature};
    // The Fermi line y = 3120 - EF x 1200 must round into 16 bits, which holds
    // for EF from just above -24.70625 to about 29.90708; rounded inwards to
    // what a user would type.
    static constexpr AcceptedRange FermiLevelRange{-24.706, 29.907};
    // Whether Start takes a number read from its box; every check made
    // before a Start asks these, so both refuse the same values.
    static bool AcceptsTemperature(double kelvin);
    static bool AcceptsFermiLevel(double electronVolts);

    // The strip chart: 0 electrons plot at y 1380, each one 14 twips higher.
    static constexpr int ChartBaselineY = 1380;
    static constexpr int ChartTwipsPerElectron = 14;

    // The physics of the tick, in twips, kelvin and electronvolts.
    // Thermal motion: a carrier's jitter and walk step is T / 5 twips, so
    // 300 K moves it 60 twips a tick.
    static constexpr double KelvinPerTwipOfStep = 5.0;
    // Relaxation: the chance of a step back to the band edge grows with the
    // square of the distance from the Fermi line in units of 500 twips; a
    // step is 60 twips.
    static constexpr double RelaxationDistance = 500.0;
    static constexpr double RelaxationStep = 60.0;
    // The relaxation draw must exceed this for the step to happen.
    static constexpr float InitialRelaxLimit = 2.0f;
    // The weak field drifts every carrier 45 twips a tick.
    static constexpr double FieldDrift = 45.0;
    // Generation e^(T / 50 K) and recombination n x p, both against a draw
    // scaled to 0..10000.
    static constexpr double GenerationTemperatureScale = 50.0;
    static constexpr double PairDrawScale = 10000.0;
    // Light fills the leading band: electrons to 90, or holes to 99.
    static constexpr int LightElectronFill = 90;
    static constexpr int LightHoleFill = 99;
    // Start: 60 carriers per eV of Fermi level above the valence edge
    // (electrons) and below 1 eV (holes).
    static constexpr double CarriersPerEV = 60.0;
    // Doping: the Fermi level moves 1/30 eV per decade of ND / NA from mid-gap.
    static constexpr double DecadesPerEV = 30.0;
    static constexpr double MidGapEV = 0.5;
    // The Fermi level that donors ND and acceptors NA (cm-3) give, or none
    // for a pair that gives none (a zero, opposite signs, a ratio too large).
    static std::optional<double> FermiLevelFromDoping(double donors, double acceptors);

    explicit CarrierModel(Runtime& runtime) : rt_(runtime) {}

    // Event handlers, called by the window through Runtime::Dispatch.
    void Form_Load();
    void Command1_Click();  // Start/Restart
    void Command4_Click();  // diffusion test
    void Command5_Click();  // light: carrier injection
    void Check1_Click();    // weak field on or off
    void Text4_Change();    // donor concentration edited
    void Text5_Change();    // acceptor concentration edited
    void Timer1_Timer();    // one simulation tick
    void Timer2_Timer();    // current readout

    // Private procedures, public so that tests can drive each stage alone.
    void GeneratePair();
    void RecombinePair();
    void RollCellTallies();
    void ElectronPass();
    void HolePass();
    void ThermalStep();
    void ReadoutStage();

    using CellArray = std::array<Integer, CellCount + 1>;  // cells 0..20

    // State; plain members so tests can read and arrange them.
    Integer ElectronCount;
    Integer HoleCount;
    float ElectronRelaxLimit = 0.0f;
    float HoleRelaxLimit = 0.0f;
    Integer FermiLevelY;
    Integer Temperature;
    CellArray ElectronCellCount{};
    CellArray HoleCellCount{};
    CellArray ElectronCellPrev{};
    CellArray HoleCellPrev{};
    Integer ElectronLeftBound;
    Integer ElectronRightBound;
    Integer HoleLeftBound;
    Integer HoleRightBound;
    Integer CurrentTally;
    Tagged LoopIndex;
    Tagged CellIndex;
    Integer ChartX;

    // Checked cell access: an index outside 0..20 is the subscript error.
    template <class Cells>  // CellArray, const or not
    static auto& Cell(Cells& cells, int index) {
        if (index < 0 || index > CellCount) Raise(ErrorKind::SubscriptOutOfRange);
        return cells[static_cast<std::size_t>(index)];
    }

  private:
    // Every counted loop runs on the shared LoopIndex: the end is read once,
    // and the counter is left one past it (at the start if nothing ran).
    template <class Body>
    void ForLoopIndex(Integer first, Integer last, Body&& body) {
        for (LoopIndex = first; LoopIndex.AsInteger() <= last;
             LoopIndex = LoopIndex.AsInteger() + 1) {
            body(LoopIndex.AsInteger());
        }
    }

    struct PassRules;
    void MoveCarriers(const PassRules& rules, Integer lastCarrier);

    Runtime& rt_;
};

}  // namespace carriers
