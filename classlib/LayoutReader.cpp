#include "classlib/LayoutReader.h"
#include "platform/Resources.h"

#include "classlib/ColorNames.h"
#include "classlib/Collection.h"
#include "classlib/Strings.h"
#include "classlib/SysUtils.h"
#include "platform/Exception.h"

#include <memory>

namespace {
std::string Label(const TObject& instance, const TPropInfo& prop) { return instance.ClassName() + "." + prop.Name; }

// A value or name of the layout that the class library refused, as against a component's own failure
// (a database that cannot be opened, a rule of the component), which reaches the user as it was raised.
bool IsReadingError(const Exception& e) {
    return dynamic_cast<const EPropertyError*>(&e) || dynamic_cast<const EConvertError*>(&e) ||
           dynamic_cast<const EStreamError*>(&e) || dynamic_cast<const EComponentError*>(&e) ||
           dynamic_cast<const EInvalidGraphic*>(&e);
}
} // namespace

TLayoutReader::TLayoutReader(std::string_view text, std::string layoutName) : FLexer(text, std::move(layoutName)) {}

template <class F>
auto TLayoutReader::Guard(int line, const std::string& what, F&& action) {
    try {
        return action();
    } catch (const Exception& e) {
        if (!IsReadingError(e)) throw;
        Error(line, what + ": " + e.Message());
    }
}

TComponent* TLayoutReader::ReadRoot(TComponent* owner) {
    THeader header = ReadHeader();
    TClassInfo* cls = GetClass(header.ClassName);
    if (!cls || !cls->Factory()) Error(header.Line, "unknown class " + header.ClassName);
    std::unique_ptr<TComponent> root(cls->Factory()(owner));
    ReadComponent(*root, header);
    return root.release();
}

void TLayoutReader::ReadInto(TComponent& root) {
    THeader header = ReadHeader();
    if (!SameText(header.ClassName, root.ClassName())) {
        Error(header.Line, "the layout holds a " + header.ClassName + ", not a " + root.ClassName());
    }
    ReadComponent(root, header);
}

TLayoutReader::THeader TLayoutReader::ReadHeader() {
    THeader header;
    header.Line = FLexer.Token().Line;
    if (!FLexer.IsIdent("object")) Error(header.Line, "expected object but found " + FLexer.Describe());
    FLexer.Next();
    header.Name = ExpectIdent("a component name");
    ExpectSymbol(':');
    header.ClassName = ExpectIdent("a class name");
    return header;
}

void TLayoutReader::ReadComponent(TComponent& root, const THeader& header) {
    FRoot = &root;
    root.FComponentState.Include(csLoading);
    FLoaded.push_back(&root);
    try {
        Guard(header.Line, header.ClassName + " " + header.Name, [&] { root.SetName(header.Name); });
        ReadBody(root, header.Line);
        if (FLexer.Token().Kind != TLayoutToken::End) {
            Error(FLexer.Token().Line, "unexpected " + FLexer.Describe() + " after the end of " + header.Name);
        }
        ResolveReferences();
    } catch (...) {
        ClearLoading();
        throw;
    }
    RunLoaded();
    TLayoutFixups::Global().AddRoot(root);
}

void TLayoutReader::ReadBody(TComponent& component, int headerLine) {
    while (!FLexer.IsIdent("end")) {
        if (FLexer.Token().Kind == TLayoutToken::End) {
            Error(headerLine, "missing end of " + component.Name() + ": " + component.ClassName());
        }
        if (FLexer.IsIdent("object")) {
            ReadChild(component);
        } else {
            ReadProperty(component, component);
        }
    }
    FLexer.Next();
}

void TLayoutReader::ReadChild(TComponent& parent) {
    THeader header = ReadHeader();
    TClassInfo* cls = GetClass(header.ClassName);
    if (!cls) Error(header.Line, "unknown class " + header.ClassName);
    if (!cls->Factory()) Error(header.Line, "class " + header.ClassName + " cannot be created");
    TComponent* child = cls->Factory()(FRoot);
    child->FComponentState.Include(csLoading);
    FLoaded.push_back(child);
    std::string what = header.ClassName + " " + header.Name;
    Guard(header.Line, what, [&] { child->SetName(header.Name); });
    child->SetParentComponent(&parent);
    ReadBody(*child, header.Line);
}

void TLayoutReader::ReadProperty(TObject& instance, TComponent& holder) {
    int line = FLexer.Token().Line;
    std::vector<std::string> path{ExpectIdent("a property name")};
    while (FLexer.IsSymbol('.')) {
        FLexer.Next();
        path.push_back(ExpectIdent("a property name"));
    }
    ExpectSymbol('=');
    TObject* target = &instance;
    const TPropInfo* prop = nullptr;
    for (size_t i = 0; i < path.size(); ++i) {
        prop = target->ClassInfo().FindProperty(path[i]);
        if (!prop) Error(line, target->ClassName() + " has no property " + path[i]);
        if (i + 1 == path.size()) break;
        // "Lines.Strings = ( ... )" names the lines of a string list, as the original wrote them.
        if (prop->Kind == TPropKind::Strings && i + 2 == path.size() && SameText(path[i + 1], "Strings")) break;
        if (prop->Kind != TPropKind::Persistent) Error(line, Label(*target, *prop) + " has no property " + path[i + 1]);
        TObject* nested = prop->GetObject(*target);
        if (!nested) Error(line, Label(*target, *prop) + " is empty");
        target = nested;
    }
    ReadValue(*target, *prop, holder, line);
}

void TLayoutReader::InvalidValue(int line, const TObject& instance, const TPropInfo& prop,
                                 const std::string& value) const {
    std::string expected = prop.Enum ? prop.Enum->TypeName() : std::string(PropKindName(prop.Kind));
    Error(line, "invalid value " + value + " for " + Label(instance, prop) + " (" + expected + ")");
}

void TLayoutReader::ReadValue(TObject& instance, const TPropInfo& prop, TComponent& holder, int line) {
    switch (prop.Kind) {
    case TPropKind::Collection: return ReadCollection(instance, prop, holder, line);
    case TPropKind::Strings: return ReadStringList(instance, prop, line);
    case TPropKind::Component: return ReadReference(instance, prop, holder, line);
    case TPropKind::Event: return ReadEvent(instance, prop, line);
    case TPropKind::Set: return ReadSet(instance, prop, line);
    case TPropKind::String:
    case TPropKind::Picture: return ReadText(instance, prop, line);
    case TPropKind::Float: return ReadFloat(instance, prop, line);
    case TPropKind::Persistent:
        Error(line, Label(instance, prop) + " is an object: its properties are set one by one, as " + prop.Name +
                        ".Name = ...");
    default: return ReadOrdinal(instance, prop, line);
    }
}

bool TLayoutReader::ReadMinus() {
    bool negative = FLexer.IsSymbol('-');
    if (negative) FLexer.Next();
    return negative;
}

std::string TLayoutReader::Shown(bool negative) const {
    std::string shown = FLexer.Describe();
    if (negative) shown.insert(0, 1, '-');
    return shown;
}

void TLayoutReader::ReadFloat(TObject& instance, const TPropInfo& prop, int line) {
    bool negative = ReadMinus();
    const TLayoutTokenValue& token = FLexer.Token();
    if (token.Kind != TLayoutToken::Integer && token.Kind != TLayoutToken::Float) {
        InvalidValue(line, instance, prop, Shown(negative));
    }
    double value = token.Kind == TLayoutToken::Integer ? double(token.Integer) : token.Float;
    FLexer.Next();
    Guard(line, Label(instance, prop), [&] { prop.SetFloatValue(instance, negative ? -value : value); });
}

void TLayoutReader::ReadText(TObject& instance, const TPropInfo& prop, int line) {
    bool negative = ReadMinus();
    TPictureSource picture;
    if (!negative && prop.Kind == TPropKind::Picture && FLexer.Token().Kind == TLayoutToken::Binary) {
        picture.Data = FLexer.Token().Bytes;
        FLexer.Next();
    } else if (!negative && FLexer.Token().Kind == TLayoutToken::String) {
        picture.FileName = ReadString();
    } else {
        InvalidValue(line, instance, prop, Shown(negative));
    }
    Guard(line, Label(instance, prop), [&] {
        if (prop.Kind == TPropKind::String) return prop.SetStrValue(instance, picture.FileName);
        prop.SetPictureValue(instance, picture);
    });
}

void TLayoutReader::ReadSet(TObject& instance, const TPropInfo& prop, int line) {
    bool negative = ReadMinus();
    if (negative || !FLexer.IsSymbol('[')) InvalidValue(line, instance, prop, Shown(negative));
    FLexer.Next();
    uint64_t bits = 0;
    while (!FLexer.IsSymbol(']')) {
        const TLayoutTokenValue& token = FLexer.Token();
        int64_t member = 0;
        if (token.Kind != TLayoutToken::Ident || !prop.Enum->ValueOf(token.Text, member) || member < 0 ||
            member >= 64) {
            InvalidValue(token.Line, instance, prop, FLexer.Describe());
        }
        bits |= uint64_t(1) << member;
        FLexer.Next();
        if (FLexer.IsSymbol(',')) {
            FLexer.Next();
        } else if (!FLexer.IsSymbol(']')) {
            Error(FLexer.Token().Line, "expected ',' or ']' but found " + FLexer.Describe());
        }
    }
    FLexer.Next();
    Guard(line, Label(instance, prop), [&] { prop.SetOrdValue(instance, int64_t(bits)); });
}

// Integers, Booleans, enumerations and colours.
void TLayoutReader::ReadOrdinal(TObject& instance, const TPropInfo& prop, int line) {
    bool negative = ReadMinus();
    const TLayoutTokenValue& token = FLexer.Token();
    int64_t value = 0;
    bool valid = false;
    if (token.Kind == TLayoutToken::Integer) {
        valid = prop.Kind == TPropKind::Integer || prop.Kind == TPropKind::Color;
        value = negative ? -token.Integer : token.Integer;
        // Colours are 32-bit patterns: $80000005 is a system colour.
        if (prop.Kind == TPropKind::Color && value > INT32_MAX && value <= UINT32_MAX) value = int32_t(uint32_t(value));
    } else if (token.Kind == TLayoutToken::Ident && !negative) {
        if (prop.Kind == TPropKind::Boolean) {
            valid = FLexer.IsIdent("True") || FLexer.IsIdent("False");
            value = FLexer.IsIdent("True");
        } else if (prop.Kind == TPropKind::Enumeration) {
            valid = prop.Enum->ValueOf(token.Text, value);
        } else if (prop.Kind == TPropKind::Color) {
            TColor color = 0;
            valid = IdentToColor(token.Text, color);
            value = color;
        }
    }
    if (!valid) InvalidValue(line, instance, prop, Shown(negative));
    FLexer.Next();
    Guard(line, Label(instance, prop), [&] { prop.SetOrdValue(instance, value); });
}

void TLayoutReader::ReadCollection(TObject& instance, const TPropInfo& prop, TComponent& holder, int line) {
    if (!FLexer.IsSymbol('<')) InvalidValue(line, instance, prop, FLexer.Describe());
    FLexer.Next();
    auto* collection = dynamic_cast<TCollection*>(prop.GetObject(instance));
    std::string label = Label(instance, prop);
    if (!collection) Error(line, label + " holds no collection");
    collection->BeginUpdate();
    try {
        Guard(line, label, [&] { collection->Clear(); });
        while (!FLexer.IsSymbol('>')) {
            int itemLine = FLexer.Token().Line;
            if (!FLexer.IsIdent("item")) Error(itemLine, "expected item or '>' but found " + FLexer.Describe());
            FLexer.Next();
            TCollectionItem* item = Guard(itemLine, label, [&] { return collection->Add(); });
            while (!FLexer.IsIdent("end")) {
                if (FLexer.Token().Kind == TLayoutToken::End) Error(itemLine, "missing end of an item of " + label);
                ReadProperty(*item, holder);
            }
            FLexer.Next();
        }
        FLexer.Next();
    } catch (...) {
        collection->EndUpdate();
        throw;
    }
    Guard(line, label, [&] { collection->EndUpdate(); });
}

void TLayoutReader::ReadStringList(TObject& instance, const TPropInfo& prop, int line) {
    if (!FLexer.IsSymbol('(')) InvalidValue(line, instance, prop, FLexer.Describe());
    FLexer.Next();
    std::string label = Label(instance, prop);
    TStringList lines;
    while (!FLexer.IsSymbol(')')) {
        if (FLexer.Token().Kind != TLayoutToken::String) {
            Error(FLexer.Token().Line, "expected a string or ')' in " + label + " but found " + FLexer.Describe());
        }
        lines.Add(ReadString());
    }
    FLexer.Next();
    Guard(line, label, [&] {
        if (prop.SetObject) return prop.SetObjectValue(instance, &lines);
        auto* target = dynamic_cast<TStrings*>(prop.GetObjectValue(instance));
        if (!target) throw EPropertyError("no string list to fill");
        target->Assign(&lines);
    });
}

void TLayoutReader::ReadReference(TObject& instance, const TPropInfo& prop, TComponent& holder, int line) {
    if (FLexer.Token().Kind != TLayoutToken::Ident) InvalidValue(line, instance, prop, FLexer.Describe());
    std::string name = ReadDottedName();
    size_t dot = name.find('.');
    if (dot != std::string::npos && name.find('.', dot + 1) != std::string::npos) {
        InvalidValue(line, instance, prop, name);
    }
    TReferenceFixup fixup{FLexer.LayoutName(), line, FRoot, &holder, &instance, &prop, "", ""};
    if (dot != std::string::npos) {
        fixup.FormName = name.substr(0, dot);
        fixup.ComponentName = name.substr(dot + 1);
    } else if (!SameText(name, FRoot->Name())) {
        fixup.ComponentName = name;
    }
    FFixups.push_back(std::move(fixup));
}

void TLayoutReader::ReadEvent(TObject& instance, const TPropInfo& prop, int line) {
    if (FLexer.Token().Kind != TLayoutToken::Ident) InvalidValue(line, instance, prop, FLexer.Describe());
    std::string handler(FLexer.Token().Text);
    FLexer.Next();
    const TMethodInfo* method = FRoot->ClassInfo().FindMethod(handler);
    std::string label = Label(instance, prop);
    if (!method) Error(line, FRoot->ClassName() + " has no method " + handler + " for " + label);
    Guard(line, label + " = " + handler, [&] { prop.SetEventValue(instance, method->Bind(*FRoot)); });
}

std::string TLayoutReader::ReadString() {
    std::string text = FLexer.Token().String;
    FLexer.Next();
    while (FLexer.IsSymbol('+')) {
        FLexer.Next();
        if (FLexer.Token().Kind != TLayoutToken::String) {
            Error(FLexer.Token().Line, "expected a string after '+' but found " + FLexer.Describe());
        }
        text += FLexer.Token().String;
        FLexer.Next();
    }
    return text;
}

std::string TLayoutReader::ReadDottedName() {
    std::string name = ExpectIdent("a name");
    while (FLexer.IsSymbol('.')) {
        FLexer.Next();
        name += '.';
        name += ExpectIdent("a name");
    }
    return name;
}

std::string TLayoutReader::ExpectIdent(std::string_view what) {
    if (FLexer.Token().Kind != TLayoutToken::Ident) {
        Error(FLexer.Token().Line, "expected " + std::string(what) + " but found " + FLexer.Describe());
    }
    std::string ident(FLexer.Token().Text);
    FLexer.Next();
    return ident;
}

void TLayoutReader::ExpectSymbol(char symbol) {
    if (!FLexer.IsSymbol(symbol)) {
        Error(FLexer.Token().Line, "expected '" + std::string(1, symbol) + "' but found " + FLexer.Describe());
    }
    FLexer.Next();
}

void TLayoutReader::ResolveReferences() {
    std::vector<TReferenceFixup> pending;
    for (const TReferenceFixup& fixup : FFixups) {
        TComponent* target = fixup.FormName.empty() || SameText(fixup.FormName, FRoot->Name())
                                 ? FRoot
                                 : TLayoutFixups::Global().FindRoot(fixup.FormName);
        if (target) {
            fixup.Resolve(*target);
        } else {
            pending.push_back(fixup);
        }
    }
    for (const TReferenceFixup& fixup : pending) TLayoutFixups::Global().AddPending(fixup);
}

void TLayoutReader::RunLoaded() {
    for (TComponent* component : FLoaded) {
        component->FComponentState.Exclude(csLoading);
        component->Loaded();
    }
}

void TLayoutReader::ClearLoading() {
    for (TComponent* component : FLoaded) component->FComponentState.Exclude(csLoading);
}

TComponent* ReadLayout(std::string_view text, const std::string& layoutName, TComponent* owner) {
    return TLayoutReader(text, layoutName).ReadRoot(owner);
}

void ReadLayoutInto(TComponent& root, std::string_view text, const std::string& layoutName) {
    TLayoutReader(text, layoutName).ReadInto(root);
}

void ReadLayoutResource(TComponent& root, const std::string& layoutName) {
    std::span<const uint8_t> text = FindResource(layoutName);
    ReadLayoutInto(root, std::string_view(reinterpret_cast<const char*>(text.data()), text.size()), layoutName);
}
