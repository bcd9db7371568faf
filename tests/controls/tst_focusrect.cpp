// The focus rectangle of the check box, the label and the expand/collapse label is a dotted line
// one device pixel wide at every scale, as at 1x.

#include "VxCheckBox.h"
#include "VxLabel.h"

#include <QApplication>
#include <QImage>
#include <QTest>

namespace {

// The control painted at Scale device pixels per pixel.
QImage Painted(QWidget* Control, int Scale)
{
    QImage image(Control->size() * Scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(Scale);
    image.fill(Qt::white);
    Control->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

} // namespace

class tst_FocusRect : public QObject {
    Q_OBJECT
private slots:
    void dottedAtEveryScale_data();
    void dottedAtEveryScale();
};

void tst_FocusRect::dottedAtEveryScale_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("scale");
    for (int scale : {1, 2, 3})
        for (const char* kind : {"check box", "label", "more label"})
            QTest::newRow(qPrintable(QStringLiteral("%1, %2x").arg(QLatin1String(kind)).arg(scale)))
                << QString::fromLatin1(kind) << scale;
}

void tst_FocusRect::dottedAtEveryScale()
{
    QFETCH(QString, kind);
    QFETCH(int, scale);
    QWidget window;
    QWidget* control = nullptr;
    if (kind == QLatin1String("check box")) {
        auto* box = new TVxCheckBox(&window);
        box->SetCaption(QStringLiteral("&Do not ask again"));
        control = box;
    } else if (kind == QLatin1String("label")) {
        auto* label = new TVxCustomLabel(&window);
        label->SetCaption(QStringLiteral("&Details of the operation"));
        control = label;
    } else {
        auto* more = new TVxMoreLabel(&window);
        more->SetCaption(QStringLiteral("&See details"));
        control = more;
    }
    auto* other = new QWidget(&window);
    other->setFocusPolicy(Qt::StrongFocus);
    other->setGeometry(0, 200, 10, 10);
    window.resize(400, 240);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    const QImage unfocused = Painted(control, scale);
    control->setFocus();
    QTRY_VERIFY(control->hasFocus());
    const QImage focused = Painted(control, scale);

    // The pixels the focus changes; a dotted line has no two of them side by side, except where
    // the line turns a corner.
    const auto changed = [&](int X, int Y) {
        return X >= 0 && Y >= 0 && X < focused.width() && Y < focused.height() && focused.pixel(X, Y) != unfocused.pixel(X, Y);
    };
    int dots = 0;
    int touching = 0;
    for (int y = 0; y < focused.height(); ++y)
        for (int x = 0; x < focused.width(); ++x)
            if (changed(x, y)) {
                ++dots;
                touching += int(changed(x + 1, y)) + int(changed(x, y + 1));
            }
    QVERIFY2(dots > 8, "no focus rectangle drawn");
    QVERIFY2(touching <= 4, qPrintable(QStringLiteral("%1 of %2 focus pixels touch").arg(touching).arg(dots)));
}

QTEST_MAIN(tst_FocusRect)
#include "tst_focusrect.moc"
