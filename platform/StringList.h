#pragma once
/// Lists of text lines: TStrings (the published type of multi-line properties) and TStringList. \file

#include "Classes.h"
#include "TypInfo.h"

#include <QString>
#include <QStringList>

enum TDuplicates { dupIgnore, dupAccept, dupError };

/// An ordered list of lines with change notification. Every change fires OnChanging before and
/// OnChange after it; between BeginUpdate and the outermost EndUpdate the pair fires once, and
/// only when something changed.
class TStrings : public TPersistent {
public:
    TStrings() = default;
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;

    int Count() const { return int(FLines.size()); }
    /// Raises EListError "List index out of bounds (%d)" for a bad index.
    QString Strings(int Index) const;
    virtual void Put(int Index, const QString& S);
    const QStringList& Lines() const { return FLines; }

    /// Every line followed by CR LF.
    QString Text() const;
    /// Splits at CR LF, LF or CR; a final line break adds no empty line. Setting the lines the
    /// list already holds changes nothing.
    void SetText(const QString& Value);

    virtual int Add(const QString& S);
    virtual void Insert(int Index, const QString& S);
    void Delete(int Index);
    void Clear();
    void AddStrings(const QStringList& Lines);
    /// Case-insensitive, as the platform's lists compare by default; -1 when absent.
    virtual int IndexOf(const QString& S) const;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    /// Copies the lines of another TStrings; any other source raises the conversion error.
    void Assign(const TPersistent* Source) override;
    /// "Strings": the lines, when there are any.
    void DefineProperties(QList<TDefinedProperty>& Filer) const override;
    void DefinedPropertyKinds(QList<TDefinedProperty>& Filer) const override;
    /// "Strings" replaces the lines.
    void ReadDefinedProperty(const TDefinedProperty& Property) override;

    bool Equals(const TStrings& Other) const { return FLines == Other.FLines; }

    /// Fired once per change (once at the outermost EndUpdate when changes were made inside).
    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    void Changing();
    void Changed();
    /// Replaces the whole content through Clear and Add, as one change; nothing when equal.
    void ReplaceLines(const QStringList& Lines);
    void CheckIndex(int Index, int Limit) const;
    QStringList FLines;

private:
    int FUpdateCount = 0;
    bool FChangedInUpdate = false;
};

/// A TStrings that can keep its lines sorted.
class TStringList : public TStrings {
    VX_PUBLISHED_CLASS
public:
    TStringList() = default;

    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value);

    /// In sorted mode Add inserts at the sorted place (after equal entries); an equal entry is
    /// kept once with dupIgnore (its index is returned) and raises EListError with dupError.
    /// Insert and Put then raise EListError "Operation not allowed on sorted list".
    int Add(const QString& S) override;
    void Insert(int Index, const QString& S) override;
    void Put(int Index, const QString& S) override;
    int IndexOf(const QString& S) const override;
    /// Binary search in a sorted list; Index receives the first match or the insertion place.
    bool Find(const QString& S, int& Index) const;
    void Sort();

private:
    int Compare(const QString& A, const QString& B) const;
    bool FSorted = false;
    bool FCaseSensitive = false;
    TDuplicates FDuplicates = dupIgnore;
};
