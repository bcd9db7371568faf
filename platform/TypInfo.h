#pragma once
/// Published-property reflection: each class lists its published properties in declaration order,
/// next to the class, through TClassBuilder. The form-text writer walks exactly this. \file

#include "Classes.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <limits>
#include <optional>
#include <vector>

enum class TTypeKind { Integer, Enumeration, Set, String, Class, Event, Float, Int64 };

/// Names of an enumeration's values by ordinal (also the element names of a set type).
struct TEnumInfo {
    QString TypeName;
    QStringList Names;
};

/// A registered table mapping integer values to identifiers (TColor, TFontCharset).
struct TIntNameMap {
    QString TypeName;
    std::vector<std::pair<qint64, QString>> Entries;
    /// First entry with Value, or an empty string.
    QString NameOf(qint64 Value) const;
    std::optional<qint64> ValueOf(const QString& Name) const; ///< case-insensitive
};

const TEnumInfo& BooleanTypeInfo();

/// The range of the platform's integer types by name (Byte, Word, Cardinal, TFontCharset, ...);
/// Integer's range for any other name.
void OrdinalTypeRange(const QString& TypeName, qint64& Min, qint64& Max);

struct TPropInfo {
    enum class StoredKind { Always, Never, Predicate };

    QString Name;
    TTypeKind Kind = TTypeKind::Integer;
    QString TypeName;
    bool HasSetter = false;
    /// No write access at all (not even stored directly into a field): the form text leaves it
    /// out unless it holds a sub-component, and generated code never assigns it. Properties
    /// without a setter method are still written and assigned.
    bool ReadOnly = false;
    std::optional<qint64> Default;        ///< ordinal kinds; for floats any value marks "declared"
    StoredKind Stored = StoredKind::Always;
    std::function<bool(const TObject&)> StoredPredicate;
    const TEnumInfo* EnumInfo = nullptr;   ///< enumeration values, or a set's element names
    const TIntNameMap* NameMap = nullptr;  ///< integer types with a name table
    const TClassInfo* (*PropClass)() = nullptr; ///< class-typed: the declared class

    std::function<qint64(const TObject&)> GetOrd;     ///< Integer, Enumeration, Set, Int64
    std::function<void(TObject&, qint64)> SetOrd;
    std::function<QString(const TObject&)> GetStr;    ///< String
    std::function<void(TObject&, const QString&)> SetStr;
    std::function<double(const TObject&)> GetFloat;   ///< Float
    std::function<void(TObject&, double)> SetFloat;
    std::function<TObject*(const TObject&)> GetObj;   ///< Class
    std::function<void(TObject&, TObject*)> SetObj;
    std::function<TMethodRef(const TObject&)> GetMethod; ///< Event
    /// A form reader restores a handler by name only: the event then names the method (so it is
    /// written again) but runs no code; an empty name clears the event.
    std::function<void(TObject&, const TMethodRef&)> SetMethod;
    /// Integer kinds: the values the type holds (from the type name, or declared by Range()).
    qint64 MinValue = -2147483648LL;
    qint64 MaxValue = 2147483647LL;

    bool IsStored(const TObject& Instance) const;
    const TClassInfo* PropertyClass() const { return PropClass ? PropClass() : nullptr; }
};

class TClassInfo {
public:
    TClassInfo(QString ClassName, const TClassInfo* Parent, std::vector<TPropInfo> OwnProperties);

    const QString& ClassName() const { return FClassName; }
    const TClassInfo* Parent() const { return FParent; }
    const std::vector<TPropInfo>& OwnProperties() const { return FOwn; }
    /// Streaming order: inherited first, each class's own in declaration order; a redeclared
    /// property keeps the inherited place with the descendant's declaration.
    const std::vector<TPropInfo>& Properties() const;
    /// Exact, case-sensitive lookup in Properties(); nullptr when absent.
    const TPropInfo* FindProperty(const QString& Name) const;
    bool InheritsFrom(const TClassInfo& Other) const;

private:
    QString FClassName;
    const TClassInfo* FParent;
    std::vector<TPropInfo> FOwn;
    mutable std::vector<TPropInfo> FAll;
    mutable bool FAllBuilt = false;
};

/// Builds a class's property list with member-function getters and setters:
///   static const TClassInfo info = TClassBuilder<TFoo>("TFoo", &TBar::StaticClassInfo())
///       .Integer("Width", &TFoo::Width, &TFoo::SetWidth, 0)
///       .Enum("Kind", &TFoo::Kind, &TFoo::SetKind, kindInfo, kA)
///       .Stored([](const TFoo& f) { return f.Width() > 0; })
///       .Build();
/// A null setter means the property is stored directly without one.
template <typename C>
class TClassBuilder {
public:
    TClassBuilder(QString ClassName, const TClassInfo* Parent)
        : FName(std::move(ClassName)), FParent(Parent) {}

    template <typename G, typename S>
    TClassBuilder& Integer(const QString& Name, G Get, S Set, std::optional<qint64> Default = std::nullopt,
                           const QString& TypeName = QStringLiteral("Integer"), const TIntNameMap* Map = nullptr)
    {
        TPropInfo p = Base(Name, TTypeKind::Integer, TypeName);
        p.Default = Default;
        p.NameMap = Map;
        p.GetOrd = [Get](const TObject& o) { return qint64((Self(o).*Get)()); };
        SetOrdinal(p, Set);
        return Push(std::move(p));
    }
    template <typename G, typename S>
    TClassBuilder& Int64(const QString& Name, G Get, S Set, const QString& TypeName = QStringLiteral("Int64"))
    {
        TPropInfo p = Base(Name, TTypeKind::Int64, TypeName);
        p.Default = 0;
        p.GetOrd = [Get](const TObject& o) { return qint64((Self(o).*Get)()); };
        SetOrdinal(p, Set);
        return Push(std::move(p));
    }
    template <typename G, typename S>
    TClassBuilder& Boolean(const QString& Name, G Get, S Set, std::optional<bool> Default)
    {
        TPropInfo p = Base(Name, TTypeKind::Enumeration, QStringLiteral("Boolean"));
        p.EnumInfo = &BooleanTypeInfo();
        if (Default)
            p.Default = *Default ? 1 : 0;
        p.GetOrd = [Get](const TObject& o) { return qint64((Self(o).*Get)() ? 1 : 0); };
        if constexpr (!std::is_same_v<S, std::nullptr_t>)
            p.SetOrd = [Set](TObject& o, qint64 v) { (Self(o).*Set)(v != 0); };
        p.HasSetter = !std::is_same_v<S, std::nullptr_t>;
        return Push(std::move(p));
    }
    template <typename G, typename S, typename E>
    TClassBuilder& Enum(const QString& Name, G Get, S Set, const TEnumInfo& Info, std::optional<E> Default)
    {
        TPropInfo p = Base(Name, TTypeKind::Enumeration, Info.TypeName);
        p.EnumInfo = &Info;
        if (Default)
            p.Default = qint64(*Default);
        p.GetOrd = [Get](const TObject& o) { return qint64((Self(o).*Get)()); };
        using V = std::remove_cvref_t<decltype((std::declval<const C&>().*Get)())>;
        if constexpr (!std::is_same_v<S, std::nullptr_t>)
            p.SetOrd = [Set](TObject& o, qint64 v) { (Self(o).*Set)(static_cast<V>(v)); };
        p.HasSetter = !std::is_same_v<S, std::nullptr_t>;
        return Push(std::move(p));
    }
    /// Set-typed property: the getter returns a TSet (or anything with Mask()).
    template <typename G, typename S>
    TClassBuilder& Set(const QString& Name, G Get, S Setter, const QString& TypeName, const TEnumInfo& Elements,
                       std::optional<quint64> DefaultMask)
    {
        TPropInfo p = Base(Name, TTypeKind::Set, TypeName);
        p.EnumInfo = &Elements;
        if (DefaultMask)
            p.Default = qint64(*DefaultMask);
        p.GetOrd = [Get](const TObject& o) { return qint64((Self(o).*Get)().Mask()); };
        using V = std::remove_cvref_t<decltype((std::declval<const C&>().*Get)())>;
        if constexpr (!std::is_same_v<S, std::nullptr_t>)
            p.SetOrd = [Setter](TObject& o, qint64 v) { (Self(o).*Setter)(V::FromMask(quint64(v))); };
        p.HasSetter = !std::is_same_v<S, std::nullptr_t>;
        return Push(std::move(p));
    }
    template <typename G, typename S>
    TClassBuilder& String(const QString& Name, G Get, S Set, const QString& TypeName = QStringLiteral("string"))
    {
        TPropInfo p = Base(Name, TTypeKind::String, TypeName);
        p.GetStr = [Get](const TObject& o) { return QString((Self(o).*Get)()); };
        if constexpr (!std::is_same_v<S, std::nullptr_t>)
            p.SetStr = [Set](TObject& o, const QString& v) { (Self(o).*Set)(v); };
        p.HasSetter = !std::is_same_v<S, std::nullptr_t>;
        return Push(std::move(p));
    }
    template <typename G, typename S>
    TClassBuilder& Float(const QString& Name, G Get, S Set, bool DeclaresDefault,
                         const QString& TypeName = QStringLiteral("Double"))
    {
        TPropInfo p = Base(Name, TTypeKind::Float, TypeName);
        if (DeclaresDefault)
            p.Default = 0;
        p.GetFloat = [Get](const TObject& o) { return double((Self(o).*Get)()); };
        if constexpr (!std::is_same_v<S, std::nullptr_t>)
            p.SetFloat = [Set](TObject& o, double v) { (Self(o).*Set)(v); };
        p.HasSetter = !std::is_same_v<S, std::nullptr_t>;
        return Push(std::move(p));
    }
    /// Class-typed property. The getter returns a pointer to T (an owned sub-object or a
    /// component reference); the setter takes a pointer to T (copy or reference assignment).
    template <typename T, typename G, typename S>
    TClassBuilder& Object(const QString& Name, G Get, S Set, const QString& TypeName)
    {
        TPropInfo p = Base(Name, TTypeKind::Class, TypeName);
        p.PropClass = []() -> const TClassInfo* {
            if constexpr (requires { T::StaticClassInfo(); })
                return &T::StaticClassInfo();
            else
                return nullptr;
        };
        p.GetObj = [Get](const TObject& o) -> TObject* {
            return const_cast<std::remove_const_t<T>*>(static_cast<const T*>((Self(o).*Get)()));
        };
        if constexpr (!std::is_same_v<S, std::nullptr_t>)
            p.SetObj = [Set](TObject& o, TObject* v) { (Self(o).*Set)(dynamic_cast<T*>(v)); };
        p.HasSetter = !std::is_same_v<S, std::nullptr_t>;
        return Push(std::move(p));
    }
    /// Event property: Field is the TEvent member; events are always assignable.
    template <typename F>
    TClassBuilder& Event(const QString& Name, F Field, const QString& TypeName)
    {
        TPropInfo p = Base(Name, TTypeKind::Event, TypeName);
        p.GetMethod = [Field](const TObject& o) { return (Self(o).*Field).Method(); };
        p.SetMethod = [Field](TObject& o, const TMethodRef& m) {
            using E = std::remove_cvref_t<decltype(Self(o).*Field)>;
            Self(o).*Field = m.Name.isEmpty() ? E() : E(typename E::Function(), m.Data, m.Name);
        };
        p.HasSetter = true;
        return Push(std::move(p));
    }

    /// Stored rule of the property added last.
    TClassBuilder& Stored(std::function<bool(const C&)> Predicate)
    {
        FProps.back().Stored = TPropInfo::StoredKind::Predicate;
        FProps.back().StoredPredicate = [Predicate](const TObject& o) { return Predicate(Self(o)); };
        return *this;
    }
    TClassBuilder& NeverStored()
    {
        FProps.back().Stored = TPropInfo::StoredKind::Never;
        return *this;
    }
    /// Declares the range of values of the integer property added last (a subrange type).
    TClassBuilder& Range(qint64 Min, qint64 Max)
    {
        FProps.back().MinValue = Min;
        FProps.back().MaxValue = Max;
        return *this;
    }
    /// Declares that the property added last has no setter even though a getter pair was given.
    TClassBuilder& NoSetter()
    {
        FProps.back().HasSetter = false;
        return *this;
    }
    /// Declares the property added last read-only (see TPropInfo::ReadOnly).
    TClassBuilder& ReadOnly()
    {
        FProps.back().HasSetter = false;
        FProps.back().ReadOnly = true;
        return *this;
    }

    TClassInfo Build() { return TClassInfo(FName, FParent, std::move(FProps)); }

private:
    static const C& Self(const TObject& o) { return static_cast<const C&>(o); }
    static C& Self(TObject& o) { return static_cast<C&>(o); }
    static TPropInfo Base(const QString& Name, TTypeKind Kind, const QString& TypeName)
    {
        TPropInfo p;
        p.Name = Name;
        p.Kind = Kind;
        p.TypeName = TypeName;
        if (Kind == TTypeKind::Integer)
            OrdinalTypeRange(TypeName, p.MinValue, p.MaxValue);
        else if (Kind == TTypeKind::Int64) {
            p.MinValue = std::numeric_limits<qint64>::min();
            p.MaxValue = std::numeric_limits<qint64>::max();
        }
        return p;
    }
    template <typename S>
    static void SetOrdinal(TPropInfo& p, S Set)
    {
        if constexpr (!std::is_same_v<S, std::nullptr_t>) {
            p.SetOrd = [Set](TObject& o, qint64 v) { (Self(o).*Set)(v); };
            p.HasSetter = true;
        }
    }
    TClassBuilder& Push(TPropInfo p)
    {
        FProps.push_back(std::move(p));
        return *this;
    }

    QString FName;
    const TClassInfo* FParent;
    std::vector<TPropInfo> FProps;
};

/// Declares the reflection hooks of a published class; define StaticClassInfo() in the .cpp.
#define VX_PUBLISHED_CLASS                                                  \
public:                                                                     \
    static const TClassInfo& StaticClassInfo();                             \
    const TClassInfo* ClassInfo() const override { return &StaticClassInfo(); }

/// Published-property helpers the code generator and tests use.
const TPropInfo* GetPropInfo(const TObject& Instance, const QString& Name);
/// Follows a dotted path ("Font.Name") through class-typed properties' declared classes; returns
/// the type name of the last property, or an empty string when a step fails.
QString PropertyTypeName(const TObject& Instance, const QString& Path);
