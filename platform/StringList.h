#pragma once
// Lists of text lines: TStrings (the published type of multi-line properties) and TStringList.

#include "Classes.h"

#include <QString>
#include <QStringList>

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
public:
    TStrings() = default;
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;

    int Count() const { return int(FLines.size()); }
    // Raises EListError "List index out of bounds (%d)" for a bad index.
    QString Strings(int Index) const;
    void Put(int Index, const QString& S);
    const QStringList& Lines() const { return FLines; }

    // Every line followed by CR LF.
    QString Text() const;
    // Splits at CR LF, LF or CR; a final line break adds no empty line.
    void SetText(const QString& Value);

    virtual int Add(const QString& S);
    virtual void Insert(int Index, const QString& S);
    void Delete(int Index);
    void Clear();
    void AddStrings(const QStringList& Lines);
    // Case-insensitive, as the platform's lists compare by default; -1 when absent.
    virtual int IndexOf(const QString& S) const;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    void Assign(const TPersistent* Source) override;
    void DefineProperties(QList<TDefinedProperty>& Filer) const override;

    bool Equals(const TStrings& Other) const { return FLines == Other.FLines; }

    // Fired once per change (once at the outermost EndUpdate when changes were made inside).
    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    void Changing();
    void Changed();
    QStringList FLines;

private:
    int FUpdateCount = 0;
    bool FChangedInUpdate = false;
};

class TStringList : public TStrings {
public:
    VX_PUBLISHED_CLASS
    TStringList() = default;

    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value);

    // In sorted mode Add inserts at the sorted place (after equal entries); Insert then raises
    // EListError "Operation not allowed on sorted list".
    int Add(const QString& S) override;
    void Insert(int Index, const QString& S) override;
    int IndexOf(const QString& S) const override;
    // Binary search in a sorted list; Index receives the match or the insertion place.
    bool Find(const QString& S, int& Index) const;
    void Sort();

private:
    int Compare(const QString& A, const QString& B) const;
    bool FSorted = false;
    bool FCaseSensitive = false;
    TDuplicates FDuplicates = dupIgnore;
};
