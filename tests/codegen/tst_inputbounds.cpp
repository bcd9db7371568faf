// Form text with a binary block of 100 MB: the creation code passes over it with a placeholder,
// within a stated memory bound.

#include "../common/PeakMemory.h"

#include "ComponentCreate.h"
#include "StringList.h"
#include "VxDialog.h"

#include <QTest>

class tst_InputBounds : public QObject {
    Q_OBJECT

private slots:
    void hundredMegabyteBinaryBlock()
    {
        // 64 bytes a line as the writer lays them out; the lines share one string, so the test's
        // own input costs little and the bound speaks of the generator.
        const QString line = QStringLiteral("    ") + QStringLiteral("0123456789ABCDEF").repeated(8);
        const int lines = (100 << 20) / 64;
        QStringList text;
        text.reserve(lines + 5);
        text << QStringLiteral("object VxDialog1: TVxDialog") << QStringLiteral("  Glyph.Data = {");
        for (int i = 0; i < lines; ++i)
            text << line;
        text.last() += QLatin1Char('}');
        text << QStringLiteral("  Title = 'After'") << QStringLiteral("end");

        TVxDialog dialog;
        dialog.SetName(QStringLiteral("VxDialog1"));
        peakmemory::Reset();
        TComponentCreate generator;
        generator.AsCodeFromFormText(&dialog, text, {ccUseFree, ccBinaryComment});
        const QStringList code = generator.Code()->Lines();
        QVERIFY(code.contains(QStringLiteral("    VxDialog1.Title := 'After';")));
        QVERIFY(code.size() < 100);
        qInfo("form text with a 100 MB binary block: peak %lld MiB", peakmemory::PeakMiB());
        QVERIFY(peakmemory::PeakWithin(1024));
    }
};

QTEST_MAIN(tst_InputBounds)
#include "tst_inputbounds.moc"
