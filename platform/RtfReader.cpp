#include "RtfReader.h"

#include <QColor>
#include <QList>
#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <optional>

namespace {

// Deeper groups than this are read as if they were not groups (their text still shows).
constexpr int MaxDepth = 1024;

struct GroupState {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    int HalfPoints = 24;
    int ColorIndex = 0;
    int UnicodeSkip = 1; // \ucN: characters that stand in for each \uN
    bool Skip = false;   // inside a destination that shows nothing
    bool ColorTable = false;
};

// The characters 0x80..0x9F of Windows code page 1252; the rest of the page is Latin-1.
constexpr char16_t Cp1252High[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                     0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

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
                Push();
            } else if (c == '}') {
                ++FPos;
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
        Flush();
        FCursor.endEditBlock();
    }

private:
    GroupState& State() { return FStack.last(); }

    void Push()
    {
        if (FDepth >= MaxDepth) {
            ++FExtraDepth;
            return;
        }
        FStack.append(FStack.last());
        ++FDepth;
        FDestinationStart = true;
        FSkipPending = 0;
    }

    void Pop()
    {
        FSkipPending = 0;
        if (FExtraDepth > 0) {
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

    static bool SameFormat(const GroupState& A, const GroupState& B)
    {
        return A.Bold == B.Bold && A.Italic == B.Italic && A.Underline == B.Underline &&
               A.HalfPoints == B.HalfPoints && A.ColorIndex == B.ColorIndex;
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
                    State().Skip = true;
                return;
            case '\\':
            case '{':
            case '}':
                Char(QChar(QLatin1Char(c)));
                return;
            case '~':
                Char(QChar(0x00A0));
                return;
            case '_':
                Char(QChar(0x2011));
                return;
            case '\r':
            case '\n':
                Paragraph();
                return;
            default:
                if (!ConsumeSkip())
                    return; // \- and other symbols show nothing
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
        GroupState& s = State();
        if (W == "bin") {
            // Binary data of the given length; never shown.
            const qint64 length = qMax(0, Param.value_or(0));
            FPos = qMin<qint64>(FData.size(), FPos + length);
            return;
        }
        if (First && (W == "fonttbl" || W == "stylesheet" || W == "info" || W == "pict" || W == "header" ||
                      W == "footer" || W == "headerl" || W == "headerr" || W == "footerl" || W == "footerr" ||
                      W == "object" || W == "filetbl" || W == "listtable" || W == "listoverridetable" ||
                      W == "revtbl" || W == "rsidtbl" || W == "generator" || W == "xmlnstbl")) {
            s.Skip = true;
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
            FDecoder.reset();
            return;
        }
        if (W == "u") {
            if (!Param)
                return; // no character number: nothing to show
            int code = *Param;
            if (code < 0)
                code += 65536;
            if (!s.Skip)
                Char(QChar(char16_t(code)));
            FSkipPending = s.UnicodeSkip;
            return;
        }
        if (W == "uc") {
            s.UnicodeSkip = qBound(0, Param.value_or(1), 16);
            return;
        }
        if (ConsumeSkip())
            return;
        if (s.Skip)
            return;
        const bool on = Param.value_or(1) != 0;
        if (W == "par") {
            Paragraph();
        } else if (W == "line") {
            Char(QChar(QChar::LineSeparator));
        } else if (W == "tab") {
            Char(QChar(u'\t'));
        } else if (W == "b") {
            SetFormat([&] { s.Bold = on; });
        } else if (W == "i") {
            SetFormat([&] { s.Italic = on; });
        } else if (W == "ul") {
            SetFormat([&] { s.Underline = on; });
        } else if (W == "ulnone") {
            SetFormat([&] { s.Underline = false; });
        } else if (W == "plain") {
            SetFormat([&] {
                s.Bold = s.Italic = s.Underline = false;
                s.HalfPoints = 24;
                s.ColorIndex = 0;
            });
        } else if (W == "fs") {
            SetFormat([&] { s.HalfPoints = qBound(2, Param.value_or(24), 3276); });
        } else if (W == "cf") {
            SetFormat([&] { s.ColorIndex = qMax(0, Param.value_or(0)); });
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

    template <typename F>
    void SetFormat(F Change)
    {
        Change();
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
        if (State().ColorTable) {
            if (B == ';')
                FinishColorTableEntry(true);
            return;
        }
        if (ConsumeSkip() || State().Skip)
            return;
        if (B < 0x20 && B != '\t')
            return; // junk
        if (B < 0x80) {
            Char(QChar(B));
        } else if (FCodePage == 1252 || FCodePage == 0) {
            Char(B < 0xA0 ? QChar(Cp1252High[B - 0x80]) : QChar(B));
        } else {
            if (!FDecoder)
                FDecoder.emplace(QStringLiteral("windows-%1").arg(FCodePage).toLatin1().constData());
            const QString s = FDecoder->isValid() ? FDecoder->decode(QByteArrayView(reinterpret_cast<const char*>(&B), 1))
                                                  : QString(QChar(B < 0xA0 ? Cp1252High[B - 0x80] : B));
            for (QChar c : s)
                Char(c);
        }
    }

    void Char(QChar C)
    {
        const GroupState& s = State();
        if (s.Skip)
            return;
        if (!FText.isEmpty() && !SameFormat(s, FFormatOfText))
            Flush();
        if (FText.isEmpty())
            FFormatOfText = s;
        FText += C;
    }

    void Paragraph()
    {
        if (State().Skip)
            return;
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
        if (s.ColorIndex > 0 && s.ColorIndex < FColors.size() && FColors[s.ColorIndex].isValid())
            format.setForeground(FColors[s.ColorIndex]);
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
    bool FDestinationStart = false;
    int FSkipPending = 0;
    int FCodePage = 1252;
    std::optional<QStringDecoder> FDecoder;
    QList<QColor> FColors;
    PendingColor FPendingColor;
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
