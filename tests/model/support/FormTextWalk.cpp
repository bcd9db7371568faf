#include "FormTextWalk.h"

namespace {

bool IsDefault(const TPropInfo& p, const TObject& o)
{
    switch (p.Kind) {
    case TTypeKind::Integer:
    case TTypeKind::Enumeration:
    case TTypeKind::Set:
        return p.Default && p.GetOrd(o) == *p.Default;
    case TTypeKind::Int64:
        return p.GetOrd(o) == 0;
    case TTypeKind::Float:
        return p.Default && p.GetFloat(o) == 0.0;
    case TTypeKind::String:
        return p.GetStr(o).isEmpty();
    case TTypeKind::Event:
    case TTypeKind::Class:
        return false;
    }
    return false;
}

} // namespace

QStringList WrittenPaths(const TObject& Object, const TObject& Root, const QString& Prefix)
{
    QStringList paths;
    const TClassInfo* info = Object.ClassInfo();
    if (info) {
        for (const TPropInfo& p : info->Properties()) {
            if (!p.IsStored(Object))
                continue;
            const QString path = Prefix + p.Name;
            if (p.Kind == TTypeKind::Class) {
                TObject* value = p.GetObj(Object);
                if (!value)
                    continue;
                if (auto* component = dynamic_cast<TComponent*>(value)) {
                    if (!p.ReadOnly && !component->Name().isEmpty())
                        paths << path;
                    continue;
                }
                if (p.ReadOnly)
                    continue;
                paths << WrittenPaths(*value, Root, path + QLatin1Char('.'));
                if (auto* collection = dynamic_cast<TCollection*>(value)) {
                    paths << path;
                    for (int i = 0; i < collection->Count(); ++i)
                        paths << WrittenPaths(*collection->Items(i), Root, path + QStringLiteral("[%1].").arg(i));
                }
                continue;
            }
            if (p.ReadOnly)
                continue;
            if (p.Kind == TTypeKind::Event) {
                const TMethodRef m = p.GetMethod(Object);
                if (m.Data == &Root && !m.Name.isEmpty())
                    paths << path;
                continue;
            }
            if (!IsDefault(p, Object))
                paths << path;
        }
    }
    if (auto* persistent = dynamic_cast<const TPersistent*>(&Object)) {
        QList<TDefinedProperty> defined;
        persistent->DefineProperties(defined);
        for (const TDefinedProperty& d : defined)
            paths << Prefix + d.Name;
    }
    return paths;
}
