#include "FormTextWriter.h"

#include "Classes.h"
#include "ValueText.h"

#include <QStringBuilder>

#include <iterator>

namespace {

// Two blanks per level; the common depths are made once.
QString Indent(int Level)
{
    static const QString levels[] = {QString(), QString(2, ' '), QString(4, ' '), QString(6, ' '),
                                     QString(8, ' '), QString(10, ' '), QString(12, ' '), QString(14, ' ')};
    if (Level >= 0 && Level < int(std::size(levels)))
        return levels[Level];
    return QString(2 * Level, QLatin1Char(' '));
}

bool IsBooleanProperty(const TPropInfo& Prop)
{
    return Prop.EnumInfo == &BooleanTypeInfo() || Prop.TypeName.compare(QLatin1String("Boolean"), Qt::CaseInsensitive) == 0;
}

// A component that the publishing object owns and that its property can not replace (read-only):
// part of the object, written in place like a persistent sub-object. Any other component value,
// also one the object owns when the property is writable (a form's link to one of its own
// components), is a reference.
bool IsSubComponent(const TObject& Instance, const TPropInfo& Prop, const TComponent* Value)
{
    const auto* owner = dynamic_cast<const TComponent*>(&Instance);
    return Value && owner && Prop.ReadOnly && Value->Owner() == owner;
}


} // namespace

TFormTextWriter::TFormTextWriter(const TComponent* Root) : FRoot(Root) {}

void TFormTextWriter::WriteComponent(const TComponent* Component)
{
    WriteObject(Component, 0);
}

void TFormTextWriter::WriteObject(const TComponent* Component, int Level)
{
    const QString name = Component->Name();
    QString header = Indent(Level) + QStringLiteral("object ");
    if (!name.isEmpty())
        header += name + QStringLiteral(": ");
    header += Component->ClassName();
    FLines.append(header);

    std::vector<TFormProperty> properties;
    CollectProperties(*Component, QString(), properties);
    for (const TFormProperty& property : properties)
        WriteProperty(name, property, Level + 1);

    for (const TComponent* child : Children(Component))
        WriteObject(child, Level + 1);

    FLines.append(Indent(Level) + QStringLiteral("end"));
}

QList<const TComponent*> TFormTextWriter::Children(const TComponent* Component) const
{
    QList<const TComponent*> children;
    // The root form streams the components it owns that are not controls, then its controls;
    // a windowed control streams its child controls that belong to the root.
    if (Component == FRoot && Component->IsForm()) {
        for (int i = 0; i < Component->ComponentCount(); ++i) {
            const TComponent* owned = Component->Components(i);
            if (!owned->IsVisualControl())
                children.append(owned);
        }
    }
    if (Component->IsWindowedControl()) {
        for (const TComponent* control : Component->ChildControls())
            if (control->Owner() == FRoot)
                children.append(control);
    }
    return children;
}

void TFormTextWriter::CollectProperties(const TObject& Instance, const QString& Prefix,
                                        std::vector<TFormProperty>& Out) const
{
    if (const TClassInfo* info = Instance.ClassInfo())
        for (const TPropInfo& prop : info->Properties())
            CollectProperty(Instance, prop, Prefix, Out);
    if (const auto* persistent = dynamic_cast<const TPersistent*>(&Instance))
        CollectDefined(*persistent, Prefix, Out);
}

void TFormTextWriter::CollectProperty(const TObject& Instance, const TPropInfo& Prop, const QString& Prefix,
                                      std::vector<TFormProperty>& Out) const
{
    if (!Prop.IsStored(Instance))
        return;

    // The path is made only for a property that is written: most properties of a large
    // dialog's items hold their defaults, and a path is an allocation.
    TFormProperty property;
    // Without a prefix the name itself is the path (a registered name is shared, not copied).
    const auto path = [&] { return Prefix.isEmpty() ? Prop.Name : Prefix + Prop.Name; };
    TFormValue& value = property.Value;

    switch (Prop.Kind) {
    case TTypeKind::Integer: {
        if (Prop.ReadOnly)
            return;
        const qint64 v = Prop.GetOrd(Instance);
        if (Prop.Default && *Prop.Default == v)
            return;
        const QString name = Prop.NameMap ? Prop.NameMap->NameOf(v) : QString();
        if (!name.isEmpty()) {
            value.Type = vaIdent;
            value.Text = name;
        } else {
            value.Type = vaInt32;
            value.Int = v;
        }
        break;
    }
    case TTypeKind::Int64: {
        if (Prop.ReadOnly)
            return;
        const qint64 v = Prop.GetOrd(Instance);
        if (v == 0 || (Prop.Default && *Prop.Default == v))
            return;
        value.Type = vaInt64;
        value.Int = v;
        break;
    }
    case TTypeKind::Enumeration: {
        if (Prop.ReadOnly)
            return;
        const qint64 v = Prop.GetOrd(Instance);
        if (Prop.Default && *Prop.Default == v)
            return;
        if (IsBooleanProperty(Prop)) {
            value.Type = v ? vaTrue : vaFalse;
        } else if (Prop.EnumInfo && v >= 0 && v < Prop.EnumInfo->Names.size()) {
            value.Type = vaIdent;
            value.Text = Prop.EnumInfo->Names.at(int(v));
        } else {
            value.Type = vaInt32;
            value.Int = v;
        }
        break;
    }
    case TTypeKind::Set: {
        if (Prop.ReadOnly)
            return;
        const quint64 mask = quint64(Prop.GetOrd(Instance));
        if (Prop.Default && quint64(*Prop.Default) == mask)
            return;
        value.Type = vaSet;
        if (Prop.EnumInfo)
            for (int i = 0; i < Prop.EnumInfo->Names.size() && i < 64; ++i)
                if (mask & (quint64(1) << i))
                    value.List.append(Prop.EnumInfo->Names.at(i));
        break;
    }
    case TTypeKind::String: {
        if (Prop.ReadOnly)
            return;
        value.Text = Prop.GetStr(Instance);
        if (value.Text.isEmpty())
            return;
        value.Type = vaWString;
        break;
    }
    case TTypeKind::Float: {
        if (Prop.ReadOnly)
            return;
        value.Float = Prop.GetFloat(Instance);
        if (Prop.Default && value.Float == 0)
            return;
        switch (ValueText::FloatKindOf(Prop.TypeName)) {
        case ValueText::FloatKind::Extended:
            value.Type = vaExtended;
            break;
        case ValueText::FloatKind::Single:
            value.Type = vaSingle;
            break;
        case ValueText::FloatKind::Currency:
            value.Type = vaCurrency;
            break;
        case ValueText::FloatKind::Date:
            value.Type = vaDate;
            break;
        }
        break;
    }
    case TTypeKind::Event: {
        if (Prop.ReadOnly)
            return;
        const TMethodRef method = Prop.GetMethod(Instance);
        // Only named handlers of the streaming root can be restored by a reader.
        if (method.Name.isEmpty() || !FRoot || method.Data != static_cast<const TObject*>(FRoot))
            return;
        value.Type = vaIdent;
        value.Text = method.Name;
        break;
    }
    case TTypeKind::Class: {
        const TObject* object = Prop.GetObj(Instance);
        if (!object)
            return;
        const auto* component = dynamic_cast<const TComponent*>(object);
        if (component && IsSubComponent(Instance, Prop, component)) {
            CollectProperties(*component, path() + QLatin1Char('.'), Out);
            return;
        }
        if (Prop.ReadOnly)
            return;
        if (component) {
            value.Text = ValueText::ComponentReference(component, FRoot);
            if (value.Text.isEmpty())
                return;
            value.Type = vaIdent;
            break;
        }
        CollectProperties(*object, path() + QLatin1Char('.'), Out);
        if (const auto* collection = dynamic_cast<const TCollection*>(object)) {
            value.Type = vaCollection;
            value.Collection = collection;
            break;
        }
        return;
    }
    default:
        // A kind this writer cannot stream: the value keeps the type vaNull, which the text
        // conversion rejects with a read error naming the property.
        break;
    }
    property.Path = path();
    Out.push_back(std::move(property));
}

void TFormTextWriter::CollectDefined(const TPersistent& Instance, const QString& Prefix,
                                     std::vector<TFormProperty>& Out) const
{
    QList<TDefinedProperty> defined;
    Instance.DefineProperties(defined);
    for (TDefinedProperty& d : defined) {
        TFormProperty property;
        property.Path = Prefix.isEmpty() ? d.Name : Prefix + d.Name;
        if (const auto* i = std::get_if<qint64>(&d.Value)) {
            property.Value.Type = vaInt32;
            property.Value.Int = *i;
        } else if (auto* lines = std::get_if<QStringList>(&d.Value)) {
            property.Value.Type = vaList;
            property.Value.List = std::move(*lines);
        } else if (auto* bytes = std::get_if<QByteArray>(&d.Value)) {
            property.Value.Type = vaBinary;
            property.Value.Data = std::move(*bytes);
        }
        Out.push_back(std::move(property));
    }
}

void TFormTextWriter::WriteString(const QString& Head, const QString& Value, int Level, const QString& Tail)
{
    const QStringList segments = ValueText::StringSegments(Value);
    if (!ValueText::StartsOnNewLine(Value)) {
        FLines.append(Head + segments.first() + Tail);
        return;
    }
    FLines.append(Head);
    const QString indent = Indent(Level + 1);
    for (int i = 0; i < segments.size(); ++i)
        FLines.append(indent + segments.at(i) + (i + 1 < segments.size() ? QStringLiteral(" +") : Tail));
}

void TFormTextWriter::WriteProperty(const QString& ObjectName, const TFormProperty& Property, int Level)
{
    const TFormValue& value = Property.Value;
    const QString indent = Indent(Level);
    // One allocation per line: the property's head and its value are joined at once.
    const auto line = [&](const QString& text) {
        FLines.append(indent % Property.Path % QLatin1String(" = ") % text);
    };
    switch (value.Type) {
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64:
        line(QString::number(value.Int));
        return;
    case vaExtended:
    case vaDouble:
        line(ValueText::Float(value.Float, ValueText::FloatKind::Extended));
        return;
    case vaSingle:
        line(ValueText::Float(value.Float, ValueText::FloatKind::Single));
        return;
    case vaCurrency:
        line(ValueText::Float(value.Float, ValueText::FloatKind::Currency));
        return;
    case vaDate:
        line(ValueText::Float(value.Float, ValueText::FloatKind::Date));
        return;
    case vaIdent:
        line(value.Text);
        return;
    case vaFalse:
    case vaTrue:
        line(ValueText::Boolean(value.Type == vaTrue));
        return;
    case vaNil:
        line(QStringLiteral("nil"));
        return;
    case vaSet:
        line(QLatin1Char('[') + value.List.join(QStringLiteral(", ")) + QLatin1Char(']'));
        return;
    case vaString:
    case vaLString:
    case vaWString:
    case vaUTF8String:
        WriteString(indent % Property.Path % QLatin1String(" = "), value.Text, Level, QString());
        return;
    case vaList: {
        if (value.List.isEmpty()) {
            line(QStringLiteral("()"));
            return;
        }
        line(QStringLiteral("("));
        const QString itemIndent = Indent(Level + 1);
        for (int i = 0; i < value.List.size(); ++i) {
            const QString tail = i + 1 == value.List.size() ? QStringLiteral(")") : QString();
            WriteString(itemIndent, value.List.at(i), Level + 1, tail);
        }
        return;
    }
    case vaCollection: {
        const int count = value.Collection ? value.Collection->Count() : 0;
        if (count == 0) {
            line(QStringLiteral("<>"));
            return;
        }
        line(QStringLiteral("<"));
        // Every item takes a few lines; reserving once spares the list repeated moves.
        FLines.reserve(FLines.size() + qsizetype(count) * 8);
        const QString itemIndent = Indent(Level + 1);
        const QString item = itemIndent + QStringLiteral("item");
        std::vector<TFormProperty> itemProperties;
        for (int i = 0; i < count; ++i) {
            FLines.append(item);
            itemProperties.clear();
            CollectProperties(*value.Collection->Items(i), QString(), itemProperties);
            for (const TFormProperty& itemProperty : itemProperties)
                WriteProperty(ObjectName, itemProperty, Level + 2);
            FLines.append(itemIndent + (i + 1 == count ? QStringLiteral("end>") : QStringLiteral("end")));
        }
        return;
    }
    case vaBinary: {
        const QByteArray& data = value.Data;
        if (data.size() < ValueText::BinaryBytesPerLine) {
            line(ValueText::Binary(data));
            return;
        }
        line(QStringLiteral("{"));
        const QString dataIndent = Indent(Level + 1);
        for (qsizetype at = 0; at < data.size(); at += ValueText::BinaryBytesPerLine) {
            const bool last = at + ValueText::BinaryBytesPerLine >= data.size();
            FLines.append(dataIndent + ValueText::Hex(data.mid(at, ValueText::BinaryBytesPerLine))
                          + (last ? QStringLiteral("}") : QString()));
        }
        return;
    }
    case vaNull:
        break;
    }
    throw EReadError(QStringLiteral("Error reading %1%2%3: %4")
                         .arg(ObjectName, QStringLiteral("."), Property.Path, QString::number(int(value.Type))));
}

QByteArray TFormTextWriter::Text() const
{
    // The text is ASCII unless an identifier is not: the lines are copied byte by byte into one
    // buffer, with no conversion (and allocation) per line and no text of the whole in between.
    qsizetype size = 0;
    for (const QString& line : FLines)
        size += line.size() + 2;
    QByteArray bytes(size, Qt::Uninitialized);
    char* out = bytes.data();
    for (const QString& line : FLines) {
        for (const QChar c : line) {
            if (c.unicode() >= 0x80) {
                // Some identifier is not ASCII: UTF-8 with the byte order mark.
                QString text;
                text.reserve(size);
                for (const QString& l : FLines) {
                    text += l;
                    text += QLatin1String("\r\n");
                }
                return "\xEF\xBB\xBF" + text.toUtf8();
            }
            *out++ = char(c.unicode());
        }
        *out++ = '\r';
        *out++ = '\n';
    }
    return bytes;
}

QByteArray ComponentFormText(const TComponent* Component, const TComponent* Root)
{
    if (!Root)
        Root = Component->Owner() ? Component->Owner() : Component;
    TFormTextWriter writer(Root);
    writer.WriteComponent(Component);
    return writer.Text();
}

QStringList FormTextLines(const QByteArray& Text)
{
    QString text;
    if (Text.startsWith("\xEF\xBB\xBF"))
        text = QString::fromUtf8(Text.constData() + 3, Text.size() - 3);
    else
        text = QString::fromLatin1(Text);
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}
