#pragma once
/// The notation of property values shared by the form text and the creation code: Object Pascal
/// literal syntax, so a value text taken from the form text is a valid right-hand side of an
/// assignment. \file

#include "TypInfo.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class TComponent;

namespace ValueText {

/// Strings are cut into segments of this many UTF-16 code units; a longer string starts on a
/// line of its own.
constexpr int SegmentLength = 64;
/// Binary values are written with this many bytes per line.
constexpr int BinaryBytesPerLine = 32;

/// Decimal, or the name from Map when Map holds the value (first entry wins).
QString Integer(qint64 Value, const TIntNameMap* Map = nullptr);
/// "False" / "True".
QString Boolean(bool Value);
/// The value's name; an ordinal without a name is written as its number.
QString Enumeration(qint64 Ordinal, const TEnumInfo& Info);
/// "[a, b]" with the elements in ascending ordinal order; "[]" when empty.
QString Set(quint64 Mask, const TEnumInfo& Elements);

/// Float kinds, told apart by the property's type name.
enum class FloatKind { Extended, Single, Currency, Date };
FloatKind FloatKindOf(const QString& TypeName);
/// Extended and double: fixed point with 18 decimals of which at most 16 significant digits are
/// not zero; the other kinds: the shortest decimal that reads back, then "s", "c" or "d".
QString Float(double Value, FloatKind Kind = FloatKind::Extended);

/// True when a code unit has to be written as `#nnn`.
bool IsSpecial(char16_t Unit);
/// The quoted form of S cut into segments of SegmentLength units: every segment is a sequence of
/// quoted runs and `#nnn` escapes. The empty string gives one segment "''".
QStringList StringSegments(const QString& S);
/// The quoted form of S on one line (segments joined without breaks), for short strings.
QString QuotedString(const QString& S);
/// True when the value of S starts on a line of its own (more than SegmentLength units).
inline bool StartsOnNewLine(const QString& S) { return S.size() > SegmentLength; }

/// Reference to Component relative to LookupRoot; an empty string when it cannot be written
/// (the component has no name).
QString ComponentReference(const TComponent* Component, const TComponent* LookupRoot);

/// Upper-case hexadecimal digits of Data, two per byte.
QString Hex(const QByteArray& Data);
/// "{" hex digits "}".
QString Binary(const QByteArray& Data);

} // namespace ValueText
