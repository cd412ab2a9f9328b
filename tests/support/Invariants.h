#pragma once

#include <sstream>
#include <string>

#include "CarrierModel.h"
#include "Runtime.h"

namespace carriers::testing {

// What must hold between any two events once a run has been started: counts
// name real markers, live carriers stay in their bands, the rest are parked.
// Returns an empty string when all holds, otherwise what broke.
inline std::string CheckInvariants(const CarrierModel& model, const Runtime& rt) {
    std::ostringstream broken;
    const int electrons = model.ElectronCount.value();
    const int holes = model.HoleCount.value();
    if (electrons < 0 || electrons > 100) broken << "ElectronCount " << electrons << "; ";
    if (holes < 0 || holes > 100) broken << "HoleCount " << holes << "; ";
    for (int k = 1; k <= 100; ++k) {
        const Marker& e = rt.Shape1().at(k);
        if (k <= electrons) {
            if (!(e.Top >= 360 && e.Top <= 1800 && e.Left >= 1400 && e.Left <= 4000)) {
                broken << "electron " << k << " at (" << e.Left << ", " << e.Top << "); ";
            }
        } else if (e.Top != 10000.0f) {
            broken << "parked electron marker " << k << " at Top " << e.Top << "; ";
        }
        const Marker& h = rt.Shape2().at(k);
        if (k <= holes) {
            if (!(h.Top >= 3120 && h.Top <= 4500 && h.Left >= 1400 && h.Left <= 4000)) {
                broken << "hole " << k << " at (" << h.Left << ", " << h.Top << "); ";
            }
        } else if (h.Top != 10000.0f) {
            broken << "parked hole marker " << k << " at Top " << h.Top << "; ";
        }
    }
    return broken.str();
}

}  // namespace carriers::testing
