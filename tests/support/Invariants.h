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
    struct Band {
        const char* name;
        const MarkerArray& markers;
        int count;
        float top;
        float bottom;
    };
    const Band bands[] = {{"electron", rt.Shape1(), electrons, 360, 1800},
                          {"hole", rt.Shape2(), holes, 3120, 4500}};
    for (const Band& band : bands) {
        for (int k = 1; k <= 100; ++k) {
            const Marker& m = band.markers.at(k);
            if (k <= band.count) {
                if (!(m.Top >= band.top && m.Top <= band.bottom && m.Left >= 1400 &&
                      m.Left <= 4000)) {
                    broken << band.name << ' ' << k << " at (" << m.Left << ", " << m.Top << "); ";
                }
            } else if (m.Top != 10000.0f) {
                broken << "parked " << band.name << " marker " << k << " at Top " << m.Top << "; ";
            }
        }
    }
    return broken.str();
}

}  // namespace carriers::testing
