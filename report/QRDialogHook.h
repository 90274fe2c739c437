#pragma once
#include <functional>

class TCustomForm;

// Called when a window of the preview (the preview itself, the printer set-up, the file name prompt) has just
// shown modally, before its loop runs: tests answer or close it from here so that nothing blocks.
using TQRDialogShownHook = std::function<void(TCustomForm& form)>;
TQRDialogShownHook SetQRDialogShownHook(TQRDialogShownHook hook); // returns the previous hook
void NotifyQRDialogShown(TCustomForm& form);
