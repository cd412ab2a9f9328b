#include "DescriptionJson.h"

#include <cstddef>
#include <iterator>
#include <limits>
#include <nlohmann/json.hpp>

#include "Bindings.h"
#include "ClassDataView.h"
#include "Commands.h"
#include "Runtime.h"
#include "Spoken.h"
#include "WindowTables.h"
#include "form/ZoomSteps.h"

namespace form {

namespace {

using Json = nlohmann::json;

constexpr std::string_view kKinds[] = {"Label", "TextBox", "Button", "CheckBox", "PictureBox"};
constexpr std::string_view kRoles[] = {"Caption", "Input", "Readout", "Command", "Toggle", "Chart"};
constexpr std::string_view kShapeKinds[] = {"Rectangle", "Circle"};
constexpr std::string_view kShapeRoles[] = {"Fixed", "ElectronMarkers", "HoleMarkers"};
constexpr std::string_view kLineRoles[] = {"Fixed", "FermiLevel", "PolarityMark", "ChartFoot"};
constexpr std::string_view kLineStyles[] = {"Solid", "DashDot"};
constexpr std::string_view kEvents[] = {"Load", "Click", "Change", "Timer"};
constexpr std::string_view kTimerRoles[] = {"Tick", "CurrentReadout"};
constexpr std::string_view kCommandNames[] = {
    "PauseResume", "Step",     "Faster",      "Slower",   "Speed", "ClassData", "SaveData",
    "SavePicture", "CopyData", "CopyPicture", "CopyLink", "Speak", "SayScene"};
static_assert(std::size(kCommandNames) == controller::kCommandCount);

template <class Enum, std::size_t N>
std::string_view NameOf(const std::string_view (&names)[N], Enum value) {
    return names[static_cast<std::size_t>(value)];
}

// The page reads each polarity mark as one byte.
static_assert(sizeof(bool) == 1);

// Every text is UTF-8 already; a byte that is not still reads as U+FFFD
// rather than ending the page.
std::string Dumped(const Json& json) {
    return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

Json Place(const Placement& p) {
    return {{"left", p.left}, {"top", p.top}, {"width", p.width}, {"height", p.height}};
}

Json Key(ControlKey key) { return {{"name", key.name}, {"index", key.index}}; }

template <class Range>
Json Array(const Range& values) {
    Json array = Json::array();
    for (const auto& value : values) array.push_back(value);
    return array;
}

// Where the painter finds what the model moves, in bytes.
Json Memory() {
    using carriers::ChartPoint;
    using carriers::DiagramState;
    using carriers::Marker;
    return {{"marker",
             {{"count", carriers::MarkerArray::kSize},
              {"size", sizeof(Marker)},
              {"left", offsetof(Marker, Left)},
              {"top", offsetof(Marker, Top)}}},
            {"diagram",
             {{"line3Y1", offsetof(DiagramState, line3Y1)},
              {"line3Y2", offsetof(DiagramState, line3Y2)},
              {"line7Visible", offsetof(DiagramState, line7Visible)},
              {"line7Count", carriers::kLine7UBound + 1}}},
            {"chartPoint",
             {{"size", sizeof(ChartPoint)},
              {"x", offsetof(ChartPoint, x)},
              {"y", offsetof(ChartPoint, y)},
              {"rgb", offsetof(ChartPoint, rgb)}}}};
}

// Texts the module fills in and shows later, listed so that the page's
// fonts hold their characters.
Json Shown(const Language& language) {
    const TeachingTexts& teaching = language.teaching;
    const SetupTexts& setup = language.setup;
    const NoticeTexts& notices = language.notices;
    Json shown = Json::array();
    for (std::string_view text :
         {teaching.pause,       teaching.resume,         teaching.step,
          teaching.faster,      teaching.slower,         teaching.speed,
          teaching.speedChoice, teaching.classData,      teaching.saveData,
          teaching.savePicture, setup.copyLink,          teaching.notStarted,
          teaching.meanNP,      teaching.lawNP,          teaching.meanElectrons,
          teaching.meanHoles,   teaching.rootNP,         teaching.intrinsic,
          teaching.withError,   teaching.errorPending,   teaching.overTime,
          teaching.electrons,   teaching.holes,          teaching.np,
          teaching.paused,      teaching.speedNow,       setup.linkRefused,
          setup.acceptsRange,   setup.acceptsDoping,     setup.acceptsOnOff,
          setup.acceptsSpeed,   setup.acceptsStart,      setup.acceptsLanguage,
          setup.listSeparator,  setup.languageUnknown,   notices.rejectMessage,
          notices.errorMessage, notices.dopingIncomplete}) {
        shown.push_back(text);
    }
    for (std::string_view axis : {language.chart.countsAxis, language.chart.productAxis}) {
        shown.push_back(axis);
    }
    for (std::string_view form : teaching.sinceReset.forms) shown.push_back(form);
    for (std::string_view name : notices.errorNames) shown.push_back(name);
    shown.push_back(controller::Figure(std::numeric_limits<double>::quiet_NaN(), "."));
    return shown;
}

}  // namespace

std::string LayoutJson(const FormDescription& form) {
    Json controls = Json::array();
    for (const ControlSpec& control : ControlTable()) {
        Json c = Key(control.key);
        c["kind"] = NameOf(kKinds, control.kind);
        c["role"] = NameOf(kRoles, control.role);
        c["tabIndex"] = control.tabIndex;
        c["captionPoints"] = control.captionFontPoints;
        if (const auto box = controller::BoxOf(control.key)) c["box"] = static_cast<int>(*box);
        controls.push_back(std::move(c));
    }
    Json shapes = Json::array();
    for (const ShapeSpec& shape : ShapeTable()) {
        Json s = Key(shape.key);
        s.update(Place(shape.place));
        s["kind"] = NameOf(kShapeKinds, shape.shape);
        s["role"] = NameOf(kShapeRoles, shape.role);
        s["fill"] = shape.fill ? Json(*shape.fill) : Json(nullptr);
        s["outline"] = shape.outline;
        shapes.push_back(std::move(s));
    }
    Json lines = Json::array();
    for (const LineSpec& line : LineTable()) {
        Json l = Key(line.key);
        l["role"] = NameOf(kLineRoles, line.role);
        l.update(Json{{"x1", line.x1}, {"y1", line.y1}, {"x2", line.x2}, {"y2", line.y2}});
        l["style"] = NameOf(kLineStyles, line.style);
        lines.push_back(std::move(l));
    }
    Json paintOrder = Json::array();
    for (const ControlKey& key : PaintOrder()) paintOrder.push_back(Key(key));
    Json timers = Json::array();
    for (const TimerSpec& timer : TimerTable()) {
        Json t = Key(timer.key);
        t["intervalMs"] = timer.intervalMs;
        t["enabledAtLoad"] = timer.enabledAtLoad;
        t["role"] = NameOf(kTimerRoles, timer.role);
        timers.push_back(std::move(t));
    }
    // A binding is dispatched by its place in this list.
    Json bindings = Json::array();
    for (const Binding& binding : BindingTable()) {
        Json b = Key(binding.control);
        b["event"] = NameOf(kEvents, binding.event);
        bindings.push_back(std::move(b));
    }
    // The commands around the window that the page offers, in menu order,
    // each run by its number.
    Json commands = Json::array();
    for (const controller::CommandSpec& entry : controller::CommandTable()) {
        if (!controller::OnFrontEnd(entry, controller::FrontEnds::Page)) continue;
        commands.push_back({{"command", static_cast<int>(entry.command)},
                            {"name", NameOf(kCommandNames, entry.command)},
                            {"keys", entry.keys},
                            {"check", controller::IsCheckItem(entry.command)}});
    }
    // In the order the Language menu lists them, each in its own name.
    Json languages = Json::array();
    for (const Language* language : Languages()) {
        languages.push_back({{"code", language->code},
                             {"tag", language->tag},
                             {"name", language->name},
                             {"rightToLeft", language->rightToLeft},
                             {"fontFamilies", Array(language->fontFamilies)}});
    }
    const FontTable& fonts = Fonts();
    const Json description = {{"programName", form.program().name},
                              {"ownLanguage", form.program().languageCode},
                              {"languages", std::move(languages)},
                              {"clientWidth", kClientWidth},
                              {"clientHeight", kClientHeight},
                              {"twipsPerPixel", kTwipsPerPixel},
                              {"zoomSteps", Array(kZoomSteps)},
                              {"fonts",
                               {{"defaultFamilies", Array(fonts.defaultFamilies)},
                                {"defaultPixels", fonts.defaultPixels},
                                {"captionFamily", fonts.captionFamily},
                                {"captionSubstitute", fonts.captionSubstitute}}},
                              {"controls", std::move(controls)},
                              {"shapes", std::move(shapes)},
                              {"lines", std::move(lines)},
                              {"paintOrder", std::move(paintOrder)},
                              {"timers", std::move(timers)},
                              {"bindings", std::move(bindings)},
                              {"memory", Memory()},
                              {"listening",
                               {{"describeEveryMs", kDescribeEveryMs},
                                {"focusedReadoutPauseMs", kFocusedReadoutPauseMs},
                                {"typingPauseMs", kTypingPauseMs}}},
                              {"commands", std::move(commands)},
                              {"speeds", Array(controller::kSpeeds)},
                              {"panel",
                               {{"refreshMs", controller::kClassDataRefreshMs},
                                {"electronTrace", controller::kElectronTraceRgb},
                                {"holeTrace", controller::kHoleTraceRgb}}}};
    return Dumped(description);
}

std::string TextsJson(const FormDescription& form) {
    const Language& language = form.language();
    Json controls = Json::array();
    for (const ControlSpec& control : ControlTable()) {
        // Only the language's own captions take its faces and its direction;
        // and they wrap in the part of their label that no control covers,
        // which the layout's own captions never reach.
        const bool translated = form.Translated(control.key);
        const bool fromRight = translated && language.rightToLeft;
        Json c = Place(form.Place(control));
        if (control.kind == ControlKind::Label) {
            c["room"] = Place(translated ? form.RoomFromRight(control) : form.Place(control));
        }
        c["translated"] = translated;
        c["rightToLeft"] = fromRight;
        c["caption"] = form.Caption(control.key);
        c["accessibleName"] = form.AccessibleName(control.key);
        c["description"] = DescribeInput(language.spoken, control.key);
        controls.push_back(std::move(c));
    }
    const TeachingTexts& teaching = language.teaching;
    const Json texts = {
        {"code", language.code},
        {"title", form.Title()},
        {"controls", std::move(controls)},
        {"diagramName", language.spoken.diagramName},
        {"notices", {{"programEnded", language.notices.programEnded}, {"ok", language.notices.ok}}},
        {"teaching",
         {{"menu", teaching.menu},
          {"keysHint", teaching.keysHint},
          {"copied", teaching.copied},
          {"language", teaching.language},
          {"closePanel", language.page.closePanel}}},
        {"shown", Shown(language)}};
    return Dumped(texts);
}

std::string CommandsJson(const controller::Controller& controller) {
    Json commands = Json::array();
    for (const controller::CommandSpec& entry : controller::CommandTable()) {
        if (!controller::OnFrontEnd(entry, controller::FrontEnds::Page)) continue;
        commands.push_back({{"caption", controller.Caption(entry.command)},
                            {"enabled", controller.Enabled(entry.command)}});
    }
    Json speeds = Json::array();
    for (int speed : controller::kSpeeds) {
        speeds.push_back({{"speed", speed}, {"caption", controller.SpeedCaption(speed)}});
    }
    return Dumped({{"paused", controller.Paused()},
                   {"speed", controller.Speed()},
                   {"speak", controller.SpeakOn()},
                   {"language", controller.Description().language().code},
                   {"commands", std::move(commands)},
                   {"speeds", std::move(speeds)}});
}

std::string PanelJson(const controller::ClassDataView& view) {
    Json rows = Json::array();
    for (const controller::PanelRow& row : view.rows) {
        rows.push_back({{"label", row.label}, {"value", row.value}});
    }
    // Each point: its first tick, how many ticks it spans, and the mean
    // electrons, holes and n x p over them.
    Json history = Json::array();
    for (const controller::ClassDataPoint& p : view.history) {
        history.push_back({p.firstTick, p.ticks, p.electrons, p.holes, p.np});
    }
    return Dumped({{"title", view.title},
                   {"heading", view.heading},
                   {"state", view.state},
                   {"rows", std::move(rows)},
                   {"overTime", view.overTime},
                   {"electrons", view.electrons},
                   {"holes", view.holes},
                   {"np", view.np},
                   {"law", view.law},
                   {"countsAxis", view.countsAxis},
                   {"productAxis", view.productAxis},
                   {"history", std::move(history)},
                   {"lawNP", view.lawNP},
                   {"described", view.described}});
}

std::string StateJson(const controller::Controller& controller) {
    const carriers::CarrierModel& m = controller.Model();
    return Dumped({{"electronCount", m.ElectronCount.value()},
                   {"holeCount", m.HoleCount.value()},
                   {"temperature", m.Temperature.value()},
                   {"fermiLevelY", m.FermiLevelY.value()},
                   {"currentTally", m.CurrentTally.value()},
                   {"chartX", m.ChartX.value()},
                   {"runStarted", controller.RunStarted()},
                   {"paused", controller.Paused()},
                   {"speed", controller.Speed()},
                   {"recordedTicks", controller.Record().Ticks()}});
}

}  // namespace form
