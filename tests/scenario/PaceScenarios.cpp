// The time controls change how many ticks pass per second of wall clock,
// never what a tick does. Each scenario runs the same ticks, with the same
// actions between the same ticks, once at speed 1 with no pause and once
// through pauses, steps and every speed; after the last tick the two states
// must be identical to the bit. The current tally and its readout are left
// out: the readout's timer runs by the wall clock at speed 1.
#include "PaceScenarios.h"

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "Controller.h"
#include "FakeFrontEnd.h"
#include "Fnv1a.h"
#include "captions/Language.h"
#include "form/FormLayout.h"

namespace controller::testing {

namespace {

using form::Announcement;

struct Action {
    int afterTick;
    Announcement what;  // Light, Diffusion or Field (which toggles it)
};

struct PaceScenario {
    const char* name;
    int ticks;
    std::vector<Action> actions;
    // The paced run's moves, repeated: a speed for one pulse at it, or 0 for
    // a step while paused.
    std::vector<int> moves;
};

std::vector<PaceScenario> PaceScenarioTable() {
    using A = Announcement;
    return {
        {"pace-speeds", 2000, {}, {20, 5, 2, 10, 1, 20, 20}},
        {"pace-steps", 300, {}, {0, 0, 0, 5, 0, 2}},
        {"pace-actions",
         1200,
         {{100, A::Light}, {100, A::Field}, {333, A::Diffusion}, {640, A::Field}, {901, A::Light}},
         {20, 0, 10, 0, 0, 5, 2, 1}},
    };
}

std::uint64_t Bits(float f) {
    std::uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    return u;
}

std::uint64_t StateOf(const Controller& c, const FakeFrontEnd& front) {
    carriers::testing::Fnv1a digest;
    // Every value as 64 bits, so that wasm32's 4-byte sizes digest alike.
    const auto add = [&digest](std::uint64_t v) { digest.Add(v); };
    const carriers::CarrierModel& m = c.Model();
    for (carriers::Integer v :
         {m.ElectronCount, m.HoleCount, m.FermiLevelY, m.Temperature, m.ElectronLeftBound,
          m.ElectronRightBound, m.HoleLeftBound, m.HoleRightBound, m.ChartX}) {
        add(static_cast<std::uint64_t>(v.value()));
    }
    add(Bits(m.ElectronRelaxLimit));
    add(Bits(m.HoleRelaxLimit));
    for (const auto* cells :
         {&m.ElectronCellCount, &m.HoleCellCount, &m.ElectronCellPrev, &m.HoleCellPrev}) {
        for (carriers::Integer v : *cells) add(static_cast<std::uint64_t>(v.value()));
    }
    for (const carriers::MarkerArray* shapes : {&c.Shape1(), &c.Shape2()}) {
        for (const carriers::Marker& marker : shapes->members()) {
            add(Bits(marker.Left));
            add(Bits(marker.Top));
        }
    }
    add(Bits(c.Diagram().line3Y1));
    for (bool visible : c.Diagram().line7Visible) add(visible ? 1 : 0);
    for (carriers::TextBoxId box : {carriers::TextBoxId::Text3, carriers::TextBoxId::Text6}) {
        for (char ch : front.Text(box)) add(static_cast<unsigned char>(ch));
    }
    add(c.Chart().size());
    add(static_cast<std::uint64_t>(c.ChartClears()));
    if (!c.Chart().empty()) add(Bits(c.Chart().back().y));
    add(c.RandomSource().Draws());
    add(c.Record().Ticks());
    return digest.value();
}

class Run {
  public:
    Run() : controller_(form::Quarvel(), front_, ".") {
        const auto timers = form::TimerTable();
        for (std::size_t row = 0; row < timers.size(); ++row) {
            if (timers[row].role == form::TimerRole::Tick) tickRow_ = row;
        }
        controller_.Load();
        controller_.Fire(*Controller::BindingFor(Announcement::Start));
    }

    int Ticks() const { return static_cast<int>(controller_.Record().Ticks()); }

    void Act(Announcement what) {
        if (what == Announcement::Field) front_.SetCheck1(front_.check1 == 0);
        controller_.Fire(*Controller::BindingFor(what));
    }
    void Pulse(int speed) {
        controller_.SetPaused(false);
        controller_.SetSpeed(speed);
        controller_.TimerFired(tickRow_);
    }
    void Step() {
        controller_.SetPaused(true);
        // While paused a pulse that was already due moves nothing.
        controller_.TimerFired(tickRow_);
        controller_.Step();
    }
    std::uint64_t State() const { return StateOf(controller_, front_); }

  private:
    FakeFrontEnd front_;
    Controller controller_;
    std::size_t tickRow_ = 0;
};

std::uint64_t Play(const PaceScenario& scenario, bool paced) {
    Run run;
    std::size_t next = 0;
    std::size_t move = 0;
    while (run.Ticks() < scenario.ticks) {
        while (next < scenario.actions.size() && scenario.actions[next].afterTick == run.Ticks()) {
            run.Act(scenario.actions[next++].what);
        }
        const int due =
            next < scenario.actions.size() ? scenario.actions[next].afterTick : scenario.ticks;
        const int speed = paced ? scenario.moves[move++ % scenario.moves.size()] : 1;
        // A pulse never runs past the next action or the end: steps do.
        if (speed > 0 && run.Ticks() + speed <= due) {
            run.Pulse(speed);
        } else {
            run.Step();
        }
    }
    return run.State();
}

}  // namespace

int PlayPaceScenarios() {
    int differing = 0;
    for (const PaceScenario& scenario : PaceScenarioTable()) {
        const std::uint64_t plain = Play(scenario, false);
        const std::uint64_t paced = Play(scenario, true);
        std::printf("%s %d ticks %016" PRIx64 " %016" PRIx64 "\n", scenario.name, scenario.ticks,
                    plain, paced);
        if (plain != paced) {
            std::fprintf(stderr, "%s: the paced run departs from the plain one\n", scenario.name);
            ++differing;
        }
    }
    return differing;
}

}  // namespace controller::testing
