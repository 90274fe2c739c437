#include "skin/TAVDBCtrls.h"

#include "classlib/Bitmap.h"
#include "classlib/Frame3D.h"
#include "classlib/SysUtils.h"
#include "classlib/Timer.h"
#include "classlib/data/DataSource.h"
#include "classlib/dbctrls/FieldEditLink.h"
#include "platform/Input.h"
#include "platform/MessageBox.h"
#include "platform/Utf8.h"
#include "skin/TAVScrollBar.h"

namespace {


// The lower case of the letters of code page 1252, the user's character set; other characters stay.
char32_t LowerCase1252(char32_t c) {
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
    switch (c) {
    case 0x160:
        return 0x161; // S caron
    case 0x152:
        return 0x153; // OE
    case 0x17D:
        return 0x17E; // Z caron
    case 0x178:
        return 0xFF; // Y diaeresis
    }
    return c;
}

// Ignores case as the platform's comparison in the user's locale does, accented letters included.
bool SameTextAnyCase(std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (LowerCase1252(DecodeUtf8(a, i)) != LowerCase1252(DecodeUtf8(b, j))) return false;
    }
    return i == a.size() && j == b.size();
}

// The item at `pos` up to the next ";", trimmed; pos moves past the ";".
std::string NextItem(std::string_view list, size_t& pos) {
    size_t end = list.find(';', pos);
    if (end == std::string_view::npos) end = list.size();
    std::string item = Trim(list.substr(pos, end - pos));
    pos = end + 1;
    return item;
}

std::string FirstItem(std::string_view list) {
    size_t pos = 0;
    return NextItem(list, pos);
}

} // namespace

TColor StyleControlBorderColor(const TtavFileTheme* theme, TtavUIStyle style) {
    TtavUIStyle effective;
    if (ResolveFileThemeStyle(theme, style, effective)) return theme->GetThemeColor(tavkey::ControlBorderColor);
    return GetBuiltinThemeColor(effective, tavkey::ControlBorderColor);
}

bool MatchesValueList(const std::string& list, const std::string& text) {
    size_t pos = 0;
    while (pos < list.size()) {
        if (SameTextAnyCase(NextItem(list, pos), text)) return true;
    }
    return false;
}

// ---- TtavDBMemo and TtavDBLookupListBox -----------------------------------------------------------------

TtavDBMemo::TtavDBMemo(TComponent* owner) : TtavFramedDataControl(owner) {
    FBars = std::make_unique<TtavAttachedScrollBars>(
        *this, TtavAttachedBarRules{.SetNativeBars = [this](TScrollStyle style) { SetScrollBars(style); }});
}

void TtavDBMemo::PublishProperties(TPublisher<TtavDBMemo>& p) {
    PublishSkinProperties(p);
    p.Component("VScrollBar", &TtavDBMemo::VScrollBar, &TtavDBMemo::SetVScrollBar)
        .Component("HScrollBar", &TtavDBMemo::HScrollBar, &TtavDBMemo::SetHScrollBar);
}

TtavDBLookupListBox::TtavDBLookupListBox(TComponent* owner) : TtavFramedDataControl(owner) {
    FBars = std::make_unique<TtavAttachedScrollBars>(
        *this, TtavAttachedBarRules{.TextMessages = false, .HideWholeBar = true, .GuardBarScroll = false, .SetNativeBars = nullptr});
}

void TtavDBLookupListBox::PublishProperties(TPublisher<TtavDBLookupListBox>& p) {
    PublishSkinProperties(p);
    p.Component("VScrollBar", &TtavDBLookupListBox::VScrollBar, &TtavDBLookupListBox::SetVScrollBar);
}

// ---- TtavDBCheckBox --------------------------------------------------------------------------------------

TtavDBCheckBox::TtavDBCheckBox(TComponent* owner) : TtavCheckBox(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csReplicatable});
    FDataLink->SetControl(this);
    FDataLink->OnDataChange = [this](TObject*) { FieldDataChange(); };
    FDataLink->OnUpdateData = [this](TObject*) { WriteFieldValue(); };
}

TtavDBCheckBox::~TtavDBCheckBox() {
    FDataLink->SetDataSource(nullptr);
}

void TtavDBCheckBox::PublishProperties(TPublisher<TtavDBCheckBox>& p) {
    p.String("DataField", &TtavDBCheckBox::DataField, &TtavDBCheckBox::SetDataField)
        .Component("DataSource", &TtavDBCheckBox::DataSource, &TtavDBCheckBox::SetDataSource)
        .Boolean("ReadOnly", &TtavDBCheckBox::ReadOnly, &TtavDBCheckBox::SetReadOnly, false)
        .String("ValueChecked", &TtavDBCheckBox::ValueChecked, &TtavDBCheckBox::SetValueChecked)
        .String("ValueUnchecked", &TtavDBCheckBox::ValueUnchecked, &TtavDBCheckBox::SetValueUnchecked);
}

void TtavDBCheckBox::SetDataSource(TDataSource* value) {
    // A hosting control grid has given the link its own source.
    if (!(ComponentState().Contains(csLoading) && FDataLink->DataSourceFixed())) FDataLink->SetDataSource(value);
    if (value) FreeNotification(value);
}

bool TtavDBCheckBox::ExecuteAction(TBasicAction* action) {
    return TtavCheckBox::ExecuteAction(action) || (FDataLink && FDataLink->ExecuteAction(action));
}

bool TtavDBCheckBox::UpdateAction(TBasicAction* action) {
    return TtavCheckBox::UpdateAction(action) || (FDataLink && FDataLink->UpdateAction(action));
}

bool TtavDBCheckBox::UseRightToLeftAlignment() const {
    return DBUseRightToLeftAlignment(this, Field());
}

void TtavDBCheckBox::SetValueChecked(const std::string& value) {
    FValueChecked = value;
    FieldDataChange();
}

void TtavDBCheckBox::SetValueUnchecked(const std::string& value) {
    FValueUnchecked = value;
    FieldDataChange();
}

void TtavDBCheckBox::Notification(TComponent* component, TOperation operation) {
    TtavCheckBox::Notification(component, operation);
    if (operation == opRemove && FDataLink && component && component == DataSource()) SetDataSource(nullptr);
}

TCheckBoxState TtavDBCheckBox::ReadFieldState() const {
    const TField* field = Field();
    if (!field || field->IsNull()) return cbUnchecked;
    if (field->DataType() == ftBoolean) return field->AsBoolean() ? cbChecked : cbUnchecked;
    // A text in both lists counts as checked.
    return MatchesValueList(FValueChecked, field->Text()) ? cbChecked : cbUnchecked;
}

void TtavDBCheckBox::FieldDataChange() {
    SetState(ReadFieldState());
}

void TtavDBCheckBox::WriteFieldValue() {
    TField* field = Field();
    if (field->DataType() == ftBoolean)
        field->SetAsBoolean(Checked());
    else
        field->SetText(FirstItem(Checked() ? FValueChecked : FValueUnchecked));
}

void TtavDBCheckBox::BeforeToggle() {
    // Entering edit re-reads the mark from the field, so the toggle flips the field's value.
    if (!FDataLink->Edit()) return;
    TtavCheckBox::BeforeToggle();
    FDataLink->Modified();
}

void TtavDBCheckBox::KeyPress(char32_t& key) {
    TtavCheckBox::KeyPress(key);
    switch (key) {
    case 8:
    case 32:
        FDataLink->Edit();
        break;
    case 27:
        FDataLink->Reset();
        break;
    }
}

void TtavDBCheckBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_GETDATALINK:
        m.Result = LRESULT(FDataLink.get());
        return;
    case CM_EXIT:
        return ExitControl(m);
    }
    TtavCheckBox::WndProc(m);
}

// Leaving the check box writes its value into the record; a refused value keeps the focus here.
void TtavDBCheckBox::ExitControl(TMessage& m) {
    try {
        FDataLink->UpdateRecord();
    } catch (...) {
        if (CanFocus()) SetFocus();
        throw;
    }
    TtavCheckBox::WndProc(m);
}

void TtavDBCheckBox::Paint() {
    if (ControlState().Contains(csPaintCopy))
        PaintCopy();
    else
        TtavCheckBox::Paint();
}

void TtavDBCheckBox::PaintCopy() {
    constexpr int BoxSize = 13;
    TCanvas& canvas = *Canvas();
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(ClientRect());
    TRect box{0, (ClientHeight() - BoxSize) / 2, BoxSize, (ClientHeight() + BoxSize) / 2};
    Frame3D(&canvas, box, clBtnShadow, clBtnHighlight, 1);
    Frame3D(&canvas, box, cl3DDkShadow, clBtnFace, 1);
    canvas.Brush()->SetColor(Enabled() ? clWindow : clBtnFace);
    canvas.FillRect(box);
    if (ReadFieldState() == cbChecked) {
        canvas.Pen()->SetColor(Enabled() ? clWindowText : clGrayText);
        for (int dy = 0; dy < 3; ++dy) {
            const TPoint mark[] = {{box.Left + 1, box.Top + 3 + dy},
                                   {box.Left + 3, box.Top + 5 + dy},
                                   {box.Left + 8, box.Top + dy}};
            canvas.Polyline(mark);
        }
    }
    canvas.Brush()->SetStyle(bsClear);
    TRect textRect{BoxSize + 4, 0, Width(), Height()};
    canvas.Handle()->DrawText(Caption(), textRect, DT_SINGLELINE | DT_LEFT | DT_VCENTER);
}

// ---- TtavNavButton ---------------------------------------------------------------------------------------

namespace {
constexpr int NavFirstRepeat = 400; // ms from the press to the first repeated move
constexpr int NavRepeat = 100;
constexpr int NavFocusInset = 3;

const char* const DefaultNavHints[NavigateBtnCount] = {
    "First record", "Prior record", "Next record", "Last record", "Insert record",
    "Delete record", "Edit record", "Post edit", "Cancel edit", "Refresh data"};

TButtonSet AllNavigateButtons() {
    TButtonSet all;
    for (int i = 0; i < NavigateBtnCount; ++i) all.Include(TNavigateBtn(i));
    return all;
}
} // namespace

TtavNavButton::TtavNavButton(TComponent* owner) : TtavButton(owner) {
    SetTabStop(false);
}

TtavNavButton::~TtavNavButton() {
    Destroying();
    FRepeatTimer.reset();
}

TtavDBNavigator* TtavNavButton::Navigator() const {
    return dynamic_cast<TtavDBNavigator*>(Parent());
}

// The navigator's focus mark is drawn on its active button.
int TtavNavButton::FocusLook() const {
    const TtavDBNavigator* nav = Navigator();
    const bool marked = nav && nav->Focused() && nav->ActiveButton() == FIndex;
    return TtavButton::FocusLook() * 2 + marked;
}

void TtavNavButton::Paint() {
    TtavButton::Paint();
    TtavDBNavigator* nav = Navigator();
    if (!nav || !nav->Focused() || nav->ActiveButton() != FIndex) return;
    TRect r{NavFocusInset, NavFocusInset, Width() - NavFocusInset, Height() - NavFocusInset};
    if (Pressed()) r = r.Offsetted(1, 1);
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->DrawFocusRect(r);
}

void TtavNavButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    auto alive = AliveMark();
    TtavButton::MouseDown(button, shift, x, y);
    if (alive.expired() || !FAllowRepeat) return;
    if (!FRepeatTimer) FRepeatTimer.reset(NewComponent<TTimer>(nullptr));
    FRepeatTimer->OnTimer = [this](TObject*) { RepeatTick(); };
    FRepeatTimer->SetInterval(NavFirstRepeat);
    FRepeatTimer->SetEnabled(true);
}

void TtavNavButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    auto alive = AliveMark();
    TtavButton::MouseUp(button, shift, x, y);
    if (!alive.expired() && FRepeatTimer) FRepeatTimer->SetEnabled(false);
}

void TtavNavButton::RepeatTick() {
    FRepeatTimer->SetInterval(NavRepeat);
    TtavDBNavigator* nav = Navigator();
    if (!nav || !Pressed() || !MouseCapture()) return;
    try {
        nav->ClickButton(FIndex);
    } catch (...) {
        // A failing move stops the repeat; the error goes on to the application.
        if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
        throw;
    }
}

// ---- TtavNavDataLink -------------------------------------------------------------------------------------

TtavNavDataLink::TtavNavDataLink(TtavDBNavigator* navigator) : FNavigator(navigator) {
    SetVisualControl(true);
}

TtavNavDataLink::~TtavNavDataLink() {
    FNavigator = nullptr;
}

void TtavNavDataLink::ActiveChanged() {
    if (FNavigator) FNavigator->UpdateAllButtons();
}

void TtavNavDataLink::DataSetChanged() {
    if (FNavigator) FNavigator->UpdateMoveButtons();
}

void TtavNavDataLink::EditingChanged() {
    if (FNavigator) FNavigator->UpdateEditButtons();
}

// ---- TtavDBNavigator -------------------------------------------------------------------------------------

TtavDBNavigator::TtavDBNavigator(TComponent* owner)
    : TCustomPanel(owner), FDataLink(std::make_unique<TtavNavDataLink>(this)), FVisibleButtons(AllNavigateButtons()) {
    SetControlStyle(ControlStyle() - TControlStyle{csAcceptsControls, csSetCaption} + TControlStyle{csOpaque});
    FHints.OnChange = [this](TObject*) { ApplyHints(); };
    CreateButtons();
    ApplyHints();
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    SetWidth(250);
    SetHeight(30);
    FButtonWidth = 0;
    FActiveButton = nbFirst;
    FConfirmDelete = true;
    SetFullRepaint(false);
    SetUIStyle(GetOwnerFormStyle(owner));
}

TtavDBNavigator::~TtavDBNavigator() {
    Destroying();
    FDefaultHints.reset();
    FDataLink.reset();
    FHints.OnChange = nullptr;
}

void TtavDBNavigator::PublishProperties(TPublisher<TtavDBNavigator>& p) {
    p.Component("FileTheme", &TtavDBNavigator::FileTheme, &TtavDBNavigator::SetFileTheme)
        .Enum("UIStyle", &TtavDBNavigator::UIStyle, &TtavDBNavigator::SetUIStyle, TtavUIStyle::DeepBlue)
        .Component("DataSource", &TtavDBNavigator::DataSource, &TtavDBNavigator::SetDataSource)
        .Set("VisibleButtons", &TtavDBNavigator::VisibleButtons, &TtavDBNavigator::SetVisibleButtons,
             AllNavigateButtons())
        .Strings("Hints", &TtavDBNavigator::Hints, &TtavDBNavigator::SetHints)
        .Boolean("ConfirmDelete", &TtavDBNavigator::ConfirmDelete, &TtavDBNavigator::SetConfirmDelete, true)
        .Boolean("TabStop", &TtavDBNavigator::TabStop, &TtavDBNavigator::SetTabStop, false)
        .Event("BeforeAction", &TtavDBNavigator::BeforeAction)
        .Event("OnClick", &TtavDBNavigator::OnClick);
}

void TtavDBNavigator::CreateButtons() {
    FMinButtonSize = {20, 18};
    TBitmap strip;
    strip.LoadFromResourceName("DBNAV_BUTTON");
    int x = 0;
    for (int i = 0; i < NavigateBtnCount; ++i) {
        const auto kind = TNavigateBtn(i);
        auto* button = NewComponent<TtavNavButton>(this);
        button->SetSpacing(-1);
        button->SetIndex(kind);
        button->SetVisible(FVisibleButtons.Contains(kind));
        button->SetEnabled(true);
        button->SetBounds(x, 0, FMinButtonSize.X, FMinButtonSize.Y);
        TBitmap glyph;
        ExtractStripFrame(&strip, &glyph, NavigateBtnCount, i + 1);
        button->SetGlyph(&glyph);
        button->TControl::OnClick = [this, kind](TObject*) { ClickButton(kind); };
        button->OnMouseDown = [this, button](TObject*, TMouseButton, TShiftState, int, int) {
            ButtonMouseDown(button);
        };
        button->SetParent(this);
        FButtons[size_t(i)] = button;
        x += FMinButtonSize.X;
    }
    FButtons[size_t(nbPrior)]->SetAllowRepeat(true);
    FButtons[size_t(nbNext)]->SetAllowRepeat(true);
}

void TtavDBNavigator::ApplyHints() {
    if (!FDefaultHints) {
        FDefaultHints = std::make_unique<TStringList>();
        for (const char* hint : DefaultNavHints) FDefaultHints->Add(hint);
    }
    for (int i = 0; i < NavigateBtnCount; ++i) FButtons[size_t(i)]->SetHint(FDefaultHints->Strings(i));
    for (int j = 0; j < std::min(FHints.Count(), NavigateBtnCount); ++j)
        if (!FHints.Strings(j).empty()) FButtons[size_t(j)]->SetHint(FHints.Strings(j));
}

TStrings* TtavDBNavigator::Hints() {
    // The designer shows the defaults where no hints are set; streams see the list itself.
    const bool streaming = ComponentState().Contains(csReading) || ComponentState().Contains(csWriting);
    if (ComponentState().Contains(csDesigning) && !streaming && FHints.Count() == 0 && FDefaultHints)
        return FDefaultHints.get();
    return &FHints;
}

void TtavDBNavigator::SetHints(const TStrings* value) {
    if (value && FDefaultHints && value->Text() == FDefaultHints->Text())
        FHints.Clear();
    else
        FHints.Assign(value);
}

void TtavDBNavigator::SetUIStyle(TtavUIStyle value) {
    FUIStyle = value;
    for (TtavNavButton* button : FButtons) {
        button->SetFileTheme(FFileTheme);
        button->SetUIStyle(FUIStyle);
    }
    Repaint();
}

void TtavDBNavigator::SetFileTheme(TtavFileTheme* value) {
    FFileTheme = LinkFileTheme(this, FFileTheme, value);
    SetUIStyle(FUIStyle);
}

void TtavDBNavigator::SetDataSource(TDataSource* value) {
    FDataLink->SetDataSource(value);
    if (!Loading()) UpdateAllButtons();
    if (value) value->FreeNotification(this);
}

void TtavDBNavigator::Notification(TComponent* component, TOperation operation) {
    TCustomPanel::Notification(component, operation);
    if (operation != opRemove || !component) return;
    if (FDataLink && component == DataSource()) SetDataSource(nullptr);
    if (component == FFileTheme) {
        FFileTheme = nullptr;
        SetUIStyle(TtavUIStyle::DeepBlue);
    }
}

int TtavDBNavigator::VisibleCount() const {
    int count = 0;
    for (int i = 0; i < NavigateBtnCount; ++i)
        if (FVisibleButtons.Contains(TNavigateBtn(i))) ++count;
    return std::max(count, 1);
}

void TtavDBNavigator::ClampSize(int& width, int& height) {
    if (Loading() || !FButtons[0]) return;
    const int count = VisibleCount();
    width = std::max(width, count * FMinButtonSize.X);
    height = std::max(height, FMinButtonSize.Y);
    if (Align() == alNone) width = (width / count) * count;
}

void TtavDBNavigator::LayoutButtons(int& width, int& height) {
    if (Loading() || !FButtons[0]) return;
    ClampSize(width, height);
    const int count = VisibleCount();
    FButtonWidth = width / count;
    if (Align() == alNone) width = count * FButtonWidth;
    // An aligned navigator spreads the pixels left over among its buttons, one each.
    const int remainder = width - count * FButtonWidth;
    int gap = count / 2;
    int x = 0;
    for (TtavNavButton* button : FButtons) {
        if (!FVisibleButtons.Contains(button->Index())) {
            button->SetBounds(Width() + 1, 0, FButtonWidth, Height());
            continue;
        }
        int extra = 0;
        if (remainder != 0 && gap - remainder < 0) {
            extra = 1;
            gap = gap - remainder + count;
        } else {
            gap -= remainder;
        }
        button->SetBounds(x, 0, FButtonWidth + extra, Height());
        x += FButtonWidth + extra;
    }
}

void TtavDBNavigator::SetBounds(int left, int top, int width, int height) {
    if (!HandleAllocated()) LayoutButtons(width, height);
    TCustomPanel::SetBounds(left, top, width, height);
}

void TtavDBNavigator::Loaded() {
    TCustomPanel::Loaded();
    int width = Width(), height = Height();
    LayoutButtons(width, height);
    if (width != Width() || height != Height()) TCustomPanel::SetBounds(Left(), Top(), width, height);
    ApplyHints();
    UpdateAllButtons();
}

void TtavDBNavigator::SetVisibleButtons(TButtonSet value) {
    int width = Width(), height = Height();
    FVisibleButtons = value;
    for (TtavNavButton* button : FButtons) button->SetVisible(value.Contains(button->Index()));
    LayoutButtons(width, height);
    if (width != Width() || height != Height()) TCustomPanel::SetBounds(Left(), Top(), width, height);
    Invalidate();
}

// ---- enabling --------------------------------------------------------------------------------------------

bool TtavDBNavigator::LinkOn() const {
    return Enabled() && FDataLink && FDataLink->Active();
}

void TtavDBNavigator::UpdateMoveButtons() {
    const bool on = LinkOn();
    const TDataSet* d = on ? FDataLink->DataSet() : nullptr;
    const bool bof = d && d->Bof(), eof = d && d->Eof();
    NavButton(nbFirst)->SetEnabled(on && !bof);
    NavButton(nbPrior)->SetEnabled(on && !bof);
    NavButton(nbNext)->SetEnabled(on && !eof);
    NavButton(nbLast)->SetEnabled(on && !eof);
    NavButton(nbDelete)->SetEnabled(on && d->CanModify() && !(bof && eof));
}

void TtavDBNavigator::UpdateEditButtons() {
    const bool on = LinkOn();
    const bool m = on && FDataLink->DataSet()->CanModify();
    const bool editing = FDataLink && FDataLink->Editing();
    NavButton(nbInsert)->SetEnabled(m);
    NavButton(nbEdit)->SetEnabled(m && !editing);
    NavButton(nbPost)->SetEnabled(m && editing);
    NavButton(nbCancel)->SetEnabled(m && editing);
    NavButton(nbRefresh)->SetEnabled(m);
}

void TtavDBNavigator::UpdateAllButtons() {
    if (!LinkOn()) {
        for (TtavNavButton* button : FButtons) button->SetEnabled(false);
        return;
    }
    UpdateMoveButtons();
    UpdateEditButtons();
}

// ---- actions ---------------------------------------------------------------------------------------------

void TtavDBNavigator::ClickButton(TNavigateBtn kind) {
    const bool designing = ComponentState().Contains(csDesigning);
    TDataSource* source = DataSource();
    if (source && source->State() != dsInactive) {
        if (!designing && BeforeAction) BeforeAction(this, kind);
        TDataSet* d = source->DataSet();
        switch (kind) {
        case nbFirst: d->First(); break;
        case nbPrior: d->Prior(); break;
        case nbNext: d->Next(); break;
        case nbLast: d->Last(); break;
        case nbInsert: d->Insert(); break;
        case nbEdit: d->Edit(); break;
        case nbPost: d->Post(); break;
        case nbCancel: d->Cancel(); break;
        case nbRefresh: d->Refresh(); break;
        case nbDelete: {
            HWND owner = HandleAllocated() ? Handle() : nullptr;
            if (!FConfirmDelete || MessageBox(owner, "Delete record?", "Confirm", MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
                d->Delete();
            break;
        }
        }
    }
    if (!designing && OnClick) OnClick(this, kind);
}

// ---- focus and keys --------------------------------------------------------------------------------------

void TtavDBNavigator::InvalidateButtons(TNavigateBtn a, TNavigateBtn b) {
    NavButton(a)->Invalidate();
    NavButton(b)->Invalidate();
}

void TtavDBNavigator::ButtonMouseDown(TtavNavButton* button) {
    const TNavigateBtn old = FActiveButton;
    FActiveButton = button->Index();
    if (TabStop() && !Focused() && CanFocus()) {
        SetFocus();
        return;
    }
    if (TabStop() && Focused() && old != FActiveButton) InvalidateButtons(old, FActiveButton);
}

void TtavDBNavigator::StepActiveButton(int step) {
    const TNavigateBtn old = FActiveButton;
    int i = int(old);
    if (step < 0) {
        // Back to a visible button, or to the first, which is taken even when hidden.
        while (i > int(nbFirst)) {
            --i;
            if (FVisibleButtons.Contains(TNavigateBtn(i))) break;
        }
    } else {
        if (old == nbRefresh) return;
        while (i < int(nbRefresh)) {
            ++i;
            if (FVisibleButtons.Contains(TNavigateBtn(i))) break;
        }
        if (!FVisibleButtons.Contains(TNavigateBtn(i))) return;
    }
    if (TNavigateBtn(i) == old) return;
    FActiveButton = TNavigateBtn(i);
    InvalidateButtons(old, FActiveButton);
}

void TtavDBNavigator::KeyDown(WORD& key, TShiftState) {
    switch (key) {
    case VK_SPACE:
        if (NavButton(FActiveButton)->Enabled()) NavButton(FActiveButton)->Click();
        break;
    case VK_LEFT: StepActiveButton(-1); break;
    case VK_RIGHT: StepActiveButton(1); break;
    }
}

void TtavDBNavigator::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_SIZE: {
        TCustomPanel::WndProc(m);
        int width = Width(), height = Height();
        LayoutButtons(width, height);
        return;
    }
    case WM_WINDOWPOSCHANGING: {
        TCustomPanel::WndProc(m);
        auto* pos = reinterpret_cast<WINDOWPOS*>(m.LParam);
        if (pos && !(pos->flags & SWP_NOSIZE)) ClampSize(pos->cx, pos->cy);
        return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        // The class library's own step only keeps the form's record of the focused control.
        TCustomPanel::WndProc(m);
        NavButton(FActiveButton)->Invalidate();
        return;
    case WM_GETDLGCODE:
        m.Result = DLGC_WANTARROWS;
        return;
    case CM_ENABLEDCHANGED:
        TCustomPanel::WndProc(m);
        if (!Loading()) UpdateAllButtons();
        return;
    }
    TCustomPanel::WndProc(m);
}
