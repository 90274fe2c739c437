#pragma once
#include "report/QRDialogForm.h"

#include <optional>
#include <string>

class TQRTextEntry;

// A small modal question for a file name: a prompt, a text field, OK and Cancel (Enter and Escape).
class TQRFileNamePrompt : public TQRDialogForm {
    VMR_CLASS(TQRFileNamePrompt, TQRDialogForm)

  public:
    // The name typed, or nothing when cancelled or left empty.
    static std::optional<std::string> Ask(const std::string& caption, const std::string& prompt,
                                          const std::string& initial);
    TQRTextEntry* Entry() const { return FEntry; }

  protected:
    explicit TQRFileNamePrompt(TComponent* owner);
    void KeyDown(WORD& key, TShiftState shift) override;
    void Paint() override;

  private:
    std::string FPrompt;
    TQRTextEntry* FEntry = nullptr;
};
