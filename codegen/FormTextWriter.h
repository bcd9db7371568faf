#pragma once
/// Writes a component as form text: an object block with one line per stored property, nested
/// blocks for the children it streams, two blanks per level, CR LF line ends. \file

#include "TypInfo.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

class TComponent;
class TCollection;
class TPersistent;

/// Kinds of values in the platform's component stream, numbered as the stream numbers them.
enum TValueType : quint8 {
    vaNull, vaList, vaInt8, vaInt16, vaInt32, vaExtended, vaString, vaIdent, vaFalse, vaTrue, vaBinary, vaSet,
    vaLString, vaNil, vaCollection, vaSingle, vaCurrency, vaDate, vaWString, vaInt64, vaUTF8String, vaDouble
};

struct TFormProperty;

/// One streamed value. Which members count depends on Type.
struct TFormValue {
    TValueType Type = vaNull;
    qint64 Int = 0;             ///< integer kinds
    double Float = 0;           ///< float kinds
    QString Text;               ///< identifiers and strings
    QStringList List;           ///< the lines of a list, the element names of a set
    QByteArray Data;            ///< binary data
    const TCollection* Collection = nullptr; ///< a collection: its items are written one by one
};

struct TFormProperty {
    QString Path;
    TFormValue Value;
};

class TFormTextWriter {
public:
    /// Root is the streaming root: component references are written relative to it, and only
    /// event handlers that belong to it are written.
    explicit TFormTextWriter(const TComponent* Root);

    /// Appends Component's object block (with the blocks of the children it streams).
    void WriteComponent(const TComponent* Component);

    const QStringList& Lines() const { return FLines; }
    /// The lines, each ending with CR LF, in UTF-8; with the byte order mark in front when an
    /// identifier holds a character that is not ASCII.
    QByteArray Text() const;

    /// The stored properties of Instance (published, then defined) as they are written, with
    /// Prefix in front of each name.
    void CollectProperties(const TObject& Instance, const QString& Prefix, std::vector<TFormProperty>& Out) const;

    /// Appends the lines of one property at Level. ObjectName names the object in the read
    /// error raised for a value type the text form does not know.
    void WriteProperty(const QString& ObjectName, const TFormProperty& Property, int Level);

private:
    void WriteObject(const TComponent* Component, int Level);
    void CollectProperty(const TObject& Instance, const TPropInfo& Prop, const QString& Prefix,
                         std::vector<TFormProperty>& Out) const;
    void CollectDefined(const TPersistent& Instance, const QString& Prefix, std::vector<TFormProperty>& Out) const;
    void WriteString(const QString& Head, const QString& Value, int Level, const QString& Tail);
    QList<const TComponent*> Children(const TComponent* Component) const;

    const TComponent* FRoot;
    QStringList FLines;
};

/// The form text of Component with the given streaming root (its owner, or itself when it has
/// none, when Root is nullptr).
QByteArray ComponentFormText(const TComponent* Component, const TComponent* Root = nullptr);

/// Splits form text into lines: a UTF-8 byte order mark selects UTF-8, otherwise the text is
/// read as the platform's single-byte encoding; lines end at CR LF, LF or CR.
QStringList FormTextLines(const QByteArray& Text);
