#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace controller {

// What a teacher can do around the window, on the desktop's right-click
// menu and the page's menu button, each with its key.
enum class Command {
    PauseResume,
    Step,
    Faster,
    Slower,
    Speed,  // a submenu of every speed the pace offers
    ClassData,
    SaveData,
    SavePicture,
    CopyData,
    CopyPicture,
    CopyLink,
    Speak,     // a check item: read out what each action did
    SayScene,  // read out what the diagram shows now
};

inline constexpr std::size_t kCommandCount = static_cast<std::size_t>(Command::SayScene) + 1;

enum class FrontEnds : unsigned { Desktop = 1, Page = 2, Both = 3 };

struct CommandSpec {
    Command command;
    // Alt with a letter or a punctuation key: typing into a box never uses
    // Alt, and neither browsers nor desktops give these keys a meaning.
    // Written as Qt reads a key sequence, which the page parses too.
    std::string_view keys;
    FrontEnds where;
};

// In menu order.
std::span<const CommandSpec> CommandTable();

// Pause, step and speed, which the controller runs itself.
inline bool IsTimeControl(Command command) {
    return command == Command::PauseResume || command == Command::Step ||
           command == Command::Faster || command == Command::Slower || command == Command::Speed;
}

// The time controls and speech, which the controller runs itself; the rest
// are the front end's (the panel, files, the clipboard).
inline bool RunByController(Command command) {
    return IsTimeControl(command) || command == Command::Speak || command == Command::SayScene;
}

// Shown ticked or not.
inline bool IsCheckItem(Command command) {
    return command == Command::ClassData || command == Command::Speak;
}

inline bool OnFrontEnd(const CommandSpec& entry, FrontEnds frontEnd) {
    return (static_cast<unsigned>(entry.where) & static_cast<unsigned>(frontEnd)) != 0;
}

}  // namespace controller
