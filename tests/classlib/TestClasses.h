#pragma once
// Small classes that publish one property of every kind, shared by the type-information and layout tests.
#include "classlib/Collection.h"
#include "classlib/Component.h"
#include "classlib/Strings.h"

#include <string>
#include <vector>

enum class TShade { shNone, shLight, shDark };
VMR_ENUM_NAMES(TShade, "shNone", "shLight", "shDark")
enum class TTrait { trBold, trItalic, trWide };
VMR_ENUM_NAMES(TTrait, "trBold", "trItalic", "trWide")
using TTraits = TSet<TTrait>;
using TKeyEvent = std::function<void(TObject* Sender, char& Key)>;

// A nested object like a font: set through dotted names.
class TFace : public TPersistent {
    VMR_CLASS(TFace, TPersistent)

public:
    TFace() = default;
    static void PublishProperties(TPublisher<TFace>& p);
    void Assign(const TPersistent* source) override;

    std::string FName = "Sans";
    int FSize = 8;
    TTraits FTraits;
};

class TTab : public TCollectionItem {
    VMR_CLASS(TTab, TCollectionItem)

public:
    using TCollectionItem::TCollectionItem;
    static void PublishProperties(TPublisher<TTab>& p);
    void Assign(const TPersistent* source) override;

    std::string FCaption;
    int FWidth = 0;
    TFace FFace;
};

class TTabs : public TCollection {
    VMR_CLASS(TTabs, TCollection)

public:
    explicit TTabs(TPersistent* owner) : TCollection(owner, ItemFactory<TTab>()) {}
    int Updates = 0;

protected:
    void Update(TCollectionItem*) override { ++Updates; }
};

// A component with a property of every kind; setters record their order.
class TWidget : public TComponent {
    VMR_CLASS(TWidget, TComponent)

public:
    static void PublishProperties(TPublisher<TWidget>& p);
    ~TWidget() override;

    void SetLeft(int value);
    void SetCaption(const std::string& value);
    void SetBuddy(TWidget* value);
    void SetLines(TStrings* value);
    void Loaded() override;
    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override { return FParentWidget; }

    int FLeft = 0;
    bool FVisible = true;
    TShade FShade = TShade::shNone;
    TTraits FTraits;
    std::string FCaption;
    double FRatio = 1.0;
    TColor FColor = clBtnFace;
    TWidget* FBuddy = nullptr;
    TNotifyEvent FOnClick;
    TKeyEvent FOnKey;
    TTabs FTabs{this};
    TStringList FLines;
    TPictureSource FGlyph;
    TFace FFace;

    TWidget* FParentWidget = nullptr;
    std::vector<TWidget*> FChildren;
    std::vector<std::string> Log;
    bool LoadingDuringSetters = false;
    int LoadedCalls = 0;

protected:
    explicit TWidget(TComponent* owner) : TComponent(owner) {}
    void Notification(TComponent* component, TOperation operation) override;
};

// A form: its published fields receive its components, its published methods are bound to events.
class TTestForm : public TWidget {
    VMR_CLASS(TTestForm, TWidget)

public:
    static void PublishProperties(TPublisher<TTestForm>& p);
    void ButtonClick(TObject* sender);
    void KeyHandler(TObject* sender, char& key);

    TWidget* Button1 = nullptr;
    TComponent* Holder = nullptr;
    std::vector<TObject*> Clicks;

protected:
    using TWidget::TWidget;
};

// Publishes Left again, with another default.
class TOtherForm : public TTestForm {
    VMR_CLASS(TOtherForm, TTestForm)

public:
    static void PublishProperties(TPublisher<TOtherForm>& p);

protected:
    using TTestForm::TTestForm;
};

void RegisterTestClasses();
