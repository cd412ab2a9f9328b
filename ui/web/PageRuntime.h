#pragma once

#include <string>

#include "CarrierModel.h"
#include "Runtime.h"
#include "form/Bindings.h"
#include "form/FormDescription.h"

namespace form {

// The runtime the model runs on in the browser: the page's controls are
// reached through its script, the markers, lines and chart points are read
// by the page's painter straight from this object's memory.
class PageRuntime : public carriers::Runtime {
  public:
    explicit PageRuntime(const Language& language);

    const FormDescription& Description() const { return description_; }
    const carriers::CarrierModel& Model() const { return model_; }
    bool Ended() const { return ended_; }

    // Runs the handler bound at this place of the binding table, and gives
    // what a screen reader is to be told of it (empty: nothing).
    std::string Dispatch(std::size_t binding);
    // The band diagram's description as it stands.
    std::string Scene() const;

    std::string Text(carriers::TextBoxId box) const override;
    void SetText(carriers::TextBoxId box, const std::string& text) override;
    int Check1Value() const override;
    void SetTimer1Enabled(bool enabled) override;
    void RejectInput(carriers::TextBoxId box, carriers::AcceptedRange accepted) override;
    void SetDopingEntryComplete(bool complete) override;
    void ReportRuntimeError(carriers::ErrorKind kind) override;

  protected:
    void HandlerFinished() override;

  private:
    void EndProgram(const std::string& message);

    FormDescription description_;
    carriers::CarrierModel model_;
    bool timer1Enabled_ = false;
    bool ended_ = false;
    bool rejected_ = false;  // the running handler refused a box
    bool dopingUsable_ = true;
};

}  // namespace form
