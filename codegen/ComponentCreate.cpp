#include "ComponentCreate.h"

#include "FormTextWriter.h"
#include "StringList.h"
#include "SysUtils.h"
#include "TypInfo.h"

#include <QHash>
#include <QStringBuilder>

#include <algorithm>

namespace {

// List statements carry a key ("{0000000001}") right after the list property so that sorting
// keeps a list's Clear first and its Adds in item order; the keys are removed afterwards. Ten
// digits hold every item index, so lists of any length keep their order.
constexpr int KeyDigits = 10;

QString Key(int Index)
{
    return QLatin1Char('{') + QStringLiteral("%1").arg(Index, KeyDigits, 10, QLatin1Char('0')) + QLatin1Char('}');
}

// Removes the key of a list statement. Only a key that follows the property path counts: a "{"
// inside a quoted value or after ":=" belongs to the value.
QString RemoveKey(const QString& Line)
{
    const qsizetype open = Line.indexOf(QLatin1Char('{'));
    if (open <= 0 || Line.at(open - 1) != QLatin1Char('.'))
        return Line;
    const QStringView head = QStringView(Line).left(open);
    if (head.contains(QLatin1Char('\'')) || head.contains(QLatin1String(":=")))
        return Line;
    const qsizetype close = Line.indexOf(QLatin1Char('}'), open);
    if (close < 0)
        return Line;
    for (qsizetype i = open + 1; i < close; ++i)
        if (!Line.at(i).isDigit())
            return Line;
    return Line.left(open) + Line.mid(close + 1);
}

bool IsBlankOrControl(QChar c)
{
    return c.unicode() <= 32;
}

QStringView TrimRight(QStringView S)
{
    qsizetype end = S.size();
    while (end > 0 && IsBlankOrControl(S.at(end - 1)))
        --end;
    return S.left(end);
}

QStringView TrimLeft(QStringView S)
{
    qsizetype begin = 0;
    while (begin < S.size() && IsBlankOrControl(S.at(begin)))
        ++begin;
    return S.mid(begin);
}

QStringView TrimBoth(QStringView S)
{
    return TrimLeft(TrimRight(S));
}

// Splits a property line at its first "=".
bool SplitProperty(QStringView Line, QStringView& Prop, QStringView& Value)
{
    const qsizetype at = Line.indexOf(QLatin1Char('='));
    if (at < 0)
        return false;
    Prop = TrimRight(Line.left(at));
    Value = TrimLeft(Line.mid(at + 1));
    return true;
}

// Single, currency and date values carry a type letter in the form text that Pascal source does
// not read; the number alone is the value.
QStringView CodeValue(QStringView Value)
{
    const qsizetype n = Value.size();
    if (n < 2)
        return Value;
    const QChar last = Value.at(n - 1);
    if (last != QLatin1Char('s') && last != QLatin1Char('c') && last != QLatin1Char('d'))
        return Value;
    const QChar first = Value.at(0);
    if (!first.isDigit() && !(first == QLatin1Char('-') && Value.at(1).isDigit()))
        return Value;
    for (qsizetype i = 1; i < n - 1; ++i) {
        const QChar c = Value.at(i);
        if (!c.isDigit() && c != QLatin1Char('.') && c != QLatin1Char('e') && c != QLatin1Char('E')
            && c != QLatin1Char('+') && c != QLatin1Char('-'))
            return Value;
    }
    return Value.left(n - 1);
}

// Property statements are kept with the two blanks that the try block adds in front of them
// already, so the assembled code shares their text; a fragment without try removes them again.
// The extra blanks are common to every statement and do not change the sort order.
const QLatin1String TryIndent("  ");

// The blanks in front of a statement's first line, two more for the lines that continue it.
QString ContinuationIndent(const QString& Lead)
{
    qsizetype blanks = 0;
    while (blanks < Lead.size() && Lead.at(blanks) == QLatin1Char(' '))
        ++blanks;
    return QString(blanks + 2, QLatin1Char(' '));
}

// The generator's result lists: their whole content is replaced at once.
class TResultList : public TStringList {
public:
    void SetLines(const QStringList& Lines)
    {
        Changing();
        FLines = Lines;
        Changed();
    }
};

void SetResult(TStringList& List, const QStringList& Lines)
{
    static_cast<TResultList&>(List).SetLines(Lines);
}

} // namespace

TComponentCreate::TComponentCreate()
    : FCodeList(std::make_unique<TResultList>()), FDFMList(std::make_unique<TResultList>())
{
    FHaveFormSelected = false;
}

TComponentCreate::~TComponentCreate() = default;

void TComponentCreate::AsCode(TComponent* Comp, TCCOptionSet Options)
{
    FOptions = Options;
    FComponentName = Comp->Name();
    ProcessComponent(Comp);
    FIsDirty = true;
}

void TComponentCreate::AsDFM(TComponent* Comp, TCCOptionSet Options)
{
    FOptions = Options;
    ProcessComponent(Comp);
    FIsDirty = true;
}

TStrings* TComponentCreate::Code()
{
    if (FIsDirty)
        ComposeCode();
    return FCodeList.get();
}

TStrings* TComponentCreate::DFM() const
{
    return FDFMList.get();
}

bool TComponentCreate::IsAssignableProperty(const TObject* Comp, const QString& Name)
{
    if (!Comp || Name.trimmed().isEmpty())
        return false;
    const TPropInfo* prop = GetPropInfo(*Comp, Name);
    return prop && !prop->ReadOnly;
}

void TComponentCreate::ProcessComponent(TComponent* Comp)
{
    if (Comp->Owner()) {
        FForm = Comp->Owner()->Name();
    } else {
        FHaveFormSelected = true;
        FForm = Comp->Name();
    }
    WalkComponent(Comp);
}

void TComponentCreate::WalkComponent(TComponent* Comp)
{
    QStringList done;
    StreamComponent(Comp, done);
    if (Comp->IsWindowedControl())
        for (TComponent* child : Comp->ChildControls())
            if (!done.contains(child->Name()))
                WalkComponent(child);
}

void TComponentCreate::StreamComponent(TComponent* Comp, QStringList& Done)
{
    const TComponent* root = Comp->Owner() ? Comp->Owner() : Comp;

    // The writer's lines are what loading its text gives back (byte order mark and line ends
    // stripped), so they are taken over directly.
    TFormTextWriter writer(root);
    writer.WriteComponent(Comp);
    TranslateFormText(Comp, writer.Lines(), Done);
}

void TComponentCreate::AsCodeFromFormText(TComponent* Comp, const QStringList& FormText, TCCOptionSet Options)
{
    FOptions = Options;
    FComponentName = Comp->Name();
    if (Comp->Owner()) {
        FForm = Comp->Owner()->Name();
    } else {
        FHaveFormSelected = true;
        FForm = Comp->Name();
    }
    QStringList done;
    TranslateFormText(Comp, FormText, done);
    FIsDirty = true;
}

void TComponentCreate::TranslateFormText(TComponent* Comp, const QStringList& FormText, QStringList& Done)
{
    struct Release {
        TComponentCreate* Self;
        ~Release()
        {
            Self->FCompDefList.reset();
            Self->FCurrent = nullptr;
            Self->FDepth = 0;
        }
    } release{this};

    FCompDefList = std::make_unique<QStringList>(FormText);
    FCurrent = Comp;
    if (FOptions.Contains(ccDFMOnly))
        SetResult(*FDFMList, *FCompDefList);
    if (FOptions.Contains(ccIncludeObjectText)) {
        for (const QString& line : std::as_const(*FCompDefList))
            FObjList.append(QStringLiteral("//") + line);
        FObjList.append(QString());
    }
    // About one statement line per form-text line: growing the lists step by step would move
    // them again and again.
    FImplList.Lines.reserve(FImplList.Lines.size() + FCompDefList->size());
    FImplList.Continues.reserve(FImplList.Continues.size() + size_t(FCompDefList->size()));
    FInpPos = 0;
    while (!AtEnd()) {
        ReadLine();
        if (FULn.startsWith(QLatin1String("OBJECT ")))
            ProcessObject(Comp, Done, FImplList);
    }
}

const TComponent* TComponentCreate::FindInstance(const QString& Name) const
{
    if (!FCurrent)
        return nullptr;
    const TComponent* root = FCurrent->Owner() ? FCurrent->Owner() : FCurrent;
    if (const TComponent* found = root->FindComponent(Name))
        return found;
    if (const TComponent* found = FCurrent->FindComponent(Name))
        return found;
    return FCurrent;
}

void TComponentCreate::ProcessObject(TComponent* Comp, QStringList& Done, TStatements& Impl, const TComponent* Instance)
{
    const DepthGuard guard(this);
    const TComponent* instance = Instance ? Instance : Comp;
    FLn = FLn.mid(7);
    const qsizetype colon = FLn.indexOf(QLatin1Char(':'));
    if (colon < 0) {
        // An object without a name cannot be declared; its block is passed over as a whole.
        SkipObjectBlock();
        return;
    }
    const QString name = TrimRight(FLn.left(colon)).toString();
    const QString className = TrimLeft(FLn.mid(colon + 1)).toString();

    FDeclList.append(QStringLiteral("  %1: %2;").arg(name, className));
    const QString owner = FHaveFormSelected && Comp->Name().compare(FForm, Qt::CaseInsensitive) != 0
                              ? FForm
                              : QStringLiteral("nil");
    FDeleList.prepend(QStringLiteral("  %1.Free;").arg(name));
    FCreaList.append(QStringLiteral("  %1 := %2.Create(%3);").arg(name, className, owner));

    QString parent;
    if (instance->IsVisualControl() && instance->ParentControl()) {
        const TComponent* p = instance->ParentControl();
        parent = p->IsForm() && !FHaveFormSelected ? QStringLiteral("Self") : p->Name();
    }
    const QString lead = TryIndent % QLatin1String("  ") % name % QLatin1Char('.');
    Impl.Add(lead + QStringLiteral("Name := '%1';").arg(name));
    if (instance->IsVisualControl() && !parent.isEmpty())
        Impl.Add(lead + QStringLiteral("Parent := %1;").arg(parent));

    TStatements local;
    while (!AtEnd()) {
        ReadLine();
        if (FULn == QLatin1String("END"))
            break;
        if (FULn.startsWith(QLatin1String("OBJECT "))) {
            const QStringView rest = FLn.mid(7);
            const qsizetype at = rest.indexOf(QLatin1Char(':'));
            if (at < 0) {
                SkipObjectBlock();
                continue;
            }
            const QString nested = TrimRight(rest.left(at)).toString();
            Done.append(nested);
            ProcessObject(Comp, Done, local, FindInstance(nested));
            continue;
        }
        QStringView prop;
        QStringView value;
        if (!SplitProperty(FLn, prop, value))
            continue;
        const qsizetype dot = value.indexOf(QLatin1Char('.'));
        if (dot > 0 && value.left(dot).compare(FForm, Qt::CaseInsensitive) == 0)
            value = value.mid(dot + 1);

        if (value.startsWith(QLatin1Char('{'))) {
            SkipBinaryValue(prop, value, Impl, false);
        } else if (value == QLatin1String("(")) {
            TranslateStringList(prop, lead, Impl, false);
        } else if (value == QLatin1String("()")) {
            const qsizetype last = prop.lastIndexOf(QLatin1Char('.'));
            if (last > 0)
                Impl.Add(lead % prop.left(last) % QLatin1Char('.') % Key(0) % QLatin1String("Clear;"));
        } else if (value == QLatin1String("<")) {
            TranslateCollection(prop, name % QLatin1Char('.') % prop, TryIndent % QLatin1String("  "), instance, Impl,
                                false);
        } else if (value == QLatin1String("<>")) {
            Impl.Add(lead % prop % QLatin1String(".Clear;"));
        } else if (value.isEmpty()) {
            TranslateContinuedValue(prop, lead, Impl, false);
        } else {
            if (prop == QLatin1String("Top") || prop == QLatin1String("Left")) {
                // The designer position of a component without published Left/Top has no
                // statement.
                if (PropertyTypeName(*instance, prop.toString()).isEmpty())
                    continue;
            } else {
                if (instance->IsForm() && prop == QLatin1String("TextHeight"))
                    continue;
                if (!prop.contains(QLatin1Char('.')) && !IsAssignableProperty(instance, prop.toString()))
                    continue;
            }
            Impl.Add(lead % prop % QLatin1String(" := ") % CodeValue(value) % QLatin1Char(';'));
        }
    }
    AppendLines(Impl, local);
}

TComponentCreate::DepthGuard::DepthGuard(TComponentCreate* Self) : FSelf(Self)
{
    // Objects and collections are translated recursively; text nested deeper than any form
    // holds would otherwise exhaust the stack.
    if (++FSelf->FDepth > MaxNesting) {
        --FSelf->FDepth;
        throw EReadError(QStringLiteral("Form text line %1: objects and collections nested more than %2 levels deep")
                             .arg(FSelf->FInpPos)
                             .arg(MaxNesting));
    }
}

void TComponentCreate::SkipObjectBlock()
{
    int depth = 1;
    while (!AtEnd() && depth > 0) {
        ReadLine();
        if (FULn.startsWith(QLatin1String("OBJECT ")) || FULn == QLatin1String("ITEM"))
            ++depth;
        else if (FULn == QLatin1String("END") || FULn == QLatin1String("END>"))
            --depth;
    }
}

void TComponentCreate::SkipBinaryValue(QStringView Prop, QStringView Value, TStatements& Impl, bool InItem)
{
    if (FOptions.Contains(ccBinaryComment) || FOptions.Contains(ccBinaryUncomment)) {
        QStringView target = Prop;
        const qsizetype dot = target.lastIndexOf(QLatin1Char('.'));
        if (dot >= 0)
            target = target.left(dot);
        if (FOptions.Contains(ccBinaryComment))
            Impl.Add(TryIndent % QLatin1String("//  ") % target % QLatin1String(" := // please assign"), InItem);
        else
            Impl.Add(TryIndent % QLatin1String("    ") % target % QLatin1String(" := // please assign"), InItem);
    }
    // Data shorter than one line stands on the property line itself.
    if (Value.endsWith(QLatin1Char('}')))
        return;
    while (!AtEnd()) {
        ReadLine();
        if (FLn.endsWith(QLatin1Char('}')))
            break;
    }
}

void TComponentCreate::TranslateStringList(QStringView Prop, const QString& Lead, TStatements& Impl, bool InItem)
{
    const qsizetype dot = Prop.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) {
        // Nothing to address the lines through: they are passed over.
        while (!AtEnd()) {
            ReadLine();
            if (FLn.endsWith(QLatin1Char(')')))
                break;
        }
        return;
    }
    const QStringView list = Prop.left(dot);
    const QString continuation = ContinuationIndent(Lead);
    int index = 1;
    bool finished = false;
    Impl.Add(Lead % list % QLatin1Char('.') % Key(0) % QLatin1String("Clear;"), InItem);
    while (!AtEnd() && !finished) {
        ReadLine();
        const QString addHead = Lead % list % QLatin1Char('.') % Key(index) % QLatin1String("Add(");
        if (FLn.isEmpty()) {
            // An item longer than one segment: a line with blanks only, then its parts, each but
            // the last ending with " +". It becomes one Add whose argument spans the parts.
            Impl.Add(addHead, InItem);
            while (!AtEnd()) {
                ReadLine();
                QStringView part = FLn;
                if (part.endsWith(QLatin1String(" +"))) {
                    Impl.Add(continuation % part, true);
                    continue;
                }
                if (part.endsWith(QLatin1Char(')'))) {
                    part.chop(1);
                    finished = true;
                }
                Impl.Add(continuation % part % QLatin1String(");"), true);
                break;
            }
        } else {
            QStringView item = FLn;
            if (item.endsWith(QLatin1Char(')'))) {
                item.chop(1);
                finished = true;
            }
            Impl.Add(addHead % item % QLatin1String(");"), InItem);
        }
        ++index;
    }
}

void TComponentCreate::TranslateCollection(QStringView Prop, const QString& Target, const QString& Indent,
                                           const TComponent* Instance, TStatements& Impl, bool InItem)
{
    const DepthGuard guard(this);
    const QString itemLead = Indent + QStringLiteral("  ");
    bool finished = false;
    while (!AtEnd() && !finished) {
        ReadLine();
        if (FULn != QLatin1String("ITEM"))
            continue;
        Impl.Add(Indent % QLatin1String("with ") % Target % QLatin1String(".Add do begin "), InItem);
        while (!AtEnd()) {
            ReadLine();
            if (FULn == QLatin1String("END") || FULn == QLatin1String("END>")) {
                Impl.Add(Indent % QLatin1String("end;"), true);
                if (FLn.endsWith(QLatin1Char('>')))
                    finished = true;
                break;
            }
            QStringView prop;
            QStringView value;
            if (!SplitProperty(FLn, prop, value))
                continue;
            if (prop == QLatin1String("WidthType") && Instance) {
                QString type = PropertyTypeName(*Instance, Prop.toString());
                if (type.endsWith(QLatin1Char('s')))
                    type.chop(1);
                if (type == QLatin1String("TListColumn"))
                    continue;
            }
            if (value.startsWith(QLatin1Char('{'))) {
                SkipBinaryValue(prop, value, Impl, true);
            } else if (value == QLatin1String("(")) {
                TranslateStringList(prop, itemLead, Impl, true);
            } else if (value == QLatin1String("()")) {
                const qsizetype last = prop.lastIndexOf(QLatin1Char('.'));
                if (last > 0)
                    Impl.Add(itemLead % prop.left(last) % QLatin1String(".Clear;"), true);
            } else if (value == QLatin1String("<")) {
                TranslateCollection(prop, prop.toString(), itemLead, nullptr, Impl, true);
            } else if (value == QLatin1String("<>")) {
                Impl.Add(itemLead % prop % QLatin1String(".Clear;"), true);
            } else if (value.isEmpty()) {
                TranslateContinuedValue(prop, itemLead, Impl, true);
            } else {
                Impl.Add(itemLead % prop % QLatin1String(" := ") % CodeValue(value) % QLatin1Char(';'), true);
            }
        }
    }
}

void TComponentCreate::TranslateContinuedValue(QStringView Prop, const QString& Lead, TStatements& Impl, bool InItem)
{
    const QString continuation = ContinuationIndent(Lead);
    Impl.Add(Lead % Prop % QLatin1String(" := "), InItem);
    while (!AtEnd()) {
        ReadLine();
        const bool last = !FLn.endsWith(QLatin1Char('+'));
        Impl.Add(last ? QString(continuation % FLn % QLatin1Char(';')) : QString(continuation % FLn), true);
        if (last)
            break;
    }
}

void TComponentCreate::ReadLine()
{
    FLn = TrimBoth(FCompDefList->at(FInpPos));
    // The keyword tests (OBJECT, END, END>, ITEM) look at no more than seven characters, and a
    // longer line can only match "OBJECT ".
    // The buffer is reused from line to line.
    const qsizetype length = FLn.size() <= 7 || FLn.startsWith(QLatin1Char('o'), Qt::CaseInsensitive)
                                 ? std::min<qsizetype>(FLn.size(), 7)
                                 : 0;
    FULn.resize(length);
    for (qsizetype i = 0; i < length; ++i)
        FULn[i] = FLn.at(i).toUpper();
    ++FInpPos;
}

bool TComponentCreate::AtEnd() const
{
    return !FCompDefList || FInpPos >= FCompDefList->size();
}

void TComponentCreate::AppendLines(TStatements& Dest, const TStatements& Src)
{
    Dest.Append(Src);
}

void TComponentCreate::ComposeCode()
{
    // Without the finally part a try would have no partner, so the fragment has no try either.
    const bool useFree = FOptions.Contains(ccUseFree);

    // Sort the statements as units by their first lines; equal first lines keep their order.
    // Units are grouped by first line first (the items of a collection share one), so the sort
    // compares each distinct text once instead of every unit.
    const QStringList& lines = FImplList.Lines;
    QHash<QString, int> groupOf;
    std::vector<std::vector<std::pair<qsizetype, qsizetype>>> groups; // units: first line, count
    for (qsizetype i = 0, end = 0; i < lines.size(); i = end) {
        end = i + 1;
        while (end < lines.size() && FImplList.Continues[size_t(end)])
            ++end;
        const auto found = groupOf.constFind(lines.at(i));
        int group;
        if (found == groupOf.cend()) {
            group = int(groups.size());
            groupOf.insert(lines.at(i), group);
            groups.emplace_back();
        } else {
            group = found.value();
        }
        groups[size_t(group)].push_back({i, end - i});
    }
    std::vector<int> order(groups.size());
    for (size_t g = 0; g < order.size(); ++g)
        order[g] = int(g);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        return lines.at(groups[size_t(a)].front().first) < lines.at(groups[size_t(b)].front().first);
    });

    QStringList code;
    code.reserve(FObjList.size() + FDeclList.size() + FCreaList.size() + lines.size() + FDeleList.size() + 8);
    code.append(FObjList);
    code.append(QStringLiteral("var"));
    code.append(FDeclList);
    code.append(QStringLiteral("begin"));
    code.append(FCreaList);
    if (useFree)
        code.append(QStringLiteral("  try"));
    for (int g : order)
        for (const auto& [first, count] : groups[size_t(g)])
            for (qsizetype i = first; i < first + count; ++i)
                code.append(useFree ? RemoveKey(lines.at(i)) : RemoveKey(lines.at(i)).mid(TryIndent.size()));
    code.append((useFree ? QLatin1String("    ") : QLatin1String("  ")) % FComponentName % QLatin1String(".Execute;"));
    if (useFree) {
        code.append(QStringLiteral("  finally"));
        for (const QString& line : std::as_const(FDeleList))
            code.append(TryIndent % line);
        code.append(QStringLiteral("  end"));
    }
    code.append(QStringLiteral("end;"));

    SetResult(*FCodeList, code);
    FIsDirty = false;
}
