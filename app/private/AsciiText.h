#pragma once
// Name comparison that folds only the ASCII letters, as the designer compares icon names.

#include <QString>

inline bool AsciiSameText(const QString& A, const QString& B)
{
    if (A.size() != B.size())
        return false;
    for (qsizetype i = 0; i < A.size(); ++i) {
        char16_t a = A[i].unicode(), b = B[i].unicode();
        if (a >= u'a' && a <= u'z')
            a = char16_t(a - 32);
        if (b >= u'a' && b <= u'z')
            b = char16_t(b - 32);
        if (a != b)
            return false;
    }
    return true;
}
