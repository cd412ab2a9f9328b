#include <cmath>

#include "CarrierModel.h"
#include "Numerics.h"

namespace carriers {

// What differs between the electron pass and the hole pass.
struct CarrierModel::PassRules {
    MarkerArray& markers;
    float relaxLimit;
    double relaxStep;  // towards the band edge: electrons down, holes up
    bool electrons;    // confinement order and edges
    Integer leftBound;
    Integer rightBound;
    const CarrierModel::CellArray& previous;
    CarrierModel::CellArray& current;
    double drift;       // electrons drift right, holes left
    int leftExitTally;  // an electron leaving at the left end counts -1, a hole +1
};

namespace {

// floor(r x 3 - 1): -1, 0 or +1 with equal chances. r x 3 is exact in a
// double, so comparing it with 1 and 2 gives the same steps as the floor.
// Branch-free: the draw is random, so a branch would be mispredicted often.
inline double Jitter(float r) {
    const double t = static_cast<double>(r) * 3.0;
    return static_cast<double>(static_cast<int>(t >= 1.0) + static_cast<int>(t >= 2.0) - 1);
}

}  // namespace

void CarrierModel::ElectronPass() {
    MoveCarriers(
        PassRules{rt_.Shape1(), ElectronRelaxLimit, +RelaxationStep, true, ElectronLeftBound,
                  ElectronRightBound, ElectronCellPrev, ElectronCellCount, +FieldDrift, -1},
        ElectronCount);
}

void CarrierModel::HolePass() {
    MoveCarriers(PassRules{rt_.Shape2(), HoleRelaxLimit, -RelaxationStep, false, HoleLeftBound,
                           HoleRightBound, HoleCellPrev, HoleCellCount, -FieldDrift, +1},
                 HoleCount);
}

void CarrierModel::MoveCarriers(const PassRules& rules, Integer lastCarrier) {
    const double step = static_cast<double>(Temperature) / KelvinPerTwipOfStep;
    const double fermiY = static_cast<double>(FermiLevelY);
    const bool fieldOn = rt_.Check1Value() == 1;
    // The bounds cannot change during a pass; their difference is checked once.
    const double width = static_cast<double>(rules.rightBound - rules.leftBound);
    const double left = static_cast<double>(rules.leftBound);

    ForLoopIndex(1, lastCarrier, [&](Integer k) {
        Marker& m = rules.markers(k);

        // 1. Vertical thermal jitter.
        m.Top = ToSingle(m.Top + Jitter(rt_.Rnd()) * step);

        // 2. Relaxation: the further from the Fermi level, the likelier a
        //    step back towards the band edge.
        const double distance = (fermiY - m.Top) / RelaxationDistance;
        const float p = ToSingle(static_cast<double>(rt_.Rnd()) * (distance * distance));
        if (p > rules.relaxLimit) m.Top = ToSingle(m.Top + rules.relaxStep);

        // 3. Confinement to the band region.
        if (rules.electrons) {
            if (m.Top > ConductionEdgeY) m.Top = ConductionEdgeY;
            if (m.Top < ConductionTopY) m.Top = ConductionTopY;
        } else {
            if (m.Top < ValenceEdgeY) m.Top = ValenceEdgeY;
            if (m.Top > ValenceBottomY) m.Top = ValenceBottomY;
        }

        // 4. Random walk along the crystal.
        m.Left = ToSingle(m.Left + Jitter(rt_.Rnd()) * step);

        // 5. Departure cell; may lie outside 0..20 before the wrap-around.
        CellIndex = ToSingle(Floor(CheckedQuotient(m.Left - left, width) * CellCount));

        // 6. Diffusion away from the neighbour that was fuller last tick.
        const double cell = CellIndex.AsDouble();
        if (cell > 0 && cell < CellCount - 1) {
            const int index = CellIndex.ToIndex();
            const Integer a = Cell(rules.previous, index - 1);
            const Integer b = Cell(rules.previous, index + 1);
            if (b < a) m.Left = ToSingle(m.Left + step);
            if (a < b) m.Left = ToSingle(m.Left - step);
        }

        // 7. Drift under the weak field.
        if (fieldOn) m.Left = ToSingle(m.Left + rules.drift);

        // 8. Wrap-around at the ends of the crystal, counted as current.
        if (m.Left < RegionLeft) {
            m.Left = RegionRight;
            CurrentTally = CurrentTally + rules.leftExitTally;
        }
        if (m.Left > RegionRight) {
            m.Left = RegionLeft;
            CurrentTally = CurrentTally - rules.leftExitTally;
        }

        // 9. Count the carrier in its cell for the next tick's diffusion.
        CellIndex = ToSingle(Floor(CheckedQuotient(m.Left - left, width) * CellCount));
        Integer& tally = Cell(rules.current, CellIndex.ToIndex());
        tally = tally + 1;
    });
}

}  // namespace carriers
