#include "CodeView.h"

#include "DesignerFonts.h"
#include "TextContrast.h"
#include "private/FormTextLexer.h"

#include <Qsci/qscilexercpp.h>
#include <Qsci/qscilexerpascal.h>

TCodeView::TCodeView(TCodeLanguage Language, QWidget* Parent) : QsciScintilla(Parent), FLanguage(Language)
{
    const QFont font = DesignerFixedFont(QStringLiteral("Courier New"), 13);
    QsciLexer* lexer = nullptr;
    if (Language == TCodeLanguage::ObjectPascal)
        lexer = new QsciLexerPascal(this);
    else if (Language == TCodeLanguage::Cpp)
        lexer = new QsciLexerCPP(this);
    else
        lexer = new TFormTextLexer(this);
    lexer->setDefaultFont(font);
    lexer->setFont(font, -1);
    if (auto* pascal = qobject_cast<QsciLexerPascal*>(lexer)) {
        QFont bold = font;
        bold.setBold(true);
        pascal->setFont(bold, QsciLexerPascal::Keyword);
        pascal->setFoldComments(false);
        pascal->setFoldCompact(false);
        pascal->setFoldPreprocessor(false);
    } else if (auto* cpp = qobject_cast<QsciLexerCPP*>(lexer)) {
        QFont bold = font;
        bold.setBold(true);
        cpp->setFont(bold, QsciLexerCPP::Keyword);
        cpp->setFoldComments(false);
        cpp->setFoldCompact(false);
        cpp->setFoldPreprocessor(false);
    } else {
        QFont bold = font;
        bold.setBold(true);
        lexer->setFont(bold, TFormTextLexer::Keyword);
    }
    FLexer = lexer;
    if (PaletteIsDark()) {
        // The lexers' colours were chosen for a white page: a dark desktop gets its own page,
        // and each colour moves towards white until it reads there.
        const QPalette& pal = palette();
        const QColor base = pal.color(QPalette::Base);
        lexer->setDefaultPaper(base);
        lexer->setPaper(base, -1);
        lexer->setDefaultColor(pal.color(QPalette::Text));
        for (int style = 0; style <= QsciScintillaBase::STYLE_MAX; ++style)
            if (!lexer->description(style).isEmpty())
                lexer->setColor(ReadableOn(lexer->color(style), base), style);
        setCaretForegroundColor(pal.color(QPalette::Text));
        setSelectionBackgroundColor(pal.color(QPalette::Highlight));
        setSelectionForegroundColor(pal.color(QPalette::HighlightedText));
    }
    setFont(font);
    setUtf8(true);
    setEolMode(EolUnix);

    // No gutter, no margin line, no folding, no border.
    for (int margin = 0; margin < 5; ++margin)
        setMarginWidth(margin, 0);
    setMarginLineNumbers(0, false);
    setEdgeMode(EdgeNone);
    setFolding(NoFoldStyle);
    setFrameShape(QFrame::NoFrame);
    setReadOnly(false);
    setWrapMode(WrapNone);
    setCaretLineVisible(false);
    SendScintilla(SCI_SETSCROLLWIDTH, 1);
    SendScintilla(SCI_SETSCROLLWIDTHTRACKING, 1);
}

void TCodeView::showEvent(QShowEvent* Event)
{
    if (lexer() != FLexer)
        setLexer(FLexer);
    QsciScintilla::showEvent(Event);
}

void TCodeView::SetText(const QString& Value)
{
    setText(Value);
}
