#pragma once
#include "classlib/Set.h"
#include "platform/Color.h"

#include <any>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <unordered_map>
#include <utility>
#include <vector>

// Run-time type information: the published properties, methods and fields of each class, chained to the
// parent's, and the registry of classes by name that form layouts create components from. A class declares
// itself and what it publishes like this:
//
//   class TButton : public TControl {
//       VMR_CLASS(TButton, TControl)
//
//   public:
//       static void PublishProperties(TPublisher<TButton>& p) {
//           p.String("Caption", &TButton::GetCaption, &TButton::SetCaption);
//           p.Enum("Align", &TButton::FAlign, &TButton::SetAlign, alNone);
//           p.Event("OnClick", &TButton::OnClick);
//       }
//
//   protected:
//       explicit TButton(TComponent* owner); // made by NewComponent<TButton>(owner)
//   };
//
// and, to be named in layouts, is registered at start-up with RegisterClass<TButton>().

class TObject;
class TComponent;
class TCollection;
class TStrings;
class TClassInfo;

// Two-phase construction: the one way to create a component (see Component.h).
template <class T>
T* NewComponent(TComponent* owner);

// The names of an enumeration's values.
class TEnumInfo {
public:
    // Values 0, 1, 2 ... in the order of the names.
    TEnumInfo(std::string typeName, std::vector<std::string> names);
    TEnumInfo(std::string typeName, std::vector<std::pair<std::string, int64_t>> namedValues);

    const std::string& TypeName() const { return FTypeName; }
    // nullptr when no value has that number.
    const std::string* NameOf(int64_t value) const;
    // Case-insensitive, as names in layouts are.
    bool ValueOf(std::string_view name, int64_t& value) const;

private:
    std::string FTypeName;
    std::vector<std::pair<std::string, int64_t>> FValues;
};

// Declares the value names of an enumeration, at the namespace of the enumeration.
#define VMR_ENUM_NAMES(Enum, ...)                                                                            \
    inline const TEnumInfo& EnumTypeInfo(Enum*) {                                                            \
        static const TEnumInfo info(#Enum, std::vector<std::string>{__VA_ARGS__});                         \
        return info;                                                                                         \
    }

template <class E>
const TEnumInfo& EnumInfo() {
    return EnumTypeInfo(static_cast<E*>(nullptr));
}

enum class TPropKind {
    Integer, Boolean, Enumeration, Set, String, Float, Color,
    Component,  // a reference to a component, not owned
    Event,      // a handler, bound to a published method of the form
    Collection, // owned; a layout fills it with items
    Strings,    // a string list
    Picture,    // kept raw as the layout gives it: a file name or inline data
    Persistent, // an owned nested object such as Font or Constraints, set through dotted names
};
std::string_view PropKindName(TPropKind kind);

// A picture as a layout stores it: the name of a picture file beside the layout, or the bytes themselves.
struct TPictureSource {
    std::string FileName;
    std::vector<uint8_t> Data;
    friend bool operator==(const TPictureSource&, const TPictureSource&) = default;
};

using TClassRef = TClassInfo& (*)();

struct TPropInfo {
    std::string Name;
    TPropKind Kind = TPropKind::Integer;
    const TClassInfo* DeclaringClass = nullptr;
    const TEnumInfo* Enum = nullptr;   // enumeration, or the element type of a set
    TClassRef ObjectClass = nullptr;   // class of a component, collection, string list or nested object
    std::type_index EventType = typeid(void);
    int64_t MinValue = std::numeric_limits<int64_t>::min();
    int64_t MaxValue = std::numeric_limits<int64_t>::max();
    int64_t OrdDefault = 0;
    double FloatDefault = 0;
    std::string StrDefault;

    std::function<int64_t(const TObject&)> GetOrd;
    std::function<void(TObject&, int64_t)> SetOrd;
    std::function<std::string(const TObject&)> GetStr;
    std::function<void(TObject&, const std::string&)> SetStr;
    std::function<double(const TObject&)> GetFloat;
    std::function<void(TObject&, double)> SetFloat;
    std::function<TObject*(const TObject&)> GetObject;
    std::function<void(TObject&, TObject*)> SetObject;
    std::function<void(TObject&, const std::any&)> SetEvent;
    std::function<TPictureSource(const TObject&)> GetPicture;
    std::function<void(TObject&, const TPictureSource&)> SetPicture;

    bool IsOrdinal() const;
    bool IsObject() const;
    std::string QualifiedName() const;

    // Checked access: the kind, the range of integers, the names of enumerations and the class of objects.
    int64_t GetOrdValue(const TObject& obj) const;
    void SetOrdValue(TObject& obj, int64_t value) const;
    std::string GetStrValue(const TObject& obj) const;
    void SetStrValue(TObject& obj, const std::string& value) const;
    double GetFloatValue(const TObject& obj) const;
    void SetFloatValue(TObject& obj, double value) const;
    TObject* GetObjectValue(const TObject& obj) const;
    void SetObjectValue(TObject& obj, TObject* value) const;
    // The handler must be a std::function of the event's exact type.
    void SetEventValue(TObject& obj, const std::any& handler) const;
    void SetPictureValue(TObject& obj, const TPictureSource& value) const;

private:
    void RequireKind(bool ok, std::string_view what) const;
    [[noreturn]] void ReadOnly() const;
};

// A published method that an event can be bound to: Bind makes the handler for one instance.
struct TMethodInfo {
    std::string Name;
    std::type_index Type = typeid(void);
    std::function<std::any(TObject&)> Bind;
};

// A published field of an owner that holds the component of the same name, kept by TComponent.
struct TFieldInfo {
    std::string Name;
    TClassRef FieldClass = nullptr;
    std::function<void(TObject&, TComponent*)> Set;
};

template <class C>
class TPublisher;

class TClassInfo {
public:
    using TFactory = TComponent* (*)(TComponent* owner);

    using TPublish = void (*)(TClassInfo& info);

    // The class's table: its parent's, then what publish adds (see Publish). Tables never move, since
    // properties point back at the class that declares them.
    TClassInfo(std::string name, const TClassInfo* parent, TPublish publish = nullptr);
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;

    // Runs C::PublishProperties when C declares its own.
    template <class C>
    static void Publish(TClassInfo& info);

    const std::string& Name() const { return FName; }
    const TClassInfo* Parent() const { return FParent; }
    bool InheritsFrom(const TClassInfo& other) const;

    // Case-insensitive; nullptr when the class does not publish the name.
    const TPropInfo* FindProperty(std::string_view name) const;
    const TMethodInfo* FindMethod(std::string_view name) const;
    const TFieldInfo* FindField(std::string_view name) const;
    // Every published property, the parents' first.
    const std::vector<const TPropInfo*>& Properties() const { return FProps; }

    // Set by RegisterClass for classes that can be created by name.
    TFactory Factory() const { return FFactory; }
    void SetFactory(TFactory factory) { FFactory = factory; }

    TPropInfo& AddProperty(std::unique_ptr<TPropInfo> prop);
    void AddMethod(std::unique_ptr<TMethodInfo> method);
    void AddField(std::unique_ptr<TFieldInfo> field);

private:
    template <class T>
    struct TTable {
        std::vector<std::unique_ptr<T>> Own;
        // Sorted by name, case-insensitively, the parents' included. The names are those of the items, which
        // never move; every class holds such a list, so it is kept flat rather than a table of copied names.
        std::vector<std::pair<std::string_view, const T*>> Index;
        const T* Find(std::string_view name) const;
        void Add(std::unique_ptr<T> item);
    };
    std::string FName;
    const TClassInfo* FParent;
    TFactory FFactory = nullptr;
    std::vector<const TPropInfo*> FProps;
    TTable<TPropInfo> FPropTable;
    TTable<TMethodInfo> FMethodTable;
    TTable<TFieldInfo> FFieldTable;
};

// Gives a class its type information; put it first in the class body.
#define VMR_CLASS(Class, Parent)                                                                             \
public:                                                                                                      \
    using inherited = Parent;                                                                                \
    static TClassInfo& StaticClassInfo() {                                                                   \
        static TClassInfo info(#Class, &Parent::StaticClassInfo(), &TClassInfo::Publish<Class>);              \
        return info;                                                                                         \
    }                                                                                                        \
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }                               \
    friend class TClassInfo;                                                                                 \
    template <class VmrT>                                                                                    \
    friend VmrT* ::NewComponent(TComponent* owner);                                                          \
                                                                                                             \
private:

// The class registry: classes that layouts may name. Registration is explicit, at start-up.
void RegisterClassInfo(TClassInfo& info);
// nullptr when no class of that name was registered (case-insensitive).
TClassInfo* GetClass(std::string_view name);

// Property access by name. An unknown property, a kind that does not fit or an invalid value raises
// EPropertyError naming the class and the property.
const TPropInfo* GetPropInfo(const TObject* obj, std::string_view name);
const TPropInfo& FindPropInfo(const TObject* obj, std::string_view name);
bool HasPublishedProperty(const TObject* obj, std::string_view name);
int64_t GetOrdProp(const TObject* obj, std::string_view name);
void SetOrdProp(TObject* obj, std::string_view name, int64_t value);
std::string GetStrProp(const TObject* obj, std::string_view name);
void SetStrProp(TObject* obj, std::string_view name, const std::string& value);
double GetFloatProp(const TObject* obj, std::string_view name);
void SetFloatProp(TObject* obj, std::string_view name, double value);
std::string GetEnumProp(const TObject* obj, std::string_view name);
void SetEnumProp(TObject* obj, std::string_view name, std::string_view valueName);
// Sets as the names of their members joined by ",", as "fsBold,fsItalic".
std::string GetSetProp(const TObject* obj, std::string_view name);
void SetSetProp(TObject* obj, std::string_view name, std::string_view memberNames);
// The same conversions for the reader of layouts; an unknown name raises EPropertyError.
std::string SetToString(const TEnumInfo& info, uint64_t bits);
uint64_t StringToSet(const TPropInfo& prop, std::string_view memberNames);
TObject* GetObjectProp(const TObject* obj, std::string_view name);
void SetObjectProp(TObject* obj, std::string_view name, TObject* value);

// ---------------------------------------------------------------------------------------------------------
// Registration of a class's published members, in its static PublishProperties(TPublisher<C>&).
// Getters and setters are member functions, data members or callables taking the object first.

namespace typinfo_detail {
template <class C, class G>
decltype(auto) CallGetter(const G& get, const TObject& obj) {
    const C& c = static_cast<const C&>(obj);
    if constexpr (std::is_invocable_v<const G&, const C&>) {
        return std::invoke(get, c);
    } else {
        return std::invoke(get, const_cast<C&>(c));
    }
}

template <class C, class G>
using GetterResult = std::remove_cvref_t<decltype(CallGetter<C>(std::declval<const G&>(), std::declval<const TObject&>()))>;

template <class C, class S, class V>
void CallSetter(const S& set, TObject& obj, V&& value) {
    C& c = static_cast<C&>(obj);
    if constexpr (std::is_member_object_pointer_v<S>) {
        std::invoke(set, c) = std::forward<V>(value);
    } else {
        std::invoke(set, c, std::forward<V>(value));
    }
}

template <class T>
struct IsSet : std::false_type {};
template <class E>
struct IsSet<TSet<E>> : std::true_type {
    using Element = E;
};

template <class F>
struct FunctionOf;
template <class C, class R, class... A>
struct FunctionOf<R (C::*)(A...)> {
    using Type = std::function<R(A...)>;
};
template <class C, class R, class... A>
struct FunctionOf<R (C::*)(A...) const> {
    using Type = std::function<R(A...)>;
};
} // namespace typinfo_detail

template <class C>
class TPublisher {
public:
    explicit TPublisher(TClassInfo& info) : FInfo(info) {}

    template <class G, class S = std::nullptr_t>
    TPublisher& Integer(std::string name, G get, S set = nullptr, int64_t def = 0) {
        using R = typinfo_detail::GetterResult<C, G>;
        static_assert(std::is_integral_v<R> && !std::is_same_v<R, bool>, "Integer needs an integer getter");
        TPropInfo& p = Ordinal<R>(std::move(name), TPropKind::Integer, get, set, def);
        p.MinValue = int64_t(std::numeric_limits<R>::min());
        p.MaxValue = std::numeric_limits<R>::max() > std::numeric_limits<int64_t>::max()
                         ? std::numeric_limits<int64_t>::max()
                         : int64_t(std::numeric_limits<R>::max());
        return *this;
    }

    template <class G, class S = std::nullptr_t>
    TPublisher& Boolean(std::string name, G get, S set = nullptr, bool def = false) {
        static_assert(std::is_same_v<typinfo_detail::GetterResult<C, G>, bool>, "Boolean needs a bool getter");
        TPropInfo& p = Ordinal<bool>(std::move(name), TPropKind::Boolean, get, set, def);
        p.MinValue = 0;
        p.MaxValue = 1;
        return *this;
    }

    template <class G, class S = std::nullptr_t, class E = typinfo_detail::GetterResult<C, G>>
    TPublisher& Enum(std::string name, G get, S set = nullptr, E def = E{}) {
        static_assert(std::is_enum_v<E>, "Enum needs an enumeration getter");
        TPropInfo& p = Ordinal<E>(std::move(name), TPropKind::Enumeration, get, set, int64_t(def));
        p.Enum = &EnumInfo<E>();
        return *this;
    }

    template <class G, class S = std::nullptr_t, class T = typinfo_detail::GetterResult<C, G>>
    TPublisher& Set(std::string name, G get, S set = nullptr, T def = T{}) {
        static_assert(typinfo_detail::IsSet<T>::value, "Set needs a TSet getter");
        auto& p = Add(std::move(name), TPropKind::Set);
        p.Enum = &EnumInfo<typename typinfo_detail::IsSet<T>::Element>();
        p.OrdDefault = int64_t(def.Bits());
        p.GetOrd = [get](const TObject& o) { return int64_t(typinfo_detail::CallGetter<C>(get, o).Bits()); };
        if constexpr (!std::is_null_pointer_v<S>) {
            p.SetOrd = [set](TObject& o, int64_t v) { typinfo_detail::CallSetter<C>(set, o, T::FromBits(uint64_t(v))); };
        }
        return *this;
    }

    template <class G, class S = std::nullptr_t>
    TPublisher& Color(std::string name, G get, S set = nullptr, TColor def = clBlack) {
        TPropInfo& p = Ordinal<TColor>(std::move(name), TPropKind::Color, get, set, def);
        p.MinValue = std::numeric_limits<TColor>::min();
        p.MaxValue = std::numeric_limits<TColor>::max();
        return *this;
    }

    template <class G, class S = std::nullptr_t>
    TPublisher& String(std::string name, G get, S set = nullptr, std::string def = {}) {
        auto& p = Add(std::move(name), TPropKind::String);
        p.StrDefault = std::move(def);
        p.GetStr = [get](const TObject& o) { return std::string(typinfo_detail::CallGetter<C>(get, o)); };
        if constexpr (!std::is_null_pointer_v<S>) {
            p.SetStr = [set](TObject& o, const std::string& v) { typinfo_detail::CallSetter<C>(set, o, v); };
        }
        return *this;
    }

    template <class G, class S = std::nullptr_t>
    TPublisher& Float(std::string name, G get, S set = nullptr, double def = 0) {
        auto& p = Add(std::move(name), TPropKind::Float);
        p.FloatDefault = def;
        p.GetFloat = [get](const TObject& o) { return double(typinfo_detail::CallGetter<C>(get, o)); };
        if constexpr (!std::is_null_pointer_v<S>) {
            using R = typinfo_detail::GetterResult<C, G>;
            p.SetFloat = [set](TObject& o, double v) { typinfo_detail::CallSetter<C>(set, o, R(v)); };
        }
        return *this;
    }

    // A reference to a component of the getter's class (a pointer), cleared by its owner's notifications.
    template <class G, class S = std::nullptr_t>
    TPublisher& Component(std::string name, G get, S set = nullptr) {
        return ObjectLike(std::move(name), TPropKind::Component, get, set);
    }
    template <class G>
    TPublisher& Collection(std::string name, G get) {
        return ObjectLike(std::move(name), TPropKind::Collection, get, nullptr);
    }
    // The setter receives the list to copy (a TStrings*).
    template <class G, class S>
    TPublisher& Strings(std::string name, G get, S set) {
        return ObjectLike(std::move(name), TPropKind::Strings, get, set);
    }
    template <class G, class S = std::nullptr_t>
    TPublisher& Persistent(std::string name, G get, S set = nullptr) {
        return ObjectLike(std::move(name), TPropKind::Persistent, get, set);
    }

    template <class G, class S>
    TPublisher& Picture(std::string name, G get, S set) {
        auto& p = Add(std::move(name), TPropKind::Picture);
        p.GetPicture = [get](const TObject& o) { return TPictureSource(typinfo_detail::CallGetter<C>(get, o)); };
        p.SetPicture = [set](TObject& o, const TPictureSource& v) { typinfo_detail::CallSetter<C>(set, o, v); };
        return *this;
    }

    // An event held in a std::function data member.
    template <class F, class B>
    TPublisher& Event(std::string name, F B::*member) {
        static_assert(std::is_base_of_v<B, C>);
        auto& p = Add(std::move(name), TPropKind::Event);
        p.EventType = typeid(F);
        p.SetEvent = [member](TObject& o, const std::any& handler) {
            static_cast<C&>(o).*member = std::any_cast<const F&>(handler);
        };
        return *this;
    }

    // An event held elsewhere (in a sub-object), stored through the setter.
    template <class F, class B>
    TPublisher& EventVia(std::string name, void (B::*set)(F)) {
        static_assert(std::is_base_of_v<B, C>);
        using H = std::remove_cvref_t<F>;
        auto& p = Add(std::move(name), TPropKind::Event);
        p.EventType = typeid(H);
        p.SetEvent = [set](TObject& o, const std::any& handler) {
            (static_cast<C&>(o).*set)(std::any_cast<const H&>(handler));
        };
        return *this;
    }

    // A method that layouts bind events to by name.
    template <class M>
    TPublisher& Method(std::string name, M method) {
        using F = typename typinfo_detail::FunctionOf<M>::Type;
        auto m = std::make_unique<TMethodInfo>();
        m->Name = std::move(name);
        m->Type = typeid(F);
        m->Bind = [method](TObject& o) -> std::any {
            C* self = &static_cast<C&>(o);
            return F([self, method](auto&&... args) { return (self->*method)(std::forward<decltype(args)>(args)...); });
        };
        FInfo.AddMethod(std::move(m));
        return *this;
    }

    // A field that holds the owned component of the same name while it exists.
    template <class T, class B>
    TPublisher& Field(std::string name, T* B::*member) {
        static_assert(std::is_base_of_v<B, C>);
        auto f = std::make_unique<TFieldInfo>();
        f->Name = std::move(name);
        f->FieldClass = &T::StaticClassInfo;
        f->Set = [member](TObject& o, TComponent* value) { static_cast<C&>(o).*member = static_cast<T*>(value); };
        FInfo.AddField(std::move(f));
        return *this;
    }

private:
    TPropInfo& Add(std::string name, TPropKind kind) {
        auto p = std::make_unique<TPropInfo>();
        p->Name = std::move(name);
        p->Kind = kind;
        p->DeclaringClass = &FInfo;
        return FInfo.AddProperty(std::move(p));
    }

    template <class V, class G, class S>
    TPropInfo& Ordinal(std::string name, TPropKind kind, const G& get, const S& set, int64_t def) {
        auto& p = Add(std::move(name), kind);
        p.OrdDefault = def;
        p.GetOrd = [get](const TObject& o) { return int64_t(typinfo_detail::CallGetter<C>(get, o)); };
        if constexpr (!std::is_null_pointer_v<S>) {
            p.SetOrd = [set](TObject& o, int64_t v) { typinfo_detail::CallSetter<C>(set, o, static_cast<V>(v)); };
        }
        return p;
    }

    template <class G, class S>
    TPublisher& ObjectLike(std::string name, TPropKind kind, const G& get, const S& set) {
        using P = typinfo_detail::GetterResult<C, G>;
        static_assert(std::is_pointer_v<P>, "an object property needs a pointer getter");
        using T = std::remove_cv_t<std::remove_pointer_t<P>>;
        auto& p = Add(std::move(name), kind);
        p.ObjectClass = &T::StaticClassInfo;
        p.GetObject = [get](const TObject& o) -> TObject* {
            return const_cast<T*>(typinfo_detail::CallGetter<C>(get, o));
        };
        if constexpr (!std::is_null_pointer_v<S>) {
            // SetObjectValue has checked the class, so the cast is exact.
            p.SetObject = [set](TObject& o, TObject* v) {
                typinfo_detail::CallSetter<C>(set, o, static_cast<T*>(v));
            };
        }
        return *this;
    }

    TClassInfo& FInfo;
};

template <class C>
void TClassInfo::Publish(TClassInfo& info) {
    if constexpr (requires(TPublisher<C>& p) { C::PublishProperties(p); }) {
        TPublisher<C> publisher(info);
        C::PublishProperties(publisher);
    }
}
