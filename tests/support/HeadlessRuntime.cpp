#include "HeadlessRuntime.h"

#include <algorithm>

#include "captions/Language.h"

namespace carriers {

HeadlessRuntime::HeadlessRuntime(std::string decimalSeparator)
    : Runtime(std::move(decimalSeparator)) {
    // Text1..Text7 with the initial texts every build shares.
    const auto rows = form::CommonCaptions();
    for (std::size_t slot = 0; slot < texts.size(); ++slot) {
        const std::string name = "Text" + std::to_string(slot + 1);
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const form::CaptionRow& r) {
            return r.key.name == name;
        });
        if (row != rows.end()) texts[slot] = std::string(row->text);
    }
}

void HeadlessRuntime::RejectInput(TextBoxId box, AcceptedRange accepted) {
    rejections.push_back(Rejection{box, accepted});
}

}  // namespace carriers
