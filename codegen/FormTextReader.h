#pragma once
/// Reads form text back into components: the inverse of TFormTextWriter, driven by the same
/// published-property reflection. Reading is two steps: ParseFormText turns the text into a tree
/// of object blocks (syntax only, with explicit limits on size and depth), TFormTextReader sets the
/// properties of a component from one block. Every failure names its line and column. \file

#include "SysUtils.h"
#include "TypInfo.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <memory>
#include <span>
#include <vector>

class TCollection;
class TComponent;
class TPersistent;

/// A place in the text: 1-based line and column (columns count UTF-16 code units).
struct TFormTextPosition {
    int Line = 0;
    int Column = 0;
};

/// Form text that cannot be read. Message() is "line L, column C: what went wrong".
class EFormTextError : public EReadError {
public:
    EFormTextError(TFormTextPosition Position, const QString& What);
    QString ClassName() const override { return QStringLiteral("EFormTextError"); }
    int Line() const { return FPosition.Line; }
    int Column() const { return FPosition.Column; }
    TFormTextPosition Position() const { return FPosition; }
    /// The message without the place.
    const QString& What() const { return FWhat; }

private:
    TFormTextPosition FPosition;
    QString FWhat;
};

/// Bounds that keep hostile text from taking unbounded time or memory. Reading stops with an
/// error at the first value that passes one.
struct TFormTextLimits {
    qsizetype MaxTextBytes = qsizetype(32) << 20;
    /// Object blocks, collections and lists inside each other.
    int MaxDepth = 128;
    qsizetype MaxBinaryBytes = qsizetype(16) << 20;
    /// UTF-16 code units of one string value.
    qsizetype MaxStringLength = qsizetype(1) << 22;
    /// Characters of one number.
    int MaxNumberLength = 64;
    /// Values, set elements, list items and properties in the whole text: each takes a node of
    /// the tree, so this bounds its memory (under 100 bytes a node) apart from the text itself.
    qsizetype MaxNodes = 1000000;
};

struct TFormTextItem;
struct TFormTextProperty;
/// Where the nodes of a document live (defined with the parser): nodes are kept in a few large
/// blocks rather than one allocation each, and the children of a container lie side by side.
/// Reading a large text so touches little memory beyond the text itself.
struct TFormTextStorage;

/// One value as written. Which members count depends on Kind.
struct TFormTextValue {
    enum TKind : quint8 { Integer, Float, String, Identifier, Set, List, Collection, Binary };
    TKind Kind = Integer;
    char FloatType = 0; ///< 0, or the type letter 's', 'c' or 'd'
    quint32 Count = 0;  ///< of elements (Set, List) or items (Collection)
    TFormTextPosition Position;
    union {
        qint64 Int = 0;                     ///< Integer
        double Real;                        ///< Float
        const TFormTextValue* FirstElement; ///< Set, List
        const TFormTextItem* FirstItem;     ///< Collection
        const QByteArray* Data;             ///< Binary
    };
    /// A string or an identifier: part of the document's text, or (a string written in pieces)
    /// of the document's storage. The reader copies what it keeps.
    QStringView Text;

    /// The elements of a set, the items of a list.
    std::span<const TFormTextValue> Elements() const;
    /// The items of a collection.
    std::span<const TFormTextItem> Items() const;

    /// "a string", "the identifier clRed", ... for messages.
    QString Description() const;
};

struct TFormTextProperty {
    QStringView Path; ///< as written, dotted; kept in the document's storage
    TFormTextPosition Position;
    TFormTextValue Value;
};

/// One collection item: "item", its property lines, "end".
struct TFormTextItem {
    TFormTextPosition Position;
    std::span<const TFormTextProperty> Properties;
};

inline std::span<const TFormTextValue> TFormTextValue::Elements() const
{
    if ((Kind != Set && Kind != List) || Count == 0)
        return {};
    return {FirstElement, Count};
}

inline std::span<const TFormTextItem> TFormTextValue::Items() const
{
    if (Kind != Collection || Count == 0)
        return {};
    return {FirstItem, Count};
}

/// "object Name: TClass" (or "inherited" / "inline"), property lines, nested blocks, "end".
struct TFormTextObject {
    QString Keyword;
    QString Name;
    QString ClassName;
    TFormTextPosition Position;      ///< of the keyword
    TFormTextPosition ClassPosition; ///< of the class name
    int EndLine = 0;                 ///< line of the block's "end"
    std::span<const TFormTextProperty> Properties;
    std::vector<TFormTextObject> Children;
    /// Keeps the nodes (and the text they refer to) alive; shared by every block of a document.
    std::shared_ptr<const TFormTextStorage> Storage;

    /// This block or the first nested one (depth first) whose class is ClassName (any case).
    const TFormTextObject* FindClass(const QString& ClassName) const;
};

/// The object blocks of a text, in order (a clipboard may hold several). Paths, identifiers and
/// strings of the tree refer to Source and the blocks' storage without copies: use them while
/// the document (or one of its blocks) lives.
struct TFormTextDocument {
    QString Source;
    std::vector<TFormTextObject> Objects;
    /// The first block of that class at any depth, or nullptr.
    const TFormTextObject* FindClass(const QString& ClassName) const;
};

/// Parses form text. A UTF-8 byte order mark is skipped; the text must be valid UTF-8 (ASCII
/// form text is). Raises EFormTextError.
TFormTextDocument ParseFormText(const QByteArray& Text, const TFormTextLimits& Limits = {});

/// Sets a component's properties from an object block.
class TFormTextReader {
public:
    /// Root is the lookup root: component references are resolved relative to it, and handler
    /// names become methods of it (as the writer writes only the root's handlers).
    explicit TFormTextReader(TComponent* Root);

    /// Unknown properties (and references to components that cannot be found) are errors unless
    /// skipped; skipped ones are listed by Skipped().
    void SetSkipUnknown(bool Value) { FSkipUnknown = Value; }
    /// Whether the block's name becomes the component's name (the default).
    void SetReadName(bool Value) { FReadName = Value; }

    /// Reads Object into Component, nested blocks into the root's components of those names
    /// (created through the registered component classes when absent). The component is marked as
    /// loading while it is read. The pictures read share one TPictureBudget: together they may
    /// decode to TPictureBudget::DefaultPixels (within any budget the caller holds). Raises
    /// EFormTextError; the component may then be partly set, so read into a fresh one when a
    /// failure must leave things as they were.
    void ReadComponent(const TFormTextObject& Object, TComponent* Component);

    /// "line L, column C: unknown property 'X' of TY" for everything skipped.
    const QStringList& Skipped() const { return FSkipped; }

private:
    struct TFixup {
        TObject* Instance;
        const TPropInfo* Prop;
        QString Reference;
        TFormTextPosition Position;
    };
    void ReadObject(const TFormTextObject& Object, TComponent* Component, int Depth);
    void ReadProperties(std::span<const TFormTextProperty> Properties, TObject& Instance, int Depth);
    void ReadProperty(const TFormTextProperty& Property, TObject& Instance, int Depth);
    void SetValue(TObject& Instance, const TPropInfo& Prop, const TFormTextValue& Value, int Depth);
    void SetDefined(TPersistent& Instance, const TDefinedProperty& Kind, const TFormTextValue& Value);
    void ReadCollection(TCollection& Collection, const TFormTextValue& Value, int Depth);
    void Unknown(TFormTextPosition Position, const QString& What);
    TComponent* Resolve(const QString& Reference) const;
    void ResolveFixups();

    TComponent* FRoot;
    bool FSkipUnknown = false;
    bool FReadName = true;
    QStringList FSkipped;
    std::vector<TFixup> FFixups;
    std::vector<TComponent*> FLoading;
};

/// Parses Text and reads its first object block into Component (lookup root: the component's
/// owner, or the component itself). Unknown properties are errors.
void ReadComponentFormText(const QByteArray& Text, TComponent* Component, TComponent* Root = nullptr);
