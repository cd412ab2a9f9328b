#include "Bindings.h"

namespace form {

namespace {

using carriers::CarrierModel;

constexpr Binding kBindings[] = {
    {{"Form1"}, Event::Load, &CarrierModel::Form_Load},
    {{"Command1"}, Event::Click, &CarrierModel::Command1_Click, Announcement::Start},
    {{"Command2"}, Event::Click, nullptr},
    {{"Command4"}, Event::Click, &CarrierModel::Command4_Click, Announcement::Diffusion},
    {{"Command5"}, Event::Click, &CarrierModel::Command5_Click, Announcement::Light},
    {{"Check1"}, Event::Click, &CarrierModel::Check1_Click, Announcement::Field},
    // Announced once the typing pauses, not at every keystroke.
    {{"Text4"}, Event::Change, &CarrierModel::Text4_Change, Announcement::Doping},
    {{"Text5"}, Event::Change, &CarrierModel::Text5_Change, Announcement::Doping},
    {{"Timer1"}, Event::Timer, &CarrierModel::Timer1_Timer},
    {{"Timer2"}, Event::Timer, &CarrierModel::Timer2_Timer},
};

}  // namespace

std::span<const Binding> BindingTable() { return kBindings; }

}  // namespace form
