#include "FormTextReader.h"

#include "Classes.h"
#include "Picture.h"

#include <QSet>
#include <QStringDecoder>
#include <QStringView>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <type_traits>

EFormTextError::EFormTextError(TFormTextPosition Position, const QString& What)
    : EReadError(QStringLiteral("line %1, column %2: %3").arg(Position.Line).arg(Position.Column).arg(What)),
      FPosition(Position), FWhat(What)
{
}

QString TFormTextValue::Description() const
{
    switch (Kind) {
    case Integer:
        return QStringLiteral("the number %1").arg(Int);
    case Float:
        return QStringLiteral("the number %1").arg(Real);
    case String:
        return QStringLiteral("a string");
    case Identifier:
        return QStringLiteral("the identifier %1").arg(Text);
    case Set:
        return QStringLiteral("a set");
    case List:
        return QStringLiteral("a list");
    case Collection:
        return QStringLiteral("a collection");
    case Binary:
        return QStringLiteral("binary data");
    }
    return {};
}

const TFormTextObject* TFormTextObject::FindClass(const QString& Class) const
{
    if (ClassName.compare(Class, Qt::CaseInsensitive) == 0)
        return this;
    for (const TFormTextObject& child : Children)
        if (const TFormTextObject* found = child.FindClass(Class))
            return found;
    return nullptr;
}

const TFormTextObject* TFormTextDocument::FindClass(const QString& Class) const
{
    for (const TFormTextObject& object : Objects)
        if (const TFormTextObject* found = object.FindClass(Class))
            return found;
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Parsing

namespace {

// The byte offset of the first byte from From that is not valid UTF-8, or -1. Checks the
// sequences that start before To and moves To to the end of the last one.
qsizetype InvalidUtf8At(const QByteArray& Text, qsizetype From, qsizetype& To)
{
    const auto* s = reinterpret_cast<const unsigned char*>(Text.constData());
    const qsizetype n = Text.size();
    qsizetype i = From;
    while (i < To) {
        // Form text is mostly ASCII: eight bytes at a time while no byte has its top bit set.
        quint64 eight;
        while (i + 8 <= To && (std::memcpy(&eight, s + i, 8), (eight & 0x8080808080808080ULL) == 0))
            i += 8;
        if (i >= To)
            break;
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra;
        quint32 min;
        quint32 cp;
        if ((c & 0xE0) == 0xC0) {
            extra = 1, min = 0x80, cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, min = 0x800, cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, min = 0x10000, cp = c & 0x07;
        } else {
            return i;
        }
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= n || (s[i + k] & 0xC0) != 0x80)
                return i;
            cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return i;
        i += extra + 1;
    }
    To = i;
    return -1;
}

// A copy that owns its characters (names taken out of the document's text).
QString Owned(const QString& S)
{
    return QString(S.constData(), S.size());
}

QString Owned(QStringView S)
{
    return S.toString();
}

// A string value for the component; the empty string is null, as a string read from nothing.
QString OwnedText(QStringView S)
{
    return S.isEmpty() ? QString() : S.toString();
}

bool IsIdentStart(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 128)
        return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '_';
    return c.isLetter() || c.isSurrogate();
}

bool IsIdentPart(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 128)
        return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '_' || (u >= '0' && u <= '9');
    return c.isLetterOrNumber() || c.isMark() || c.isSurrogate();
}

int HexDigit(char16_t u)
{
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

// Nodes in blocks of a few kilobytes, so that a large document is neither one allocation per
// node nor one array that grows by copying; a run of nodes is never split over two blocks.
template <typename T>
class TNodePool {
public:
    TNodePool() = default;
    TNodePool(const TNodePool&) = delete;
    TNodePool& operator=(const TNodePool&) = delete;
    ~TNodePool()
    {
        for (const TBlock& block : FBlocks) {
            std::destroy_n(block.Nodes, block.Used);
            std::allocator<T>().deallocate(block.Nodes, block.Capacity);
        }
    }

    // Room for Count nodes side by side (characters: left uninitialized).
    T* Allocate(size_t Count)
    {
        static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);
        TBlock& block = Reserve(Count);
        T* at = block.Nodes + block.Used;
        block.Used += Count;
        return at;
    }

    // Moves Count nodes from First into the pool, side by side; returns where they now lie.
    const T* Append(T* First, size_t Count)
    {
        TBlock& block = Reserve(Count);
        T* at = block.Nodes + block.Used;
        std::uninitialized_move_n(First, Count, at);
        block.Used += Count;
        return at;
    }

private:
    struct TBlock {
        T* Nodes;
        size_t Used;
        size_t Capacity;
    };

    TBlock& Reserve(size_t Count)
    {
        if (FBlocks.empty() || FBlocks.back().Capacity - FBlocks.back().Used < Count) {
            if (FBlocks.size() == FBlocks.capacity()) // so that push_back cannot throw below
                FBlocks.reserve(std::max<size_t>(8, FBlocks.size() * 2));
            const size_t capacity = std::max(Count, BlockNodes);
            FBlocks.push_back({std::allocator<T>().allocate(capacity), 0, capacity});
        }
        return FBlocks.back();
    }
    static constexpr size_t BlockNodes = std::max<size_t>(1, 16384 / sizeof(T));
    std::vector<TBlock> FBlocks;
};

} // namespace

struct TFormTextStorage {
    QString Source; // what identifiers (and paths that are not kept in Names) point into
    std::vector<QString> Names; // the distinct property paths
    TNodePool<TFormTextProperty> Properties;
    TNodePool<TFormTextValue> Values;
    TNodePool<TFormTextItem> Items;
    TNodePool<QByteArray> Binaries;
    TNodePool<QChar> Characters; // of strings written in pieces
};

namespace {

class TParser {
public:
    TParser(TFormTextStorage& Storage, const TFormTextLimits& Limits) : FStorage(Storage), FText(Storage.Source), FLimits(Limits) {}

    void ParseDocument(TFormTextDocument& document)
    {
        SkipBlanks();
        if (AtEnd())
            Fail(Here(), QStringLiteral("expected 'object' but the text is empty"));
        while (!AtEnd()) {
            const TFormTextPosition at = Here();
            const QString keyword = ReadIdentifier(QStringLiteral("'object'"));
            if (!IsObjectKeyword(keyword))
                Fail(at, QStringLiteral("expected 'object' but found '%1'").arg(keyword));
            document.Objects.push_back(ParseObject(keyword, at, 1));
            SkipBlanks();
        }
    }

private:
    [[noreturn]] void Fail(TFormTextPosition At, const QString& What) const { throw EFormTextError(At, What); }

    bool AtEnd() const { return FPos >= FText.size(); }
    QChar Peek() const { return FPos < FText.size() ? FText.at(FPos) : QChar(); }
    TFormTextPosition Here() const { return {FLine, int(FPos - FLineStart) + 1}; }

    // Blanks and line ends between tokens; any other control character is an error.
    void SkipBlanks()
    {
        const qsizetype n = FText.size();
        const QChar* s = FText.constData();
        while (FPos < n) {
            const char16_t u = s[FPos].unicode();
            if (u == ' ' || u == '\t' || u == '\f') {
                ++FPos;
            } else if (u == '\n') {
                NewLine(FPos + 1);
            } else if (u == '\r') {
                NewLine(FPos + 1 < n && s[FPos + 1] == QLatin1Char('\n') ? FPos + 2 : FPos + 1);
            } else {
                if (u < 32 || u == 127)
                    Fail(Here(), QStringLiteral("unexpected control character #%1").arg(int(u)));
                return;
            }
        }
    }
    void NewLine(qsizetype Next)
    {
        ++FLine;
        FPos = Next;
        FLineStart = Next;
    }

    QString Found() const
    {
        if (AtEnd())
            return QStringLiteral("the end of the text");
        return QStringLiteral("'%1'").arg(FText.mid(FPos, FText.at(FPos).isHighSurrogate() ? 2 : 1));
    }

    void Expect(char16_t C, const char* What)
    {
        SkipBlanks();
        if (Peek() != QChar(C))
            Fail(Here(), QStringLiteral("expected %1 but found %2").arg(QLatin1String(What), Found()));
        ++FPos;
    }

    QString ReadIdentifier(const QString& Expected)
    {
        SkipBlanks();
        if (AtEnd() || !IsIdentStart(Peek()))
            Fail(Here(), QStringLiteral("expected %1 but found %2").arg(Expected, Found()));
        const qsizetype start = FPos;
        ++FPos;
        while (FPos < FText.size() && IsIdentPart(FText.at(FPos)))
            ++FPos;
        return Raw(start);
    }

    // The text from Start to here without a copy: names and paths refer to the document's text.
    QString Raw(qsizetype Start) const { return QString::fromRawData(FText.constData() + Start, FPos - Start); }

    static bool IsObjectKeyword(const QString& Word)
    {
        return Word.compare(QLatin1String("object"), Qt::CaseInsensitive) == 0
            || Word.compare(QLatin1String("inherited"), Qt::CaseInsensitive) == 0
            || Word.compare(QLatin1String("inline"), Qt::CaseInsensitive) == 0;
    }

    void CheckDepth(int Depth, TFormTextPosition At) const
    {
        if (Depth > FLimits.MaxDepth)
            Fail(At, QStringLiteral("nesting deeper than %1 levels").arg(FLimits.MaxDepth));
    }

    TFormTextObject ParseObject(const QString& Keyword, TFormTextPosition At, int Depth)
    {
        CheckDepth(Depth, At);
        TFormTextObject object;
        object.Keyword = Keyword;
        object.Position = At;
        TFormTextPosition classAt = Here();
        SkipBlanks();
        classAt = Here();
        const QString first = ReadIdentifier(QStringLiteral("an object name or class name"));
        SkipBlanks();
        if (Peek() == QLatin1Char(':')) {
            ++FPos;
            object.Name = Owned(first);
            SkipBlanks();
            classAt = Here();
            object.ClassName = Owned(ReadIdentifier(QStringLiteral("a class name")));
        } else {
            object.ClassName = Owned(first);
        }
        object.Keyword = Owned(Keyword);
        object.ClassPosition = classAt;
        SkipBlanks();
        SkipBracketedNumber(); // the position of an inherited child
        const size_t mark = FPropertyStack.size();
        for (;;) {
            SkipBlanks();
            if (AtEnd())
                Fail(Here(), QStringLiteral("expected 'end' of object %1 (line %2) but found the end of the text")
                                 .arg(object.Name.isEmpty() ? object.ClassName : object.Name)
                                 .arg(At.Line));
            const TFormTextPosition at = Here();
            const QString word = ReadIdentifier(QStringLiteral("a property name, 'object' or 'end'"));
            if (word.compare(QLatin1String("end"), Qt::CaseInsensitive) == 0) {
                object.EndLine = at.Line;
                object.Properties = Commit(FPropertyStack, mark, FStorage.Properties);
                return object;
            }
            SkipBlanks();
            // Only "object" followed by a name starts a block; "Object = 1" is a property.
            if (IsObjectKeyword(word) && Peek() != QLatin1Char('=') && Peek() != QLatin1Char('.')) {
                object.Children.push_back(ParseObject(word, at, Depth + 1));
                continue;
            }
            FPropertyStack.push_back(ParseProperty(word, at, Depth));
        }
    }

    // "[n]" after an object's class or after "item": read and ignored.
    void SkipBracketedNumber()
    {
        if (Peek() != QLatin1Char('['))
            return;
        ++FPos;
        SkipBlanks();
        ReadNumberToken();
        Expect(']', "']'");
    }

    // The children of a container are parsed onto a stack (their own children land on it above
    // them and leave it first) and then moved to the document's storage in one run.
    template <typename T>
    std::span<const T> Commit(std::vector<T>& Stack, size_t Mark, TNodePool<T>& Pool)
    {
        const size_t count = Stack.size() - Mark;
        if (count == 0)
            return {};
        const T* first = Pool.Append(Stack.data() + Mark, count);
        Stack.erase(Stack.begin() + qsizetype(Mark), Stack.end());
        return std::span<const T>(first, count);
    }

    // The same for the elements of a set or list and the items of a collection.
    template <typename T>
    static void SetChildren(TFormTextValue& Value, std::span<const T> Children)
    {
        Value.Count = quint32(Children.size());
        if constexpr (std::is_same_v<T, TFormTextItem>)
            Value.FirstItem = Children.data();
        else
            Value.FirstElement = Children.data();
    }

    // Every item of a collection names the same few properties, so each distinct path is kept
    // once: reading then finds the names in memory it has just used, not spread over the text.
    // Past a bound (a text of made-up names) further paths stay in the text.
    QStringView Intern(QStringView Path)
    {
        if (const auto it = FNames.constFind(Path); it != FNames.cend())
            return *it;
        if (FNames.size() >= MaxNames)
            return Path;
        const QStringView kept = FStorage.Names.emplace_back(Path.toString());
        FNames.insert(kept);
        return kept;
    }

    void CountNode(TFormTextPosition At)
    {
        if (++FNodes > FLimits.MaxNodes)
            Fail(At, QStringLiteral("more than %1 values").arg(FLimits.MaxNodes));
    }

    TFormTextProperty ParseProperty(const QString& First, TFormTextPosition At, int Depth)
    {
        CountNode(At);
        TFormTextProperty property;
        property.Position = At;
        // A dotted path has no blanks inside.
        const qsizetype start = First.constData() - FText.constData();
        qsizetype end = start + First.size();
        while (FPos == end && Peek() == QLatin1Char('.')) {
            ++FPos;
            if (AtEnd() || !IsIdentStart(Peek()))
                Fail(Here(), QStringLiteral("expected a property name after '.' but found %1").arg(Found()));
            ReadIdentifier(QString());
            end = FPos;
        }
        property.Path = Intern(QStringView(FText.constData() + start, end - start));
        Expect('=', "'=' after the property name");
        property.Value = ParseValue(Depth);
        return property;
    }

    TFormTextValue ParseValue(int Depth)
    {
        SkipBlanks();
        TFormTextValue value;
        value.Position = Here();
        CountNode(value.Position);
        if (AtEnd())
            Fail(Here(), QStringLiteral("expected a value but found the end of the text"));
        const char16_t u = Peek().unicode();
        if (u == '\'' || u == '#') {
            value.Kind = TFormTextValue::String;
            value.Text = ParseString();
        } else if ((u >= '0' && u <= '9') || u == '-' || u == '+' || u == '$') {
            ParseNumber(value);
        } else if (u == '[') {
            value.Kind = TFormTextValue::Set;
            ParseSet(value);
        } else if (u == '(') {
            value.Kind = TFormTextValue::List;
            ParseList(value, Depth);
        } else if (u == '<') {
            value.Kind = TFormTextValue::Collection;
            ParseCollection(value, Depth);
        } else if (u == '{') {
            value.Kind = TFormTextValue::Binary;
            ParseBinary(value);
        } else if (IsIdentStart(Peek())) {
            value.Kind = TFormTextValue::Identifier;
            const qsizetype start = FPos;
            ReadIdentifier(QString());
            // Component references may name a path ("Form1.ImageList1").
            while (Peek() == QLatin1Char('.') && FPos + 1 < FText.size() && IsIdentStart(FText.at(FPos + 1))) {
                ++FPos;
                ReadIdentifier(QString());
            }
            value.Text = QStringView(FText.constData() + start, FPos - start);
        } else {
            Fail(Here(), QStringLiteral("expected a value but found %1").arg(Found()));
        }
        return value;
    }

    // Quoted runs and #nnn characters, joined by "+" across lines. A string of one run is
    // part of the text; one written in pieces is read twice, once to measure it and once to
    // join it in the document's storage.
    QStringView ParseString()
    {
        const qsizetype pos = FPos;
        const int line = FLine;
        const qsizetype lineStart = FLineStart;
        FPieces = 0;
        const qsizetype length = ScanString(nullptr);
        if (length == 0)
            return {};
        if (FPieces == 1 && FFirstPieceInText)
            return QStringView(FFirstPiece, length);
        FPos = pos;
        FLine = line;
        FLineStart = lineStart;
        QChar* joined = FStorage.Characters.Allocate(size_t(length));
        ScanString(joined);
        return QStringView(joined, length);
    }

    // Reads the string here and returns its length; copies its characters to Out unless null.
    qsizetype ScanString(QChar* Out)
    {
        qsizetype length = 0;
        for (;;) {
            ScanStringPieces(Out, length);
            // A "+" after blanks and line ends continues the string.
            const qsizetype pos = FPos;
            const int line = FLine;
            const qsizetype lineStart = FLineStart;
            SkipBlanks();
            if (Peek() != QLatin1Char('+')) {
                FPos = pos;
                FLine = line;
                FLineStart = lineStart;
                return length;
            }
            ++FPos;
            SkipBlanks();
            if (Peek() != QLatin1Char('\'') && Peek() != QLatin1Char('#'))
                Fail(Here(), QStringLiteral("expected a string after '+' but found %1").arg(Found()));
        }
    }

    void ScanStringPieces(QChar* Out, qsizetype& Length)
    {
        const QChar* s = FText.constData();
        const qsizetype n = FText.size();
        for (;;) {
            if (FPos < n && s[FPos] == QLatin1Char('\'')) {
                const TFormTextPosition open = Here();
                ++FPos;
                for (;;) {
                    qsizetype end = FPos;
                    while (end < n && s[end] != QLatin1Char('\'') && s[end] != QLatin1Char('\r')
                           && s[end] != QLatin1Char('\n'))
                        ++end;
                    if (end >= n || s[end] != QLatin1Char('\''))
                        Fail(open, QStringLiteral("unterminated string"));
                    Append(Out, Length, QStringView(s + FPos, end - FPos), open, true);
                    FPos = end + 1;
                    if (FPos < n && s[FPos] == QLatin1Char('\'')) { // '' inside quotes is one apostrophe
                        Append(Out, Length, u"'", open);
                        ++FPos;
                        continue;
                    }
                    break;
                }
            } else if (FPos < n && s[FPos] == QLatin1Char('#')) {
                const TFormTextPosition at = Here();
                ++FPos;
                quint32 code = 0;
                int digits = 0;
                const bool hex = FPos < n && s[FPos] == QLatin1Char('$');
                if (hex)
                    ++FPos;
                for (; FPos < n; ++FPos) {
                    const int d = hex ? HexDigit(s[FPos].unicode())
                                      : (s[FPos] >= QLatin1Char('0') && s[FPos] <= QLatin1Char('9') ? s[FPos].unicode() - '0' : -1);
                    if (d < 0)
                        break;
                    code = code * (hex ? 16 : 10) + quint32(d);
                    if (++digits > 7 || code > 0x10FFFF)
                        Fail(at, QStringLiteral("character code out of range"));
                }
                if (digits == 0)
                    Fail(at, QStringLiteral("expected a character code after '#'"));
                if (code > 0xFFFF) {
                    const char16_t pair[2] = {QChar::highSurrogate(code), QChar::lowSurrogate(code)};
                    Append(Out, Length, QStringView(pair, 2), at);
                } else {
                    const char16_t unit = char16_t(code);
                    Append(Out, Length, QStringView(&unit, 1), at);
                }
            } else {
                return;
            }
        }
    }

    // InText: Part is a run of the text itself (not a character made from '' or #n).
    void Append(QChar* Out, qsizetype& Length, QStringView Part, TFormTextPosition At, bool InText = false)
    {
        if (Length + Part.size() > FLimits.MaxStringLength)
            Fail(At, QStringLiteral("string longer than %1 characters").arg(FLimits.MaxStringLength));
        if (Part.isEmpty())
            return;
        if (Out)
            std::copy(Part.begin(), Part.end(), Out + Length);
        else if (FPieces++ == 0) {
            FFirstPiece = Part.data();
            FFirstPieceInText = InText;
        }
        Length += Part.size();
    }

    // The characters of a number token, bounded by MaxNumberLength.
    QStringView ReadNumberToken()
    {
        const TFormTextPosition at = Here();
        const qsizetype start = FPos;
        const qsizetype n = FText.size();
        const QChar* s = FText.constData();
        if (FPos < n && (s[FPos] == QLatin1Char('-') || s[FPos] == QLatin1Char('+')))
            ++FPos;
        if (FPos < n && s[FPos] == QLatin1Char('$')) {
            ++FPos;
            while (FPos < n && HexDigit(s[FPos].unicode()) >= 0)
                if (++FPos - start > FLimits.MaxNumberLength)
                    Fail(at, QStringLiteral("number longer than %1 characters").arg(FLimits.MaxNumberLength));
        } else {
            while (FPos < n) {
                const char16_t u = s[FPos].unicode();
                const bool sign = (u == '-' || u == '+') && (s[FPos - 1] == QLatin1Char('e') || s[FPos - 1] == QLatin1Char('E'));
                if (!((u >= '0' && u <= '9') || u == '.' || u == 'e' || u == 'E' || sign))
                    break;
                if (++FPos - start > FLimits.MaxNumberLength)
                    Fail(at, QStringLiteral("number longer than %1 characters").arg(FLimits.MaxNumberLength));
            }
        }
        return QStringView(s + start, FPos - start);
    }

    void ParseNumber(TFormTextValue& Value)
    {
        const TFormTextPosition at = Here();
        const QStringView token = ReadNumberToken();
        QString written = token.toString();
        QStringView digits = token;
        bool negative = false;
        if (!digits.isEmpty() && (digits.front() == QLatin1Char('-') || digits.front() == QLatin1Char('+'))) {
            negative = digits.front() == QLatin1Char('-');
            digits = digits.mid(1);
        }
        if (digits.isEmpty())
            Fail(at, QStringLiteral("expected a number but found '%1'").arg(written));
        const bool isFloat = digits.front() != QLatin1Char('$')
            && (digits.contains(QLatin1Char('.')) || digits.contains(QLatin1Char('e')) || digits.contains(QLatin1Char('E')));
        const char16_t next = Peek().unicode();
        if (isFloat || next == 's' || next == 'c' || next == 'd' || next == 'S' || next == 'C' || next == 'D') {
            bool ok = false;
            const double v = digits.toDouble(&ok);
            if (!ok || !std::isfinite(v))
                Fail(at, QStringLiteral("'%1' is not a valid number").arg(written));
            Value.Kind = TFormTextValue::Float;
            Value.Real = negative ? -v : v;
            if (next == 's' || next == 'c' || next == 'd' || next == 'S' || next == 'C' || next == 'D') {
                Value.FloatType = char(QChar(next).toLower().unicode());
                written += QChar(next);
                ++FPos;
            }
        } else {
            const bool hex = digits.front() == QLatin1Char('$');
            if (hex)
                digits = digits.mid(1);
            if (digits.isEmpty())
                Fail(at, QStringLiteral("expected hexadecimal digits after '$'"));
            // Accumulated as a negative number, so the smallest 64-bit integer fits too.
            const int base = hex ? 16 : 10;
            qint64 v = 0;
            const qint64 limit = std::numeric_limits<qint64>::min();
            for (QChar c : digits) {
                const int d = hex ? HexDigit(c.unicode()) : c.unicode() - '0';
                if (v < (limit + d) / base)
                    Fail(at, QStringLiteral("%1 is out of the range of 64-bit integers").arg(written));
                v = v * base - d;
            }
            if (!negative && v == limit)
                Fail(at, QStringLiteral("%1 is out of the range of 64-bit integers").arg(written));
            Value.Kind = TFormTextValue::Integer;
            Value.Int = negative ? v : -v;
        }
        if (!AtEnd() && IsIdentPart(Peek()))
            Fail(Here(), QStringLiteral("unexpected %1 after the number %2").arg(Found(), written));
    }

    void ParseSet(TFormTextValue& Value)
    {
        ++FPos; // [
        SkipBlanks();
        if (Peek() == QLatin1Char(']')) {
            ++FPos;
            return;
        }
        const size_t mark = FValueStack.size();
        for (;;) {
            SkipBlanks();
            TFormTextValue element;
            element.Kind = TFormTextValue::Identifier;
            element.Position = Here();
            CountNode(element.Position);
            const QString name = ReadIdentifier(QStringLiteral("a set element"));
            element.Text = QStringView(name); // in the document's text
            FValueStack.push_back(std::move(element));
            SkipBlanks();
            if (Peek() == QLatin1Char(']')) {
                ++FPos;
                SetChildren(Value, Commit(FValueStack, mark, FStorage.Values));
                return;
            }
            Expect(',', "',' or ']' in the set");
        }
    }

    void ParseList(TFormTextValue& Value, int Depth)
    {
        CheckDepth(Depth + 1, Here());
        ++FPos; // (
        const size_t mark = FValueStack.size();
        for (;;) {
            SkipBlanks();
            if (Peek() == QLatin1Char(')')) {
                ++FPos;
                SetChildren(Value, Commit(FValueStack, mark, FStorage.Values));
                return;
            }
            if (AtEnd())
                Fail(Here(), QStringLiteral("expected ')' at the end of the list (line %1) but found the end of the text")
                                 .arg(Value.Position.Line));
            TFormTextValue element = ParseValue(Depth + 1);
            FValueStack.push_back(std::move(element));
        }
    }

    void ParseCollection(TFormTextValue& Value, int Depth)
    {
        CheckDepth(Depth + 1, Here());
        ++FPos; // <
        const size_t itemMark = FItemStack.size();
        for (;;) {
            SkipBlanks();
            if (Peek() == QLatin1Char('>')) {
                ++FPos;
                SetChildren(Value, Commit(FItemStack, itemMark, FStorage.Items));
                return;
            }
            const TFormTextPosition at = Here();
            const QString word = ReadIdentifier(QStringLiteral("'item' or '>'"));
            if (word.compare(QLatin1String("item"), Qt::CaseInsensitive) != 0)
                Fail(at, QStringLiteral("expected 'item' or '>' but found '%1'").arg(word));
            TFormTextItem item;
            item.Position = at;
            SkipBlanks();
            SkipBracketedNumber(); // an explicit item index
            const size_t mark = FPropertyStack.size();
            for (;;) {
                SkipBlanks();
                if (AtEnd())
                    Fail(Here(), QStringLiteral("expected 'end' of the item (line %1) but found the end of the text").arg(at.Line));
                const TFormTextPosition propertyAt = Here();
                const QString name = ReadIdentifier(QStringLiteral("a property name or 'end'"));
                if (name.compare(QLatin1String("end"), Qt::CaseInsensitive) == 0)
                    break;
                SkipBlanks();
                TFormTextProperty property = ParseProperty(name, propertyAt, Depth + 1);
                FPropertyStack.push_back(std::move(property));
            }
            item.Properties = Commit(FPropertyStack, mark, FStorage.Properties);
            FItemStack.push_back(item);
        }
    }

    void ParseBinary(TFormTextValue& Value)
    {
        const TFormTextPosition open = Here();
        ++FPos; // {
        QByteArray data;
        int high = -1;
        for (;;) {
            SkipBlanks();
            if (AtEnd())
                Fail(open, QStringLiteral("binary data without its closing '}'"));
            const char16_t u = Peek().unicode();
            if (u == '}') {
                if (high >= 0)
                    Fail(Here(), QStringLiteral("odd number of hexadecimal digits in binary data"));
                ++FPos;
                Value.Data = FStorage.Binaries.Append(&data, 1);
                return;
            }
            const int d = HexDigit(u);
            if (d < 0)
                Fail(Here(), QStringLiteral("expected a hexadecimal digit or '}' but found %1").arg(Found()));
            ++FPos;
            if (high < 0) {
                high = d;
                continue;
            }
            if (data.size() >= FLimits.MaxBinaryBytes)
                Fail(open, QStringLiteral("binary data longer than %1 bytes").arg(FLimits.MaxBinaryBytes));
            data.append(char((high << 4) | d));
            high = -1;
        }
    }

    TFormTextStorage& FStorage;
    const QString& FText;
    const TFormTextLimits& FLimits;
    std::vector<TFormTextProperty> FPropertyStack;
    std::vector<TFormTextValue> FValueStack;
    std::vector<TFormTextItem> FItemStack;
    static constexpr qsizetype MaxNames = 4096;
    qsizetype FPieces = 0; // of the string being measured
    const QChar* FFirstPiece = nullptr;
    bool FFirstPieceInText = false;
    QSet<QStringView> FNames;
    qsizetype FPos = 0;
    qsizetype FNodes = 0;
    int FLine = 1;
    qsizetype FLineStart = 0;
};

} // namespace

TFormTextDocument ParseFormText(const QByteArray& Text, const TFormTextLimits& Limits)
{
    if (Text.size() > Limits.MaxTextBytes)
        throw EFormTextError({1, 1}, QStringLiteral("the text is %1 bytes long; at most %2 bytes are read")
                                         .arg(Text.size())
                                         .arg(Limits.MaxTextBytes));
    const qsizetype start = Text.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    const qsizetype n = Text.size();
    TFormTextDocument document;
    // Checked and decoded a slice at a time, each while its bytes are still in the cache. A
    // UTF-16 text has no more code units than its UTF-8 form has bytes.
    document.Source = QString(n - start, Qt::Uninitialized);
    QChar* decoded = document.Source.data();
    QStringDecoder decoder(QStringDecoder::Utf8); // drops a byte order mark at the start, as fromUtf8 does
    qsizetype bad = -1;
    for (qsizetype at = start; at < n;) {
        qsizetype end = std::min(n, at + 65536);
        bad = InvalidUtf8At(Text, at, end);
        if (bad >= 0)
            break;
        decoded = decoder.appendToBuffer(decoded, QByteArrayView(Text.constData() + at, end - at));
        at = end;
    }
    if (bad >= 0) {
        int line = 1;
        qsizetype lineStart = start;
        for (qsizetype i = start; i < bad; ++i) {
            if (Text.at(i) == '\n' || (Text.at(i) == '\r' && (i + 1 >= Text.size() || Text.at(i + 1) != '\n'))) {
                ++line;
                lineStart = i + 1;
            }
        }
        const int column = int(QString::fromUtf8(Text.constData() + lineStart, bad - lineStart).size()) + 1;
        throw EFormTextError({line, column}, QStringLiteral("invalid UTF-8 byte $%1")
                                                 .arg(QString::number(quint8(Text.at(bad)), 16).toUpper()));
    }
    document.Source.truncate(decoded - document.Source.constData());
    auto storage = std::make_shared<TFormTextStorage>();
    storage->Source = document.Source;
    TParser parser(*storage, Limits);
    parser.ParseDocument(document);
    std::shared_ptr<const TFormTextStorage> shared = std::move(storage);
    const auto share = [&shared](const auto& Self, TFormTextObject& Object) -> void {
        Object.Storage = shared;
        for (TFormTextObject& child : Object.Children)
            Self(Self, child);
    };
    for (TFormTextObject& object : document.Objects)
        share(share, object);
    return document;
}

// ---------------------------------------------------------------------------------------------
// Reading into components

namespace {

[[noreturn]] void Fail(TFormTextPosition At, const QString& What)
{
    throw EFormTextError(At, What);
}

// Published property by name, compared without case as the platform's reader compares.
const TPropInfo* FindProperty(const TObject& Instance, QStringView Name)
{
    const TClassInfo* info = Instance.ClassInfo();
    if (!info)
        return nullptr;
    for (const TPropInfo& p : info->Properties())
        if (p.Name.size() == Name.size() && QStringView(p.Name).compare(Name, Qt::CaseInsensitive) == 0)
            return &p;
    return nullptr;
}

bool IsBoolean(const TPropInfo& Prop)
{
    return Prop.EnumInfo == &BooleanTypeInfo();
}

QString Expected(const TPropInfo& Prop)
{
    switch (Prop.Kind) {
    case TTypeKind::Integer:
        return Prop.NameMap ? QStringLiteral("an integer or a name of %1").arg(Prop.TypeName) : QStringLiteral("an integer");
    case TTypeKind::Int64:
        return QStringLiteral("an integer");
    case TTypeKind::Enumeration:
        return IsBoolean(Prop) ? QStringLiteral("True or False") : QStringLiteral("a value of %1").arg(Prop.TypeName);
    case TTypeKind::Set:
        return QStringLiteral("a set of %1").arg(Prop.TypeName);
    case TTypeKind::String:
        return QStringLiteral("a string");
    case TTypeKind::Float:
        return QStringLiteral("a number");
    case TTypeKind::Event:
        return QStringLiteral("a method name");
    case TTypeKind::Class:
        return QStringLiteral("a component name or a collection");
    }
    return {};
}

[[noreturn]] void WrongKind(const TPropInfo& Prop, const TFormTextValue& Value)
{
    Fail(Value.Position,
         QStringLiteral("expected %1 for %2 but found %3").arg(Expected(Prop), Prop.Name, Value.Description()));
}

int EnumOrdinal(const TEnumInfo& Info, QStringView Name)
{
    for (int i = 0; i < Info.Names.size(); ++i)
        if (Info.Names.at(i).compare(Name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool IsSubComponent(const TObject& Instance, const TComponent* Value)
{
    const auto* owner = dynamic_cast<const TComponent*>(&Instance);
    return owner && Value->Owner() == owner;
}

} // namespace

TFormTextReader::TFormTextReader(TComponent* Root) : FRoot(Root) {}

void TFormTextReader::Unknown(TFormTextPosition Position, const QString& What)
{
    if (!FSkipUnknown)
        Fail(Position, What);
    FSkipped.append(EFormTextError(Position, What).Message());
}

void TFormTextReader::ReadComponent(const TFormTextObject& Object, TComponent* Component)
{
    // Everything read is marked as loading until the end, also when reading fails.
    struct TFinish {
        TFormTextReader& Reader;
        ~TFinish()
        {
            for (auto it = Reader.FLoading.rbegin(); it != Reader.FLoading.rend(); ++it)
                (*it)->Loaded();
            Reader.FLoading.clear();
            Reader.FFixups.clear();
        }
    } finish{*this};
    FFixups.clear();
    // The pictures of everything read here share one bound, however many there are.
    const TPictureBudget pictures;
    Component->BeginLoading();
    FLoading.push_back(Component);
    ReadObject(Object, Component, 1);
    ResolveFixups();
}

void TFormTextReader::ReadObject(const TFormTextObject& Object, TComponent* Component, int Depth)
{
    if (Component->ClassName().compare(Object.ClassName, Qt::CaseInsensitive) != 0)
        Fail(Object.ClassPosition,
             QStringLiteral("the object is a %1 but a %2 is read here").arg(Object.ClassName, Component->ClassName()));
    if ((FReadName || Depth > 1) && !Object.Name.isEmpty() && Object.Name != Component->Name()) {
        try {
            Component->SetName(Object.Name);
        } catch (const Exception& E) {
            Fail(Object.Position, E.Message());
        }
    }
    ReadProperties(Object.Properties, *Component, Depth);

    for (const TFormTextObject& child : Object.Children) {
        TComponent* component = child.Name.isEmpty() || !FRoot ? nullptr : FRoot->FindComponent(child.Name);
        if (!component) {
            const TComponentFactory factory = FindComponentClass(child.ClassName);
            if (!factory) {
                Unknown(child.ClassPosition, QStringLiteral("unknown class %1").arg(child.ClassName));
                continue;
            }
            component = factory(FRoot);
            component->BeginLoading();
            FLoading.push_back(component);
        }
        component->SetParentComponent(Component);
        ReadObject(child, component, Depth + 1);
    }
}

void TFormTextReader::ReadProperties(std::span<const TFormTextProperty> Properties, TObject& Instance, int Depth)
{
    for (const TFormTextProperty& property : Properties)
        ReadProperty(property, Instance, Depth);
}

void TFormTextReader::ReadProperty(const TFormTextProperty& Property, TObject& Instance, int Depth)
{
    TObject* object = &Instance;
    const QStringView path(Property.Path);
    qsizetype start = 0;
    for (;;) {
        const qsizetype dot = path.indexOf(QLatin1Char('.'), start);
        const QStringView part = path.mid(start, dot < 0 ? -1 : dot - start);
        const TFormTextPosition at{Property.Position.Line, Property.Position.Column + int(start)};
        const TPropInfo* prop = FindProperty(*object, part);
        if (dot < 0) {
            if (prop) {
                try {
                    SetValue(*object, *prop, Property.Value, Depth);
                } catch (const EFormTextError&) {
                    throw;
                } catch (const Exception& E) {
                    Fail(Property.Value.Position, QStringLiteral("%1: %2").arg(Property.Path, E.Message()));
                }
                return;
            }
            if (auto* persistent = dynamic_cast<TPersistent*>(object)) {
                QList<TDefinedProperty> kinds;
                persistent->DefinedPropertyKinds(kinds);
                for (const TDefinedProperty& kind : kinds)
                    if (QStringView(kind.Name).compare(part, Qt::CaseInsensitive) == 0) {
                        try {
                            SetDefined(*persistent, kind, Property.Value);
                        } catch (const EFormTextError&) {
                            throw;
                        } catch (const Exception& E) {
                            Fail(Property.Value.Position, QStringLiteral("%1: %2").arg(Property.Path, E.Message()));
                        }
                        return;
                    }
            }
            Unknown(at, QStringLiteral("unknown property '%1' of %2").arg(part.toString(), object->ClassName()));
            return;
        }
        if (!prop) {
            Unknown(at, QStringLiteral("unknown property '%1' of %2").arg(part.toString(), object->ClassName()));
            return;
        }
        if (prop->Kind != TTypeKind::Class)
            Fail(at, QStringLiteral("property '%1' of %2 holds no object").arg(prop->Name, object->ClassName()));
        TObject* next = prop->GetObj(*object);
        if (!next)
            Fail(at, QStringLiteral("property '%1' of %2 holds no object").arg(prop->Name, object->ClassName()));
        if (const auto* component = dynamic_cast<const TComponent*>(next); component && !IsSubComponent(*object, component))
            Fail(at, QStringLiteral("property '%1' of %2 refers to another component, whose properties are not read here")
                         .arg(prop->Name, object->ClassName()));
        object = next;
        start = dot + 1;
    }
}

void TFormTextReader::SetValue(TObject& Instance, const TPropInfo& Prop, const TFormTextValue& Value, int Depth)
{
    const auto notSettable = [&] {
        Fail(Value.Position, QStringLiteral("property '%1' of %2 cannot be set").arg(Prop.Name, Instance.ClassName()));
    };
    if (Prop.ReadOnly && Prop.Kind != TTypeKind::Class)
        notSettable();
    switch (Prop.Kind) {
    case TTypeKind::Integer:
    case TTypeKind::Int64: {
        qint64 v = 0;
        if (Value.Kind == TFormTextValue::Integer) {
            v = Value.Int;
            if (v < Prop.MinValue || v > Prop.MaxValue)
                Fail(Value.Position, QStringLiteral("%1 is out of range for %2 (%3..%4)")
                                         .arg(QString::number(Value.Int), Prop.TypeName)
                                         .arg(Prop.MinValue)
                                         .arg(Prop.MaxValue));
        } else if (Value.Kind == TFormTextValue::Identifier && Prop.NameMap) {
            const std::optional<qint64> named = Prop.NameMap->ValueOf(QString::fromRawData(Value.Text.data(), Value.Text.size()));
            if (!named)
                Fail(Value.Position, QStringLiteral("'%1' is not a name of %2").arg(Value.Text, Prop.TypeName));
            v = *named;
        } else {
            WrongKind(Prop, Value);
        }
        if (!Prop.SetOrd)
            notSettable();
        Prop.SetOrd(Instance, v);
        return;
    }
    case TTypeKind::Enumeration: {
        if (Value.Kind != TFormTextValue::Identifier || !Prop.EnumInfo)
            WrongKind(Prop, Value);
        const int ordinal = EnumOrdinal(*Prop.EnumInfo, Value.Text);
        if (ordinal < 0) {
            if (IsBoolean(Prop))
                WrongKind(Prop, Value);
            Fail(Value.Position, QStringLiteral("'%1' is not a value of %2").arg(Value.Text, Prop.TypeName));
        }
        if (!Prop.SetOrd)
            notSettable();
        Prop.SetOrd(Instance, ordinal);
        return;
    }
    case TTypeKind::Set: {
        if (Value.Kind != TFormTextValue::Set || !Prop.EnumInfo)
            WrongKind(Prop, Value);
        quint64 mask = 0;
        for (const TFormTextValue& element : Value.Elements()) {
            const int ordinal = EnumOrdinal(*Prop.EnumInfo, element.Text);
            if (ordinal < 0 || ordinal >= 64)
                Fail(element.Position, QStringLiteral("'%1' is not an element of %2").arg(element.Text, Prop.TypeName));
            mask |= quint64(1) << ordinal;
        }
        if (!Prop.SetOrd)
            notSettable();
        Prop.SetOrd(Instance, qint64(mask));
        return;
    }
    case TTypeKind::String:
        if (Value.Kind != TFormTextValue::String)
            WrongKind(Prop, Value);
        if (!Prop.SetStr)
            notSettable();
        Prop.SetStr(Instance, OwnedText(Value.Text));
        return;
    case TTypeKind::Float:
        if (Value.Kind != TFormTextValue::Float && Value.Kind != TFormTextValue::Integer)
            WrongKind(Prop, Value);
        if (!Prop.SetFloat)
            notSettable();
        Prop.SetFloat(Instance, Value.Kind == TFormTextValue::Float ? Value.Real : double(Value.Int));
        return;
    case TTypeKind::Event:
        if (Value.Kind != TFormTextValue::Identifier || Value.Text.contains(QLatin1Char('.')))
            WrongKind(Prop, Value);
        if (!Prop.SetMethod)
            notSettable();
        if (Value.Text.compare(QLatin1String("nil"), Qt::CaseInsensitive) == 0)
            Prop.SetMethod(Instance, TMethodRef{});
        else
            Prop.SetMethod(Instance, TMethodRef{FRoot, Owned(Value.Text)});
        return;
    case TTypeKind::Class: {
        if (Value.Kind == TFormTextValue::Collection) {
            auto* collection = dynamic_cast<TCollection*>(Prop.GetObj(Instance));
            if (!collection)
                WrongKind(Prop, Value);
            ReadCollection(*collection, Value, Depth);
            return;
        }
        if (Value.Kind != TFormTextValue::Identifier || Prop.ReadOnly)
            WrongKind(Prop, Value);
        const TClassInfo* declared = Prop.PropertyClass();
        if (declared && !declared->InheritsFrom(TComponent::StaticClassInfo()))
            WrongKind(Prop, Value);
        if (!Prop.SetObj)
            notSettable();
        if (Value.Text.compare(QLatin1String("nil"), Qt::CaseInsensitive) == 0) {
            Prop.SetObj(Instance, nullptr);
            return;
        }
        // Resolved when the whole block is read: the component may stand further down.
        FFixups.push_back({&Instance, &Prop, Owned(Value.Text), Value.Position});
        return;
    }
    }
    WrongKind(Prop, Value);
}

void TFormTextReader::SetDefined(TPersistent& Instance, const TDefinedProperty& Kind, const TFormTextValue& Value)
{
    TDefinedProperty property{Kind.Name, Kind.Value};
    const auto wrong = [&](const char* Expected) {
        Fail(Value.Position, QStringLiteral("expected %1 for %2 but found %3")
                                 .arg(QLatin1String(Expected), Kind.Name, Value.Description()));
    };
    if (std::holds_alternative<qint64>(Kind.Value)) {
        if (Value.Kind != TFormTextValue::Integer)
            wrong("an integer");
        if (Value.Int < -2147483648LL || Value.Int > 2147483647LL)
            Fail(Value.Position, QStringLiteral("%1 is out of range for Integer").arg(Value.Int));
        property.Value = Value.Int;
    } else if (std::holds_alternative<QStringList>(Kind.Value)) {
        if (Value.Kind != TFormTextValue::List)
            wrong("a list of strings");
        QStringList lines;
        const std::span<const TFormTextValue> elements = Value.Elements();
        lines.reserve(qsizetype(elements.size()));
        for (const TFormTextValue& element : elements) {
            if (element.Kind != TFormTextValue::String)
                Fail(element.Position, QStringLiteral("expected a string in the list %1 but found %2")
                                           .arg(Kind.Name, element.Description()));
            lines.append(OwnedText(element.Text));
        }
        property.Value = std::move(lines);
    } else {
        if (Value.Kind != TFormTextValue::Binary)
            wrong("binary data");
        property.Value = *Value.Data;
    }
    Instance.ReadDefinedProperty(property);
}

void TFormTextReader::ReadCollection(TCollection& Collection, const TFormTextValue& Value, int Depth)
{
    // References waiting in items that are about to go would dangle.
    if (!FFixups.empty() && Collection.Count() > 0) {
        std::erase_if(FFixups, [&](const TFixup& F) {
            for (int i = 0; i < Collection.Count(); ++i)
                if (F.Instance == Collection.Items(i))
                    return true;
            return false;
        });
    }
    Collection.BeginUpdate();
    try {
        Collection.Clear();
        for (const TFormTextItem& item : Value.Items())
            ReadProperties(item.Properties, *Collection.Add(), Depth + 1);
    } catch (...) {
        Collection.EndUpdate();
        throw;
    }
    Collection.EndUpdate();
}

TComponent* TFormTextReader::Resolve(const QString& Reference) const
{
    if (!FRoot)
        return nullptr;
    TComponent* component = nullptr;
    qsizetype start = 0;
    const QStringView reference(Reference);
    for (;;) {
        const qsizetype dot = reference.indexOf(QLatin1Char('.'), start);
        const QStringView part = reference.mid(start, dot < 0 ? -1 : dot - start);
        if (!component) {
            if (part.compare(QLatin1String("Owner"), Qt::CaseInsensitive) == 0
                || QStringView(FRoot->Name()).compare(part, Qt::CaseInsensitive) == 0)
                component = FRoot;
            else
                component = FRoot->FindComponent(part.toString());
        } else {
            component = component->FindComponent(part.toString());
        }
        if (!component || dot < 0)
            return component;
        start = dot + 1;
    }
}

void TFormTextReader::ResolveFixups()
{
    std::vector<TFixup> fixups;
    fixups.swap(FFixups);
    for (const TFixup& fixup : fixups) {
        TComponent* component = Resolve(fixup.Reference);
        if (!component) {
            Unknown(fixup.Position, QStringLiteral("unknown component '%1'").arg(fixup.Reference));
            continue;
        }
        try {
            fixup.Prop->SetObj(*fixup.Instance, component);
        } catch (const Exception& E) {
            Fail(fixup.Position, QStringLiteral("%1: %2").arg(fixup.Prop->Name, E.Message()));
        }
    }
}

void ReadComponentFormText(const QByteArray& Text, TComponent* Component, TComponent* Root)
{
    const TFormTextDocument document = ParseFormText(Text);
    if (!Root)
        Root = Component->Owner() ? Component->Owner() : Component;
    TFormTextReader reader(Root);
    reader.ReadComponent(document.Objects.front(), Component);
}
