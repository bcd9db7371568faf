#include "Picture.h"

#include <QBuffer>
#include <QImageReader>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <functional>

namespace {

// A persistent class pictures know nothing about.
class TUnrelated : public TPersistent {
    VX_PUBLISHED_CLASS
};

const TClassInfo& TUnrelated::StaticClassInfo()
{
    static const TClassInfo info(QStringLiteral("TUnrelated"), nullptr, {});
    return info;
}

// A graphic class that only the registry knows how to create.
class TCustomPng : public TPngImage {
    VX_PUBLISHED_CLASS
public:
    TCustomPng() = default;
    TCustomPng(const TCustomPng&) = default;
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TCustomPng>(*this); }
};

const TClassInfo& TCustomPng::StaticClassInfo()
{
    static const TClassInfo info(QStringLiteral("TCustomPng"), &TPngImage::StaticClassInfo(), {});
    return info;
}

// Every pixel different; the left half fully transparent and the rest half transparent when
// Translucent is set.
QImage pattern(int w, int h, bool translucent)
{
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int alpha = 255;
            if (translucent)
                alpha = x < w / 2 ? 0 : (y < h / 2 ? 128 : 255);
            image.setPixel(x, y, qRgba((x * 7) % 256, (y * 11) % 256, ((x + y) * 3) % 256, alpha));
        }
    return image;
}

// Compares what is visible: fully transparent pixels match whatever colour they carry.
bool samePixels(const QImage& a, const QImage& b)
{
    return a.size() == b.size() &&
           a.convertToFormat(QImage::Format_ARGB32_Premultiplied) == b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

std::unique_ptr<TGraphic> makeGraphic(const QString& className, const QImage& image)
{
    std::unique_ptr<TGraphic> graphic = CreateGraphic(className);
    graphic->SetImage(image);
    return graphic;
}

QByteArray pngBytes(const QImage& image)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return out;
}

QByteArray u32(quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    return QByteArray(b, 4);
}

QByteArray named(const QByteArray& className, const QByteArray& payload)
{
    return char(className.size()) + className + payload;
}

QByteArray u32BigEndian(quint32 v)
{
    char b[4];
    qToBigEndian(v, b);
    return QByteArray(b, 4);
}

quint32 crc32(const QByteArray& data)
{
    quint32 crc = 0xFFFFFFFF;
    for (const char c : data) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

QByteArray pngChunk(const QByteArray& type, const QByteArray& data)
{
    const QByteArray chunk = type + data;
    return u32BigEndian(quint32(data.size())) + chunk + u32BigEndian(crc32(chunk));
}

// A PNG whose well-formed header claims Width x Height, followed by the pixels of one row.
QByteArray pngHeaderOnly(quint32 width, quint32 height)
{
    return QByteArray("\x89PNG\r\n\x1a\n", 8) +
           pngChunk("IHDR", u32BigEndian(width) + u32BigEndian(height) + QByteArray("\x08\x06\0\0\0", 5)) +
           pngChunk("IDAT", qCompress(QByteArray(int(width) * 4 + 1, '\0')).mid(4)) + pngChunk("IEND", {});
}

// A bitmap file header and information header claiming Width x Height, and a few pixels.
QByteArray bmpHeaderOnly(qint32 width, qint32 height)
{
    return "BM" + u32(54 + 16) + u32(0) + u32(54) + u32(40) + u32(quint32(width)) + u32(quint32(height)) +
           QByteArray("\x01\0\x18\0", 4) + u32(0) + u32(0) + u32(2835) + u32(2835) + u32(0) + u32(0) + QByteArray(16, '\x7f');
}

struct IconEntry {
    int DirectorySize; // the entry's width and height bytes (0 stands for 256 or more)
    QByteArray Image;  // a PNG file or a bitmap without its file header
};

QByteArray iconFile(const QList<IconEntry>& entries)
{
    QByteArray file("\0\0\1\0", 4);
    file += char(entries.size() & 0xFF);
    file += char(entries.size() >> 8);
    quint32 offset = quint32(6 + 16 * entries.size());
    for (const IconEntry& entry : entries) {
        file += QByteArray(2, char(entry.DirectorySize)) + QByteArray("\0\0\1\0\x20\0", 6) + u32(quint32(entry.Image.size())) +
                u32(offset);
        offset += quint32(entry.Image.size());
    }
    for (const IconEntry& entry : entries)
        file += entry.Image;
    return file;
}

// The image of an icon our own encoder writes (a 32-bit bitmap with its mask below 256 pixels).
QByteArray iconEntryImage(const QImage& image)
{
    TIcon icon;
    icon.SetImage(image);
    return icon.SaveToBytes().mid(22);
}

template <typename E>
QString raisedMessage(const std::function<void()>& action)
{
    try {
        action();
    } catch (const E& e) {
        return e.Message();
    }
    return QStringLiteral("<nothing raised>");
}

} // namespace

class TestPicture : public QObject {
    Q_OBJECT

private slots:
    void graphicClassNames();
    void dataRoundTrip_data();
    void dataRoundTrip();
    void definedProperties();
    void bitmapDataCountsItsBytes();
    void iconKeepsLargestImageAndItsBytes();
    void iconMaskServesReadersWithoutAlpha();
    void registeredClassIsReadBack();
    void malformedData_data();
    void malformedData();
    void filesByExtension_data();
    void filesByExtension();
    void saveConvertsToExtensionFormat();
    void fileErrors();
    void assignRules();
    void graphicAssign();
    void changeNotifications_data();
    void changeNotifications();
    void transparentBitmap();
    void picturesBeyondTheBound_data();
    void picturesBeyondTheBound();
    void toolkitLimitIsTooLargeNotInvalid();
    void picturesShareABudget();
    void iconDecodesTheLargestImageThatFits();
};

void TestPicture::graphicClassNames()
{
    QCOMPARE(TBitmap().ClassName(), QStringLiteral("TBitmap"));
    QCOMPARE(TIcon().ClassName(), QStringLiteral("TIcon"));
    QCOMPARE(TPngImage().ClassName(), QStringLiteral("TPngImage"));
    QCOMPARE(TPicture().ClassName(), QStringLiteral("TPicture"));
    QVERIFY(TIcon().InheritsFrom(TGraphic::StaticClassInfo()));
    QVERIFY(!TPicture().InheritsFrom(TGraphic::StaticClassInfo()));
    QCOMPARE(CreateGraphic(QStringLiteral("TIcon"))->ClassName(), QStringLiteral("TIcon"));
    QVERIFY(!CreateGraphic(QStringLiteral("ticon")));
    QCOMPARE(GraphicClassForExtension(QStringLiteral(".PNG")), QStringLiteral("TPngImage"));
    QCOMPARE(GraphicClassForExtension(QStringLiteral("bmp")), QStringLiteral("TBitmap"));
    QCOMPARE(GraphicClassForExtension(QStringLiteral("gif")), QString());
}

void TestPicture::dataRoundTrip_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QByteArray>("payloadStart"); // what the graphic's own data starts with

    QTest::newRow("opaque bitmap") << "TBitmap" << pattern(33, 17, false) << QByteArray();
    QTest::newRow("translucent bitmap") << "TBitmap" << pattern(20, 12, true) << QByteArray();
    QTest::newRow("icon 32") << "TIcon" << pattern(32, 32, true) << QByteArray("\0\0\1\0\1\0\x20\x20", 8);
    QTest::newRow("icon 16x24") << "TIcon" << pattern(16, 24, true) << QByteArray("\0\0\1\0\1\0\x10\x18", 8);
    QTest::newRow("icon 300 (PNG inside)") << "TIcon" << pattern(300, 260, true) << QByteArray("\0\0\1\0\1\0\0\0", 8);
    QTest::newRow("png") << "TPngImage" << pattern(40, 30, true) << QByteArray("\x89PNG\r\n\x1a\n");
}

void TestPicture::dataRoundTrip()
{
    QFETCH(QString, className);
    QFETCH(QImage, image);
    QFETCH(QByteArray, payloadStart);

    TPicture source;
    source.SetGraphic(makeGraphic(className, image).get());
    const QByteArray data = source.SaveToData();

    const QByteArray name = className.toUtf8();
    QCOMPARE(int(quint8(data.at(0))), int(name.size()));
    QCOMPARE(data.mid(1, name.size()), name);
    const QByteArray payload = data.mid(1 + name.size());
    if (className == QLatin1String("TBitmap")) // the byte count of the file, then the file
        payloadStart = u32(quint32(payload.size() - 4)) + "BM";
    QVERIFY2(payload.startsWith(payloadStart), payload.left(16).toHex().constData());

    TPicture copy;
    copy.LoadFromData(data);
    QVERIFY(copy.Graphic());
    QCOMPARE(copy.Graphic()->ClassName(), className);
    QCOMPARE(copy.Width(), image.width());
    QCOMPARE(copy.Height(), image.height());
    QVERIFY(samePixels(copy.Graphic()->Image(), image));
    QCOMPARE(copy.SaveToData(), data);

    // An independent reader agrees on the graphic's own file format.
    const QImage byQt = QImage::fromData(copy.Graphic()->SaveToBytes());
    QVERIFY(samePixels(byQt, image));
}

void TestPicture::definedProperties()
{
    TPicture picture;
    QList<TDefinedProperty> props;
    picture.DefineProperties(props);
    QVERIFY(props.isEmpty());

    TIcon icon;
    icon.DefineProperties(props);
    QVERIFY(props.isEmpty());

    icon.SetImage(pattern(16, 16, true));
    icon.DefineProperties(props);
    QCOMPARE(props.size(), 1);
    QCOMPARE(props[0].Name, QStringLiteral("Data"));
    QCOMPARE(std::get<QByteArray>(props[0].Value), icon.SaveToBytes());

    props.clear();
    picture.SetGraphic(&icon);
    picture.DefineProperties(props);
    QCOMPARE(props.size(), 1);
    QCOMPARE(props[0].Name, QStringLiteral("Data"));
    QCOMPARE(std::get<QByteArray>(props[0].Value), QByteArray("\x05TIcon") + icon.SaveToBytes());
}

void TestPicture::bitmapDataCountsItsBytes()
{
    TBitmap bitmap;
    bitmap.SetImage(pattern(5, 3, false));
    const QByteArray file = bitmap.SaveToBytes();
    QVERIFY(file.startsWith("BM"));
    QCOMPARE(bitmap.WriteData(), u32(quint32(file.size())) + file);

    // Trailing bytes after the counted ones are not part of the bitmap.
    TBitmap read;
    read.ReadData(u32(quint32(file.size())) + file + "trailing");
    QVERIFY(samePixels(read.Image(), bitmap.Image()));
}

void TestPicture::iconKeepsLargestImageAndItsBytes()
{
    // An icon file with a 16 and a 48 pixel image, both PNG-compressed.
    const QByteArray small = pngBytes(pattern(16, 16, true)), large = pngBytes(pattern(48, 48, false));
    QByteArray file("\0\0\1\0\2\0", 6);
    const auto entry = [](int size, const QByteArray& image, quint32 offset) {
        return QByteArray(1, char(size)) + char(size) + QByteArray("\0\0\1\0\x20\0", 6) + u32(quint32(image.size())) +
               u32(offset);
    };
    file += entry(16, small, 6 + 32);
    file += entry(48, large, quint32(6 + 32 + small.size()));
    file += small + large;

    TIcon icon;
    icon.LoadFromBytes(file);
    QCOMPARE(icon.Width(), 48);
    QVERIFY(samePixels(icon.Image(), pattern(48, 48, false)));
    QCOMPARE(icon.SaveToBytes(), file);
    QCOMPARE(icon.WriteData(), file);
}

void TestPicture::iconMaskServesReadersWithoutAlpha()
{
    // Readers that ignore the alpha channel take transparency from the 1-bit mask after the
    // pixels: one bit per pixel, most significant first, rows of 4-byte multiples. In this
    // image the left ten pixels of every row are transparent.
    TIcon icon;
    icon.SetImage(pattern(20, 8, true));
    const QByteArray data = icon.SaveToBytes();
    const int maskStart = 22 + 40 + 20 * 8 * 4;
    QCOMPARE(data.size(), maskStart + 8 * 4);
    for (int row = 0; row < 8; ++row)
        QCOMPARE(data.mid(maskStart + row * 4, 4).toHex(), QByteArray("ffc00000"));
}

void TestPicture::registeredClassIsReadBack()
{
    RegisterGraphicClass(QStringLiteral("TCustomPng"), QStringLiteral(".CPNG"), [] { return std::make_unique<TCustomPng>(); });
    TCustomPng custom;
    custom.SetImage(pattern(8, 8, true));
    TPicture picture;
    picture.SetGraphic(&custom);

    TPicture read;
    read.LoadFromData(picture.SaveToData());
    QCOMPARE(read.Graphic()->ClassName(), QStringLiteral("TCustomPng"));
    QVERIFY(dynamic_cast<TCustomPng*>(read.Graphic()));
    QCOMPARE(GraphicClassForExtension(QStringLiteral("cpng")), QStringLiteral("TCustomPng"));

    QCOMPARE(raisedMessage<EInvalidOperation>([] { RegisterGraphicClass(QString(), QString(), {}); }),
             QStringLiteral("Invalid graphic class name \"\""));
}

void TestPicture::malformedData_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("message");

    TBitmap bitmap;
    bitmap.SetImage(pattern(4, 4, false));
    const QByteArray bmp = bitmap.SaveToBytes();
    const QByteArray png = pngBytes(pattern(20, 20, true));

    QTest::newRow("empty") << QByteArray() << "The picture data is empty";
    QTest::newRow("no class name") << QByteArray(1, '\0') << "The picture data names no graphic class";
    QTest::newRow("name past the end") << QByteArray("\x07TBit")
                                       << "The picture data is truncated: the class name needs 7 bytes, 4 are present";
    QTest::newRow("unknown class") << named("TMetafile", "\1\2\3")
                                   << "The picture data holds an unknown graphic class \"TMetafile\"";
    QTest::newRow("bitmap count cut") << named("TBitmap", "\x10\0") << "The bitmap data is truncated";
    QTest::newRow("bitmap count past end") << named("TBitmap", u32(quint32(bmp.size() + 1)) + bmp)
                                           << QStringLiteral("The bitmap data is truncated: %1 bytes announced, %2 present")
                                                  .arg(bmp.size() + 1)
                                                  .arg(bmp.size());
    QTest::newRow("bitmap garbage") << named("TBitmap", u32(5) + "hello") << "The data is not a valid bitmap";
    QTest::newRow("bitmap without pixels") << named("TBitmap", u32(40) + bmp.left(40)) << "The data is not a valid bitmap";
    QTest::newRow("icon garbage") << named("TIcon", "garbage data that is long enough") << "The data is not a valid icon";
    QTest::newRow("icon directory only") << named("TIcon", QByteArray("\0\0\1\0\1\0", 6)) << "The data is not a valid icon";
    QTest::newRow("icon entry past end")
        << named("TIcon", QByteArray("\0\0\1\0\1\0\x20\x20\0\0\1\0\x20\0", 14) + u32(4000) + u32(22) + "xx")
        << "The data is not a valid icon";
    QTest::newRow("png garbage") << named("TPngImage", "\x89PNG\r\n\x1a\nnot really") << "The data is not a valid PNG image";
    QTest::newRow("png cut in half") << named("TPngImage", png.left(png.size() / 2)) << "The data is not a valid PNG image";
    QTest::newRow("png holding a bitmap") << named("TPngImage", bmp) << "The data is not a valid PNG image";
}

void TestPicture::malformedData()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, message);

    TPicture picture;
    TPngImage previous;
    previous.SetImage(pattern(3, 3, false));
    picture.SetGraphic(&previous);
    int changes = 0;
    picture.OnChange = TNotifyEvent([&](TObject*) { ++changes; });

    QCOMPARE(raisedMessage<EInvalidGraphic>([&] { picture.LoadFromData(data); }), message);
    QCOMPARE(changes, 0);
    QCOMPARE(picture.Graphic()->ClassName(), QStringLiteral("TPngImage"));
    QCOMPARE(picture.Width(), 3);
}

void TestPicture::filesByExtension_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("qtFormat");
    QTest::addColumn<QString>("className");
    QTest::addColumn<bool>("translucent");

    QTest::newRow("bmp") << "a.bmp" << QByteArray("BMP") << "TBitmap" << false;
    QTest::newRow("BMP upper case") << "B.BMP" << QByteArray("BMP") << "TBitmap" << false;
    QTest::newRow("ico") << "c.ico" << QByteArray("ICO") << "TIcon" << true;
    QTest::newRow("png") << "d.png" << QByteArray("PNG") << "TPngImage" << true;
}

void TestPicture::filesByExtension()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, qtFormat);
    QFETCH(QString, className);
    QFETCH(bool, translucent);

    // Files written by Qt's own encoders, not by ours.
    QTemporaryDir dir;
    const QString path = dir.filePath(fileName);
    const QImage image = pattern(24, 24, translucent);
    QVERIFY(image.save(path, qtFormat.constData()));

    TPicture picture;
    picture.LoadFromFile(path);
    QCOMPARE(picture.Graphic()->ClassName(), className);
    QVERIFY(samePixels(picture.Graphic()->Image(), image));

    // Saving to the same kind of file writes the loaded bytes back unchanged.
    const QString again = dir.filePath(QStringLiteral("again.") + QFileInfo(fileName).suffix());
    picture.SaveToFile(again);
    QFile original(path), saved(again);
    QVERIFY(original.open(QIODevice::ReadOnly) && saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), original.readAll());
}

void TestPicture::saveConvertsToExtensionFormat()
{
    QTemporaryDir dir;
    TPicture picture;
    TPngImage png;
    png.SetImage(pattern(10, 10, false));
    picture.SetGraphic(&png);

    const QString path = dir.filePath(QStringLiteral("converted.bmp"));
    picture.SaveToFile(path);
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("bmp"));
    QVERIFY(samePixels(reader.read(), png.Image()));
    QCOMPARE(picture.Graphic()->ClassName(), QStringLiteral("TPngImage"));
}

void TestPicture::fileErrors()
{
    QTemporaryDir dir;
    TPicture picture;

    QCOMPARE(raisedMessage<EInvalidGraphic>([&] { picture.LoadFromFile(dir.filePath(QStringLiteral("x.gif"))); }),
             QStringLiteral("Unknown picture file extension (.gif)"));
    QCOMPARE(raisedMessage<EInvalidGraphic>([&] { picture.LoadFromFile(dir.filePath(QStringLiteral("noext"))); }),
             QStringLiteral("Unknown picture file extension (none)"));

    const QString missing = dir.filePath(QStringLiteral("missing.png"));
    QVERIFY(raisedMessage<EInOutError>([&] { picture.LoadFromFile(missing); })
                .startsWith(QStringLiteral("Cannot open file \"%1\".").arg(missing)));

    const QString emptyFile = dir.filePath(QStringLiteral("empty.bmp"));
    QVERIFY(QFile(emptyFile).open(QIODevice::WriteOnly));
    QCOMPARE(raisedMessage<EInvalidGraphic>([&] { picture.LoadFromFile(emptyFile); }),
             QStringLiteral("The file \"%1\" is empty").arg(emptyFile));

    const QString fake = dir.filePath(QStringLiteral("fake.ico"));
    QFile file(fake);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("this is text, not an icon");
    file.close();
    QCOMPARE(raisedMessage<EInvalidGraphic>([&] { picture.LoadFromFile(fake); }),
             QStringLiteral("The file \"%1\" is not a valid icon").arg(fake));
    QVERIFY(!picture.Graphic());

    QCOMPARE(raisedMessage<EInvalidGraphic>([&] { picture.SaveToFile(dir.filePath(QStringLiteral("empty.png"))); }),
             QStringLiteral("There is no picture to save"));

    picture.Icon()->SetImage(pattern(8, 8, true));
    QCOMPARE(raisedMessage<EInvalidGraphic>([&] { picture.SaveToFile(dir.filePath(QStringLiteral("x.jpg"))); }),
             QStringLiteral("Unknown picture file extension (.jpg)"));
    const QString unwritable = dir.filePath(QStringLiteral("no/such/folder/x.ico"));
    QVERIFY(raisedMessage<EInOutError>([&] { picture.SaveToFile(unwritable); })
                .startsWith(QStringLiteral("Cannot create file \"%1\".").arg(unwritable)));
}

void TestPicture::assignRules()
{
    TPicture source, target;
    source.Icon()->SetImage(pattern(16, 16, true));

    target.Assign(&source);
    QCOMPARE(target.Graphic()->ClassName(), QStringLiteral("TIcon"));
    QVERIFY(target.Graphic() != source.Graphic());
    source.Graphic()->SetImage(pattern(4, 4, false));
    QCOMPARE(target.Width(), 16); // a copy, not a share

    TPicture empty;
    target.Assign(&empty);
    QVERIFY(!target.Graphic());
    QCOMPARE(target.Width(), 0);
    QCOMPARE(target.Height(), 0);

    TBitmap bitmap;
    bitmap.SetImage(pattern(7, 5, false));
    target.Assign(&bitmap);
    QCOMPARE(target.Graphic()->ClassName(), QStringLiteral("TBitmap"));
    QVERIFY(target.Graphic() != &bitmap);
    QCOMPARE(target.Width(), 7);
    QCOMPARE(target.Height(), 5);

    target.Assign(nullptr);
    QVERIFY(target.Empty());
    QVERIFY(!target.Graphic());

    target.Assign(&bitmap);
    TUnrelated other;
    QCOMPARE(raisedMessage<EConvertError>([&] { target.Assign(&other); }),
             QStringLiteral("Cannot assign a TUnrelated to a TPicture"));
    QCOMPARE(target.Width(), 7);
    QCOMPARE(raisedMessage<EConvertError>([&] { other.Assign(&target); }),
             QStringLiteral("Cannot assign a TPicture to a TUnrelated"));
}

void TestPicture::graphicAssign()
{
    // A graphic takes over another format's pixels and writes them in its own format.
    TIcon icon;
    icon.SetImage(pattern(12, 12, true));
    TPngImage png;
    png.Assign(&icon);
    QVERIFY(samePixels(png.Image(), icon.Image()));
    QVERIFY(png.SaveToBytes().startsWith("\x89PNG"));

    TPicture picture;
    picture.SetGraphic(&icon);
    TBitmap bitmap;
    bitmap.Assign(&picture);
    QCOMPARE(bitmap.Width(), 12);
    QVERIFY(bitmap.SaveToBytes().startsWith("BM"));

    picture.Clear();
    bitmap.Assign(&picture);
    QVERIFY(bitmap.Empty());

    TUnrelated other;
    QCOMPARE(raisedMessage<EConvertError>([&] { bitmap.Assign(&other); }),
             QStringLiteral("Cannot assign a TUnrelated to a TBitmap"));
}

using PictureAction = std::function<void(TPicture&)>;
Q_DECLARE_METATYPE(PictureAction)

void TestPicture::changeNotifications_data()
{
    QTest::addColumn<bool>("startWithIcon");
    QTest::addColumn<PictureAction>("action");
    QTest::addColumn<int>("changes");

    const auto icon = [] {
        auto result = std::make_shared<TIcon>();
        result->SetImage(pattern(16, 16, true));
        return result;
    }();
    QTest::newRow("set graphic") << false << PictureAction([icon](TPicture& p) { p.SetGraphic(icon.get()); }) << 1;
    QTest::newRow("replace graphic") << true << PictureAction([icon](TPicture& p) { p.SetGraphic(icon.get()); }) << 1;
    QTest::newRow("clear") << true << PictureAction([](TPicture& p) { p.Clear(); }) << 1;
    QTest::newRow("clear empty") << false << PictureAction([](TPicture& p) { p.Clear(); }) << 0;
    QTest::newRow("assign nil") << true << PictureAction([](TPicture& p) { p.Assign(nullptr); }) << 1;
    QTest::newRow("assign picture") << false << PictureAction([icon](TPicture& p) {
        TPicture other;
        other.SetGraphic(icon.get());
        p.Assign(&other);
    }) << 1;
    QTest::newRow("load data") << false << PictureAction([icon](TPicture& p) {
        TPicture other;
        other.SetGraphic(icon.get());
        p.LoadFromData(other.SaveToData());
    }) << 1;
    QTest::newRow("held graphic's pixels") << true << PictureAction([](TPicture& p) {
        p.Graphic()->SetImage(pattern(2, 2, false));
    }) << 1;
    QTest::newRow("icon view of an icon") << true << PictureAction([](TPicture& p) { p.Icon(); }) << 0;
    QTest::newRow("bitmap view of an icon") << true << PictureAction([](TPicture& p) { p.Bitmap(); }) << 1;
    QTest::newRow("source changes after copy") << false << PictureAction([](TPicture& p) {
        TPngImage png;
        p.SetGraphic(&png);
        png.SetImage(pattern(2, 2, false));
    }) << 1;
}

void TestPicture::changeNotifications()
{
    QFETCH(bool, startWithIcon);
    QFETCH(PictureAction, action);
    QFETCH(int, changes);

    TPicture picture;
    if (startWithIcon)
        picture.Icon()->SetImage(pattern(8, 8, true));
    QList<TObject*> senders;
    picture.OnChange = TNotifyEvent([&](TObject* sender) { senders.append(sender); });
    action(picture);
    QCOMPARE(senders.size(), changes);
    for (TObject* sender : senders)
        QCOMPARE(sender, static_cast<TObject*>(&picture));
}

void TestPicture::transparentBitmap()
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 255));
    image.setPixel(1, 0, qRgb(10, 20, 30));
    TBitmap bitmap;
    bitmap.SetImage(image);
    QCOMPARE(bitmap.DrawImage().pixel(0, 0), qRgb(255, 0, 255));

    int changes = 0;
    bitmap.OnChange = TNotifyEvent([&](TObject*) { ++changes; });
    bitmap.SetTransparent(true);
    bitmap.SetTransparent(true);
    QCOMPARE(changes, 1);
    QCOMPARE(bitmap.TransparentColor() & RGB_MASK, qRgb(255, 0, 255) & RGB_MASK);
    const QImage drawn = bitmap.DrawImage();
    QCOMPARE(qAlpha(drawn.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(drawn.pixel(2, 1)), 0);
    QCOMPARE(drawn.pixel(1, 0), qRgb(10, 20, 30));

    TBitmap copy;
    copy.Assign(&bitmap);
    QVERIFY(copy.Transparent());
    QCOMPARE(qAlpha(copy.DrawImage().pixel(0, 0)), 0);
}

void TestPicture::picturesBeyondTheBound_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("message");

    const QString bound = QStringLiteral(" pixels, where at most 16777216 pixels are read");
    QTest::newRow("png") << "TPngImage" << pngHeaderOnly(5600, 5600) << "The PNG image is too large: 5600 x 5600" + bound;
    QTest::newRow("png just over") << "TPngImage" << pngHeaderOnly(4097, 4096) << "The PNG image is too large: 4097 x 4096" + bound;
    QTest::newRow("bitmap") << "TBitmap" << bmpHeaderOnly(5000, 4000) << "The bitmap is too large: 5000 x 4000" + bound;
    QTest::newRow("bitmap, top down") << "TBitmap" << bmpHeaderOnly(5000, -4000) << "The bitmap is too large: 5000 x 4000" + bound;
    QTest::newRow("icon of a png") << "TIcon" << iconFile({{0, pngHeaderOnly(6000, 6000)}})
                                   << "The icon is too large: 6000 x 6000" + bound;
    // The bitmap header of an icon image counts the mask in its height.
    QTest::newRow("icon of a bitmap") << "TIcon" << iconFile({{0, bmpHeaderOnly(5000, 10000).mid(14)}})
                                      << "The icon is too large: 5000 x 5000" + bound;
    QTest::newRow("icon of two, both too large")
        << "TIcon" << iconFile({{0, pngHeaderOnly(9000, 9000)}, {0, pngHeaderOnly(5000, 5000)}})
        << "The icon is too large: 5000 x 5000" + bound;
}

// What is too large is said so before anything is decoded, rather than called invalid data.
void TestPicture::picturesBeyondTheBound()
{
    QFETCH(QString, className);
    QFETCH(QByteArray, data);
    QFETCH(QString, message);

    const std::unique_ptr<TGraphic> graphic = CreateGraphic(className);
    QCOMPARE(raisedMessage<EGraphicTooLarge>([&] { graphic->LoadFromBytes(data); }), message);
    QVERIFY(graphic->Empty());

    // A file says which file it is.
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("large")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
    file.close();
    QCOMPARE(raisedMessage<EGraphicTooLarge>([&] { graphic->LoadFromFile(file.fileName()); }),
             file.fileName() + QStringLiteral(": ") + message);
}

// The toolkit's reader refuses images above its own allocation limit; that is no fault of the
// data either.
void TestPicture::toolkitLimitIsTooLargeNotInvalid()
{
    const QByteArray png = pngBytes(pattern(600, 600, false));
    const int limit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(1);
    const auto restore = qScopeGuard([limit] { QImageReader::setAllocationLimit(limit); });
    TPngImage graphic;
    QCOMPARE(raisedMessage<EGraphicTooLarge>([&] { graphic.LoadFromBytes(png); }),
             QStringLiteral("The PNG image is too large: 600 x 600 pixels, where at most 262144 pixels are read"));
}

void TestPicture::picturesShareABudget()
{
    QVERIFY(!TPictureBudget::Current());
    const QByteArray png40 = pngBytes(pattern(40, 40, false)), png30 = pngBytes(pattern(30, 30, true));
    {
        const TPictureBudget budget(3000);
        QCOMPARE(TPictureBudget::Current(), &budget);
        TPngImage first;
        first.LoadFromBytes(png40);
        QCOMPARE(budget.Remaining(), 1400);

        TPngImage second;
        QCOMPARE(raisedMessage<EGraphicTooLarge>([&] { second.LoadFromBytes(png40); }),
                 QStringLiteral("The PNG image is too large: 40 x 40 pixels, where the pictures read before it leave "
                                "1400 of the 3000 pixels that may be read together"));
        QVERIFY(second.Empty());
        QCOMPARE(budget.Remaining(), 1400);
        // A picture that would not fit even alone says so.
        QCOMPARE(raisedMessage<EGraphicTooLarge>([&] { second.LoadFromBytes(pngBytes(pattern(60, 60, false))); }),
                 QStringLiteral("The PNG image is too large: 60 x 60 pixels, where at most 3000 pixels are read"));

        {
            // An inner budget takes from the outer one too and cannot lend more than it leaves.
            const TPictureBudget inner(100000);
            TPicture picture;
            picture.LoadFromData(named("TPngImage", png30));
            QCOMPARE(inner.Remaining(), 100000 - 900);
            QCOMPARE(budget.Remaining(), 500);
            QVERIFY_THROWS_EXCEPTION(EGraphicTooLarge, picture.LoadFromData(named("TPngImage", png30)));
            QCOMPARE(picture.Width(), 30);
        }
        QCOMPARE(TPictureBudget::Current(), &budget);
        QCOMPARE(budget.Remaining(), 500);

        // Copies share what was decoded and take nothing more.
        TPngImage copy;
        copy.Assign(&first);
        TPicture held;
        held.SetGraphic(&first);
        QCOMPARE(budget.Remaining(), 500);
        QCOMPARE(held.Graphic()->SaveToBytes(), png40);
    }
    QVERIFY(!TPictureBudget::Current());
}

void TestPicture::iconDecodesTheLargestImageThatFits()
{
    // A 64 pixel PNG, a PNG whose header claims 5000 x 5000 with nothing behind it, and a 32
    // pixel bitmap.
    const QImage large = pattern(64, 64, false), small = pattern(32, 32, true);
    const QByteArray file =
        iconFile({{64, pngBytes(large)}, {0, pngHeaderOnly(5000, 5000)}, {32, iconEntryImage(small)}});
    {
        const TPictureBudget budget;
        TIcon icon;
        icon.LoadFromBytes(file);
        QVERIFY(samePixels(icon.Image(), large));
        // Only the image that is used was decoded.
        QCOMPARE(budget.Remaining(), budget.Pixels() - 64 * 64);
        QCOMPARE(icon.SaveToBytes(), file);
    }
    {
        const TPictureBudget budget(40 * 40);
        TIcon icon;
        icon.LoadFromBytes(file);
        QVERIFY(samePixels(icon.Image(), small));
        QCOMPARE(budget.Remaining(), 40 * 40 - 32 * 32);
        QCOMPARE(icon.SaveToBytes(), file);
    }
}

QTEST_GUILESS_MAIN(TestPicture)
#include "tst_picture.moc"
