// The browser page's entry points: the page's script calls these to build
// its controls, hand the controller its events and paint what the model
// shows.
#include <emscripten.h>

#include <string>

#include "DescriptionJson.h"
#include "PageFrontEnd.h"
#include "captions/BuildLanguage.h"

namespace {

controller::Controller& Page() { return form::PageController(form::BuildProgram()); }

// A language by its code, or the one the page shows now for an empty code.
const form::Language& LanguageNamed(const char* code) {
    const form::Language* language = form::FindLanguage(code);
    return language ? *language : Page().Description().language();
}

// A text handed to the script; valid until the same entry point is called again.
template <int Slot>
const char* Handed(std::string text) {
    static std::string held;
    held = std::move(text);
    return held.c_str();
}

}  // namespace

extern "C" {

// The first call: makes the controller in the language the page's address
// asks for, read by the same decoder as the rest of the set-up, so that
// nothing is shown in another language first. Gives the language's code.
EMSCRIPTEN_KEEPALIVE const char* quarvel_open(const char* fragment) {
    const controller::SharedSetup setup = controller::SetupFromFragment(fragment);
    const auto& asked = setup.Value(controller::SetupKey::Language);
    const form::Language* language = asked ? form::FindLanguage(*asked) : nullptr;
    return Handed<8>(std::string(
        form::PageController(form::BuildProgram(), language).Description().language().code));
}

EMSCRIPTEN_KEEPALIVE const char* quarvel_layout() {
    static const std::string json = form::LayoutJson(Page().Description());
    return json.c_str();
}
// The texts of a language by its code; of the one shown now for "".
EMSCRIPTEN_KEEPALIVE const char* quarvel_texts(const char* code) {
    return Handed<9>(
        form::TextsJson(form::FormDescription(form::BuildProgram(), LanguageNamed(code))));
}
// The user chose a language: the controller switches every text and calls
// the page's languageChanged. 0 for a code the page lacks.
EMSCRIPTEN_KEEPALIVE int quarvel_set_language(const char* code) {
    const form::Language* language = form::FindLanguage(code);
    if (language) Page().SetLanguage(*language);
    return language ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void quarvel_load() { Page().Load(); }
// A control's event, by the binding's place in the description's list.
EMSCRIPTEN_KEEPALIVE void quarvel_fire(int binding) {
    if (binding >= 0) Page().Fire(static_cast<std::size_t>(binding));
}
// A timer of the description's list fired, by its place.
EMSCRIPTEN_KEEPALIVE void quarvel_timer(int row) {
    if (row >= 0) Page().TimerFired(static_cast<std::size_t>(row));
}

EMSCRIPTEN_KEEPALIVE void quarvel_set_paused(int paused) { Page().SetPaused(paused != 0); }
EMSCRIPTEN_KEEPALIVE void quarvel_step() { Page().Step(); }
EMSCRIPTEN_KEEPALIVE void quarvel_set_speed(int speed) { Page().SetSpeed(speed); }

EMSCRIPTEN_KEEPALIVE const char* quarvel_scene() { return Handed<0>(Page().Scene()); }
EMSCRIPTEN_KEEPALIVE const char* quarvel_chart_trend() { return Handed<1>(Page().ChartTrend()); }
EMSCRIPTEN_KEEPALIVE int quarvel_ended() { return Page().Ended() ? 1 : 0; }

// The commands around the window: their state now, and one run by its
// number (with the speed for Speed). 1 when the controller did it, 0 when
// the page must (the panel, the files, the link).
EMSCRIPTEN_KEEPALIVE const char* quarvel_commands() {
    return Handed<3>(form::CommandsJson(Page()));
}
EMSCRIPTEN_KEEPALIVE int quarvel_run(int command, int speed) {
    if (command < 0 || command >= static_cast<int>(controller::kCommandCount)) return 0;
    return Page().Run(static_cast<controller::Command>(command), speed) ? 1 : 0;
}
// What the page found of the browser's voices for the window's language:
// 1 ready, 2 none of that language, 3 no speech at all (0 not known yet).
EMSCRIPTEN_KEEPALIVE void quarvel_set_speech_state(int state) {
    if (state < 0 || state > static_cast<int>(controller::SpeechState::NoService)) return;
    Page().SetSpeechState(static_cast<controller::SpeechState>(state));
}
EMSCRIPTEN_KEEPALIVE const char* quarvel_panel() {
    return Handed<4>(form::PanelJson(Page().ClassDataPanel()));
}
EMSCRIPTEN_KEEPALIVE const char* quarvel_csv() { return Handed<5>(Page().Csv()); }
EMSCRIPTEN_KEEPALIVE const char* quarvel_file_name(int picture) {
    return Handed<6>(Page().FileName(picture != 0));
}
EMSCRIPTEN_KEEPALIVE const char* quarvel_setup_link() { return Handed<7>(Page().SetupLink()); }
// A set-up from the page's address, as if typed; 1 when a value was
// refused, which the controller has already shown.
EMSCRIPTEN_KEEPALIVE int quarvel_apply_setup(const char* fragment) {
    return Page().Apply(controller::SetupFromFragment(fragment)) ? 1 : 0;
}

// Shape1 (0) or Shape2 (1): every member as the description's memory
// layout says.
EMSCRIPTEN_KEEPALIVE const carriers::Marker* quarvel_markers(int holes) {
    return (holes ? Page().Shape2() : Page().Shape1()).members().data();
}
EMSCRIPTEN_KEEPALIVE const carriers::DiagramState* quarvel_diagram() { return &Page().Diagram(); }
EMSCRIPTEN_KEEPALIVE const carriers::ChartPoint* quarvel_chart() { return Page().Chart().data(); }
EMSCRIPTEN_KEEPALIVE int quarvel_chart_size() { return static_cast<int>(Page().Chart().size()); }
EMSCRIPTEN_KEEPALIVE int quarvel_chart_clears() { return Page().ChartClears(); }

// What tests and the page's commands need of the model and the time
// controls besides the markers.
EMSCRIPTEN_KEEPALIVE const char* quarvel_state() { return Handed<2>(form::StateJson(Page())); }

}  // extern "C"
