#include "Setup.h"

#include <algorithm>

#include "CarrierModel.h"
#include "Conversions.h"
#include "TextFill.h"
#include "TypedForms.h"
#include "captions/Language.h"

namespace controller {

namespace {

using carriers::CarrierModel;

constexpr std::array<std::string_view, kSetupKeyCount> kKeyNames{
    "lang", "temperature", "fermi", "nd", "na", "field", "speed", "speak", "start"};
constexpr std::array<std::string_view, kSetupKeyCount> kOptionNames{
    "language", "temperature", "fermi", "nd", "na", "field", "speed", "speak", "start"};
// Qt's own options that take the next argument as their value: QGuiApplication's,
// QApplication's and those of the X11 platform.
constexpr std::string_view kQtOptionsWithValue[] = {"-platform",
                                                    "-platformpluginpath",
                                                    "-platformtheme",
                                                    "-plugin",
                                                    "-qwindowgeometry",
                                                    "-geometry",
                                                    "-qwindowtitle",
                                                    "-title",
                                                    "-qwindowicon",
                                                    "-icon",
                                                    "-session",
                                                    "-style",
                                                    "-stylesheet",
                                                    "-display",
                                                    "-name",
                                                    "-visual"};

// Keys that are on or off, and on when bare.
bool IsSwitch(SetupKey key) { return key == SetupKey::Field || key == SetupKey::Speak; }

std::size_t Slot(SetupKey key) { return static_cast<std::size_t>(key); }

std::optional<SetupKey> KeyNamed(std::string_view name,
                                 const std::array<std::string_view, kSetupKeyCount>& names) {
    const auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end()) return std::nullopt;
    return static_cast<SetupKey>(found - names.begin());
}

std::optional<double> Number(std::string_view text, std::string_view decimalSeparator) {
    try {
        return carriers::TextToDouble(NarrowForms(text), decimalSeparator);
    } catch (const carriers::RuntimeError&) {
        return std::nullopt;
    }
}

std::optional<bool> OnOff(std::string_view typed) {
    const std::string text = NarrowForms(typed);
    if (text.empty() || text == "on") return true;
    if (text == "off") return false;
    return std::nullopt;
}

std::optional<int> SpeedOf(std::string_view text) {
    const std::optional<double> value = Number(text, ".");
    if (!value) return std::nullopt;
    const auto found = std::find(kSpeeds.begin(), kSpeeds.end(), *value);
    if (found == kSpeeds.end()) return std::nullopt;
    return *found;
}

bool StartFlag(std::string_view typed) {
    const std::string text = NarrowForms(typed);
    return text.empty() || text == "1";
}

std::optional<SetupProblem> ProblemOfDoping(const SharedSetup& setup, const DopingBoxes& before,
                                            std::string_view separator) {
    const auto& donorsGiven = setup.Value(SetupKey::Donors);
    const auto& acceptorsGiven = setup.Value(SetupKey::Acceptors);
    if (!donorsGiven && !acceptorsGiven) return std::nullopt;
    const std::optional<double> donors = Number(donorsGiven.value_or(before.donors), separator);
    const std::optional<double> acceptors =
        Number(acceptorsGiven.value_or(before.acceptors), separator);
    const std::optional<double> level =
        donors && acceptors ? CarrierModel::FermiLevelFromDoping(*donors, *acceptors)
                            : std::nullopt;
    if (level && CarrierModel::AcceptsFermiLevel(*level)) return std::nullopt;
    const auto wrongAlone = [](const std::optional<double>& value) {
        return !value || *value == 0.0;
    };
    bool donorsWrong = wrongAlone(donors);
    bool acceptorsWrong = wrongAlone(acceptors);
    if (!donorsWrong && !acceptorsWrong) {
        const bool signsDiffer = (*donors < 0.0) != (*acceptors < 0.0);
        donorsWrong = !signsDiffer || *donors < 0.0;
        acceptorsWrong = !signsDiffer || *acceptors < 0.0;
    }
    donorsWrong = donorsWrong && donorsGiven;
    acceptorsWrong = acceptorsWrong && acceptorsGiven;
    if (!donorsWrong && !acceptorsWrong) {
        // The box the set-up meets spoils the pair: the value it gives is named.
        donorsWrong = donorsGiven.has_value();
        acceptorsWrong = !donorsWrong;
    }
    SetupProblem problem{donorsWrong ? SetupKey::Donors : SetupKey::Acceptors,
                         donorsWrong ? *donorsGiven : *acceptorsGiven, SetupAccepts::DopingPair};
    if (donorsWrong && acceptorsWrong) {
        problem.otherKey = SetupKey::Acceptors;
        problem.otherValue = *acceptorsGiven;
    }
    return problem;
}

std::optional<SetupProblem> ProblemOfKey(const SharedSetup& setup, SetupKey key,
                                         std::string_view separator) {
    const std::string& value = *setup.Value(key);
    const auto range = [&](bool (*accepts)(double), carriers::AcceptedRange accepted) {
        const std::optional<double> number = Number(value, separator);
        return number && accepts(*number)
                   ? std::nullopt
                   : std::optional(SetupProblem{key, value, SetupAccepts::Range, accepted});
    };
    const auto refusedUnless = [&](bool good, SetupAccepts accepts) {
        return good ? std::nullopt : std::optional(SetupProblem{key, value, accepts});
    };
    switch (key) {
        case SetupKey::Temperature:
            return range(CarrierModel::AcceptsTemperature, CarrierModel::TemperatureRange);
        case SetupKey::Fermi:
            return range(CarrierModel::AcceptsFermiLevel, CarrierModel::FermiLevelRange);
        case SetupKey::Field:
        case SetupKey::Speak:
            return refusedUnless(OnOff(value).has_value(), SetupAccepts::OnOff);
        case SetupKey::Speed:
            return refusedUnless(SpeedOf(value).has_value(), SetupAccepts::Speed);
        case SetupKey::Start:
            return refusedUnless(StartFlag(value), SetupAccepts::Flag);
        case SetupKey::Donors:
        case SetupKey::Acceptors:
            break;  // checked as a pair
        case SetupKey::Language:
            break;  // a front end says what it makes of a language it lacks
    }
    return std::nullopt;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// How many bytes at the start of text read as one: a well-formed UTF-8
// sequence, or else the longest start of one (the maximal subpart, which a
// browser's decoder too turns into one U+FFFD). `valid` says which.
std::size_t Utf8Sequence(std::string_view text, bool& valid) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    valid = lead < 0x80;
    if (valid) return 1;
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4) return 1;
    // The second byte's range excludes overlong forms, surrogates and code
    // points beyond U+10FFFF.
    const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    std::size_t i = 1;
    while (i < length && i < text.size() &&
           (i == 1 ? byte(i) >= low && byte(i) <= high : (byte(i) & 0xC0) == 0x80)) {
        ++i;
    }
    valid = i == length;
    return i;
}

// Each ill-formed part becomes U+FFFD.
std::string ValidUtf8(std::string_view text) {
    std::string out;
    while (!text.empty()) {
        bool valid = false;
        const std::size_t length = Utf8Sequence(text, valid);
        out += valid ? text.substr(0, length) : std::string_view("\xEF\xBF\xBD");
        text.remove_prefix(length);
    }
    return out;
}

// A '%' without two hex digits after it stands for itself.
std::string PercentDecoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int high = i + 2 < text.size() && text[i] == '%' ? HexDigit(text[i + 1]) : -1;
        const int low = high >= 0 ? HexDigit(text[i + 2]) : -1;
        if (low >= 0) {
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            out += text[i];
        }
    }
    return ValidUtf8(out);
}

// Only the unreserved characters stand as they are; '+' is encoded too,
// since form decoders read it as a blank.
std::string PercentEncoded(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~';
        if (plain) {
            out += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        }
    }
    return out;
}

// The box's text with '.' for the user's separator, when it is a number
// that reads the same so; otherwise as typed.
std::string Portable(std::string_view text, std::string_view separator) {
    const std::optional<double> value = Number(text, separator);
    if (!value || separator == "." || separator.empty()) return std::string(text);
    const std::size_t at = text.find(separator);
    if (at == std::string_view::npos) return std::string(text);
    const std::string portable =
        std::string(text.substr(0, at)) + '.' + std::string(text.substr(at + separator.size()));
    return Number(portable, ".") == value ? portable : std::string(text);
}

std::string RangeText(const form::SetupTexts& texts, carriers::AcceptedRange range) {
    return Fill(texts.acceptsRange, {{"{low}", carriers::DoubleToText(range.low)},
                                     {"{high}", carriers::DoubleToText(range.high)}});
}

// Items as a list in the user's language: "1, 2, 5".
template <class Items, class Text>
std::string Listed(const form::SetupTexts& texts, const Items& items, Text text) {
    std::string list;
    for (const auto& item : items) {
        if (!list.empty()) list += texts.listSeparator;
        list += text(item);
    }
    return list;
}

std::string SpeedsText(const form::SetupTexts& texts) {
    return Listed(texts, kSpeeds, [](int speed) { return std::to_string(speed); });
}

}  // namespace

std::string_view SetupKeyName(SetupKey key) { return kKeyNames[Slot(key)]; }

std::string_view SetupOptionName(SetupKey key) { return kOptionNames[Slot(key)]; }

void SharedSetup::Set(SetupKey key, std::string value) { values_[Slot(key)] = std::move(value); }

const std::optional<std::string>& SharedSetup::Value(SetupKey key) const {
    return values_[Slot(key)];
}

std::vector<SharedSetup::Step> SharedSetup::Steps() const {
    std::vector<Step> steps;
    for (std::size_t slot = 0; slot < kSetupKeyCount; ++slot) {
        if (values_[slot]) steps.push_back(Step{static_cast<SetupKey>(slot), *values_[slot]});
    }
    return steps;
}

std::optional<bool> SharedSetup::Field() const {
    const auto& value = Value(SetupKey::Field);
    return value ? OnOff(*value) : std::nullopt;
}

std::optional<bool> SharedSetup::Speak() const {
    const auto& value = Value(SetupKey::Speak);
    return value ? OnOff(*value) : std::nullopt;
}

std::optional<int> SharedSetup::Speed() const {
    const auto& value = Value(SetupKey::Speed);
    return value ? SpeedOf(*value) : std::nullopt;
}

bool SharedSetup::Start() const {
    const auto& value = Value(SetupKey::Start);
    return value && StartFlag(*value);
}

void SharedSetup::AddUnknownKey(std::string name) {
    if (std::find(unknownKeys_.begin(), unknownKeys_.end(), name) == unknownKeys_.end()) {
        unknownKeys_.push_back(std::move(name));
    }
}

std::optional<SetupProblem> FirstProblem(const SharedSetup& setup, const DopingBoxes& before,
                                         std::string_view decimalSeparator) {
    for (const SharedSetup::Step& step : setup.Steps()) {
        if (step.key == SetupKey::Donors || step.key == SetupKey::Acceptors) {
            if (auto problem = ProblemOfDoping(setup, before, decimalSeparator)) return problem;
        } else if (auto problem = ProblemOfKey(setup, step.key, decimalSeparator)) {
            return problem;
        }
    }
    return std::nullopt;
}

SharedSetup SetupFromFragment(std::string_view fragment) {
    if (!fragment.empty() && fragment.front() == '#') fragment.remove_prefix(1);
    SharedSetup setup;
    while (!fragment.empty()) {
        const std::size_t end = std::min(fragment.find('&'), fragment.size());
        const std::string_view part = fragment.substr(0, end);
        fragment.remove_prefix(std::min(end + 1, fragment.size()));
        const std::size_t equals = part.find('=');
        const std::string name = PercentDecoded(part.substr(0, equals));
        const std::string value = equals == std::string_view::npos
                                      ? std::string()
                                      : PercentDecoded(part.substr(equals + 1));
        if (const auto key = KeyNamed(name, kKeyNames)) {
            setup.Set(*key, value);
        } else if (!name.empty()) {
            setup.AddUnknownKey(name);
        }
    }
    return setup;
}

std::string FragmentOf(const SharedSetup& setup) {
    std::string fragment;
    for (const SharedSetup::Step& step : setup.Steps()) {
        if (!fragment.empty()) fragment += '&';
        fragment += SetupKeyName(step.key);
        if (!step.value.empty()) {
            fragment += '=';
            fragment += PercentEncoded(step.value);
        }
    }
    return fragment;
}

SharedSetup SetupOf(const SetupBoxes& boxes, std::string_view decimalSeparator) {
    SharedSetup setup;
    setup.Set(SetupKey::Temperature, Portable(boxes.temperature, decimalSeparator));
    setup.Set(SetupKey::Fermi, Portable(boxes.fermi, decimalSeparator));
    // The doping boxes write the Fermi level in this general format.
    const std::optional<double> donors = Number(boxes.donors, decimalSeparator);
    const std::optional<double> acceptors = Number(boxes.acceptors, decimalSeparator);
    const std::optional<double> shown = Number(boxes.fermi, decimalSeparator);
    const std::optional<double> level =
        donors && acceptors ? CarrierModel::FermiLevelFromDoping(*donors, *acceptors)
                            : std::nullopt;
    if (level && shown && carriers::DoubleToText(*level) == carriers::DoubleToText(*shown)) {
        setup.Set(SetupKey::Donors, Portable(boxes.donors, decimalSeparator));
        setup.Set(SetupKey::Acceptors, Portable(boxes.acceptors, decimalSeparator));
    }
    setup.Set(SetupKey::Field, boxes.field ? "on" : "off");
    setup.Set(SetupKey::Speed, std::to_string(boxes.speed));
    setup.Set(SetupKey::Start, "");
    return setup;
}

CommandLine SetupFromCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    for (std::size_t i = 0; i < arguments.size() && line.fault == CommandLine::Fault::None; ++i) {
        const std::string_view argument = arguments[i];
        if (argument.size() > 1 && argument[0] == '-' && argument[1] != '-') {
            // Qt's, with its value if it takes one
            const auto* end = std::end(kQtOptionsWithValue);
            if (std::find(std::begin(kQtOptionsWithValue), end, argument) != end) ++i;
            continue;
        }
        if (argument.substr(0, 2) != "--") {
            line.fault = CommandLine::Fault::StrayArgument;
            line.option = argument;
            break;
        }
        const std::string_view option = argument.substr(2);
        const std::size_t equals = option.find('=');
        const std::string_view name = option.substr(0, equals);
        const std::optional<std::string> inlineValue =
            equals == std::string_view::npos
                ? std::nullopt
                : std::optional(std::string(option.substr(equals + 1)));
        const std::optional<SetupKey> key = KeyNamed(name, kOptionNames);
        if (name == "help") {
            line.help = true;
        } else if (!key) {
            line.fault = CommandLine::Fault::UnknownOption;
            line.option = name;
        } else if (inlineValue) {
            line.setup.Set(*key, *inlineValue);
        } else if (IsSwitch(*key) && i + 1 < arguments.size() &&
                   (arguments[i + 1] == "on" || arguments[i + 1] == "off")) {
            line.setup.Set(*key, arguments[++i]);  // "--field off" means what it says
        } else if (IsSwitch(*key) || *key == SetupKey::Start) {
            line.setup.Set(*key, "");
        } else if (i + 1 < arguments.size() && arguments[i + 1].substr(0, 2) != "--") {
            line.setup.Set(*key, arguments[++i]);
        } else {
            line.fault = CommandLine::Fault::NeedsValue;
            line.option = name;
        }
    }
    return line;
}

std::string AcceptsText(const SetupProblem& problem, const form::SetupTexts& texts) {
    switch (problem.accepts) {
        case SetupAccepts::Range:
            return RangeText(texts, problem.range);
        case SetupAccepts::DopingPair:
            return std::string(texts.acceptsDoping);
        case SetupAccepts::OnOff:
            return std::string(texts.acceptsOnOff);
        case SetupAccepts::Speed:
            return Fill(texts.acceptsSpeed, {{"{speeds}", SpeedsText(texts)}});
        case SetupAccepts::Flag:
            break;
    }
    return std::string(texts.acceptsStart);
}

std::string LinkNotice(const SetupProblem& problem, const form::Language& language) {
    const std::string accepts = AcceptsText(problem, language.setup);
    if (problem.otherKey) {
        return Fill(language.mistakes.linkPairRefused,
                    {{"{key}", SetupKeyName(problem.key)},
                     {"{value}", Shortened(problem.value)},
                     {"{otherKey}", SetupKeyName(*problem.otherKey)},
                     {"{otherValue}", Shortened(problem.otherValue)},
                     {"{accepts}", accepts}});
    }
    return Fill(language.setup.linkRefused, {{"{key}", SetupKeyName(problem.key)},
                                             {"{value}", Shortened(problem.value)},
                                             {"{accepts}", accepts}});
}

std::optional<std::string> UnknownKeysNotice(const SharedSetup& setup,
                                             const form::Language& language) {
    const std::vector<std::string>& unknown = setup.UnknownKeys();
    if (unknown.empty()) return std::nullopt;
    const std::string keys = Listed(language.setup, unknown, [&](const std::string& key) {
        return Fill(language.mistakes.quoted, {{"{text}", Shortened(key)}});
    });
    const std::string known =
        Listed(language.setup, kKeyNames, [](std::string_view key) { return std::string(key); });
    return Fill(language.mistakes.linkKeysUnknown.For(static_cast<long>(unknown.size())),
                {{"{keys}", keys}, {"{known}", known}});
}

std::optional<std::string> CommandLineError(const CommandLine& commandLine,
                                            const DopingBoxes& before,
                                            const form::Language& language,
                                            std::string_view program,
                                            std::string_view decimalSeparator) {
    const form::SetupTexts& texts = language.setup;
    const std::string named = Shortened(commandLine.option);
    switch (commandLine.fault) {
        case CommandLine::Fault::UnknownOption:
            return Fill(texts.optionUnknown, {{"{program}", program}, {"{option}", named}});
        case CommandLine::Fault::NeedsValue:
            return Fill(texts.optionNeedsValue, {{"{program}", program}, {"{option}", named}});
        case CommandLine::Fault::StrayArgument:
            return Fill(language.mistakes.argumentStray,
                        {{"{program}", program}, {"{argument}", named}});
        case CommandLine::Fault::None:
            break;
    }
    const auto& asked = commandLine.setup.Value(SetupKey::Language);
    if (asked && !form::FindLanguage(*asked)) {
        return Fill(
            texts.optionRefused,
            {{"{program}", program},
             {"{option}", SetupOptionName(SetupKey::Language)},
             {"{value}", Shortened(*asked)},
             {"{accepts}", Fill(texts.acceptsLanguage, {{"{codes}", LanguageCodes(texts)}})}});
    }
    const auto problem = FirstProblem(commandLine.setup, before, decimalSeparator);
    if (!problem) return std::nullopt;
    if (problem->otherKey) {
        return Fill(language.mistakes.optionPairRefused,
                    {{"{program}", program},
                     {"{option}", SetupOptionName(problem->key)},
                     {"{value}", Shortened(problem->value)},
                     {"{otherOption}", SetupOptionName(*problem->otherKey)},
                     {"{otherValue}", Shortened(problem->otherValue)},
                     {"{accepts}", AcceptsText(*problem, texts)}});
    }
    return Fill(texts.optionRefused, {{"{program}", program},
                                      {"{option}", SetupOptionName(problem->key)},
                                      {"{value}", Shortened(problem->value)},
                                      {"{accepts}", AcceptsText(*problem, texts)}});
}

std::string LanguageCodes(const form::SetupTexts& texts) {
    return Listed(texts, form::Languages(),
                  [](const form::Language* language) { return std::string(language->code); });
}

std::string HelpText(const form::SetupTexts& texts, std::string_view program) {
    const carriers::AcceptedRange temperature = CarrierModel::TemperatureRange;
    const carriers::AcceptedRange fermi = CarrierModel::FermiLevelRange;
    return Fill(texts.help, {{"{program}", program},
                             {"{temperatureLow}", carriers::DoubleToText(temperature.low)},
                             {"{temperatureHigh}", carriers::DoubleToText(temperature.high)},
                             {"{fermiLow}", carriers::DoubleToText(fermi.low)},
                             {"{fermiHigh}", carriers::DoubleToText(fermi.high)},
                             {"{speeds}", SpeedsText(texts)},
                             {"{codes}", LanguageCodes(texts)}});
}

}  // namespace controller
