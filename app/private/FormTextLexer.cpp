#include "FormTextLexer.h"

#include <Qsci/qsciscintilla.h>

#include <cctype>

TFormTextLexer::TFormTextLexer(QObject* Parent) : QsciLexerCustom(Parent) {}

QString TFormTextLexer::description(int style) const
{
    switch (style) {
    case Default:
        return QStringLiteral("Default");
    case Keyword:
        return QStringLiteral("Keyword");
    case Property:
        return QStringLiteral("Property");
    case String:
        return QStringLiteral("String");
    case Number:
        return QStringLiteral("Number");
    case Symbol:
        return QStringLiteral("Symbol");
    case ClassName:
        return QStringLiteral("Class name");
    default:
        return {};
    }
}

QColor TFormTextLexer::defaultColor(int style) const
{
    switch (style) {
    case Keyword:
        return QColor(0x00, 0x00, 0x80);
    case Property:
        return QColor(0x00, 0x00, 0x00);
    case String:
        return QColor(0x00, 0x00, 0xff);
    case Number:
        return QColor(0x00, 0x80, 0x80);
    case Symbol:
        return QColor(0x80, 0x00, 0x00);
    case ClassName:
        return QColor(0x00, 0x60, 0x00);
    default:
        return QColor(0x00, 0x00, 0x00);
    }
}

QFont TFormTextLexer::defaultFont(int style) const
{
    QFont f = QsciLexerCustom::defaultFont(style);
    f.setBold(style == Keyword);
    return f;
}

namespace {
bool IsIdentStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || (static_cast<unsigned char>(c) >= 0x80);
}
bool IsIdentChar(char c)
{
    return IsIdentStart(c) || (c >= '0' && c <= '9') || c == '.';
}
bool IsKeyword(const QByteArray& Word)
{
    const QByteArray w = Word.toLower();
    return w == "object" || w == "end" || w == "item" || w == "inherited" || w == "inline";
}
} // namespace

QList<int> TFormTextLexer::StyleLine(const QByteArray& Line)
{
    QList<int> styles(Line.size(), Default);
    bool seenEquals = false;
    bool afterColon = false;
    bool firstWord = true;
    int i = 0;
    const int n = int(Line.size());
    while (i < n) {
        const char c = Line[i];
        if (c == '\'') {
            int j = i + 1;
            while (j < n) {
                if (Line[j] == '\'') {
                    if (j + 1 < n && Line[j + 1] == '\'') {
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                ++j;
            }
            for (int k = i; k < j; ++k)
                styles[k] = String;
            i = j;
            continue;
        }
        if (c == '#') { // a character given by its code
            int j = i + 1;
            while (j < n && Line[j] >= '0' && Line[j] <= '9')
                ++j;
            for (int k = i; k < j; ++k)
                styles[k] = String;
            i = j;
            continue;
        }
        if ((c >= '0' && c <= '9') || (c == '-' && i + 1 < n && Line[i + 1] >= '0' && Line[i + 1] <= '9')
            || (c == '$' && seenEquals)) {
            int j = i + 1;
            while (j < n && (std::isxdigit(static_cast<unsigned char>(Line[j])) || Line[j] == '.'))
                ++j;
            for (int k = i; k < j; ++k)
                styles[k] = Number;
            i = j;
            continue;
        }
        if (IsIdentStart(c)) {
            int j = i + 1;
            while (j < n && IsIdentChar(Line[j]))
                ++j;
            const QByteArray word = Line.mid(i, j - i);
            int style = Default;
            if (firstWord && IsKeyword(word))
                style = Keyword;
            else if (afterColon)
                style = ClassName;
            else if (!seenEquals)
                style = Property;
            for (int k = i; k < j; ++k)
                styles[k] = style;
            firstWord = false;
            i = j;
            continue;
        }
        if (c == '=' || c == '(' || c == ')' || c == '[' || c == ']' || c == '<' || c == '>' || c == '{'
            || c == '}' || c == ',' || c == '+' || c == ':') {
            styles[i] = Symbol;
            if (c == '=')
                seenEquals = true;
            if (c == ':' && !seenEquals)
                afterColon = true;
        }
        ++i;
    }
    return styles;
}

void TFormTextLexer::styleText(int start, int end)
{
    QsciScintilla* ed = editor();
    if (!ed || end <= start)
        return;
    QByteArray bytes(end - start + 1, '\0');
    ed->SendScintilla(QsciScintilla::SCI_GETTEXTRANGE, start, end, bytes.data());
    bytes.truncate(end - start);
    startStyling(start);
    int lineStart = 0;
    while (lineStart < bytes.size()) {
        int lineEnd = int(bytes.indexOf('\n', lineStart));
        const bool hasBreak = lineEnd >= 0;
        if (!hasBreak)
            lineEnd = int(bytes.size());
        const QList<int> styles = StyleLine(bytes.mid(lineStart, lineEnd - lineStart));
        // Runs of one style are set together.
        int k = 0;
        while (k < styles.size()) {
            int m = k + 1;
            while (m < styles.size() && styles[m] == styles[k])
                ++m;
            setStyling(m - k, styles[k]);
            k = m;
        }
        if (hasBreak)
            setStyling(1, Default);
        lineStart = lineEnd + 1;
    }
}
