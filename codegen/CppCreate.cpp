#include "CppCreate.h"

#include "ComponentCreate.h"
#include "Picture.h"
#include "StringList.h"
#include "SysUtils.h"
#include "TypInfo.h"

#include <QHash>
#include <QStringBuilder>

namespace {

[[noreturn]] void Fail(const QString& Line, const QString& Why)
{
    throw EConvertError(QStringLiteral("Cannot translate \"%1\" into C++: %2").arg(Line.trimmed(), Why));
}

// A value of the Pascal code: a string (quoted runs and #nnn codes, joined by +), a number, an
// identifier or a set.
struct TPascalValue {
    enum TKind { String, Number, Identifier, Set } Kind = Number;
    QString Text;         // the string's characters, the number or identifier as written
    QStringList Elements; // of a set
};

TPascalValue ParseValue(const QString& Line, QStringView Text)
{
    Text = Text.trimmed();
    TPascalValue v;
    if (Text.startsWith(QLatin1Char('[')) && Text.endsWith(QLatin1Char(']'))) {
        v.Kind = TPascalValue::Set;
        for (QStringView e : Text.mid(1, Text.size() - 2).split(QLatin1Char(','), Qt::SkipEmptyParts))
            v.Elements.append(e.trimmed().toString());
        return v;
    }
    if (!Text.isEmpty() && (Text.front() == QLatin1Char('\'') || Text.front() == QLatin1Char('#'))) {
        v.Kind = TPascalValue::String;
        qsizetype i = 0;
        while (i < Text.size()) {
            const QChar c = Text.at(i);
            if (c == QLatin1Char('\'')) {
                ++i;
                for (;;) {
                    if (i >= Text.size())
                        Fail(Line, QStringLiteral("an unterminated string"));
                    if (Text.at(i) == QLatin1Char('\'')) {
                        if (i + 1 < Text.size() && Text.at(i + 1) == QLatin1Char('\'')) {
                            v.Text += QLatin1Char('\'');
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    v.Text += Text.at(i++);
                }
            } else if (c == QLatin1Char('#')) {
                qsizetype j = i + 1;
                while (j < Text.size() && Text.at(j).isDigit())
                    ++j;
                bool ok = false;
                const uint code = Text.mid(i + 1, j - i - 1).toUInt(&ok);
                if (!ok || code > 0xFFFF)
                    Fail(Line, QStringLiteral("a bad character code"));
                v.Text += QChar(char16_t(code));
                i = j;
            } else if (c == QLatin1Char('+') || c.isSpace()) {
                ++i;
            } else {
                Fail(Line, QStringLiteral("an unexpected character in a string"));
            }
        }
        return v;
    }
    v.Text = Text.toString();
    const QChar first = v.Text.isEmpty() ? QChar() : v.Text.front();
    v.Kind = first.isDigit() || first == QLatin1Char('-') ? TPascalValue::Number : TPascalValue::Identifier;
    if (v.Kind == TPascalValue::Number) {
        // Single, currency and date values carry a type letter in the form text.
        if (v.Text.endsWith(QLatin1Char('s')) || v.Text.endsWith(QLatin1Char('c')) || v.Text.endsWith(QLatin1Char('d')))
            v.Text.chop(1);
    }
    return v;
}

// A C++ string literal of S: printable ASCII as is, everything else escaped so the file is
// ASCII and reads back the same characters on any compiler.
QString CppString(const QString& S)
{
    QString out = QStringLiteral("QStringLiteral(\"");
    for (qsizetype i = 0; i < S.size(); ++i) {
        const char16_t c = S.at(i).unicode();
        if (c == u'"' || c == u'\\') {
            out += QLatin1Char('\\') + QChar(c);
        } else if (c == u'\n') {
            out += QLatin1String("\\n");
        } else if (c == u'\r') {
            out += QLatin1String("\\r");
        } else if (c == u'\t') {
            out += QLatin1String("\\t");
        } else if (c < 0x20 || c == 0x7F) {
            // Octal: at most three digits, so a following digit is never taken in.
            out += QStringLiteral("\\%1").arg(uint(c), 3, 8, QLatin1Char('0'));
        } else if (c < 0x7F) {
            out += QChar(c);
        } else if (QChar::isHighSurrogate(c) && i + 1 < S.size() && S.at(i + 1).isLowSurrogate()) {
            out += QStringLiteral("\\U%1").arg(QChar::surrogateToUcs4(c, S.at(i + 1).unicode()), 8, 16, QLatin1Char('0'));
            ++i;
        } else if (QChar::isSurrogate(c)) {
            // A lone surrogate has no literal form; the replacement character keeps the text
            // readable.
            out += QLatin1String("\\ufffd");
        } else {
            out += QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0'));
        }
    }
    return out + QLatin1String("\")");
}

class TTranslator {
public:
    TTranslator(TComponent* Comp, const QStringList& Pascal) : FComp(Comp), FLines(Pascal) {}

    QStringList Translate();

private:
    struct TScope {
        TObject* Instance; // what paths are relative to
        QString Expr;      // the C++ expression of it
    };

    bool AtEnd() const { return FPos >= FLines.size(); }
    QString Next() { return FLines.at(FPos++); }
    // A statement with its continuation lines joined.
    QString Statement(QString First);
    void TranslateStatement(const QString& Line, const TScope& Scope, const QString& Indent);
    void TranslateWith(const QString& Line, const TScope& Scope, const QString& Indent);
    // Resolves Path below Scope to the object that holds its last segment.
    TObject* Walk(const QString& Line, const TScope& Scope, const QStringList& Segments, qsizetype Count, QString& Expr) const;
    QString Value(const QString& Line, const TPropInfo& Prop, const TPascalValue& Value) const;

    TComponent* FComp;
    QStringList FLines;
    qsizetype FPos = 0;
    QStringList FOut;
    // The with blocks seen per collection expression, for the item each stands for.
    QHash<QString, int> FItemCount;
    int FItemVariable = 0;
};

QString TTranslator::Statement(QString First)
{
    QString text = First.trimmed();
    if (text.endsWith(QLatin1String("// please assign")))
        return text;
    // A value on lines of its own ("X := " then parts ending in "+"), or an Add whose argument
    // spans lines.
    while (!text.endsWith(QLatin1Char(';')) && !AtEnd())
        text += QLatin1Char(' ') + Next().trimmed();
    return text;
}

TObject* TTranslator::Walk(const QString& Line, const TScope& Scope, const QStringList& Segments, qsizetype Count,
                           QString& Expr) const
{
    TObject* object = Scope.Instance;
    Expr = Scope.Expr;
    for (qsizetype i = 0; i < Count; ++i) {
        const TPropInfo* prop = object ? GetPropInfo(*object, Segments.at(i)) : nullptr;
        if (!prop || prop->Kind != TTypeKind::Class || !prop->GetObj)
            Fail(Line, QStringLiteral("%1 is no object property").arg(Segments.at(i)));
        object = prop->GetObj(*object);
        Expr += QLatin1String("->") % Segments.at(i) % QLatin1String("()");
    }
    if (!object)
        Fail(Line, QStringLiteral("the path leads to no object"));
    return object;
}

QString TTranslator::Value(const QString& Line, const TPropInfo& Prop, const TPascalValue& V) const
{
    switch (Prop.Kind) {
    case TTypeKind::String:
        if (V.Kind != TPascalValue::String)
            Fail(Line, QStringLiteral("a string was expected"));
        return CppString(V.Text);
    case TTypeKind::Set:
        if (V.Kind != TPascalValue::Set)
            Fail(Line, QStringLiteral("a set was expected"));
        return Prop.TypeName % QLatin1Char('{') % V.Elements.join(QLatin1String(", ")) % QLatin1Char('}');
    case TTypeKind::Enumeration:
        if (Prop.TypeName.compare(QLatin1String("Boolean"), Qt::CaseInsensitive) == 0)
            return V.Text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ? QStringLiteral("true")
                                                                                     : QStringLiteral("false");
        if (V.Kind == TPascalValue::Number)
            return QStringLiteral("static_cast<%1>(%2)").arg(Prop.TypeName, V.Text);
        return V.Text;
    case TTypeKind::Integer:
    case TTypeKind::Int64:
    case TTypeKind::Float:
        if (V.Kind == TPascalValue::String || V.Kind == TPascalValue::Set)
            Fail(Line, QStringLiteral("a number was expected"));
        // Named integers (colours, cursors) have C++ constants of the same names.
        return V.Text;
    default:
        Fail(Line, QStringLiteral("a property of this kind cannot be assigned"));
    }
}

void TTranslator::TranslateStatement(const QString& First, const TScope& Scope, const QString& Indent)
{
    const QString line = Statement(First);
    const qsizetype assign = line.indexOf(QLatin1String(" := "));
    if (line.endsWith(QLatin1String("// please assign"))) {
        // A picture: its bytes as the form text holds them.
        QString expr;
        const QStringList path = line.left(assign).split(QLatin1Char('.'));
        TObject* target = Walk(line, Scope, path, path.size(), expr);
        auto* picture = dynamic_cast<TPicture*>(target);
        if (!picture)
            Fail(line, QStringLiteral("binary data of something other than a picture"));
        const QByteArray data = picture->SaveToData();
        FOut.append(Indent % expr % QLatin1String("->LoadFromData(QByteArray::fromHex("));
        const QString hex = QString::fromLatin1(data.toHex().toUpper());
        for (qsizetype at = 0; at < hex.size(); at += 64)
            FOut.append(Indent % QLatin1String("    \"") % hex.mid(at, 64) % QLatin1Char('"'));
        FOut.last() += QLatin1String("));");
        return;
    }
    if (assign < 0) {
        // "Path.Clear;" or "Path.Add(value);" on a string list or a collection.
        const qsizetype open = line.indexOf(QLatin1Char('('));
        const QString head = open < 0 ? line.chopped(1) : line.left(open);
        QStringList path = head.split(QLatin1Char('.'));
        const QString method = path.takeLast();
        QString expr;
        Walk(line, Scope, path, path.size(), expr);
        if (method == QLatin1String("Clear") && open < 0) {
            FOut.append(Indent % expr % QLatin1String("->Clear();"));
        } else if (method == QLatin1String("Add") && open > 0 && line.endsWith(QLatin1String(");"))) {
            const TPascalValue v = ParseValue(line, QStringView(line).mid(open + 1, line.size() - open - 3));
            if (v.Kind != TPascalValue::String)
                Fail(line, QStringLiteral("a string list takes strings"));
            FOut.append(Indent % expr % QLatin1String("->Add(") % CppString(v.Text) % QLatin1String(");"));
        } else {
            Fail(line, QStringLiteral("an unknown statement"));
        }
        return;
    }
    QStringList path = line.left(assign).split(QLatin1Char('.'));
    const QString name = path.takeLast();
    QString expr;
    TObject* target = Walk(line, Scope, path, path.size(), expr);
    const TPropInfo* prop = GetPropInfo(*target, name);
    if (!prop)
        Fail(line, QStringLiteral("unknown property %1").arg(name));
    const QString valueText = line.mid(assign + 4).chopped(1);
    if (prop->Kind == TTypeKind::Event) {
        // The handler the Pascal code names, as a lambda the user fills in.
        FOut.append(Indent % expr % QLatin1String("->") % name % QLatin1String(" = ") % prop->TypeName
                    % QLatin1String("([](auto&&...) {"));
        FOut.append(Indent % QLatin1String("    // ") % valueText.trimmed());
        FOut.append(Indent % QLatin1String("});"));
        return;
    }
    if (prop->Kind == TTypeKind::Class) {
        // A reference to another component: the user knows where it lives.
        FOut.append(Indent % QLatin1String("// ") % expr % QLatin1String("->Set") % name % QLatin1Char('(')
                    % valueText.trimmed() % QLatin1String(");"));
        return;
    }
    const TPascalValue v = ParseValue(line, valueText);
    FOut.append(Indent % expr % QLatin1String("->Set") % name % QLatin1Char('(') % Value(line, *prop, v)
                % QLatin1String(");"));
}

void TTranslator::TranslateWith(const QString& Line, const TScope& Scope, const QString& Indent)
{
    // "with Path.Add do begin": one item of a collection, up to its "end;".
    const QString trimmed = Line.trimmed();
    const QString target = trimmed.mid(5, trimmed.indexOf(QLatin1String(".Add do begin")) - 5);
    QStringList path = target.split(QLatin1Char('.'));
    const QString name = path.takeLast();
    QString expr;
    TObject* owner = Walk(Line, Scope, path, path.size(), expr);
    const TPropInfo* prop = GetPropInfo(*owner, name);
    auto* collection = prop && prop->GetObj ? dynamic_cast<TCollection*>(prop->GetObj(*owner)) : nullptr;
    if (!collection)
        Fail(Line, QStringLiteral("%1 is no collection").arg(name));
    const QString collectionExpr = expr % QLatin1String("->") % name % QLatin1String("()");
    const int index = FItemCount.value(collectionExpr, 0);
    FItemCount.insert(collectionExpr, index + 1);
    if (index >= collection->Count())
        Fail(Line, QStringLiteral("more items than the collection holds"));
    TCollectionItem* item = collection->Items(index);
    const QString itemClass = item->ClassInfo() ? item->ClassInfo()->ClassName() : QString();
    if (itemClass.isEmpty())
        Fail(Line, QStringLiteral("an item of an unknown class"));
    const QString variable = QStringLiteral("item%1").arg(++FItemVariable);
    FOut.append(Indent % QLatin1Char('{'));
    const QString inner = Indent + QStringLiteral("    ");
    FOut.append(inner % QLatin1String("auto* ") % variable % QLatin1String(" = static_cast<") % itemClass
                % QLatin1String("*>(") % collectionExpr % QLatin1String("->Add());"));
    const TScope itemScope{item, variable};
    while (!AtEnd()) {
        const QString line = Next();
        const QString t = line.trimmed();
        if (t == QLatin1String("end;"))
            break;
        if (t.startsWith(QLatin1String("with ")))
            TranslateWith(line, itemScope, inner);
        else
            TranslateStatement(line, itemScope, inner);
    }
    FOut.append(Indent % QLatin1Char('}'));
}

QStringList TTranslator::Translate()
{
    const QString name = FComp->Name();
    const QString className = FComp->ClassInfo() ? FComp->ClassInfo()->ClassName() : QString();
    // Past "begin" and the creation lines.
    while (!AtEnd() && Next() != QLatin1String("begin")) {
    }
    while (!AtEnd() && FLines.at(FPos).contains(QLatin1String(".Create(")))
        ++FPos;
    const QString prefix = name + QLatin1Char('.');
    const TScope root{FComp, name};
    const QString indent = QStringLiteral("    ");
    while (!AtEnd()) {
        const QString line = Next();
        const QString t = line.trimmed();
        if (t == prefix + QLatin1String("Execute;"))
            break;
        if (t.startsWith(QLatin1String("with ")))
            TranslateWith(QStringLiteral("with ") + t.mid(5 + prefix.size()), root, indent);
        else if (t.startsWith(prefix))
            TranslateStatement(t.mid(prefix.size()), root, indent);
        else
            TranslateStatement(t, root, indent);
    }

    QStringList code;
    code << QStringLiteral("// Creates the dialog %1 as designed in Quillfen. Add this file to a project that links").arg(name)
         << QStringLiteral("// Quillfen::Dialogs; the function returns the dialog, owned by Owner as a component too.")
         << QStringLiteral("#include \"Graphics.h\"") << QStringLiteral("#include \"Picture.h\"")
         << QStringLiteral("#include \"StringList.h\"") << QStringLiteral("#include \"VxButtonOptions.h\"")
         << QStringLiteral("#include \"VxCollections.h\"") << QStringLiteral("#include \"VxDialog.h\"")
         << QStringLiteral("#include \"VxOptions.h\"") << QString() << QStringLiteral("#include <QByteArray>")
         << QStringLiteral("#include <QString>") << QString() << QStringLiteral("#include <memory>") << QString()
         << QStringLiteral("std::unique_ptr<%1> %2(TComponent* Owner);").arg(className, CppCreateFunctionName(name))
         << QString() << QStringLiteral("std::unique_ptr<%1> %2(TComponent* Owner)").arg(className, CppCreateFunctionName(name))
         << QStringLiteral("{") << QStringLiteral("    auto %1 = std::make_unique<%2>(Owner);").arg(name, className);
    code << FOut;
    code << QStringLiteral("    return %1;").arg(name) << QStringLiteral("}");
    return code;
}

} // namespace

QString CppCreateFunctionName(const QString& ComponentName)
{
    return QStringLiteral("Create") + ComponentName;
}

QStringList CppCreationCode(TComponent* Comp)
{
    TComponentCreate pascal;
    pascal.AsCode(Comp, TCCOptionSet{ccBinaryUncomment});
    QStringList lines;
    TStrings* code = pascal.Code();
    for (int i = 0; i < code->Count(); ++i)
        lines.append(code->Strings(i));
    return TTranslator(Comp, lines).Translate();
}
