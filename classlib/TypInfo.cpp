#include "classlib/TypInfo.h"

#include "classlib/Object.h"
#include "classlib/SysUtils.h"
#include "platform/Exception.h"

#include <algorithm>

TEnumInfo::TEnumInfo(std::string typeName, std::vector<std::string> names) : FTypeName(std::move(typeName)) {
    FValues.reserve(names.size());
    for (auto& name : names) FValues.emplace_back(std::move(name), int64_t(FValues.size()));
}

TEnumInfo::TEnumInfo(std::string typeName, std::vector<std::pair<std::string, int64_t>> namedValues)
    : FTypeName(std::move(typeName)), FValues(std::move(namedValues)) {}

const std::string* TEnumInfo::NameOf(int64_t value) const {
    for (const auto& [name, v] : FValues) {
        if (v == value) return &name;
    }
    return nullptr;
}

bool TEnumInfo::ValueOf(std::string_view name, int64_t& value) const {
    for (const auto& [n, v] : FValues) {
        if (SameText(n, name)) {
            value = v;
            return true;
        }
    }
    return false;
}

std::string_view PropKindName(TPropKind kind) {
    static constexpr std::string_view names[] = {"integer", "Boolean", "enumeration", "set", "string",
                                                 "float", "colour", "component", "event", "collection",
                                                 "string list", "picture", "object"};
    return names[static_cast<int>(kind)];
}

// ---- TPropInfo ----

bool TPropInfo::IsOrdinal() const {
    return Kind == TPropKind::Integer || Kind == TPropKind::Boolean || Kind == TPropKind::Enumeration ||
           Kind == TPropKind::Set || Kind == TPropKind::Color;
}

bool TPropInfo::IsObject() const {
    return Kind == TPropKind::Component || Kind == TPropKind::Collection || Kind == TPropKind::Strings ||
           Kind == TPropKind::Persistent;
}

std::string TPropInfo::QualifiedName() const {
    return (DeclaringClass ? DeclaringClass->Name() + "." : std::string()) + Name;
}

void TPropInfo::RequireKind(bool ok, std::string_view what) const {
    if (!ok) {
        throw EPropertyError(QualifiedName() + " is not " + std::string(what) + " property (it is " +
                             std::string(PropKindName(Kind)) + ")");
    }
}

void TPropInfo::ReadOnly() const { throw EPropertyError(QualifiedName() + " is read-only"); }

int64_t TPropInfo::GetOrdValue(const TObject& obj) const {
    RequireKind(IsOrdinal(), "an ordinal");
    return GetOrd(obj);
}

void TPropInfo::SetOrdValue(TObject& obj, int64_t value) const {
    RequireKind(IsOrdinal(), "an ordinal");
    if (!SetOrd) ReadOnly();
    if (value < MinValue || value > MaxValue) {
        throw EPropertyError(std::to_string(value) + " is out of range for " + QualifiedName());
    }
    if (Kind == TPropKind::Enumeration && !Enum->NameOf(value)) {
        throw EPropertyError(std::to_string(value) + " is not a value of " + Enum->TypeName() + " (" +
                             QualifiedName() + ")");
    }
    for (int64_t member = 0; Kind == TPropKind::Set && member < 64; ++member) {
        if ((uint64_t(value) >> member & 1) && !Enum->NameOf(member)) {
            throw EPropertyError("The set holds " + std::to_string(member) + ", which is not a value of " +
                                 Enum->TypeName() + " (" + QualifiedName() + ")");
        }
    }
    SetOrd(obj, value);
}

std::string TPropInfo::GetStrValue(const TObject& obj) const {
    RequireKind(Kind == TPropKind::String, "a string");
    return GetStr(obj);
}

void TPropInfo::SetStrValue(TObject& obj, const std::string& value) const {
    RequireKind(Kind == TPropKind::String, "a string");
    if (!SetStr) ReadOnly();
    SetStr(obj, value);
}

double TPropInfo::GetFloatValue(const TObject& obj) const {
    RequireKind(Kind == TPropKind::Float, "a float");
    return GetFloat(obj);
}

void TPropInfo::SetFloatValue(TObject& obj, double value) const {
    RequireKind(Kind == TPropKind::Float, "a float");
    if (!SetFloat) ReadOnly();
    SetFloat(obj, value);
}

TObject* TPropInfo::GetObjectValue(const TObject& obj) const {
    RequireKind(IsObject(), "an object");
    return GetObject(obj);
}

void TPropInfo::SetObjectValue(TObject& obj, TObject* value) const {
    RequireKind(IsObject(), "an object");
    if (!SetObject) ReadOnly();
    const TClassInfo& expected = ObjectClass();
    if (value && !value->InheritsFrom(expected)) {
        throw EPropertyError("A " + value->ClassName() + " cannot be assigned to " + QualifiedName() +
                             ", which holds a " + expected.Name());
    }
    SetObject(obj, value);
}

void TPropInfo::SetEventValue(TObject& obj, const std::any& handler) const {
    RequireKind(Kind == TPropKind::Event, "an event");
    if (handler.type() != EventType) {
        throw EPropertyError("The handler does not have the parameters of the event " + QualifiedName());
    }
    SetEvent(obj, handler);
}

void TPropInfo::SetPictureValue(TObject& obj, const TPictureSource& value) const {
    RequireKind(Kind == TPropKind::Picture, "a picture");
    SetPicture(obj, value);
}

// ---- TClassInfo ----

namespace {

// The first entry of a name index not before `name`; the index may be const or not.
template <class Index>
auto LowerBound(Index& index, std::string_view name) {
    return std::lower_bound(index.begin(), index.end(), name,
                            [](const auto& entry, std::string_view n) { return CompareText(entry.first, n) < 0; });
}

} // namespace

template <class T>
const T* TClassInfo::TTable<T>::Find(std::string_view name) const {
    auto it = LowerBound(Index, name);
    return it != Index.end() && SameText(it->first, name) ? it->second : nullptr;
}

template <class T>
void TClassInfo::TTable<T>::Add(std::unique_ptr<T> item) {
    auto it = LowerBound(Index, item->Name);
    if (it != Index.end() && SameText(it->first, item->Name))
        *it = {item->Name, item.get()};
    else
        Index.insert(it, {item->Name, item.get()});
    Own.push_back(std::move(item));
}

TClassInfo::TClassInfo(std::string name, const TClassInfo* parent, TPublish publish)
    : FName(std::move(name)), FParent(parent) {
    if (parent) {
        FProps = parent->FProps;
        FPropTable.Index = parent->FPropTable.Index;
        FMethodTable.Index = parent->FMethodTable.Index;
        FFieldTable.Index = parent->FFieldTable.Index;
    }
    if (publish) publish(*this);
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c; c = c->FParent) {
        if (c == &other) return true;
    }
    return false;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const { return FPropTable.Find(name); }
const TMethodInfo* TClassInfo::FindMethod(std::string_view name) const { return FMethodTable.Find(name); }
const TFieldInfo* TClassInfo::FindField(std::string_view name) const { return FFieldTable.Find(name); }

TPropInfo& TClassInfo::AddProperty(std::unique_ptr<TPropInfo> prop) {
    TPropInfo& added = *prop;
    // A class may publish a parent's property again (another default): it replaces it in place.
    if (const TPropInfo* replaced = FPropTable.Find(added.Name)) {
        std::replace(FProps.begin(), FProps.end(), replaced, const_cast<const TPropInfo*>(&added));
    } else {
        FProps.push_back(&added);
    }
    FPropTable.Add(std::move(prop));
    return added;
}

void TClassInfo::AddMethod(std::unique_ptr<TMethodInfo> method) { FMethodTable.Add(std::move(method)); }
void TClassInfo::AddField(std::unique_ptr<TFieldInfo> field) { FFieldTable.Add(std::move(field)); }

// ---- Class registry ----

namespace {
std::unordered_map<std::string, TClassInfo*>& Registry() {
    static std::unordered_map<std::string, TClassInfo*> registry;
    return registry;
}

} // namespace

std::string SetToString(const TEnumInfo& info, uint64_t bits) {
    std::string text;
    for (int64_t v = 0; v < 64; ++v) {
        if (!(bits & (uint64_t(1) << v))) continue;
        const std::string* name = info.NameOf(v);
        if (!text.empty()) text += ',';
        text += name ? *name : std::to_string(v);
    }
    return text;
}

uint64_t StringToSet(const TPropInfo& prop, std::string_view text) {
    uint64_t bits = 0;
    while (!text.empty()) {
        size_t comma = text.find(',');
        std::string name = Trim(text.substr(0, comma));
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        if (name.empty()) continue;
        int64_t value = 0;
        if (!prop.Enum->ValueOf(name, value) || value < 0 || value >= 64) {
            throw EPropertyError("'" + name + "' is not a value of " + prop.Enum->TypeName() + " (" +
                                 prop.QualifiedName() + ")");
        }
        bits |= uint64_t(1) << value;
    }
    return bits;
}

void RegisterClassInfo(TClassInfo& info) { Registry()[LowerCase(info.Name())] = &info; }

TClassInfo* GetClass(std::string_view name) {
    auto it = Registry().find(LowerCase(name));
    return it == Registry().end() ? nullptr : it->second;
}

// ---- Access by name ----

const TPropInfo* GetPropInfo(const TObject* obj, std::string_view name) {
    return obj ? obj->ClassInfo().FindProperty(name) : nullptr;
}

const TPropInfo& FindPropInfo(const TObject* obj, std::string_view name) {
    if (!obj) throw EPropertyError("No object to look property " + std::string(name) + " up in");
    const TPropInfo* prop = GetPropInfo(obj, name);
    if (!prop) throw EPropertyError(obj->ClassName() + " has no published property " + std::string(name));
    return *prop;
}

bool HasPublishedProperty(const TObject* obj, std::string_view name) { return GetPropInfo(obj, name) != nullptr; }

int64_t GetOrdProp(const TObject* obj, std::string_view name) { return FindPropInfo(obj, name).GetOrdValue(*obj); }

void SetOrdProp(TObject* obj, std::string_view name, int64_t value) {
    FindPropInfo(obj, name).SetOrdValue(*obj, value);
}

std::string GetStrProp(const TObject* obj, std::string_view name) {
    return FindPropInfo(obj, name).GetStrValue(*obj);
}

void SetStrProp(TObject* obj, std::string_view name, const std::string& value) {
    FindPropInfo(obj, name).SetStrValue(*obj, value);
}

double GetFloatProp(const TObject* obj, std::string_view name) {
    return FindPropInfo(obj, name).GetFloatValue(*obj);
}

void SetFloatProp(TObject* obj, std::string_view name, double value) {
    FindPropInfo(obj, name).SetFloatValue(*obj, value);
}

std::string GetEnumProp(const TObject* obj, std::string_view name) {
    const TPropInfo& prop = FindPropInfo(obj, name);
    int64_t value = prop.GetOrdValue(*obj);
    if (prop.Kind == TPropKind::Boolean) return value ? "True" : "False";
    if (prop.Kind != TPropKind::Enumeration) return std::to_string(value);
    const std::string* valueName = prop.Enum->NameOf(value);
    return valueName ? *valueName : std::to_string(value);
}

void SetEnumProp(TObject* obj, std::string_view name, std::string_view valueName) {
    const TPropInfo& prop = FindPropInfo(obj, name);
    int64_t value = 0;
    bool known = prop.Kind == TPropKind::Enumeration ? prop.Enum->ValueOf(valueName, value)
                 : prop.Kind == TPropKind::Boolean
                     ? (SameText(valueName, "True") ? (value = 1, true) : SameText(valueName, "False"))
                     : false;
    if (!known) {
        throw EPropertyError("'" + std::string(valueName) + "' is not a value of " + prop.QualifiedName());
    }
    prop.SetOrdValue(*obj, value);
}

std::string GetSetProp(const TObject* obj, std::string_view name) {
    const TPropInfo& prop = FindPropInfo(obj, name);
    if (prop.Kind != TPropKind::Set) throw EPropertyError(prop.QualifiedName() + " is not a set property");
    return SetToString(*prop.Enum, uint64_t(prop.GetOrdValue(*obj)));
}

void SetSetProp(TObject* obj, std::string_view name, std::string_view memberNames) {
    const TPropInfo& prop = FindPropInfo(obj, name);
    if (prop.Kind != TPropKind::Set) throw EPropertyError(prop.QualifiedName() + " is not a set property");
    prop.SetOrdValue(*obj, int64_t(StringToSet(prop, memberNames)));
}

TObject* GetObjectProp(const TObject* obj, std::string_view name) {
    return FindPropInfo(obj, name).GetObjectValue(*obj);
}

void SetObjectProp(TObject* obj, std::string_view name, TObject* value) {
    FindPropInfo(obj, name).SetObjectValue(*obj, value);
}
