#pragma once
// The code views of the main window: a syntax-colouring editor for Object Pascal, form text or C++,
// with a fixed-pitch font, no gutter, no margin line and no folding. The user may edit it.

#include <Qsci/qsciscintilla.h>

enum class TCodeLanguage { ObjectPascal, FormText, Cpp };

class TCodeView : public QsciScintilla {
    Q_OBJECT
public:
    explicit TCodeView(TCodeLanguage Language, QWidget* Parent = nullptr);
    // The whole text as one string; an empty view reads as empty.
    QString Text() const { return text(); }
    void SetText(const QString& Value);
    TCodeLanguage Language() const { return FLanguage; }
    // The colouring of the view's language (attached once the view has been shown).
    QsciLexer* Lexer() const { return FLexer; }

protected:
    void showEvent(QShowEvent* Event) override;

private:
    TCodeLanguage FLanguage;
    // Attached when the view is first shown: colouring setup is not paid at start-up for the
    // pages that are not showing.
    QsciLexer* FLexer = nullptr;
};
