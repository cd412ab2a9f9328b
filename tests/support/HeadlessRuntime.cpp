#include "HeadlessRuntime.h"

#include <algorithm>

#include "WindowTables.h"
#include "captions/Language.h"

namespace carriers {

HeadlessRuntime::HeadlessRuntime(std::string decimalSeparator)
    : Runtime(controller::WindowLoadState(), std::move(decimalSeparator)) {
    // Text1..Text7 with the initial texts every build shares.
    const auto rows = form::CommonCaptions();
    for (const controller::BoxRow& box : controller::BoxTable()) {
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const form::CaptionRow& r) {
            return r.key == box.control;
        });
        if (row != rows.end()) texts[Slot(box.box)] = std::string(row->text);
    }
}

void HeadlessRuntime::RejectInput(TextBoxId box, AcceptedRange accepted) {
    rejections.push_back(Rejection{box, accepted});
}

}  // namespace carriers
