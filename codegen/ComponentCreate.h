#pragma once
/// Turns a live component into Object Pascal creation code and into its form text. The code is
/// translated line by line from the form text, so every value in it is written exactly as the form
/// text writes it. \file

#include "Classes.h"
#include "Sets.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <memory>
#include <vector>

class TStrings;
class TStringList;

enum TCCOptions {
    ccBinaryRemove,      ///< binary values are dropped unless one of the next two is given
    ccBinaryComment,     ///< a binary value gives a commented placeholder (wins over the next)
    ccBinaryUncomment,   ///< a binary value gives an uncommented placeholder
    ccIncludeObjectText, ///< the form text goes in front of the code as comment lines
    ccUseWith,           ///< kept for callers; no effect
    ccUseFree,           ///< the objects are freed in a finally part
    ccDFMOnly            ///< the form text is kept for DFM()
};
using TCCOptionSet = TSet<TCCOptions>;

using TComponentName = QString;

class TComponentCreate : public TObject {
public:
    TComponentCreate();
    ~TComponentCreate() override;
    TComponentCreate(const TComponentCreate&) = delete;
    TComponentCreate& operator=(const TComponentCreate&) = delete;

    /// Both add to what earlier calls produced: the lists are never cleared.
    void AsCode(TComponent* Comp, TCCOptionSet Options);
    void AsDFM(TComponent* Comp, TCCOptionSet Options);

    /// Translates FormText as the form text of Comp, as AsCode does with the text Comp writes
    /// itself; Comp supplies the names and property types the translation looks up. Objects and
    /// collections nested more than MaxNesting levels deep raise EReadError.
    void AsCodeFromFormText(TComponent* Comp, const QStringList& FormText, TCCOptionSet Options);

    static constexpr int MaxNesting = 256;

    /// The assembled code fragment; assembled again only after new input.
    TStrings* Code();
    /// The form text of the last call with ccDFMOnly; empty otherwise.
    TStrings* DFM() const;

    /// True when Comp exists, Name is not blank and Comp's class publishes a property Name that
    /// code can assign.
    static bool IsAssignableProperty(const TObject* Comp, const QString& Name);

protected:
    /// Property statements. A statement may span several lines (a with block, a continued
    /// value); it sorts as one unit by its first line.
    struct TStatements {
        QStringList Lines;
        std::vector<bool> Continues; ///< line i belongs to the statement of line i - 1
        void Add(const QString& Line, bool Continuation = false)
        {
            Lines.append(Line);
            Continues.push_back(Continuation);
        }
        void Append(const TStatements& Other)
        {
            Lines.append(Other.Lines);
            Continues.insert(Continues.end(), Other.Continues.begin(), Other.Continues.end());
        }
    };

    void ProcessComponent(TComponent* Comp);
    void WalkComponent(TComponent* Comp);
    void StreamComponent(TComponent* Comp, QStringList& Done);
    void TranslateFormText(TComponent* Comp, const QStringList& FormText, QStringList& Done);
    /// Translates the object block whose header is the current line. Instance is the component
    /// the block describes (a nested block's own component); nullptr stands for Comp.
    void ProcessObject(TComponent* Comp, QStringList& Done, TStatements& Impl, const TComponent* Instance = nullptr);

    /// Value handlers. Lead is what stands in front of the property path in a statement: the
    /// indentation, the object name and a full stop for the component's own properties, or the
    /// indentation inside a collection item's with block (InItem).
    void SkipBinaryValue(QStringView Prop, QStringView Value, TStatements& Impl, bool InItem);
    void TranslateStringList(QStringView Prop, const QString& Lead, TStatements& Impl, bool InItem);
    void TranslateCollection(QStringView Prop, const QString& Target, const QString& Indent,
                             const TComponent* Instance, TStatements& Impl, bool InItem);
    void TranslateContinuedValue(QStringView Prop, const QString& Lead, TStatements& Impl, bool InItem);

    /// Form-text cursor.
    void ReadLine();
    bool AtEnd() const;

    static void AppendLines(TStatements& Dest, const TStatements& Src);

private:
    void SkipObjectBlock();
    const TComponent* FindInstance(const QString& Name) const;
    void ComposeCode();

    QStringList FObjList;
    QStringList FDeclList;
    QStringList FCreaList;
    QStringList FDeleList;
    TStatements FImplList;
    std::unique_ptr<TStringList> FCodeList;
    /// The form text being translated; exists only while one component is processed.
    std::unique_ptr<QStringList> FCompDefList;
    int FInpPos = 0;
    int FDepth = 0;
    struct DepthGuard {
        explicit DepthGuard(TComponentCreate* Self);
        ~DepthGuard() { --FSelf->FDepth; }
        DepthGuard(const DepthGuard&) = delete;
        DepthGuard& operator=(const DepthGuard&) = delete;
        TComponentCreate* FSelf;
    };
    /// The current line, trimmed; it points into FCompDefList.
    QStringView FLn;
    /// FLn's first seven characters in upper case (platform conversion, not limited to ASCII), for
    /// the lines that can hold a keyword (up to seven characters, or starting with "o"); empty
    /// otherwise.
    QString FULn;
    bool FIsDirty = false;
    QString FForm;
    TCCOptionSet FOptions;
    bool FHaveFormSelected = false;
    std::unique_ptr<TStringList> FDFMList;
    TComponentName FComponentName;
    /// The component whose form text is being translated.
    TComponent* FCurrent = nullptr;
};
