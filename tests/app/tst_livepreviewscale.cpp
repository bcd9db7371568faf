// The live preview on a screen at scale 2: the picture's pixels meet the screen's one to one, so
// the pane starts at 200 % and the dialog shows at the size it runs at; 100 % shows what a screen
// at scale 1 would, half as large.
#include "DesignValues.h"
#include "LivePreview.h"

#include "support/OffscreenScreen.h"

#include <QApplication>
#include <QComboBox>
#include <QtTest>

class tst_livepreviewscale : public QObject {
    Q_OBJECT
private slots:
    void startsAtTheScreensScale();
};

void tst_livepreviewscale::startsAtTheScreensScale()
{
    TLivePreview preview;
    preview.resize(900, 700);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QCOMPARE(preview.devicePixelRatioF(), 2.0);
    QCOMPARE(preview.Look().Scale, 2.0);
    QCOMPARE(preview.ScaleBox->currentText(), QStringLiteral("200%"));

    TDesignValues values;
    values.Title = QStringLiteral("Scaled");
    values.Instruction = QStringLiteral("Replace the file?");
    preview.SetDesign(nullptr, values);
    preview.UpdateNow();
    const QImage picture = preview.Picture();
    QVERIFY(!picture.isNull());
    QCOMPARE(preview.PictureWidget()->size(), picture.size() / 2);

    TLivePreviewLook look = preview.Look();
    look.Scale = 1.0;
    preview.SetLook(look);
    preview.UpdateNow();
    QCOMPARE(preview.Picture().size(), picture.size() / 2);
    QCOMPARE(preview.PictureWidget()->size(), picture.size() / 4);
}

int main(int argc, char** argv)
{
    const QTemporaryDir config;
    UseOffscreenScreen(config, 1920, 1080, 2.0);
    QApplication app(argc, argv);
    tst_livepreviewscale test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_livepreviewscale.moc"
