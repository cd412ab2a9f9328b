#include <cmath>
#include <optional>

#include "CarrierModel.h"

namespace carriers {

namespace {

// The Fermi level that donors ND and acceptors NA give: 1/30 eV per decade
// of ND/NA above mid-gap. None while the boxes do not hold a usable pair,
// which is normal while the user is typing.
std::optional<double> FermiLevelFromDoping(const Runtime& rt) {
    const std::string acceptorsText = rt.Text(TextBoxId::Text5);
    const std::string donorsText = rt.Text(TextBoxId::Text4);
    double donors = 0.0;
    double acceptors = 0.0;
    try {
        donors = rt.TextToDouble(donorsText);
        acceptors = rt.TextToDouble(acceptorsText);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
    const double ratio = donors / acceptors;
    if (!std::isfinite(ratio) || !(ratio > 0.0)) return std::nullopt;
    return std::log(ratio) / std::log(10.0) / CarrierModel::DecadesPerEV + CarrierModel::MidGapEV;
}

}  // namespace

void CarrierModel::Text4_Change() {
    const std::optional<double> fermiLevel = FermiLevelFromDoping(rt_);
    if (fermiLevel) rt_.SetText(TextBoxId::Text2, rt_.DoubleToText(*fermiLevel));
    rt_.SetDopingEntryComplete(fermiLevel.has_value());
}

// Whichever box changed, both are read and the same value is written.
void CarrierModel::Text5_Change() { Text4_Change(); }

}  // namespace carriers
