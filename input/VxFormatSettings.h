#pragma once
/// The program's date and time formats (the platform's format settings): taken from the user's
/// locale once, with four-digit years so a date written and read back stays the same date. \file

#include <QDateTime>
#include <QString>

struct TFormatSettings {
    QString ShortDateFormat; ///< Qt date format, e.g. "M/d/yyyy"
    QString LongTimeFormat;  ///< Qt time format with seconds, e.g. "h:mm:ss AP"
};

/// The formats of the user's locale (fixed at first use).
const TFormatSettings& FormatSettings();
/// The formats a locale gives (what FormatSettings uses for the user's locale).
TFormatSettings FormatSettingsOf(const QLocale& Locale);

QString DateToStr(const QDate& Date);
QString TimeToStr(const QTime& Time);
QString DateTimeToStr(const QDateTime& DateTime);

/// False when Text does not read as a date (time, date and time) in the program's formats or in
/// ISO 8601 notation; Result is untouched then.
bool TryStrToDate(const QString& Text, QDate& Result);
bool TryStrToTime(const QString& Text, QTime& Result);
bool TryStrToDateTime(const QString& Text, QDateTime& Result);
