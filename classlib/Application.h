#pragma once
#include "classlib/Forms.h"
#include "classlib/Icon.h"
#include "platform/MessageLoop.h"

#include <exception>
#include <functional>
#include <memory>
#include <vector>

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;
using TMessageEvent = std::function<void(MSG& Msg, bool& Handled)>;
// A hook on the main window's messages; true marks the message handled.
using TWindowHook = std::function<bool(TMessage&)>;

// The program: its forms, its message loop and the one place escaping exceptions are shown. Making one
// makes the Screen too; both are global while they live.
class TApplication : public TComponent {
    VMR_CLASS(TApplication, TComponent)

  public:
    ~TApplication() override;

    void Initialize() {}
    // Creates a form owned by the application; `reference` points at it before its OnCreate runs, and the
    // first form created becomes the main form.
    template <class T>
    void CreateForm(T*& reference) {
        FPendingReference = [&reference](TCustomForm* form) { reference = static_cast<T*>(form); };
        try {
            T* form = NewComponent<T>(this);
            reference = form;
            if (!FMainForm) FMainForm = form;
        } catch (...) {
            FPendingReference = nullptr;
            reference = nullptr;
            throw;
        }
        FPendingReference = nullptr;
    }
    // Shows the main form and handles messages until the program ends (or, on the headless host, until
    // there is no more input).
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    void ProcessMessages();
    // Handles one message, or idles and waits for one.
    void HandleMessage();
    // Call inside a catch: OnException, or the error box with the title as caption; the program goes on.
    void HandleException(TObject* sender);
    void ShowException(const std::exception& e);

    void HookMainWindow(TWindowHook hook);
    void UnhookMainWindow();
    bool CallMainWindowHooks(TMessage& m);

    TCustomForm* MainForm() const { return FMainForm; }
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& value) { FTitle = value; }
    std::string ExeName() const;
    bool Active() const;
    TIcon* Icon() { return FIcon.get(); }
    bool ShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool value) { FShowMainForm = value; }

    TExceptionEvent OnException;
    TMessageEvent OnMessage;
    TNotifyEvent OnIdle;

  protected:
    explicit TApplication(TComponent* owner);

  private:
    friend class TCustomForm;
    void FormConstructing(TCustomForm* form);
    void FormDestroying(TCustomForm* form);
    bool HookMessage(MSG& msg);
    // False when the host can never deliver more input.
    bool HandleOneMessage();
    void Idle();

    TCustomForm* FMainForm = nullptr;
    std::function<void(TCustomForm*)> FPendingReference;
    bool FTerminated = false;
    bool FShowMainForm = true;
    std::string FTitle;
    std::unique_ptr<TIcon> FIcon;
    std::vector<TWindowHook> FWindowHooks;
    TMessageHook FPreviousHook;
};

extern TApplication* Application;
