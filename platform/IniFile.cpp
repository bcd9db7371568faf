#include "IniFile.h"

#include "SysUtils.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

#include <algorithm>
#include <limits>

namespace {

// One line of the file. Untouched lines are written back from Raw.
struct TLine {
    QString Raw;
    bool IsKey = false;
    bool Changed = false;
    QString Key;
    QString Value;

    QString Text() const { return Changed ? Key + u'=' + Value : Raw; }
};

struct TSection {
    bool HasHeader = false; // the lines before the first header have none
    QString Name;
    QString Header;
    QList<TLine> Lines;
};

bool SameName(const QString& A, const QString& B)
{
    return A.compare(B, Qt::CaseInsensitive) == 0;
}

// "[Name]" with optional blanks; the name is what stands between the brackets.
bool ParseHeader(const QString& Raw, QString& Name)
{
    const QString T = Raw.trimmed();
    if (!T.startsWith(u'['))
        return false;
    const qsizetype Close = T.indexOf(u']');
    if (Close < 0)
        return false;
    Name = T.mid(1, Close - 1).trimmed();
    return true;
}

TLine ParseLine(const QString& Raw)
{
    TLine Line;
    Line.Raw = Raw;
    const QString T = Raw.trimmed();
    if (T.isEmpty() || T.startsWith(u';') || T.startsWith(u'#'))
        return Line;
    const qsizetype Eq = Raw.indexOf(u'=');
    if (Eq < 0)
        return Line;
    Line.Key = Raw.left(Eq).trimmed();
    if (Line.Key.isEmpty())
        return Line;
    Line.Value = Raw.mid(Eq + 1).trimmed();
    Line.IsKey = true;
    return Line;
}

bool ParseInteger(const QString& Text, int& Value)
{
    QString T = Text.trimmed();
    bool Negative = false;
    if (T.startsWith(u'-') || T.startsWith(u'+')) {
        Negative = T.startsWith(u'-');
        T.remove(0, 1);
    }
    int Base = 10;
    if (T.startsWith(u'$')) {
        Base = 16;
        T.remove(0, 1);
    } else if (T.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        Base = 16;
        T.remove(0, 2);
    }
    if (T.isEmpty() || T.startsWith(u'-') || T.startsWith(u'+'))
        return false;
    bool Ok = false;
    const qlonglong N = T.toLongLong(&Ok, Base);
    if (!Ok)
        return false;
    const qlonglong Signed = Negative ? -N : N;
    // Hexadecimal notation may spell a negative number as its 32-bit pattern ($FFFFFFFF = -1).
    if (Base == 16 && !Negative && N <= 0xFFFFFFFFLL) {
        Value = int(quint32(N));
        return true;
    }
    if (Signed < std::numeric_limits<int>::min() || Signed > std::numeric_limits<int>::max())
        return false;
    Value = int(Signed);
    return true;
}

bool HasLineBreak(const QString& S)
{
    return S.contains(u'\r') || S.contains(u'\n');
}

} // namespace

struct TIniFile::TData {
    QString FileName;
    bool ByteOrderMark = false;
    QList<TSection> Sections;

    const TSection* Find(const QString& Name) const
    {
        for (const TSection& S : Sections)
            if (S.HasHeader && SameName(S.Name, Name))
                return &S;
        return nullptr;
    }
    TSection* Find(const QString& Name) { return const_cast<TSection*>(std::as_const(*this).Find(Name)); }

    static const TLine* FindKey(const TSection& S, const QString& Ident)
    {
        for (const TLine& L : S.Lines)
            if (L.IsKey && SameName(L.Key, Ident))
                return &L;
        return nullptr;
    }
};

TIniFile::TIniFile(const QString& FileName) : D(std::make_unique<TData>())
{
    D->FileName = FileName;
    D->Sections.append(TSection{});

    QFile File(FileName);
    if (!File.exists())
        return;
    if (!QFileInfo(FileName).isFile() || !File.open(QIODevice::ReadOnly))
        throw EInOutError(QStringLiteral("Cannot read the file \"%1\": %2").arg(FileName, File.errorString()));
    QByteArray Bytes = File.readAll();
    File.close();

    if (Bytes.startsWith("\xEF\xBB\xBF")) {
        D->ByteOrderMark = true;
        Bytes.remove(0, 3);
    }
    const QString Text = QString::fromUtf8(Bytes);
    qsizetype Start = 0;
    while (Start < Text.size()) {
        qsizetype End = Start;
        while (End < Text.size() && Text.at(End) != u'\r' && Text.at(End) != u'\n')
            ++End;
        const QString Raw = Text.mid(Start, End - Start);
        QString Name;
        if (ParseHeader(Raw, Name)) {
            TSection S;
            S.HasHeader = true;
            S.Name = Name;
            S.Header = Raw;
            D->Sections.append(std::move(S));
        } else {
            D->Sections.last().Lines.append(ParseLine(Raw));
        }
        if (End < Text.size() && Text.at(End) == u'\r' && End + 1 < Text.size() && Text.at(End + 1) == u'\n')
            ++End;
        Start = End + 1;
    }
}

TIniFile::~TIniFile() = default;

const QString& TIniFile::FileName() const
{
    return D->FileName;
}

QString TIniFile::ReadString(const QString& Section, const QString& Ident, const QString& Default) const
{
    if (const TSection* S = D->Find(Section))
        if (const TLine* L = TData::FindKey(*S, Ident))
            return L->Value;
    return Default;
}

int TIniFile::ReadInteger(const QString& Section, const QString& Ident, int Default) const
{
    int Value = 0;
    return ParseInteger(ReadString(Section, Ident, QString()), Value) ? Value : Default;
}

bool TIniFile::ReadBool(const QString& Section, const QString& Ident, bool Default) const
{
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TIniFile::WriteString(const QString& Section, const QString& Ident, const QString& Value)
{
    const QString SectionName = Section.trimmed();
    const QString Key = Ident.trimmed();
    if (SectionName.isEmpty() || HasLineBreak(SectionName) || SectionName.contains(u']'))
        throw EInOutError(QStringLiteral("Invalid INI section name \"%1\"").arg(Section));
    if (Key.isEmpty() || HasLineBreak(Key) || Key.contains(u'=') || Key.startsWith(u'[') || Key.startsWith(u';')
        || Key.startsWith(u'#'))
        throw EInOutError(QStringLiteral("Invalid INI key name \"%1\"").arg(Ident));
    if (HasLineBreak(Value))
        throw EInOutError(QStringLiteral("The value of the INI key \"%1\" contains a line break").arg(Ident));

    TSection* S = D->Find(SectionName);
    if (!S) {
        TSection New;
        New.HasHeader = true;
        New.Name = SectionName;
        New.Header = u'[' + SectionName + u']';
        D->Sections.append(std::move(New));
        S = &D->Sections.last();
    }
    qsizetype LastKey = -1;
    for (qsizetype I = 0; I < S->Lines.size(); ++I) {
        TLine& L = S->Lines[I];
        if (!L.IsKey)
            continue;
        if (SameName(L.Key, Key)) {
            if (L.Value != Value) {
                L.Value = Value;
                L.Changed = true;
            }
            return;
        }
        LastKey = I;
    }
    TLine Line;
    Line.IsKey = true;
    Line.Changed = true;
    Line.Key = Key;
    Line.Value = Value;
    S->Lines.insert(LastKey + 1, Line);
}

void TIniFile::WriteInteger(const QString& Section, const QString& Ident, int Value)
{
    WriteString(Section, Ident, QString::number(Value));
}

void TIniFile::WriteBool(const QString& Section, const QString& Ident, bool Value)
{
    WriteString(Section, Ident, Value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TIniFile::SectionExists(const QString& Section) const
{
    return D->Find(Section) != nullptr;
}

bool TIniFile::ValueExists(const QString& Section, const QString& Ident) const
{
    const TSection* S = D->Find(Section);
    return S && TData::FindKey(*S, Ident);
}

// Each name once, as first written; names that differ only in case are one name. The seen set
// keeps this linear for files with many thousands of names.
static void AppendFirstOccurrence(QStringList& Names, QSet<QString>& Seen, const QString& Name)
{
    if (!Seen.contains(Name.toCaseFolded())) {
        Seen.insert(Name.toCaseFolded());
        Names.append(Name);
    }
}

QStringList TIniFile::ReadSection(const QString& Section) const
{
    QStringList Keys;
    QSet<QString> Seen;
    if (const TSection* S = D->Find(Section))
        for (const TLine& L : S->Lines)
            if (L.IsKey)
                AppendFirstOccurrence(Keys, Seen, L.Key);
    return Keys;
}

QStringList TIniFile::ReadSections() const
{
    QStringList Names;
    QSet<QString> Seen;
    for (const TSection& S : D->Sections)
        if (S.HasHeader)
            AppendFirstOccurrence(Names, Seen, S.Name);
    return Names;
}

void TIniFile::EraseSection(const QString& Section)
{
    D->Sections.removeIf([&](const TSection& S) { return S.HasHeader && SameName(S.Name, Section); });
}

void TIniFile::DeleteKey(const QString& Section, const QString& Ident)
{
    if (TSection* S = D->Find(Section))
        S->Lines.removeIf([&](const TLine& L) { return L.IsKey && SameName(L.Key, Ident); });
}

void TIniFile::UpdateFile()
{
    QString Text;
    for (const TSection& S : std::as_const(D->Sections)) {
        if (S.HasHeader)
            Text += S.Header + QLatin1String("\r\n");
        for (const TLine& L : S.Lines)
            Text += L.Text() + QLatin1String("\r\n");
    }
    QByteArray Bytes = Text.toUtf8();
    if (D->ByteOrderMark)
        Bytes.prepend("\xEF\xBB\xBF");

    QSaveFile File(D->FileName);
    if (!File.open(QIODevice::WriteOnly) || File.write(Bytes) != Bytes.size() || !File.commit()) {
        const QString Reason = File.errorString();
        File.cancelWriting();
        throw EInOutError(QStringLiteral("Cannot write the file \"%1\": %2").arg(D->FileName, Reason));
    }
}
