#include "Picture.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QtEndian>

#include <climits>
#include <limits>
#include <map>
#include <mutex>

namespace {

void putU16(QByteArray& out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void putU32(QByteArray& out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

quint16 getU16(const QByteArray& in, qsizetype at)
{
    return qFromLittleEndian<quint16>(in.constData() + at);
}

quint32 getU32(const QByteArray& in, qsizetype at)
{
    return qFromLittleEndian<quint32>(in.constData() + at);
}

QByteArray encodeWithQt(const QImage& image, const char* format)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.write(image);
    return out;
}

bool hasTranslucentPixels(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return false;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(line[x]) != 255)
                return true;
    }
    return false;
}

// Rows of straight (not premultiplied) BGRA pixels, bottom row first: the pixel layout that
// 32-bit device-independent bitmaps use.
void appendBottomUpBgra(QByteArray& out, const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = argb.height() - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            putU32(out, line[x]);
    }
}

quint32 dotsPerMeter(int value)
{
    return value > 0 ? quint32(value) : 3780; // 96 dots per inch
}

QByteArray readFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EInOutError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    return file.readAll();
}

void writeFile(const QString& fileName, const QByteArray& data)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw EInOutError(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
    if (file.write(data) != data.size() || !file.flush())
        throw EInOutError(QStringLiteral("Cannot write file \"%1\". %2").arg(fileName, file.errorString()));
}

[[noreturn]] void unknownExtension(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix();
    throw EInvalidGraphic(QStringLiteral("Unknown picture file extension (%1)")
                              .arg(suffix.isEmpty() ? QStringLiteral("none") : QLatin1Char('.') + suffix));
}

[[noreturn]] void nothingToSave()
{
    throw EInvalidGraphic(QStringLiteral("There is no picture to save"));
}

struct GraphicClass {
    QString Extension;
    TGraphicFactory Factory;
};

struct Registry {
    std::mutex Lock;
    std::map<QString, GraphicClass> Classes;
};

Registry& registry()
{
    // The built-in formats are registered here rather than by static objects, which the linker
    // may drop from a static library.
    static Registry* r = [] {
        auto* result = new Registry;
        result->Classes[QStringLiteral("TBitmap")] = {QStringLiteral("bmp"), [] { return std::make_unique<TBitmap>(); }};
        result->Classes[QStringLiteral("TIcon")] = {QStringLiteral("ico"), [] { return std::make_unique<TIcon>(); }};
        result->Classes[QStringLiteral("TPngImage")] = {QStringLiteral("png"),
                                                        [] { return std::make_unique<TPngImage>(); }};
        return result;
    }();
    return *r;
}

thread_local TPictureBudget* currentBudget = nullptr;

quint32 getU32BigEndian(const QByteArray& in, qsizetype at)
{
    return qFromBigEndian<quint32>(in.constData() + at);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Picture budget

TPictureBudget::TPictureBudget(qint64 Pixels) : FPixels(qMax<qint64>(Pixels, 0)), FOuter(currentBudget)
{
    currentBudget = this;
}

TPictureBudget::~TPictureBudget()
{
    currentBudget = FOuter;
}

TPictureBudget* TPictureBudget::Current()
{
    return currentBudget;
}

// Decodes pictures within the budgets of this thread and the toolkit's own limit. Every format
// goes through here, so no picture is decoded before its header said how large it is.
class TPictureDecoder {
public:
    // The pixels a picture may have now.
    static qint64 Allowed()
    {
        qint64 allowed = TPictureBudget::DefaultPixels;
        if (currentBudget) {
            allowed = currentBudget->Remaining();
            for (const TPictureBudget* b = currentBudget->FOuter; b; b = b->FOuter)
                allowed = qMin(allowed, b->Remaining());
        }
        return qMin(allowed, toolkitPixels());
    }

    static void Take(qint64 Pixels)
    {
        for (TPictureBudget* b = currentBudget; b; b = b->FOuter)
            b->FUsed += Pixels;
    }

    // Says which bound Size exceeds: the bound on any one picture, or what the pictures read
    // before it in the same budget left.
    [[noreturn]] static void TooLarge(const QString& FormatName, const QSize& Size)
    {
        const QString start =
            QStringLiteral("The %1 is too large: %2 x %3 pixels").arg(FormatName).arg(Size.width()).arg(Size.height());
        qint64 alone = currentBudget ? currentBudget->Pixels() : TPictureBudget::DefaultPixels;
        const TPictureBudget* binding = currentBudget;
        for (const TPictureBudget* b = currentBudget; b; b = b->FOuter) {
            alone = qMin(alone, b->Pixels());
            if (b->Remaining() < binding->Remaining())
                binding = b;
        }
        alone = qMin(alone, toolkitPixels());
        if (!binding || qint64(Size.width()) * Size.height() > alone)
            throw EGraphicTooLarge(QStringLiteral("%1, where at most %2 pixels are read").arg(start).arg(alone));
        throw EGraphicTooLarge(QStringLiteral("%1, where the pictures read before it leave %2 of the %3 pixels "
                                              "that may be read together")
                                   .arg(start)
                                   .arg(binding->Remaining())
                                   .arg(binding->Pixels()));
    }

    // Data in the toolkit's Format, decoded when its header gives a size within Allowed(); a null
    // image when it is no picture of that format. Raises EGraphicTooLarge.
    static QImage Decode(const QByteArray& Data, const char* Format, const QString& FormatName)
    {
        QBuffer buffer;
        buffer.setData(Data);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, Format);
        reader.setDecideFormatFromContent(false);
        // A bitmap stored top row first reports a negative height.
        const QSize claimed = reader.size();
        if (claimed.width() == INT_MIN || claimed.height() == INT_MIN)
            return {};
        const QSize size(qAbs(claimed.width()), qAbs(claimed.height()));
        if (size.isEmpty())
            return {};
        if (qint64(size.width()) * size.height() > Allowed())
            TooLarge(FormatName, size);
        QImage image = reader.read();
        if (image.isNull()) {
            // A picture within the bounds may still not fit in the memory there is: that is no
            // fault of the data.
            if (QImage(size, QImage::Format_ARGB32).isNull())
                throw EGraphicTooLarge(QStringLiteral("The %1 is too large: %2 x %3 pixels do not fit in memory")
                                           .arg(FormatName)
                                           .arg(size.width())
                                           .arg(size.height()));
            return {};
        }
        Take(qint64(image.width()) * image.height());
        return image;
    }

private:
    // What the toolkit's image reader refuses to allocate, at four bytes a pixel.
    static qint64 toolkitPixels()
    {
        const int megabytes = QImageReader::allocationLimit();
        return megabytes > 0 ? (qint64(megabytes) << 20) / 4 : std::numeric_limits<qint64>::max();
    }
};

// ---------------------------------------------------------------------------------------------
// Registry

void RegisterGraphicClass(const QString& ClassName, const QString& Extension, TGraphicFactory Factory)
{
    const qsizetype nameBytes = ClassName.toUtf8().size();
    if (nameBytes == 0 || nameBytes > 255)
        throw EInvalidOperation(QStringLiteral("Invalid graphic class name \"%1\"").arg(ClassName));
    Registry& r = registry();
    std::lock_guard guard(r.Lock);
    QString ext = Extension.toLower();
    if (ext.startsWith(QLatin1Char('.')))
        ext.remove(0, 1);
    r.Classes[ClassName] = {ext, std::move(Factory)};
}

std::unique_ptr<TGraphic> CreateGraphic(const QString& ClassName)
{
    Registry& r = registry();
    TGraphicFactory factory;
    {
        std::lock_guard guard(r.Lock);
        auto it = r.Classes.find(ClassName);
        if (it == r.Classes.end())
            return nullptr;
        factory = it->second.Factory;
    }
    return factory();
}

QString GraphicClassForExtension(const QString& Extension)
{
    QString ext = Extension.toLower();
    if (ext.startsWith(QLatin1Char('.')))
        ext.remove(0, 1);
    if (ext.isEmpty())
        return {};
    Registry& r = registry();
    std::lock_guard guard(r.Lock);
    for (const auto& [name, cls] : r.Classes)
        if (cls.Extension == ext)
            return name;
    return {};
}

// ---------------------------------------------------------------------------------------------
// TGraphic

const TClassInfo& TGraphic::StaticClassInfo()
{
    static const TClassInfo info(QStringLiteral("TGraphic"), nullptr, {});
    return info;
}

TGraphic::TGraphic(const TGraphic& Other) : TPersistent(Other), FImage(Other.FImage), FData(Other.FData) {}

TGraphic::~TGraphic() = default;

void TGraphic::Changed()
{
    OnChange(this);
}

void TGraphic::SetImage(const QImage& Value)
{
    FImage = Value;
    FData.clear();
    Changed();
}

void TGraphic::Draw(QPainter& Painter, const QRect& Rect) const
{
    if (!Empty())
        Painter.drawImage(Rect, DrawImage());
}

QByteArray TGraphic::SaveToBytes() const
{
    if (FData.isEmpty() && !FImage.isNull())
        FData = Encode(FImage);
    return FData;
}

void TGraphic::LoadFromBytes(const QByteArray& Data)
{
    if (Data.isEmpty()) {
        Clear();
        return;
    }
    QImage image = Decode(Data);
    if (image.isNull())
        throw EInvalidGraphic(QStringLiteral("The data is not a valid %1").arg(FormatName()));
    FImage = std::move(image);
    FData = Data;
    Changed();
}

void TGraphic::LoadFromFile(const QString& FileName)
{
    const QByteArray data = readFile(FileName);
    if (data.isEmpty())
        throw EInvalidGraphic(QStringLiteral("The file \"%1\" is empty").arg(FileName));
    try {
        LoadFromBytes(data);
    } catch (const EGraphicTooLarge& E) {
        throw EGraphicTooLarge(QStringLiteral("%1: %2").arg(FileName, E.Message()));
    } catch (const EInvalidGraphic&) {
        throw EInvalidGraphic(QStringLiteral("The file \"%1\" is not a valid %2").arg(FileName, FormatName()));
    }
}

void TGraphic::SaveToFile(const QString& FileName) const
{
    if (Empty())
        nothingToSave();
    writeFile(FileName, SaveToBytes());
}

void TGraphic::Assign(const TPersistent* Source)
{
    if (Source == this)
        return;
    if (!Source) {
        Clear();
        return;
    }
    if (const auto* graphic = dynamic_cast<const TGraphic*>(Source)) {
        FImage = graphic->FImage;
        // The encoded form is only valid for a graphic of the same format.
        FData = graphic->ClassName() == ClassName() ? graphic->FData : QByteArray();
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TGraphic::DefineProperties(QList<TDefinedProperty>& Filer) const
{
    if (!Empty())
        Filer.append({QStringLiteral("Data"), WriteData()});
}

void TGraphic::DefinedPropertyKinds(QList<TDefinedProperty>& Filer) const
{
    TPersistent::DefinedPropertyKinds(Filer);
    Filer.append({QStringLiteral("Data"), QByteArray()});
}

void TGraphic::ReadDefinedProperty(const TDefinedProperty& Property)
{
    const auto* data = std::get_if<QByteArray>(&Property.Value);
    if (data && Property.Name == QLatin1String("Data"))
        ReadData(*data);
    else
        TPersistent::ReadDefinedProperty(Property);
}

// ---------------------------------------------------------------------------------------------
// TBitmap

const TClassInfo& TBitmap::StaticClassInfo()
{
    static const TClassInfo info(QStringLiteral("TBitmap"), &TGraphic::StaticClassInfo(), {});
    return info;
}

void TBitmap::SetTransparent(bool Value)
{
    if (FTransparent == Value)
        return;
    FTransparent = Value;
    Changed();
}

QRgb TBitmap::TransparentColor() const
{
    if (Empty())
        return 0;
    return Image().pixel(0, Height() - 1);
}

QImage TBitmap::DrawImage() const
{
    if (!FTransparent || Empty())
        return Image();
    const QRgb key = TransparentColor() & RGB_MASK;
    QImage result = Image().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            if ((line[x] & RGB_MASK) == key)
                line[x] = 0;
    }
    return result;
}

void TBitmap::Assign(const TPersistent* Source)
{
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(Source); bitmap && bitmap != this)
        FTransparent = bitmap->FTransparent;
    TGraphic::Assign(Source);
}

QByteArray TBitmap::Encode(const QImage& Image) const
{
    if (!hasTranslucentPixels(Image))
        return encodeWithQt(Image, "BMP");

    // 32 bits per pixel with an alpha mask (version 4 header), which keeps translucency.
    constexpr quint32 fileHeaderSize = 14, infoHeaderSize = 108;
    const quint32 pixelBytes = quint32(Image.width()) * quint32(Image.height()) * 4;
    QByteArray out;
    out.reserve(qsizetype(fileHeaderSize + infoHeaderSize + pixelBytes));
    out.append("BM", 2);
    putU32(out, fileHeaderSize + infoHeaderSize + pixelBytes);
    putU32(out, 0);
    putU32(out, fileHeaderSize + infoHeaderSize);
    putU32(out, infoHeaderSize);
    putU32(out, quint32(Image.width()));
    putU32(out, quint32(Image.height())); // positive: bottom row first
    putU16(out, 1);                       // planes
    putU16(out, 32);                      // bits per pixel
    putU32(out, 3);                       // BI_BITFIELDS
    putU32(out, pixelBytes);
    putU32(out, dotsPerMeter(Image.dotsPerMeterX()));
    putU32(out, dotsPerMeter(Image.dotsPerMeterY()));
    putU32(out, 0); // colours used
    putU32(out, 0); // important colours
    putU32(out, 0x00FF0000);
    putU32(out, 0x0000FF00);
    putU32(out, 0x000000FF);
    putU32(out, 0xFF000000);
    putU32(out, 0x73524742); // 'sRGB'
    out.append(36 + 12, '\0'); // end points and gamma, unused with sRGB
    appendBottomUpBgra(out, Image);
    return out;
}

QImage TBitmap::Decode(const QByteArray& Data) const
{
    if (!Data.startsWith("BM"))
        return {};
    return TPictureDecoder::Decode(Data, "BMP", FormatName());
}

QByteArray TBitmap::WriteData() const
{
    const QByteArray file = SaveToBytes();
    QByteArray out;
    out.reserve(file.size() + 4);
    putU32(out, quint32(file.size()));
    out.append(file);
    return out;
}

void TBitmap::ReadData(const QByteArray& Data)
{
    if (Data.isEmpty()) {
        Clear();
        return;
    }
    if (Data.size() < 4)
        throw EInvalidGraphic(QStringLiteral("The bitmap data is truncated"));
    const quint32 size = getU32(Data, 0);
    if (size > quint32(Data.size() - 4))
        throw EInvalidGraphic(QStringLiteral("The bitmap data is truncated: %1 bytes announced, %2 present")
                                  .arg(size)
                                  .arg(Data.size() - 4));
    LoadFromBytes(Data.mid(4, size));
}

// ---------------------------------------------------------------------------------------------
// TIcon

const TClassInfo& TIcon::StaticClassInfo()
{
    static const TClassInfo info(QStringLiteral("TIcon"), &TGraphic::StaticClassInfo(), {});
    return info;
}

QByteArray TIcon::Encode(const QImage& Image) const
{
    const int w = Image.width(), h = Image.height();
    QByteArray payload;
    if (w >= 256 || h >= 256) {
        payload = encodeWithQt(Image, "PNG");
    } else {
        // A 32-bit bitmap with its alpha channel, followed by the 1-bit mask that older readers
        // use; the bitmap header counts both halves in its height.
        const int maskStride = ((w + 31) / 32) * 4;
        putU32(payload, 40);
        putU32(payload, quint32(w));
        putU32(payload, quint32(h * 2));
        putU16(payload, 1);
        putU16(payload, 32);
        putU32(payload, 0); // BI_RGB
        putU32(payload, quint32(w * h * 4 + maskStride * h));
        putU32(payload, 0);
        putU32(payload, 0);
        putU32(payload, 0);
        putU32(payload, 0);
        appendBottomUpBgra(payload, Image);
        const QImage argb = Image.convertToFormat(QImage::Format_ARGB32);
        for (int y = h - 1; y >= 0; --y) {
            QByteArray row(maskStride, '\0');
            const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
            for (int x = 0; x < w; ++x)
                if (qAlpha(line[x]) == 0)
                    row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
            payload.append(row);
        }
    }

    QByteArray out;
    putU16(out, 0); // reserved
    putU16(out, 1); // icon
    putU16(out, 1); // one image
    out.append(char(w >= 256 ? 0 : w));
    out.append(char(h >= 256 ? 0 : h));
    out.append(char(0)); // no palette
    out.append(char(0));
    putU16(out, 1);  // planes
    putU16(out, 32); // bits per pixel
    putU32(out, quint32(payload.size()));
    putU32(out, 6 + 16);
    out.append(payload);
    return out;
}

namespace {
constexpr QByteArrayView PngSignature("\x89PNG\r\n\x1a\n");
constexpr qsizetype IconDirSize = 6, IconEntrySize = 16;

// The size in pixels that the image of the icon directory entry at At decodes to, read from its
// own header (an entry's width and height bytes stop at 256); an empty size when the entry points
// at nothing readable.
QSize iconEntrySize(const QByteArray& Data, qsizetype At, bool& Png)
{
    const quint32 offset = getU32(Data, At + 12);
    Png = false;
    if (offset > quint32(Data.size()))
        return {};
    const QByteArrayView image = QByteArrayView(Data).sliced(offset);
    if (image.startsWith(PngSignature)) {
        // The IHDR chunk comes first: length, type, width and height, big endian.
        Png = true;
        if (image.size() < 24 || image.sliced(12, 4) != "IHDR")
            return {};
        const quint32 w = getU32BigEndian(Data, offset + 16), h = getU32BigEndian(Data, offset + 20);
        if (w == 0 || h == 0 || w > quint32(INT_MAX) || h > quint32(INT_MAX))
            return {};
        return QSize(int(w), int(h));
    }
    // A bitmap's information header without the file header; its height counts the mask too.
    // The directory's bytes win, as the toolkit's reader takes them, unless they are 0.
    if (image.size() < 40)
        return {};
    const int w = quint8(Data.at(At)) ? quint8(Data.at(At)) : qint32(getU32(Data, offset + 4));
    const int h = quint8(Data.at(At + 1)) ? quint8(Data.at(At + 1)) : qint32(getU32(Data, offset + 8)) / 2;
    if (w <= 0 || h <= 0)
        return {};
    return QSize(w, h);
}
} // namespace

QImage TIcon::Decode(const QByteArray& Data) const
{
    if (Data.size() < IconDirSize + IconEntrySize || getU16(Data, 0) != 0 || getU16(Data, 2) != 1)
        return {};
    const int count = getU16(Data, 4);
    if (count == 0 || Data.size() < IconDirSize + IconEntrySize * qsizetype(count))
        return {};

    // The entries' headers say how large each image is; only the one that is used is decoded,
    // as a directory may hold 65,535 entries that all point at the same large picture.
    const qint64 allowed = TPictureDecoder::Allowed();
    int chosen = -1;
    bool chosenPng = false;
    qint64 chosenPixels = 0;
    QSize smallestTooLarge;
    for (int i = 0; i < count; ++i) {
        bool png = false;
        const QSize size = iconEntrySize(Data, IconDirSize + IconEntrySize * i, png);
        if (size.isEmpty())
            continue;
        const qint64 pixels = qint64(size.width()) * size.height();
        if (pixels > allowed) {
            if (!smallestTooLarge.isValid() || pixels < qint64(smallestTooLarge.width()) * smallestTooLarge.height())
                smallestTooLarge = size;
        } else if (pixels > chosenPixels) {
            chosen = i;
            chosenPng = png;
            chosenPixels = pixels;
        }
    }
    if (chosen < 0) {
        if (smallestTooLarge.isValid())
            TPictureDecoder::TooLarge(FormatName(), smallestTooLarge);
        return {};
    }

    const qsizetype at = IconDirSize + IconEntrySize * chosen;
    const quint32 offset = getU32(Data, at + 12);
    if (chosenPng)
        return TPictureDecoder::Decode(Data.mid(offset, getU32(Data, at + 8)), "PNG", FormatName());
    // A directory of this one entry in front of its image, for the toolkit's icon reader.
    QByteArray single;
    putU16(single, 0);
    putU16(single, 1);
    putU16(single, 1);
    single.append(Data.constData() + at, 12);
    putU32(single, quint32(IconDirSize + IconEntrySize));
    single.append(QByteArrayView(Data).sliced(offset));
    return TPictureDecoder::Decode(single, "ICO", FormatName());
}

// ---------------------------------------------------------------------------------------------
// TPngImage

const TClassInfo& TPngImage::StaticClassInfo()
{
    static const TClassInfo info(QStringLiteral("TPngImage"), &TGraphic::StaticClassInfo(), {});
    return info;
}

QByteArray TPngImage::Encode(const QImage& Image) const
{
    return encodeWithQt(Image, "PNG");
}

QImage TPngImage::Decode(const QByteArray& Data) const
{
    if (!Data.startsWith(PngSignature))
        return {};
    return TPictureDecoder::Decode(Data, "PNG", FormatName());
}

// ---------------------------------------------------------------------------------------------
// TPicture

const TClassInfo& TPicture::StaticClassInfo()
{
    static const TClassInfo info(QStringLiteral("TPicture"), nullptr, {});
    return info;
}

TPicture::TPicture() = default;

TPicture::~TPicture() = default;

void TPicture::Changed()
{
    OnChange(this);
}

void TPicture::Take(std::unique_ptr<TGraphic> Value)
{
    if (!Value && !FGraphic)
        return;
    FGraphic = std::move(Value);
    if (FGraphic)
        FGraphic->OnChange = TNotifyEvent([this](TObject*) { Changed(); });
    Changed();
}

void TPicture::SetGraphic(const TGraphic* Value)
{
    if (Value == FGraphic.get() && Value)
        return;
    Take(Value ? Value->Clone() : nullptr);
}

template <typename T>
T* TPicture::Force()
{
    if (auto* held = dynamic_cast<T*>(FGraphic.get()))
        return held;
    Take(std::make_unique<T>());
    return static_cast<T*>(FGraphic.get());
}

TBitmap* TPicture::Bitmap()
{
    return Force<TBitmap>();
}

TIcon* TPicture::Icon()
{
    return Force<TIcon>();
}

TPngImage* TPicture::Png()
{
    return Force<TPngImage>();
}

void TPicture::Clear()
{
    Take(nullptr);
}

bool TPicture::Empty() const
{
    return !FGraphic || FGraphic->Empty();
}

int TPicture::Width() const
{
    return FGraphic ? FGraphic->Width() : 0;
}

int TPicture::Height() const
{
    return FGraphic ? FGraphic->Height() : 0;
}

void TPicture::Assign(const TPersistent* Source)
{
    if (Source == this)
        return;
    if (!Source) {
        Clear();
        return;
    }
    if (const auto* picture = dynamic_cast<const TPicture*>(Source)) {
        SetGraphic(picture->Graphic());
        return;
    }
    if (const auto* graphic = dynamic_cast<const TGraphic*>(Source)) {
        SetGraphic(graphic);
        return;
    }
    TPersistent::Assign(Source);
}

void TPicture::AssignTo(TPersistent* Dest) const
{
    if (auto* graphic = dynamic_cast<TGraphic*>(Dest)) {
        graphic->Assign(FGraphic.get());
        return;
    }
    TPersistent::AssignTo(Dest);
}

void TPicture::DefineProperties(QList<TDefinedProperty>& Filer) const
{
    if (FGraphic)
        Filer.append({QStringLiteral("Data"), SaveToData()});
}

void TPicture::DefinedPropertyKinds(QList<TDefinedProperty>& Filer) const
{
    TPersistent::DefinedPropertyKinds(Filer);
    Filer.append({QStringLiteral("Data"), QByteArray()});
}

void TPicture::ReadDefinedProperty(const TDefinedProperty& Property)
{
    const auto* data = std::get_if<QByteArray>(&Property.Value);
    if (data && Property.Name == QLatin1String("Data"))
        LoadFromData(*data);
    else
        TPersistent::ReadDefinedProperty(Property);
}

QByteArray TPicture::SaveToData() const
{
    if (!FGraphic)
        return {};
    // Registration keeps class names within what the length byte can say.
    const QByteArray name = FGraphic->ClassName().toUtf8();
    QByteArray out;
    out.append(char(quint8(name.size())));
    out.append(name);
    out.append(FGraphic->WriteData());
    return out;
}

void TPicture::LoadFromData(const QByteArray& Data)
{
    if (Data.isEmpty())
        throw EInvalidGraphic(QStringLiteral("The picture data is empty"));
    const int nameLength = quint8(Data.at(0));
    if (nameLength == 0)
        throw EInvalidGraphic(QStringLiteral("The picture data names no graphic class"));
    if (Data.size() < 1 + nameLength)
        throw EInvalidGraphic(QStringLiteral("The picture data is truncated: the class name needs %1 bytes, %2 are present")
                                  .arg(nameLength)
                                  .arg(Data.size() - 1));
    const QString name = QString::fromUtf8(Data.mid(1, nameLength));
    std::unique_ptr<TGraphic> graphic = CreateGraphic(name);
    if (!graphic)
        throw EInvalidGraphic(QStringLiteral("The picture data holds an unknown graphic class \"%1\"").arg(name));
    graphic->ReadData(Data.mid(1 + nameLength));
    Take(std::move(graphic));
}

void TPicture::LoadFromFile(const QString& FileName)
{
    const QString className = GraphicClassForExtension(QFileInfo(FileName).suffix());
    std::unique_ptr<TGraphic> graphic = className.isEmpty() ? nullptr : CreateGraphic(className);
    if (!graphic)
        unknownExtension(FileName);
    graphic->LoadFromFile(FileName);
    Take(std::move(graphic));
}

void TPicture::SaveToFile(const QString& FileName) const
{
    const QString className = GraphicClassForExtension(QFileInfo(FileName).suffix());
    std::unique_ptr<TGraphic> target = className.isEmpty() ? nullptr : CreateGraphic(className);
    if (!target)
        unknownExtension(FileName);
    if (Empty())
        nothingToSave();
    if (FGraphic->ClassName() == className) {
        FGraphic->SaveToFile(FileName);
        return;
    }
    target->Assign(FGraphic.get());
    target->SaveToFile(FileName);
}
