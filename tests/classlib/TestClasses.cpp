#include "TestClasses.h"

#include "classlib/RegisterClasslib.h"

#include <algorithm>

void TFace::PublishProperties(TPublisher<TFace>& p) {
    p.String("Name", &TFace::FName, &TFace::FName, "Sans");
    p.Integer("Size", &TFace::FSize, &TFace::FSize, 8);
    p.Set("Traits", &TFace::FTraits, &TFace::FTraits);
}

void TFace::Assign(const TPersistent* source) {
    auto* face = dynamic_cast<const TFace*>(source);
    if (!face) return TPersistent::Assign(source);
    FName = face->FName;
    FSize = face->FSize;
    FTraits = face->FTraits;
}

void TTab::PublishProperties(TPublisher<TTab>& p) {
    p.String("Caption", &TTab::FCaption, &TTab::FCaption);
    p.Integer("Width", &TTab::FWidth, &TTab::FWidth);
    p.Persistent("Face", [](TTab& t) { return &t.FFace; });
}

void TTab::Assign(const TPersistent* source) {
    auto* tab = dynamic_cast<const TTab*>(source);
    if (!tab) return TCollectionItem::Assign(source);
    FCaption = tab->FCaption;
    FWidth = tab->FWidth;
    FFace.Assign(&tab->FFace);
}

void TWidget::PublishProperties(TPublisher<TWidget>& p) {
    p.Integer("Left", &TWidget::FLeft, &TWidget::SetLeft);
    p.Boolean("Visible", &TWidget::FVisible, &TWidget::FVisible, true);
    p.Enum("Shade", &TWidget::FShade, &TWidget::FShade);
    p.Set("Traits", &TWidget::FTraits, &TWidget::FTraits);
    p.String("Caption", &TWidget::FCaption, &TWidget::SetCaption);
    p.Float("Ratio", &TWidget::FRatio, &TWidget::FRatio, 1.0);
    p.Color("Color", &TWidget::FColor, &TWidget::FColor, clBtnFace);
    p.Component("Buddy", &TWidget::FBuddy, &TWidget::SetBuddy);
    p.Event("OnClick", &TWidget::FOnClick);
    p.Event("OnKey", &TWidget::FOnKey);
    p.Collection("Tabs", [](TWidget& w) { return &w.FTabs; });
    p.Strings("Lines", [](TWidget& w) { return &w.FLines; }, &TWidget::SetLines);
    p.Picture("Glyph", &TWidget::FGlyph, &TWidget::FGlyph);
    p.Persistent("Face", [](TWidget& w) { return &w.FFace; });
}

TWidget::~TWidget() {
    if (FParentWidget) std::erase(FParentWidget->FChildren, this);
    for (TWidget* child : FChildren) child->FParentWidget = nullptr;
}

void TWidget::SetLeft(int value) {
    FLeft = value;
    Log.push_back("Left=" + std::to_string(value));
    LoadingDuringSetters = ComponentState().Contains(csLoading);
}

void TWidget::SetCaption(const std::string& value) {
    FCaption = value;
    Log.push_back("Caption=" + value);
}

void TWidget::SetBuddy(TWidget* value) {
    FBuddy = value;
    if (value) value->FreeNotification(this);
    Log.push_back("Buddy=" + (value ? value->Name() : std::string("nil")));
}

void TWidget::SetLines(TStrings* value) {
    FLines.Assign(value);
    Log.push_back("Lines");
}

void TWidget::Loaded() {
    TComponent::Loaded();
    ++LoadedCalls;
    Log.push_back("Loaded");
}

void TWidget::SetParentComponent(TComponent* parent) {
    FParentWidget = dynamic_cast<TWidget*>(parent);
    if (FParentWidget) FParentWidget->FChildren.push_back(this);
}

void TWidget::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FBuddy) FBuddy = nullptr;
}

void TTestForm::PublishProperties(TPublisher<TTestForm>& p) {
    p.Field("Button1", &TTestForm::Button1);
    p.Field("Holder", &TTestForm::Holder);
    p.Method("ButtonClick", &TTestForm::ButtonClick);
    p.Method("KeyHandler", &TTestForm::KeyHandler);
}

void TTestForm::ButtonClick(TObject* sender) { Clicks.push_back(sender); }

void TTestForm::KeyHandler(TObject*, char& key) { key = 'X'; }

void TOtherForm::PublishProperties(TPublisher<TOtherForm>& p) {
    p.Integer("Left", &TOtherForm::FLeft, &TOtherForm::SetLeft, 100);
}

void RegisterTestClasses() {
    RegisterClasslibClasses();
    RegisterClass<TWidget>();
    RegisterClass<TTestForm>();
    RegisterClass<TOtherForm>();
}
