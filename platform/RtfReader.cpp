#include "RtfReader.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <utility>

namespace {

// Deeper groups than this keep no state of their own: their text shows in the format of the
// group at the limit, their formatting words are ignored, and a destination that starts one of
// them is skipped until it closes. So nothing leaks out of them, and memory stays bounded.
constexpr int MaxDepth = 1024;

struct GroupState {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Hidden = false; // \v
    int HalfPoints = 24;
    int ColorIndex = 0;
    int Script = 0;      // 1 superscript, -1 subscript
    int Font = -1;       // -1: the document's default font
    int UnicodeSkip = 1; // \ucN: characters that stand in for each \uN
    bool Skip = false;   // inside a destination that shows nothing
    bool ColorTable = false;
    bool FontTable = false;
    int Field = -1;                // the \field this group belongs to
    bool FieldInstruction = false; // collecting the field's instruction text
    bool Upr = false;              // \upr: an 8-bit text and its Unicode twin (\*\ud) follow
    QString Link;                  // the address of the hyperlink field whose result this is
};

// The characters 0x80..0x9F of Windows code page 1252; the rest of the page is Latin-1.
constexpr char16_t Cp1252High[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                     0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

// The code page of a font character set (\fcharsetN); 0 for "the document's code page".
int CharsetCodePage(int Charset)
{
    switch (Charset) {
    case 0: return 1252; // Western; only DEFAULT_CHARSET (1) follows the document
    case 77: return 10000;
    case 78: return 10001;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return 437;
    case 255: return 850;
    default: return 0; // default, symbol and the rest: the document's code page
    }
}

// Destinations whose text is not part of the body: tables of the document, pictures and
// objects, headers and footers, footnotes, index and table-of-contents entries, the text that
// stands in for nested tables in readers without them.
bool IsHiddenDestination(const QByteArray& W)
{
    static const QList<QByteArray> words{
        "stylesheet", "info",     "pict",     "object",  "filetbl", "listtable", "listoverridetable", "revtbl",
        "rsidtbl",    "generator", "xmlnstbl", "header", "footer",  "headerl",   "headerr",           "headerf",
        "footerl",    "footerr",   "footerf",  "footnote", "tc",    "tcn",       "xe",                "nonesttables",
        "datafield",  "themedata", "colorschememapping", "latentstyles", "pgdsctbl", "bkmkstart", "bkmkend"};
    return words.contains(W);
}

// Words that change the group's state; groups past the depth limit ignore them.
bool IsStateWord(const QByteArray& W)
{
    static const QList<QByteArray> words{"b",     "i",   "ul",  "ulnone", "plain", "fs",        "cf",    "f",
                                         "uc",    "v",   "super", "sub",  "nosupersub", "field", "fldinst", "fldrslt", "upr", "ud",
                                         "fonttbl", "colortbl"};
    return words.contains(W);
}

// The address of a HYPERLINK field instruction ('HYPERLINK "address"', '\l "anchor"' for a
// place in the document), or empty for other fields.
QString HyperlinkAddress(const QString& Instruction)
{
    const QString text = Instruction.trimmed();
    if (!text.startsWith(QLatin1String("HYPERLINK"), Qt::CaseInsensitive))
        return {};
    QStringList arguments;
    for (qsizetype i = 9; i < text.size();) {
        if (text.at(i).isSpace()) {
            ++i;
            continue;
        }
        QString argument;
        if (text.at(i) == u'"') {
            for (++i; i < text.size() && text.at(i) != u'"'; ++i) {
                if (text.at(i) == u'\\' && i + 1 < text.size() && (text.at(i + 1) == u'\\' || text.at(i + 1) == u'"'))
                    ++i; // field codes escape backslashes and quotes
                argument += text.at(i);
            }
            ++i;
            arguments << argument;
        } else {
            while (i < text.size() && !text.at(i).isSpace())
                argument += text.at(i++);
            arguments << argument;
        }
    }
    QString address, anchor;
    for (qsizetype k = 0; k < arguments.size(); ++k) {
        const QString& a = arguments.at(k);
        if (a == QLatin1String("\\l") && k + 1 < arguments.size())
            anchor = arguments.at(++k);
        else if ((a == QLatin1String("\\o") || a == QLatin1String("\\t")) && k + 1 < arguments.size())
            ++k; // tool tip, target frame
        else if (!a.startsWith(u'\\') && address.isEmpty())
            address = a;
    }
    if (!anchor.isEmpty())
        address += u'#' + anchor;
    return address;
}

// Whether Bytes end with the lead byte of a double-byte character whose trail byte is missing.
bool EndsInsideCharacter(const QByteArray& Bytes, int CodePage)
{
    auto lead = [&](uchar B) {
        switch (CodePage) {
        case 932: return (B >= 0x81 && B <= 0x9F) || (B >= 0xE0 && B <= 0xFC);
        case 936:
        case 949:
        case 950: return B >= 0x81 && B <= 0xFE;
        case 1361: return (B >= 0x84 && B <= 0xD3) || (B >= 0xD8 && B <= 0xF9);
        default: return false;
        }
    };
    qsizetype i = 0;
    while (i < Bytes.size())
        i += lead(uchar(Bytes.at(i))) ? 2 : 1;
    return i > Bytes.size();
}

class Reader {
public:
    Reader(const QByteArray& Data, QTextDocument& Document) : FData(Data), FCursor(&Document) {}

    void Run()
    {
        FCursor.document()->clear();
        FCursor = QTextCursor(FCursor.document());
        FCursor.beginEditBlock();
        const qsizetype n = FData.size();
        while (FPos < n) {
            const char c = FData.at(FPos);
            if (c == '{') {
                ++FPos;
                FlushBytes();
                Push();
            } else if (c == '}') {
                ++FPos;
                FlushBytes();
                Pop();
            } else if (c == '\\') {
                ControlWord();
            } else if (c == '\r' || c == '\n') {
                ++FPos;
            } else {
                ++FPos;
                Byte(uchar(c));
            }
        }
        FlushBytes();
        Flush();
        FCursor.endEditBlock();
    }

private:
    GroupState& State() { return FStack.last(); }
    bool Deep() const { return FExtraDepth > 0; }

    void Push()
    {
        FDestinationStart = true;
        FSkipPending = 0;
        if (FDepth >= MaxDepth) {
            ++FExtraDepth;
            return;
        }
        FStack.append(FStack.last());
        ++FDepth;
        GroupState& s = FStack.last();
        if (s.Upr) {
            // Inside \upr only the Unicode twin is read; \ud below makes it visible again.
            s.Upr = false;
            s.Skip = true;
        }
    }

    void Pop()
    {
        FSkipPending = 0;
        if (FExtraDepth > 0) {
            if (FDeepSkipFrom == FExtraDepth)
                FDeepSkipFrom = 0;
            --FExtraDepth;
            return;
        }
        if (FDepth == 0)
            return; // a closing brace too many
        if (State().ColorTable)
            FinishColorTableEntry(false);
        FStack.removeLast();
        --FDepth;
    }

    // A destination that shows nothing starts here.
    void SkipDestination()
    {
        if (Deep()) {
            if (FDeepSkipFrom == 0)
                FDeepSkipFrom = FExtraDepth;
        } else {
            State().Skip = true;
        }
    }

    static bool SameFormat(const GroupState& A, const GroupState& B)
    {
        return A.Bold == B.Bold && A.Italic == B.Italic && A.Underline == B.Underline &&
               A.HalfPoints == B.HalfPoints && A.ColorIndex == B.ColorIndex && A.Script == B.Script &&
               A.Link == B.Link;
    }

    // A control word, control symbol or "\'hh" escape at FPos.
    void ControlWord()
    {
        const qsizetype n = FData.size();
        ++FPos; // the backslash
        if (FPos >= n)
            return;
        const char c = FData.at(FPos);
        const bool first = FDestinationStart;
        FDestinationStart = false;
        if (c != '\'')
            FlushBytes(); // bytes of a multi-byte character may come in several escapes
        if (!IsLetter(c)) {
            ++FPos;
            switch (c) {
            case '\'': {
                const int hi = FPos < n ? HexValue(FData.at(FPos)) : -1;
                const int lo = FPos + 1 < n ? HexValue(FData.at(FPos + 1)) : -1;
                if (hi < 0 || lo < 0) {
                    FPos = qMin(n, FPos + (hi < 0 ? 0 : 1));
                    return; // a truncated escape stands for nothing
                }
                FPos += 2;
                Byte(uchar(hi * 16 + lo));
                return;
            }
            case '*':
                if (first)
                    SkipDestination();
                return;
            case '\\':
            case '{':
            case '}':
                if (!ConsumeSkip())
                    Char(QChar(QLatin1Char(c)));
                return;
            case '~':
                if (!ConsumeSkip())
                    Char(QChar(0x00A0));
                return;
            case '_':
                if (!ConsumeSkip())
                    Char(QChar(0x2011));
                return;
            case '\r':
            case '\n':
                Paragraph();
                return;
            default:
                ConsumeSkip(); // \- and other symbols show nothing
                return;
            }
        }
        const qsizetype start = FPos;
        while (FPos < n && IsLetter(FData.at(FPos)) && FPos - start < 32)
            ++FPos;
        const QByteArray word = FData.mid(start, FPos - start);
        std::optional<int> param;
        if (FPos < n && (FData.at(FPos) == '-' || IsDigit(FData.at(FPos)))) {
            const bool negative = FData.at(FPos) == '-';
            if (negative)
                ++FPos;
            qint64 value = 0;
            int digits = 0;
            while (FPos < n && IsDigit(FData.at(FPos))) {
                if (digits < 10)
                    value = value * 10 + (FData.at(FPos) - '0');
                ++digits;
                ++FPos;
            }
            value = std::clamp<qint64>(negative ? -value : value, -2147483647, 2147483647);
            param = int(value);
        }
        if (FPos < n && FData.at(FPos) == ' ')
            ++FPos;
        Word(word, param, first);
    }

    void Word(const QByteArray& W, std::optional<int> Param, bool First)
    {
        if (W == "bin") {
            // Binary data of the given length; never shown.
            const qint64 length = qMax(0, Param.value_or(0));
            FPos = qMin<qint64>(FData.size(), FPos + length);
            return;
        }
        if (First && IsHiddenDestination(W)) {
            SkipDestination();
            return;
        }
        if (Deep()) {
            if (First && (W == "fonttbl" || W == "colortbl" || W == "fldinst")) {
                SkipDestination();
                return;
            }
            if (IsStateWord(W))
                return;
        }
        GroupState& s = State();
        if (First && W == "fonttbl") {
            s.Skip = true;
            s.FontTable = true;
            return;
        }
        if (s.FontTable) {
            FontTableWord(W, Param);
            return;
        }
        if (First && W == "colortbl") {
            s.Skip = true;
            s.ColorTable = true;
            FColors.clear();
            FPendingColor = {};
            return;
        }
        if (s.ColorTable) {
            if (W == "red")
                FPendingColor.Red = Param.value_or(0);
            else if (W == "green")
                FPendingColor.Green = Param.value_or(0);
            else if (W == "blue")
                FPendingColor.Blue = Param.value_or(0);
            FPendingColor.Set = true;
            return;
        }
        if (W == "ansicpg") {
            FCodePage = Param.value_or(1252);
            return;
        }
        if (W == "ansi" || W == "mac" || W == "pc" || W == "pca") {
            FCodePage = W == "ansi" ? 1252 : W == "mac" ? 10000 : W == "pc" ? 437 : 850;
            return;
        }
        if (W == "deff") {
            FDefaultFont = Param.value_or(0);
            return;
        }
        if (W == "u") {
            if (!Param)
                return; // no character number: nothing to show
            int code = *Param;
            if (code < 0)
                code += 65536;
            Char(QChar(char16_t(code)));
            FSkipPending = s.UnicodeSkip;
            return;
        }
        if (W == "uc") {
            s.UnicodeSkip = qBound(0, Param.value_or(1), 16);
            return;
        }
        if (W == "upr") {
            s.Upr = true;
            return;
        }
        if (W == "ud") {
            if (FStack.size() >= 2 && FStack.at(FStack.size() - 2).Upr)
                s.Skip = FStack.at(FStack.size() - 2).Skip; // as visible as the \upr group itself
            return;
        }
        if (ConsumeSkip())
            return;
        if (W == "field") {
            s.Field = int(FFields.size());
            FFields.append(QString());
            return;
        }
        if (W == "fldinst") {
            s.Skip = true;
            s.FieldInstruction = s.Field >= 0;
            return;
        }
        if (W == "fldrslt") {
            if (s.Field >= 0)
                s.Link = HyperlinkAddress(FFields.at(s.Field));
            return;
        }
        if (s.Skip)
            return;
        const bool on = Param.value_or(1) != 0;
        if (W == "par") {
            Paragraph();
        } else if (W == "page" || W == "sect") {
            // Breaks end the paragraph they are in; between paragraphs they add no empty one.
            if (!FText.isEmpty() || FCursor.block().length() > 1)
                Paragraph();
        } else if (W == "line") {
            Char(QChar(QChar::LineSeparator));
        } else if (W == "tab") {
            Char(QChar(u'\t'));
        } else if (W == "intbl") {
            FInTable = true;
        } else if (W == "pard") {
            FInTable = false;
        } else if (W == "cell" || W == "nestcell") {
            // The cell ends; the next text of the row starts after a tab.
            FBreakInCell = false;
            ++FCellsEnded;
        } else if (W == "row") {
            FInTable = false;
            FCellsEnded = 0;
            FBreakInCell = false;
            Paragraph();
        } else if (W == "chftn") {
            Text(QString::number(++FFootnotes)); // the footnote's mark; its text is elsewhere
        } else if (W == "b") {
            s.Bold = on;
        } else if (W == "i") {
            s.Italic = on;
        } else if (W == "ul") {
            s.Underline = on;
        } else if (W == "ulnone") {
            s.Underline = false;
        } else if (W == "v") {
            s.Hidden = on;
        } else if (W == "super") {
            s.Script = 1;
        } else if (W == "sub") {
            s.Script = -1;
        } else if (W == "nosupersub") {
            s.Script = 0;
        } else if (W == "plain") {
            s.Bold = s.Italic = s.Underline = s.Hidden = false;
            s.HalfPoints = 24;
            s.ColorIndex = 0;
            s.Script = 0;
            s.Font = -1;
        } else if (W == "f") {
            s.Font = qMax(0, Param.value_or(0));
        } else if (W == "fs") {
            s.HalfPoints = qBound(2, Param.value_or(24), 3276);
        } else if (W == "cf") {
            s.ColorIndex = qMax(0, Param.value_or(0));
        } else if (W == "emdash") {
            Char(QChar(0x2014));
        } else if (W == "endash") {
            Char(QChar(0x2013));
        } else if (W == "bullet") {
            Char(QChar(0x2022));
        } else if (W == "lquote") {
            Char(QChar(0x2018));
        } else if (W == "rquote") {
            Char(QChar(0x2019));
        } else if (W == "ldblquote") {
            Char(QChar(0x201C));
        } else if (W == "rdblquote") {
            Char(QChar(0x201D));
        }
    }

    // \fN starts a font's entry; its \fcharsetN or \cpgN says how its bytes read.
    void FontTableWord(const QByteArray& W, std::optional<int> Param)
    {
        if (W == "f") {
            FFontEntry = Param.value_or(0);
        } else if (W == "fcharset" && FFontEntry >= 0) {
            const int codePage = CharsetCodePage(Param.value_or(0));
            if (!FFontCodePages.contains(FFontEntry) || codePage != 0)
                FFontCodePages.insert(FFontEntry, codePage);
        } else if (W == "cpg" && FFontEntry >= 0 && Param.value_or(0) > 0) {
            FFontCodePages.insert(FFontEntry, *Param);
        }
    }

    // Characters that follow \uN as its stand-ins are dropped.
    bool ConsumeSkip()
    {
        if (FSkipPending <= 0)
            return false;
        --FSkipPending;
        return true;
    }

    void Byte(uchar B)
    {
        GroupState& s = State();
        if (s.ColorTable) {
            if (B == ';')
                FinishColorTableEntry(true);
            return;
        }
        if (s.FontTable) {
            if (B == ';')
                FFontEntry = -1;
            return;
        }
        if (ConsumeSkip() || (s.Skip && !s.FieldInstruction) || FDeepSkipFrom > 0)
            return;
        if (B < 0x20 && B != '\t')
            return; // junk
        const int codePage = CodePage();
        if (!FBytes.isEmpty() && codePage != FBytesCodePage)
            FlushBytes();
        FBytesCodePage = codePage;
        FBytes.append(char(B));
    }

    // The code page of the current font, or the document's.
    int CodePage() const
    {
        const int font = FStack.last().Font >= 0 ? FStack.last().Font : FDefaultFont;
        const int codePage = FFontCodePages.value(font, 0);
        return codePage != 0 ? codePage : FCodePage;
    }

    QStringDecoder* Decoder(int CodePage)
    {
        auto it = FDecoders.find(CodePage);
        if (it == FDecoders.end()) {
            std::unique_ptr<QStringDecoder> decoder;
            const QString names[] = {QStringLiteral("windows-%1").arg(CodePage), QStringLiteral("cp%1").arg(CodePage),
                                     QStringLiteral("ibm-%1").arg(CodePage),
                                     CodePage == 10000 ? QStringLiteral("macintosh") : QString(),
                                     CodePage == 1361 ? QStringLiteral("johab") : QString()};
            for (const QString& name : names) {
                if (name.isEmpty())
                    continue;
                auto candidate = std::make_unique<QStringDecoder>(name.toLatin1().constData(),
                                                                  QStringConverter::Flag::Stateless);
                if (candidate->isValid()) {
                    decoder = std::move(candidate);
                    break;
                }
            }
            it = FDecoders.emplace(CodePage, std::move(decoder)).first;
        }
        return it->second.get();
    }

    // Text bytes are collected until something else comes, so that a character of a multi-byte
    // code page whose bytes come in separate escapes decodes whole.
    void FlushBytes()
    {
        if (FBytes.isEmpty())
            return;
        const QByteArray bytes = std::exchange(FBytes, {});
        QString text;
        QStringDecoder* decoder = (FBytesCodePage == 1252 || FBytesCodePage == 0) ? nullptr : Decoder(FBytesCodePage);
        if (decoder) {
            text = decoder->decode(bytes);
            if (EndsInsideCharacter(bytes, FBytesCodePage))
                text += QChar(QChar::ReplacementCharacter); // the decoder keeps a lone lead byte to itself
        } else {
            text.reserve(bytes.size());
            for (char b : bytes) {
                const uchar u = uchar(b);
                text += (u >= 0x80 && u < 0xA0) ? QChar(Cp1252High[u - 0x80]) : QChar(u);
            }
        }
        Text(text);
    }

    void Text(const QString& T)
    {
        for (QChar c : T)
            Char(c);
    }

    void Char(QChar C)
    {
        const GroupState& s = State();
        if (s.FieldInstruction && s.Field >= 0) {
            if (FFields[s.Field].size() < 4096)
                FFields[s.Field] += C;
            return;
        }
        if (s.Skip || s.Hidden || FDeepSkipFrom > 0)
            return;
        if (FCellsEnded > 0 || FBreakInCell) {
            const QString separators = FBreakInCell ? QString(QChar(QChar::LineSeparator)) : QString(FCellsEnded, u'\t');
            FCellsEnded = 0;
            FBreakInCell = false;
            for (QChar separator : separators)
                Append(separator, s);
        }
        Append(C, s);
    }

    void Append(QChar C, const GroupState& S)
    {
        if (!FText.isEmpty() && !SameFormat(S, FFormatOfText))
            Flush();
        if (FText.isEmpty())
            FFormatOfText = S;
        FText += C;
    }

    void Paragraph()
    {
        if (State().Skip || FDeepSkipFrom > 0)
            return;
        if (FInTable) {
            // A paragraph inside a cell: a line break if more text of the cell follows.
            FBreakInCell = FCellsEnded == 0;
            return;
        }
        FCellsEnded = 0;
        FBreakInCell = false;
        Flush();
        FCursor.insertBlock();
    }

    void Flush()
    {
        if (FText.isEmpty())
            return;
        const GroupState& s = FFormatOfText;
        QTextCharFormat format;
        format.setFontWeight(s.Bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(s.Italic);
        format.setFontUnderline(s.Underline);
        format.setFontPointSize(s.HalfPoints / 2.0);
        if (s.Script != 0)
            format.setVerticalAlignment(s.Script > 0 ? QTextCharFormat::AlignSuperScript
                                                     : QTextCharFormat::AlignSubScript);
        if (s.ColorIndex > 0 && s.ColorIndex < FColors.size() && FColors[s.ColorIndex].isValid())
            format.setForeground(FColors[s.ColorIndex]);
        if (!s.Link.isEmpty()) {
            format.setAnchor(true);
            format.setAnchorHref(s.Link);
        }
        FCursor.insertText(FText, format);
        FText.clear();
    }

    void FinishColorTableEntry(bool Always)
    {
        if (!Always && !FPendingColor.Set)
            return;
        FColors.append(FPendingColor.Set ? QColor(qBound(0, FPendingColor.Red, 255), qBound(0, FPendingColor.Green, 255),
                                                  qBound(0, FPendingColor.Blue, 255))
                                         : QColor()); // "auto"
        FPendingColor = {};
    }

    static bool IsLetter(char C) { return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z'); }
    static bool IsDigit(char C) { return C >= '0' && C <= '9'; }
    static int HexValue(char C)
    {
        if (C >= '0' && C <= '9')
            return C - '0';
        if (C >= 'a' && C <= 'f')
            return C - 'a' + 10;
        if (C >= 'A' && C <= 'F')
            return C - 'A' + 10;
        return -1;
    }

    struct PendingColor {
        int Red = 0, Green = 0, Blue = 0;
        bool Set = false;
    };

    const QByteArray& FData;
    QTextCursor FCursor;
    qsizetype FPos = 0;
    QList<GroupState> FStack{GroupState()};
    int FDepth = 0;
    int FExtraDepth = 0;
    int FDeepSkipFrom = 0; // past the depth limit: the extra depth of the skipped destination
    bool FDestinationStart = false;
    int FSkipPending = 0;
    int FCodePage = 1252;
    int FDefaultFont = 0;
    int FFontEntry = -1;
    QHash<int, int> FFontCodePages;
    std::map<int, std::unique_ptr<QStringDecoder>> FDecoders;
    QByteArray FBytes;
    int FBytesCodePage = 1252;
    QList<QColor> FColors;
    PendingColor FPendingColor;
    QList<QString> FFields;
    int FFootnotes = 0;
    bool FInTable = false;
    int FCellsEnded = 0;
    bool FBreakInCell = false;
    QString FText;
    // The format the collected text was written in: the state when the text began.
    GroupState FFormatOfText;
};

} // namespace

bool IsRtf(const QByteArray& Data)
{
    return Data.trimmed().startsWith("{\\rtf");
}

bool ReadRtf(const QByteArray& Data, QTextDocument& Document)
{
    if (!IsRtf(Data))
        return false;
    Reader reader(Data, Document);
    reader.Run();
    return true;
}
