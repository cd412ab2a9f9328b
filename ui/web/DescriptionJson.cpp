#include "DescriptionJson.h"

#include <cstddef>
#include <cstdio>
#include <iterator>
#include <limits>

#include "Bindings.h"
#include "ClassDataView.h"
#include "Commands.h"
#include "Runtime.h"
#include "Spoken.h"
#include "WindowTables.h"
#include "form/ZoomSteps.h"

namespace form {

namespace {

// Just enough JSON for flat tables of numbers and UTF-8 texts.
class Json {
  public:
    Json& Raw(std::string_view text) {
        out_ += text;
        return *this;
    }
    Json& Key(std::string_view key) {
        Text(key);
        out_ += ':';
        needComma_ = false;
        return *this;
    }
    Json& Text(std::string_view text) {
        Comma();
        out_ += '"';
        for (const char c : text) {
            if (c == '"' || c == '\\') {
                out_ += '\\';
                out_ += c;
            } else if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out_ += escaped;
            } else {
                out_ += c;
            }
        }
        out_ += '"';
        needComma_ = true;
        return *this;
    }
    Json& Number(double value) {
        Comma();
        char number[32];
        std::snprintf(number, sizeof number, "%.17g", value);
        out_ += number;
        needComma_ = true;
        return *this;
    }
    Json& Bool(bool value) {
        Comma();
        out_ += value ? "true" : "false";
        needComma_ = true;
        return *this;
    }
    Json& Null() {
        Comma();
        out_ += "null";
        needComma_ = true;
        return *this;
    }
    Json& Open(char bracket) {
        Comma();
        out_ += bracket;
        needComma_ = false;
        return *this;
    }
    Json& Close(char bracket) {
        out_ += bracket;
        needComma_ = true;
        return *this;
    }
    Json& Place(const Placement& p) {
        return Key("left")
            .Number(p.left)
            .Key("top")
            .Number(p.top)
            .Key("width")
            .Number(p.width)
            .Key("height")
            .Number(p.height);
    }
    Json& Control(ControlKey key) {
        return Key("name").Text(key.name).Key("index").Number(key.index);
    }
    std::string Take() { return std::move(out_); }

  private:
    void Comma() {
        if (needComma_) out_ += ',';
    }
    std::string out_;
    bool needComma_ = false;
};

constexpr std::string_view kKinds[] = {"Label", "TextBox", "Button", "CheckBox", "PictureBox"};
constexpr std::string_view kRoles[] = {"Caption", "Input", "Readout", "Command", "Toggle", "Chart"};
constexpr std::string_view kShapeKinds[] = {"Rectangle", "Circle"};
constexpr std::string_view kShapeRoles[] = {"Fixed", "ElectronMarkers", "HoleMarkers"};
constexpr std::string_view kLineRoles[] = {"Fixed", "FermiLevel", "PolarityMark", "ChartFoot"};
constexpr std::string_view kLineStyles[] = {"Solid", "DashDot"};
constexpr std::string_view kEvents[] = {"Load", "Click", "Change", "Timer"};
constexpr std::string_view kTimerRoles[] = {"Tick", "CurrentReadout"};
constexpr std::string_view kCommandNames[] = {
    "PauseResume", "Step",        "Faster",   "Slower",      "Speed",   "ClassData",
    "SaveData",    "SavePicture", "CopyData", "CopyPicture", "CopyLink"};
static_assert(std::size(kCommandNames) ==
              static_cast<std::size_t>(controller::Command::CopyLink) + 1);

template <class Enum, std::size_t N>
std::string_view NameOf(const std::string_view (&names)[N], Enum value) {
    return names[static_cast<std::size_t>(value)];
}

// The page reads each polarity mark as one byte.
static_assert(sizeof(bool) == 1);

}  // namespace

std::string DescriptionJson(const FormDescription& form) {
    const Language& language = form.language();
    Json j;
    j.Open('{');
    j.Key("title").Text(form.Title()).Key("programName").Text(form.program().name);
    j.Key("languageTag").Text(language.tag);
    j.Key("clientWidth").Number(kClientWidth).Key("clientHeight").Number(kClientHeight);
    j.Key("twipsPerPixel").Number(kTwipsPerPixel);
    j.Key("zoomSteps").Open('[');
    for (double step : kZoomSteps) j.Number(step);
    j.Close(']');

    j.Key("fonts").Open('{').Key("defaultFamilies").Open('[');
    for (std::string_view family : Fonts().defaultFamilies) j.Text(family);
    j.Close(']').Key("defaultPixels").Number(Fonts().defaultPixels);
    j.Key("captionFamily").Text(Fonts().captionFamily);
    j.Key("captionSubstitute").Text(Fonts().captionSubstitute).Close('}');

    j.Key("controls").Open('[');
    for (const ControlSpec& control : ControlTable()) {
        j.Open('{').Control(control.key).Key("kind").Text(NameOf(kKinds, control.kind));
        j.Key("role").Text(NameOf(kRoles, control.role)).Place(form.Place(control));
        j.Key("tabIndex")
            .Number(control.tabIndex)
            .Key("captionPoints")
            .Number(control.captionFontPoints);
        if (const auto box = controller::BoxOf(control.key)) {
            j.Key("box").Number(static_cast<int>(*box));
        }
        j.Key("caption").Text(form.Caption(control.key));
        j.Key("accessibleName").Text(form.AccessibleName(control.key));
        j.Key("description").Text(DescribeInput(language.spoken, control.key)).Close('}');
    }
    j.Close(']');

    j.Key("shapes").Open('[');
    for (const ShapeSpec& shape : ShapeTable()) {
        j.Open('{').Control(shape.key).Key("kind").Text(NameOf(kShapeKinds, shape.shape));
        j.Key("role").Text(NameOf(kShapeRoles, shape.role)).Place(shape.place).Key("fill");
        if (shape.fill) {
            j.Number(*shape.fill);
        } else {
            j.Null();
        }
        j.Key("outline").Bool(shape.outline).Close('}');
    }
    j.Close(']');

    j.Key("lines").Open('[');
    for (const LineSpec& line : LineTable()) {
        j.Open('{').Control(line.key).Key("role").Text(NameOf(kLineRoles, line.role));
        j.Key("x1").Number(line.x1).Key("y1").Number(line.y1).Key("x2").Number(line.x2);
        j.Key("y2").Number(line.y2).Key("style").Text(NameOf(kLineStyles, line.style)).Close('}');
    }
    j.Close(']');

    j.Key("paintOrder").Open('[');
    for (const ControlKey& key : PaintOrder()) j.Open('{').Control(key).Close('}');
    j.Close(']');

    j.Key("timers").Open('[');
    for (const TimerSpec& timer : TimerTable()) {
        j.Open('{').Control(timer.key).Key("intervalMs").Number(timer.intervalMs);
        j.Key("enabledAtLoad").Bool(timer.enabledAtLoad);
        j.Key("role").Text(NameOf(kTimerRoles, timer.role)).Close('}');
    }
    j.Close(']');

    // A binding is dispatched by its place in this list.
    j.Key("bindings").Open('[');
    for (const Binding& binding : BindingTable()) {
        j.Open('{').Control(binding.control).Key("event").Text(NameOf(kEvents, binding.event));
        j.Close('}');
    }
    j.Close(']');

    const NoticeTexts& notices = language.notices;
    j.Key("notices").Open('{').Key("rejectTitle").Text(form.program().name);
    j.Key("dopingIncomplete").Text(notices.dopingIncomplete);
    j.Key("errorTitle").Text(form.program().name).Key("programEnded").Text(notices.programEnded);
    // Filled in by the module; listed so that the page's fonts can show them.
    j.Key("rejectMessage")
        .Text(notices.rejectMessage)
        .Key("errorMessage")
        .Text(notices.errorMessage);
    j.Key("errorNames").Open('[');
    for (std::string_view name : notices.errorNames) j.Text(name);
    j.Close(']').Close('}');
    j.Key("diagramName").Text(language.spoken.diagramName);
    // Where the painter finds what the model moves, in bytes.
    using carriers::ChartPoint;
    using carriers::DiagramState;
    using carriers::Marker;
    j.Key("memory").Open('{');
    j.Key("marker").Open('{').Key("count").Number(carriers::MarkerArray::kSize);
    j.Key("size").Number(sizeof(Marker)).Key("left").Number(offsetof(Marker, Left));
    j.Key("top").Number(offsetof(Marker, Top)).Close('}');
    j.Key("diagram").Open('{').Key("line3Y1").Number(offsetof(DiagramState, line3Y1));
    j.Key("line3Y2").Number(offsetof(DiagramState, line3Y2));
    j.Key("line7Visible").Number(offsetof(DiagramState, line7Visible));
    j.Key("line7Count").Number(carriers::kLine7UBound + 1).Close('}');
    j.Key("chartPoint").Open('{').Key("size").Number(sizeof(ChartPoint));
    j.Key("x").Number(offsetof(ChartPoint, x)).Key("y").Number(offsetof(ChartPoint, y));
    j.Key("rgb").Number(offsetof(ChartPoint, rgb)).Close('}').Close('}');
    j.Key("listening").Open('{').Key("describeEveryMs").Number(kDescribeEveryMs);
    j.Key("focusedReadoutPauseMs").Number(kFocusedReadoutPauseMs);
    j.Key("typingPauseMs").Number(kTypingPauseMs).Close('}');

    // The commands around the window that the page offers, in menu order,
    // each run by its number.
    j.Key("commands").Open('[');
    for (const controller::CommandSpec& entry : controller::CommandTable()) {
        if (!controller::OnFrontEnd(entry, controller::FrontEnds::Page)) continue;
        j.Open('{').Key("command").Number(static_cast<int>(entry.command));
        j.Key("name").Text(NameOf(kCommandNames, entry.command)).Key("keys").Text(entry.keys);
        j.Close('}');
    }
    j.Close(']');
    const TeachingTexts& teaching = language.teaching;
    const SetupTexts& setup = language.setup;
    j.Key("teaching").Open('{').Key("menu").Text(teaching.menu);
    j.Key("keysHint").Text(teaching.keysHint).Key("copied").Text(teaching.copied);
    j.Key("lawNP").Text(teaching.lawNP);
    j.Key("refreshMs").Number(controller::kClassDataRefreshMs);
    j.Key("electronTrace").Number(controller::kElectronTraceRgb);
    j.Key("holeTrace").Number(controller::kHoleTraceRgb).Close('}');
    // Filled in by the module; listed so that the page's fonts can show them.
    j.Key("moreTexts").Open('[');
    for (std::string_view shown :
         {teaching.pause,        teaching.resume,      teaching.step,        teaching.faster,
          teaching.slower,       teaching.speed,       teaching.speedChoice, teaching.classData,
          teaching.saveData,     teaching.savePicture, setup.copyLink,       teaching.sinceReset.For(2),
          teaching.notStarted,   teaching.meanNP,      teaching.lawNP,       teaching.meanElectrons,
          teaching.meanHoles,    teaching.rootNP,      teaching.intrinsic,   teaching.withError,
          teaching.errorPending, teaching.overTime,    teaching.electrons,   teaching.holes,
          teaching.np,           teaching.paused,      teaching.speedNow,    setup.linkRefused,
          setup.acceptsRange,    setup.acceptsDoping,  setup.acceptsOnOff,   setup.acceptsSpeed,
          setup.acceptsStart,    setup.listSeparator}) {
        j.Text(shown);
    }
    j.Text(controller::Figure(std::numeric_limits<double>::quiet_NaN(), "."));
    j.Close(']');
    j.Close('}');
    return j.Take();
}

std::string CommandsJson(const controller::Controller& controller) {
    using controller::Command;
    Json j;
    j.Open('{').Key("paused").Bool(controller.Paused()).Key("speed").Number(controller.Speed());
    j.Key("commands").Open('[');
    for (const controller::CommandSpec& entry : controller::CommandTable()) {
        if (!controller::OnFrontEnd(entry, controller::FrontEnds::Page)) continue;
        j.Open('{').Key("caption").Text(controller.Caption(entry.command));
        j.Key("enabled").Bool(controller.Enabled(entry.command)).Close('}');
    }
    j.Close(']').Key("speeds").Open('[');
    for (int speed : controller::kSpeeds) {
        j.Open('{').Key("speed").Number(speed).Key("caption").Text(controller.SpeedCaption(speed));
        j.Close('}');
    }
    j.Close(']').Close('}');
    return j.Take();
}

std::string PanelJson(const controller::ClassDataView& view) {
    Json j;
    j.Open('{').Key("title").Text(view.title).Key("heading").Text(view.heading);
    j.Key("state").Text(view.state).Key("rows").Open('[');
    for (const controller::PanelRow& row : view.rows) {
        j.Open('{').Key("label").Text(row.label).Key("value").Text(row.value).Close('}');
    }
    j.Close(']').Key("overTime").Text(view.overTime).Key("electrons").Text(view.electrons);
    j.Key("holes").Text(view.holes).Key("np").Text(view.np);
    // Each point: its first tick, how many ticks it spans, and the mean
    // electrons, holes and n x p over them.
    j.Key("history").Open('[');
    for (const controller::ClassDataPoint& p : view.history) {
        j.Open('[').Number(static_cast<double>(p.firstTick)).Number(static_cast<double>(p.ticks));
        j.Number(p.electrons).Number(p.holes).Number(p.np).Close(']');
    }
    j.Close(']').Key("lawNP").Number(view.lawNP).Key("described").Text(view.described);
    j.Close('}');
    return j.Take();
}

}  // namespace form
