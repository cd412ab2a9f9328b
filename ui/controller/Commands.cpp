#include "Commands.h"

namespace controller {

namespace {

using C = Command;
using F = FrontEnds;

constexpr CommandSpec kCommands[] = {
    {C::PauseResume, "Alt+P", F::Both},
    {C::Step, "Alt+N", F::Both},
    {C::Faster, "Alt+.", F::Both},
    {C::Slower, "Alt+,", F::Both},
    {C::Speed, "", F::Both},
    {C::ClassData, "Alt+C", F::Both},
    {C::SaveData, "Alt+R", F::Both},
    {C::SavePicture, "Alt+I", F::Both},
    {C::CopyData, "Alt+Shift+R", F::Desktop},
    {C::CopyPicture, "Alt+Shift+I", F::Desktop},
    {C::CopyLink, "Alt+L", F::Page},
    {C::Speak, "Alt+K", F::Both},
    {C::SayScene, "Alt+Shift+K", F::Both},
};

}  // namespace

std::span<const CommandSpec> CommandTable() { return kCommands; }

}  // namespace controller
