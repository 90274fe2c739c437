#pragma once
#include "classlib/Edit.h"

#include <string>

// A one-line text field of the preview's dialogs: the platform's edit, with caret, selection and clipboard.
class TQRTextEntry : public TCustomEdit {
    VMR_CLASS(TQRTextEntry, TCustomEdit)

  public:
    const std::string& Value() const { return Text(); }
    // Puts the caret at the end, so that the end of a long path (the file's name) is in view.
    void SetValue(const std::string& value);

  protected:
    explicit TQRTextEntry(TComponent* owner);
};
