#pragma once
// Colouring of form text (object blocks): key words, property names, strings, numbers and
// punctuation.

#include <Qsci/qscilexercustom.h>

class TFormTextLexer : public QsciLexerCustom {
    Q_OBJECT
public:
    enum Style { Default = 0, Keyword = 1, Property = 2, String = 3, Number = 4, Symbol = 5, ClassName = 6 };

    explicit TFormTextLexer(QObject* Parent = nullptr);
    const char* language() const override { return "Form text"; }
    QString description(int style) const override;
    QColor defaultColor(int style) const override;
    QFont defaultFont(int style) const override;
    void styleText(int start, int end) override;

    // The style of every byte of one UTF-8 line (exposed for tests).
    static QList<int> StyleLine(const QByteArray& Line);
};
