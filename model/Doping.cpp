#include <cmath>
#include <optional>

#include "CarrierModel.h"

namespace carriers {

namespace {

// None while the boxes do not hold a usable pair, which is normal while the
// user is typing.
std::optional<double> FermiLevelFromBoxes(const Runtime& rt) {
    const std::string acceptorsText = rt.Text(TextBoxId::Text5);
    const std::string donorsText = rt.Text(TextBoxId::Text4);
    try {
        const double donors = rt.TextToDouble(donorsText);
        const double acceptors = rt.TextToDouble(acceptorsText);
        return CarrierModel::FermiLevelFromDoping(donors, acceptors);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

}  // namespace

// 1/30 eV per decade of ND/NA above mid-gap.
std::optional<double> CarrierModel::FermiLevelFromDoping(double donors, double acceptors) {
    const double ratio = donors / acceptors;
    if (!std::isfinite(ratio) || !(ratio > 0.0)) return std::nullopt;
    return std::log(ratio) / std::log(10.0) / DecadesPerEV + MidGapEV;
}

void CarrierModel::Text4_Change() {
    const std::optional<double> fermiLevel = FermiLevelFromBoxes(rt_);
    if (fermiLevel) rt_.SetText(TextBoxId::Text2, rt_.DoubleToText(*fermiLevel));
    rt_.SetDopingEntryComplete(fermiLevel.has_value());
}

// Whichever box changed, both are read and the same value is written.
void CarrierModel::Text5_Change() { Text4_Change(); }

}  // namespace carriers
