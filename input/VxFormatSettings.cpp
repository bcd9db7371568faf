#include "VxFormatSettings.h"

#include <QLocale>
#include <QRegularExpression>

TFormatSettings FormatSettingsOf(const QLocale& Locale)
{
    TFormatSettings settings;
    QString date = Locale.dateFormat(QLocale::ShortFormat);
    // Two-digit years would move dates into another century when read back.
    static const QRegularExpression shortYear(QStringLiteral("(?<!y)yy(?!y)"));
    date.replace(shortYear, QStringLiteral("yyyy"));
    settings.ShortDateFormat = date;

    QString time = Locale.timeFormat(QLocale::LongFormat);
    // Time zone names do not read back.
    static const QRegularExpression zone(QStringLiteral("\\s*\\bt+\\b"));
    time.remove(zone);
    if (!time.contains(QLatin1Char('s')))
        time.replace(QRegularExpression(QStringLiteral("(m+)")), QStringLiteral("\\1:ss"));
    settings.LongTimeFormat = time.trimmed();
    return settings;
}

const TFormatSettings& FormatSettings()
{
    static const TFormatSettings settings = FormatSettingsOf(QLocale());
    return settings;
}

QString DateToStr(const QDate& Date)
{
    return QLocale().toString(Date, FormatSettings().ShortDateFormat);
}

QString TimeToStr(const QTime& Time)
{
    return QLocale().toString(Time, FormatSettings().LongTimeFormat);
}

QString DateTimeToStr(const QDateTime& DateTime)
{
    // As the platform: the time is left out at midnight.
    if (DateTime.time() == QTime(0, 0))
        return DateToStr(DateTime.date());
    return DateToStr(DateTime.date()) + QLatin1Char(' ') + TimeToStr(DateTime.time());
}

bool TryStrToDate(const QString& Text, QDate& Result)
{
    const QString text = Text.trimmed();
    if (text.isEmpty())
        return false;
    QDate date = QLocale().toDate(text, FormatSettings().ShortDateFormat);
    if (!date.isValid())
        date = QDate::fromString(text, Qt::ISODate);
    if (!date.isValid())
        return false;
    Result = date;
    return true;
}

bool TryStrToTime(const QString& Text, QTime& Result)
{
    const QString text = Text.trimmed();
    if (text.isEmpty())
        return false;
    QTime time = QLocale().toTime(text, FormatSettings().LongTimeFormat);
    if (!time.isValid()) {
        // Without seconds.
        QString shorter = FormatSettings().LongTimeFormat;
        shorter.remove(QRegularExpression(QStringLiteral("[:.]s+")));
        time = QLocale().toTime(text, shorter);
    }
    if (!time.isValid())
        time = QTime::fromString(text, Qt::ISODate);
    if (!time.isValid())
        return false;
    Result = time;
    return true;
}

bool TryStrToDateTime(const QString& Text, QDateTime& Result)
{
    const QString text = Text.trimmed();
    if (text.isEmpty())
        return false;
    QDateTime value = QLocale().toDateTime(text, FormatSettings().ShortDateFormat + QLatin1Char(' ') +
                                                     FormatSettings().LongTimeFormat);
    if (!value.isValid())
        value = QDateTime::fromString(text, Qt::ISODate);
    if (!value.isValid()) {
        // A date alone, or a date followed by a time.
        QDate date;
        const qsizetype blank = text.indexOf(QLatin1Char(' '));
        if (TryStrToDate(text, date)) {
            value = QDateTime(date, QTime(0, 0));
        } else if (blank > 0 && TryStrToDate(text.left(blank), date)) {
            QTime time;
            if (!TryStrToTime(text.mid(blank + 1), time))
                return false;
            value = QDateTime(date, time);
        }
    }
    if (!value.isValid())
        return false;
    Result = value;
    return true;
}
