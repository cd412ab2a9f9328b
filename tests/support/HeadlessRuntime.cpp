#include "HeadlessRuntime.h"

#include "WindowTables.h"

namespace carriers {

HeadlessRuntime::HeadlessRuntime(std::string decimalSeparator)
    : Runtime(controller::WindowLoadState(), std::move(decimalSeparator)) {
    for (const controller::BoxRow& box : controller::BoxTable()) {
        texts[Slot(box.box)] = controller::InitialText(box.box);
    }
}

void HeadlessRuntime::RejectInput(TextBoxId box, AcceptedRange accepted) {
    rejections.push_back(Rejection{box, accepted});
}

}  // namespace carriers
