#include "ValueText.h"

#include "Classes.h"

#include <QLocale>

#include <cmath>

namespace ValueText {

QString Integer(qint64 Value, const TIntNameMap* Map)
{
    if (Map) {
        const QString name = Map->NameOf(Value);
        if (!name.isEmpty())
            return name;
    }
    return QString::number(Value);
}

QString Boolean(bool Value)
{
    return Value ? QStringLiteral("True") : QStringLiteral("False");
}

QString Enumeration(qint64 Ordinal, const TEnumInfo& Info)
{
    if (Ordinal >= 0 && Ordinal < Info.Names.size())
        return Info.Names.at(int(Ordinal));
    return QString::number(Ordinal);
}

QString Set(quint64 Mask, const TEnumInfo& Elements)
{
    QString text = QStringLiteral("[");
    bool first = true;
    for (int i = 0; i < Elements.Names.size() && i < 64; ++i) {
        if (!(Mask & (quint64(1) << i)))
            continue;
        if (!first)
            text += QLatin1String(", ");
        text += Elements.Names.at(i);
        first = false;
    }
    text += QLatin1Char(']');
    return text;
}

FloatKind FloatKindOf(const QString& TypeName)
{
    if (TypeName.compare(QLatin1String("Single"), Qt::CaseInsensitive) == 0)
        return FloatKind::Single;
    if (TypeName.compare(QLatin1String("Currency"), Qt::CaseInsensitive) == 0)
        return FloatKind::Currency;
    if (TypeName.compare(QLatin1String("TDateTime"), Qt::CaseInsensitive) == 0
        || TypeName.compare(QLatin1String("TDate"), Qt::CaseInsensitive) == 0
        || TypeName.compare(QLatin1String("TTime"), Qt::CaseInsensitive) == 0)
        return FloatKind::Date;
    return FloatKind::Extended;
}

namespace {

// Fixed point with 18 decimals, rounded to 16 significant digits first; values with more than
// 16 integer digits fall back to exponent notation.
QString FixedFloat(double Value)
{
    if (!std::isfinite(Value))
        return QString::number(Value);
    if (Value == 0)
        return QStringLiteral("0.000000000000000000");
    // d.ddddddddddddddde±x: 16 significant digits and the decimal exponent.
    const QString sci = QString::number(std::fabs(Value), 'e', 15);
    const int ePos = sci.indexOf(QLatin1Char('e'));
    const QString digits = sci.left(ePos).remove(QLatin1Char('.'));
    const int exponent = sci.mid(ePos + 1).toInt();
    const QString sign = Value < 0 ? QStringLiteral("-") : QString();
    if (exponent >= 16)
        return sign + QString::number(std::fabs(Value), 'E', 15);

    constexpr int decimals = 18;
    QString intPart;
    QString fraction;
    if (exponent >= 0) {
        intPart = digits.left(exponent + 1);
        fraction = digits.mid(exponent + 1);
    } else {
        intPart = QStringLiteral("0");
        fraction = QString(-exponent - 1, QLatin1Char('0')) + digits;
    }
    if (fraction.size() > decimals) {
        // Round half up at the last kept decimal, carrying into the integer part.
        const bool up = fraction.at(decimals) >= QLatin1Char('5');
        fraction.truncate(decimals);
        if (up) {
            QString all = intPart + fraction;
            int i = all.size() - 1;
            while (i >= 0 && all.at(i) == QLatin1Char('9'))
                all[i--] = QLatin1Char('0');
            if (i >= 0)
                all[i] = QChar(all.at(i).unicode() + 1);
            else
                all.prepend(QLatin1Char('1'));
            intPart = all.left(all.size() - decimals);
            fraction = all.right(decimals);
        }
    }
    fraction = fraction.leftJustified(decimals, QLatin1Char('0'));
    return sign + intPart + QLatin1Char('.') + fraction;
}

} // namespace

QString Float(double Value, FloatKind Kind)
{
    switch (Kind) {
    case FloatKind::Extended:
        return FixedFloat(Value);
    case FloatKind::Single:
        return QString::number(double(float(Value)), 'g', 7) + QLatin1Char('s');
    case FloatKind::Currency:
        return QString::number(Value, 'g', 15) + QLatin1Char('c');
    case FloatKind::Date:
        return QString::number(Value, 'g', 15) + QLatin1Char('d');
    }
    return FixedFloat(Value);
}

bool IsSpecial(char16_t Unit)
{
    return Unit < 32 || Unit == 39 || Unit > 127;
}

QStringList StringSegments(const QString& S)
{
    if (S.isEmpty())
        return {QStringLiteral("''")};
    QStringList segments;
    segments.reserve(int(S.size() / SegmentLength) + 1);
    const qsizetype length = S.size();
    const char16_t* units = reinterpret_cast<const char16_t*>(S.utf16());
    for (qsizetype start = 0; start < length; start += SegmentLength) {
        const qsizetype end = std::min(length, start + SegmentLength);
        QString segment;
        segment.reserve((end - start) + 8);
        for (qsizetype i = start; i < end;) {
            if (IsSpecial(units[i])) {
                segment += QLatin1Char('#');
                segment += QString::number(units[i]);
                ++i;
                continue;
            }
            // A maximal run of plain units, copied at once between apostrophes.
            qsizetype runEnd = i + 1;
            while (runEnd < end && !IsSpecial(units[runEnd]))
                ++runEnd;
            segment += QLatin1Char('\'');
            segment.append(reinterpret_cast<const QChar*>(units + i), runEnd - i);
            segment += QLatin1Char('\'');
            i = runEnd;
        }
        segments.append(segment);
    }
    return segments;
}

QString QuotedString(const QString& S)
{
    return StringSegments(S).join(QString());
}

QString ComponentReference(const TComponent* Component, const TComponent* LookupRoot)
{
    if (!Component)
        return {};
    if (Component == LookupRoot)
        return QStringLiteral("Owner");
    if (Component->Name().isEmpty())
        return {};
    const TComponent* owner = Component->Owner();
    if (owner && owner == LookupRoot)
        return Component->Name();
    if (owner && !owner->Name().isEmpty()) {
        bool underRoot = false;
        for (const TComponent* o = owner->Owner(); o; o = o->Owner())
            if (o == LookupRoot) {
                underRoot = true;
                break;
            }
        const QString ownerPath = underRoot ? ComponentReference(owner, LookupRoot) : owner->Name();
        return ownerPath + QLatin1Char('.') + Component->Name();
    }
    return Component->Name() + QStringLiteral(".Owner");
}

QString Hex(const QByteArray& Data)
{
    return QString::fromLatin1(Data.toHex().toUpper());
}

QString Binary(const QByteArray& Data)
{
    return QLatin1Char('{') + Hex(Data) + QLatin1Char('}');
}

} // namespace ValueText
