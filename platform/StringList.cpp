#include "StringList.h"

#include <algorithm>

namespace {

[[noreturn]] void IndexError(int Index)
{
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

[[noreturn]] void SortedListError()
{
    throw EListError(QStringLiteral("Operation not allowed on sorted list"));
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TStrings

void TStrings::CheckIndex(int Index, int Limit) const
{
    if (Index < 0 || Index >= Limit)
        IndexError(Index);
}

QString TStrings::Strings(int Index) const
{
    CheckIndex(Index, Count());
    return FLines.at(Index);
}

void TStrings::Put(int Index, const QString& S)
{
    CheckIndex(Index, Count());
    if (FLines.at(Index) == S)
        return;
    Changing();
    FLines[Index] = S;
    Changed();
}

QString TStrings::Text() const
{
    QString text;
    for (const QString& line : FLines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return text;
}

void TStrings::SetText(const QString& Value)
{
    QStringList lines;
    int start = 0;
    const int length = int(Value.size());
    for (int i = 0; i < length; ++i) {
        const QChar c = Value.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(Value.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < length && Value.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < length)
        lines.append(Value.mid(start));
    ReplaceLines(lines);
}

int TStrings::Add(const QString& S)
{
    const int index = Count();
    Insert(index, S);
    return index;
}

void TStrings::Insert(int Index, const QString& S)
{
    CheckIndex(Index, Count() + 1);
    Changing();
    FLines.insert(Index, S);
    Changed();
}

void TStrings::Delete(int Index)
{
    CheckIndex(Index, Count());
    Changing();
    FLines.removeAt(Index);
    Changed();
}

void TStrings::Clear()
{
    if (FLines.isEmpty())
        return;
    Changing();
    FLines.clear();
    Changed();
}

void TStrings::AddStrings(const QStringList& Lines)
{
    BeginUpdate();
    try {
        for (const QString& line : Lines)
            Add(line);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

int TStrings::IndexOf(const QString& S) const
{
    for (int i = 0; i < Count(); ++i)
        if (FLines.at(i).compare(S, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void TStrings::BeginUpdate()
{
    ++FUpdateCount;
}

void TStrings::EndUpdate()
{
    if (FUpdateCount == 0)
        return;
    if (--FUpdateCount == 0 && FChangedInUpdate) {
        FChangedInUpdate = false;
        OnChange(this);
    }
}

void TStrings::Changing()
{
    if (FUpdateCount == 0) {
        OnChanging(this);
    } else if (!FChangedInUpdate) {
        FChangedInUpdate = true;
        OnChanging(this);
    }
}

void TStrings::Changed()
{
    if (FUpdateCount == 0)
        OnChange(this);
}

void TStrings::ReplaceLines(const QStringList& Lines)
{
    if (Lines == FLines)
        return;
    BeginUpdate();
    try {
        Clear();
        for (const QString& line : Lines)
            Add(line);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Assign(const TPersistent* Source)
{
    if (const auto* other = dynamic_cast<const TStrings*>(Source)) {
        if (other != this)
            ReplaceLines(other->FLines);
        return;
    }
    TPersistent::Assign(Source);
}

void TStrings::DefineProperties(QList<TDefinedProperty>& Filer) const
{
    TPersistent::DefineProperties(Filer);
    if (!FLines.isEmpty())
        Filer.append({QStringLiteral("Strings"), FLines});
}

void TStrings::DefinedPropertyKinds(QList<TDefinedProperty>& Filer) const
{
    TPersistent::DefinedPropertyKinds(Filer);
    Filer.append({QStringLiteral("Strings"), QStringList()});
}

void TStrings::ReadDefinedProperty(const TDefinedProperty& Property)
{
    const auto* lines = std::get_if<QStringList>(&Property.Value);
    if (lines && Property.Name == QLatin1String("Strings"))
        ReplaceLines(*lines);
    else
        TPersistent::ReadDefinedProperty(Property);
}

// ---------------------------------------------------------------------------------------------
// TStringList

const TClassInfo& TStringList::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TStringList>(QStringLiteral("TStringList"), nullptr).Build();
    return info;
}

int TStringList::Compare(const QString& A, const QString& B) const
{
    return A.compare(B, FCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

bool TStringList::Find(const QString& S, int& Index) const
{
    // Lower bound: the first entry that is not less than S.
    int low = 0;
    int high = Count();
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (Compare(FLines.at(mid), S) < 0)
            low = mid + 1;
        else
            high = mid;
    }
    Index = low;
    return low < Count() && Compare(FLines.at(low), S) == 0;
}

int TStringList::Add(const QString& S)
{
    if (!FSorted)
        return TStrings::Add(S);
    int index = 0;
    if (Find(S, index)) {
        switch (FDuplicates) {
        case dupIgnore:
            return index;
        case dupError:
            throw EListError(QStringLiteral("String list does not allow duplicates"));
        case dupAccept:
            while (index < Count() && Compare(FLines.at(index), S) == 0)
                ++index;
            break;
        }
    }
    TStrings::Insert(index, S);
    return index;
}

void TStringList::Insert(int Index, const QString& S)
{
    if (FSorted)
        SortedListError();
    TStrings::Insert(Index, S);
}

void TStringList::Put(int Index, const QString& S)
{
    if (FSorted)
        SortedListError();
    TStrings::Put(Index, S);
}

int TStringList::IndexOf(const QString& S) const
{
    if (FSorted) {
        int index = 0;
        return Find(S, index) ? index : -1;
    }
    const Qt::CaseSensitivity cs = FCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (int i = 0; i < Count(); ++i)
        if (FLines.at(i).compare(S, cs) == 0)
            return i;
    return -1;
}

void TStringList::Sort()
{
    QStringList sorted = FLines;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [this](const QString& a, const QString& b) { return Compare(a, b) < 0; });
    if (sorted == FLines)
        return;
    Changing();
    FLines = std::move(sorted);
    Changed();
}

void TStringList::SetSorted(bool Value)
{
    if (FSorted == Value)
        return;
    if (Value)
        Sort();
    FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value)
{
    if (FCaseSensitive == Value)
        return;
    FCaseSensitive = Value;
    if (FSorted)
        Sort();
}
