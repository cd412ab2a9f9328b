#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Pace.h"
#include "Runtime.h"
#include "captions/SetupTexts.h"

namespace form {
struct Language;
}

namespace controller {

// A set-up a teacher can share: in a page address's fragment
//   lang=es&temperature=350&fermi=0.7&nd=1e16&na=1e10&field=on&speed=5&speak=on&start
// or on the desktop's command line
//   --language es --temperature 350 --fermi 0.7 --nd 1e16 --na 1e10 --field --speed 5 --speak
//   --start
// Every key is optional. The keys, in the order they are applied: the
// language, before everything else; the four boxes as if typed (so the
// doping boxes rewrite the Fermi level), then the field, the speed, speech
// (so that Start is heard), and Start last.
enum class SetupKey { Language, Temperature, Fermi, Donors, Acceptors, Field, Speed, Speak, Start };
inline constexpr std::size_t kSetupKeyCount = 9;

// The key's name in a link: "lang", "temperature", "fermi", "nd", "na",
// "field", "speed", "speak", "start".
std::string_view SetupKeyName(SetupKey key);
// Its option on the command line: the same, but "language" for "lang".
std::string_view SetupOptionName(SetupKey key);

// The value of each key as typed (empty for a bare flag), or none where the
// key was not given. Nothing is checked here: see FirstProblem.
class SharedSetup {
  public:
    // A key given twice keeps its last value.
    void Set(SetupKey key, std::string value);
    const std::optional<std::string>& Value(SetupKey key) const;

    struct Step {
        SetupKey key;
        std::string_view value;  // valid while the set-up lives
    };
    // The keys given, in the order they are applied.
    std::vector<Step> Steps() const;

    // The typed values; none for a key not given or a value refused.
    std::optional<bool> Field() const;  // "on" or a bare flag, "off"
    std::optional<bool> Speak() const;  // the same
    std::optional<int> Speed() const;   // one of kSpeeds
    bool Start() const;                 // a bare flag or "1"

    // The keys a link gave that are none of the above, each once, in the
    // order given.
    void AddUnknownKey(std::string name);
    const std::vector<std::string>& UnknownKeys() const { return unknownKeys_; }

  private:
    std::array<std::optional<std::string>, kSetupKeyCount> values_;
    std::vector<std::string> unknownKeys_;
};

// What a key takes, for the message that refuses a value.
enum class SetupAccepts { Range, DopingPair, OnOff, Speed, Flag };

struct SetupProblem {
    SetupKey key;
    std::string value;  // as typed
    SetupAccepts accepts;
    carriers::AcceptedRange range{};  // for SetupAccepts::Range
    // A doping pair whose two values are both wrong: key is nd, this na.
    std::optional<SetupKey> otherKey{};
    std::string otherValue{};
};

// The doping boxes before the set-up is applied: a set-up that gives only
// nd is paired with the acceptors already in their box, and the other way.
struct DopingBoxes {
    std::string donors;     // Text4
    std::string acceptors;  // Text5
};

// The first key, in the order of application, whose value would not do:
// a temperature or Fermi level that Start refuses, a doping pair that gives
// no Fermi level, a field other than on or off, a speed not in kSpeeds, a
// start other than bare or 1. None means the set-up may be applied and, if
// it asks, started. Numbers are read as the boxes read them: '.' or the
// user's decimal separator, full-width forms as their ASCII.
// Of a doping pair, the value to blame: one that is no number or zero; else
// of two signs the negative one, since concentrations are positive; else,
// two values too far apart for a Fermi level, both. Only a value the set-up
// gives is blamed, not one it meets in a box.
std::optional<SetupProblem> FirstProblem(const SharedSetup& setup, const DopingBoxes& before,
                                         std::string_view decimalSeparator = ".");

// A page address's fragment, with or without its '#'. Keys and values are
// percent-decoded once ('+' stays a plus, as in "1e+16"; bytes that are no
// UTF-8 read as U+FFFD, the same wherever they are shown); unknown keys are
// not applied, as an older page ignores a newer link's keys, but kept to be
// named.
SharedSetup SetupFromFragment(std::string_view fragment);

// The fragment that gives the set-up: its keys in the order of application,
// values percent-encoded, a bare key for an empty value.
std::string FragmentOf(const SharedSetup& setup);

// What the window holds, for "Copy link to this set-up".
struct SetupBoxes {
    std::string temperature;  // Text1
    std::string fermi;        // Text2
    std::string donors;       // Text4
    std::string acceptors;    // Text5
    bool field = false;
    int speed = 1;
    // Not speech: that is each listener's own choice, not the lesson's.
};

// The set-up that gives these boxes again and starts the run. The doping
// boxes are left out unless they give the Fermi level shown: the user typed
// another after them, and applied they would overwrite it. A number's
// decimal separator becomes '.', so that the link reads alike everywhere.
SharedSetup SetupOf(const SetupBoxes& boxes, std::string_view decimalSeparator = ".");

// The desktop's command line, without the program's name. "--key value" and
// "--key=value"; --field, --speak, --start and --help are flags ("--field
// off" and "--field=off" too).
// Arguments that start with a single '-' are Qt's own options, and are
// ignored with the value those of Qt's that take one are given ("-platform
// offscreen"); any other argument is a stray.
struct CommandLine {
    enum class Fault { None, UnknownOption, NeedsValue, StrayArgument };
    SharedSetup setup;
    bool help = false;
    Fault fault = Fault::None;
    std::string option;  // the faulty option, without its "--", or the stray
};
CommandLine SetupFromCommandLine(const std::vector<std::string>& arguments);

// The exit status of a command line that cannot be used.
inline constexpr int kCommandLineErrorStatus = 2;

// What the key takes, in the user's language: "a number from 0 to 4436".
std::string AcceptsText(const SetupProblem& problem, const form::SetupTexts& texts);
// The page's notice for a link's refused value, or pair of values.
std::string LinkNotice(const SetupProblem& problem, const form::Language& language);
// The page's notice for the keys of a link it does not know; none if it
// knows them all.
std::optional<std::string> UnknownKeysNotice(const SharedSetup& setup,
                                             const form::Language& language);
// The desktop's one line (no newline) for a command line that cannot be
// used: its fault, else its first problem; none when it can be used.
std::optional<std::string> CommandLineError(const CommandLine& commandLine,
                                            const DopingBoxes& before,
                                            const form::Language& language,
                                            std::string_view program,
                                            std::string_view decimalSeparator = ".");
// The codes of every language, as a list in the user's language.
std::string LanguageCodes(const form::SetupTexts& texts);
// --help, with the ranges Start accepts and the languages.
std::string HelpText(const form::SetupTexts& texts, std::string_view program);

}  // namespace controller
