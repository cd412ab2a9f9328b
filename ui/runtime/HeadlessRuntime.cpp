#include "HeadlessRuntime.h"

namespace carriers {

HeadlessRuntime::HeadlessRuntime(std::string decimalSeparator)
    : Runtime(std::move(decimalSeparator)),
      texts{"300", "0.5", "0", "1e10", "1e10", "0", "0"} {}

void HeadlessRuntime::Picture1PSet(float x, float y, std::uint32_t rgb) {
    chart.push_back(Point{x, y, rgb});
}

void HeadlessRuntime::Picture1Cls() {
    chart.clear();
    ++chartClears;
}

void HeadlessRuntime::RejectInput(TextBoxId box, AcceptedRange accepted) {
    rejections.push_back(Rejection{box, accepted});
}

}  // namespace carriers
