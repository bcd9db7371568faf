#include "TypInfo.h"

QString TIntNameMap::NameOf(qint64 Value) const
{
    for (const auto& [value, name] : Entries)
        if (value == Value)
            return name;
    return {};
}

std::optional<qint64> TIntNameMap::ValueOf(const QString& Name) const
{
    for (const auto& [value, name] : Entries)
        if (name.compare(Name, Qt::CaseInsensitive) == 0)
            return value;
    return std::nullopt;
}

const TEnumInfo& BooleanTypeInfo()
{
    static const TEnumInfo info{QStringLiteral("Boolean"), {QStringLiteral("False"), QStringLiteral("True")}};
    return info;
}

void OrdinalTypeRange(const QString& TypeName, qint64& Min, qint64& Max)
{
    static const struct {
        const char* Name;
        qint64 Min;
        qint64 Max;
    } types[] = {{"Byte", 0, 255},           {"ShortInt", -128, 127},        {"SmallInt", -32768, 32767},
                 {"Word", 0, 65535},         {"Cardinal", 0, 4294967295LL},  {"LongWord", 0, 4294967295LL},
                 {"DWORD", 0, 4294967295LL}, {"TFontCharset", 0, 255}};
    for (const auto& type : types)
        if (TypeName.compare(QLatin1String(type.Name), Qt::CaseInsensitive) == 0) {
            Min = type.Min;
            Max = type.Max;
            return;
        }
    Min = -2147483648LL;
    Max = 2147483647LL;
}

bool TPropInfo::IsStored(const TObject& Instance) const
{
    switch (Stored) {
    case StoredKind::Always:
        return true;
    case StoredKind::Never:
        return false;
    case StoredKind::Predicate:
        return StoredPredicate(Instance);
    }
    return true;
}

TClassInfo::TClassInfo(QString ClassName, const TClassInfo* Parent, std::vector<TPropInfo> OwnProperties)
    : FClassName(std::move(ClassName)), FParent(Parent), FOwn(std::move(OwnProperties))
{
}

const std::vector<TPropInfo>& TClassInfo::Properties() const
{
    // Built on first use: parents are function-local statics and may not exist yet at our
    // construction. Class infos are created once and read-only afterwards.
    if (!FAllBuilt) {
        std::vector<TPropInfo> all = FParent ? FParent->Properties() : std::vector<TPropInfo>{};
        for (const TPropInfo& p : FOwn) {
            auto it = std::find_if(all.begin(), all.end(), [&](const TPropInfo& q) { return q.Name == p.Name; });
            if (it != all.end())
                *it = p; // redeclared: inherited place, descendant's declaration
            else
                all.push_back(p);
        }
        FAll = std::move(all);
        FAllBuilt = true;
    }
    return FAll;
}

const TPropInfo* TClassInfo::FindProperty(const QString& Name) const
{
    for (const TPropInfo& p : Properties())
        if (p.Name == Name)
            return &p;
    return nullptr;
}

bool TClassInfo::InheritsFrom(const TClassInfo& Other) const
{
    for (const TClassInfo* c = this; c; c = c->FParent)
        if (c == &Other)
            return true;
    return false;
}

const TPropInfo* GetPropInfo(const TObject& Instance, const QString& Name)
{
    const TClassInfo* info = Instance.ClassInfo();
    return info ? info->FindProperty(Name) : nullptr;
}

QString PropertyTypeName(const TObject& Instance, const QString& Path)
{
    const TClassInfo* cls = Instance.ClassInfo();
    const QStringList parts = Path.split(QLatin1Char('.'));
    const TPropInfo* prop = nullptr;
    for (const QString& part : parts) {
        if (!cls)
            return {};
        prop = cls->FindProperty(part);
        if (!prop)
            return {};
        cls = prop->PropertyClass();
    }
    return prop ? prop->TypeName : QString();
}
