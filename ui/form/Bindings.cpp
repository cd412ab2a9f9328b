#include "Bindings.h"

namespace form {

namespace {

using carriers::CarrierModel;

constexpr Binding kBindings[] = {
    {{"Form1"}, Event::Load, &CarrierModel::Form_Load},
    {{"Command1"}, Event::Click, &CarrierModel::Command1_Click},
    {{"Command2"}, Event::Click, nullptr},
    {{"Command4"}, Event::Click, &CarrierModel::Command4_Click},
    {{"Command5"}, Event::Click, &CarrierModel::Command5_Click},
    {{"Check1"}, Event::Click, &CarrierModel::Check1_Click},
    {{"Text4"}, Event::Change, &CarrierModel::Text4_Change},
    {{"Text5"}, Event::Change, &CarrierModel::Text5_Change},
    {{"Timer1"}, Event::Timer, &CarrierModel::Timer1_Timer},
    {{"Timer2"}, Event::Timer, &CarrierModel::Timer2_Timer},
};

}  // namespace

std::span<const Binding> BindingTable() { return kBindings; }

}  // namespace form
