#pragma once
/// Graphics (bitmap, icon, PNG) backed by QImage, a registry of graphic classes by name and file
/// extension, and TPicture that holds at most one graphic. \file

#include "Classes.h"
#include "TypInfo.h"

#include <QByteArray>
#include <QImage>

#include <functional>
#include <memory>

class QPainter;
class QRect;

/// Data that is not a picture of the expected kind, or a picture kind nobody registered.
VX_DECLARE_EXCEPTION(EInvalidGraphic, Exception)
/// A picture with more pixels than may be decoded (see TPictureBudget).
VX_DECLARE_EXCEPTION(EGraphicTooLarge, EInvalidGraphic)

/// The pixels that decoded pictures may hold. While a budget is in scope, every picture this
/// thread decodes takes its pixels from it (and from the budgets around it); a picture that needs
/// more than is left is refused as too large. Without a budget in scope a picture may have
/// DefaultPixels on its own. The form-text reader reads each component inside one budget, so the
/// pictures of one design share DefaultPixels.
class TPictureBudget {
public:
    /// 16 Mi pixels: 64 MiB at four bytes a pixel, one 4096 x 4096 picture.
    static constexpr qint64 DefaultPixels = qint64(1) << 24;

    explicit TPictureBudget(qint64 Pixels = DefaultPixels);
    ~TPictureBudget();
    TPictureBudget(const TPictureBudget&) = delete;
    TPictureBudget& operator=(const TPictureBudget&) = delete;

    qint64 Pixels() const { return FPixels; }
    qint64 Remaining() const { return FPixels - FUsed; }
    /// The innermost budget of this thread, or nullptr.
    static TPictureBudget* Current();

private:
    friend class TPictureDecoder;
    qint64 FPixels;
    qint64 FUsed = 0;
    TPictureBudget* FOuter;
};

/// A picture in one of the platform's graphic formats. The pixels live in a QImage; the encoded
/// form is kept as well, so data that was loaded is written back byte for byte.
class TGraphic : public TPersistent {
    VX_PUBLISHED_CLASS
public:
    ~TGraphic() override;

    bool Empty() const { return FImage.isNull(); }
    int Width() const { return FImage.width(); }
    int Height() const { return FImage.height(); }
    /// The pixels as stored.
    const QImage& Image() const { return FImage; }
    QImage ToImage() const { return FImage; }
    /// The pixels as painted (a transparent bitmap has its transparent colour removed).
    virtual QImage DrawImage() const { return FImage; }
    void SetImage(const QImage& Value);
    void Clear() { SetImage(QImage()); }
    /// Stretches the graphic into Rect.
    void Draw(QPainter& Painter, const QRect& Rect) const;

    /// The graphic's own file format (what LoadFromFile/SaveToFile read and write).
    QByteArray SaveToBytes() const;
    /// Empty data gives an empty graphic; anything else must decode, or EInvalidGraphic is raised
    /// and the graphic is left as it was. Pixels beyond what the current TPictureBudget leaves
    /// (or beyond what the toolkit's image reader allows) are refused as too large before
    /// anything is decoded.
    void LoadFromBytes(const QByteArray& Data);
    /// Raises EInOutError when the file cannot be opened, EInvalidGraphic when it is no picture
    /// of this class's format (EGraphicTooLarge when it has too many pixels). Qt resource paths
    /// (":/...") work too.
    void LoadFromFile(const QString& FileName);
    void SaveToFile(const QString& FileName) const;

    /// The form of the graphic inside the "Data" defined property. For most formats it is the
    /// file itself; a bitmap puts its byte count in front, as the platform's stream reader
    /// expects.
    virtual QByteArray WriteData() const { return SaveToBytes(); }
    virtual void ReadData(const QByteArray& Data) { LoadFromBytes(Data); }

    virtual std::unique_ptr<TGraphic> Clone() const = 0;
    /// Any graphic's pixels can be taken over (re-encoded in this class's format); nil clears.
    void Assign(const TPersistent* Source) override;
    void DefineProperties(QList<TDefinedProperty>& Filer) const override;
    void DefinedPropertyKinds(QList<TDefinedProperty>& Filer) const override;
    /// "Data" goes through ReadData (EInvalidGraphic for data that is no picture).
    void ReadDefinedProperty(const TDefinedProperty& Property) override;

    TNotifyEvent OnChange;

protected:
    TGraphic() = default;
    /// Copies pixels and encoded data, never the change handler.
    TGraphic(const TGraphic& Other);
    TGraphic& operator=(const TGraphic&) = delete;

    virtual QByteArray Encode(const QImage& Image) const = 0;
    /// A null image when Data is not a picture of this format.
    virtual QImage Decode(const QByteArray& Data) const = 0;
    /// The format's name for error messages ("bitmap", "icon", ...).
    virtual QString FormatName() const = 0;
    void Changed();

private:
    QImage FImage;
    mutable QByteArray FData; ///< encoded form of FImage; empty until first needed
};

/// A device-independent bitmap; file data is a BMP file. Images with translucent pixels are
/// written with 32 bits per pixel and an alpha mask, all others with 24 bits.
class TBitmap : public TGraphic {
    VX_PUBLISHED_CLASS
public:
    TBitmap() = default;
    TBitmap(const TBitmap& Other) = default;

    /// A transparent bitmap paints every pixel of TransparentColor (by default the colour of its
    /// bottom-left pixel) as transparent.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    QRgb TransparentColor() const;
    QImage DrawImage() const override;
    /// Copies the transparency setting along with the pixels of another bitmap.
    void Assign(const TPersistent* Source) override;

    QByteArray WriteData() const override;
    void ReadData(const QByteArray& Data) override;
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TBitmap>(*this); }

protected:
    QByteArray Encode(const QImage& Image) const override;
    QImage Decode(const QByteArray& Data) const override;
    QString FormatName() const override { return QStringLiteral("bitmap"); }

private:
    bool FTransparent = false;
};

/// An icon; file data is an ICO file with one image (a 32-bit device-independent bitmap with its
/// mask, or PNG-compressed for 256 pixels and more). Published type of window icons.
class TIcon : public TGraphic {
    VX_PUBLISHED_CLASS
public:
    TIcon() = default;
    TIcon(const TIcon& Other) = default;
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TIcon>(*this); }

protected:
    QByteArray Encode(const QImage& Image) const override;
    /// Of an icon file with several images, the largest one that the picture budget allows (the
    /// first among equals); only that one is decoded.
    QImage Decode(const QByteArray& Data) const override;
    QString FormatName() const override { return QStringLiteral("icon"); }
};

/// A portable network graphic; file data is a PNG file.
class TPngImage : public TGraphic {
    VX_PUBLISHED_CLASS
public:
    TPngImage() = default;
    TPngImage(const TPngImage& Other) = default;
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TPngImage>(*this); }

protected:
    QByteArray Encode(const QImage& Image) const override;
    QImage Decode(const QByteArray& Data) const override;
    QString FormatName() const override { return QStringLiteral("PNG image"); }
};

/// Graphic classes by class name (as written into picture data) and by file extension.
using TGraphicFactory = std::function<std::unique_ptr<TGraphic>()>;
/// Extension without the dot, lower case ("bmp"); an empty extension registers no file type.
/// A second registration of a class name replaces the first. Raises EInvalidOperation for a name
/// that is empty or longer than 255 bytes in UTF-8 (picture data stores its length in one byte).
void RegisterGraphicClass(const QString& ClassName, const QString& Extension, TGraphicFactory Factory);
/// nullptr when no class of that name (exact case) is registered.
std::unique_ptr<TGraphic> CreateGraphic(const QString& ClassName);
/// The class name registered for a file extension (any case, with or without the dot), or an
/// empty string.
QString GraphicClassForExtension(const QString& Extension);

/// Holds at most one graphic, owned.
class TPicture : public TPersistent {
    VX_PUBLISHED_CLASS
public:
    TPicture();
    ~TPicture() override;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    /// nullptr when the picture holds nothing.
    TGraphic* Graphic() const { return FGraphic.get(); }
    /// Holds a copy of Value; nullptr clears.
    void SetGraphic(const TGraphic* Value);
    /// The held graphic when it is of that class; otherwise the picture first replaces what it
    /// holds by a new empty graphic of that class.
    TBitmap* Bitmap();
    TIcon* Icon();
    TPngImage* Png();
    void Clear();
    /// True without a graphic or with an empty one.
    bool Empty() const;
    int Width() const;
    int Height() const;

    /// From a picture: copies its graphic or clears; from a graphic: holds a copy; nil clears.
    void Assign(const TPersistent* Source) override;
    void DefineProperties(QList<TDefinedProperty>& Filer) const override;
    void DefinedPropertyKinds(QList<TDefinedProperty>& Filer) const override;
    /// "Data" goes through LoadFromData.
    void ReadDefinedProperty(const TDefinedProperty& Property) override;

    /// The value of the "Data" defined property: one byte with the length of the graphic's class
    /// name, the class name in UTF-8, then the graphic's own data (TGraphic::WriteData). Empty
    /// when the picture holds no graphic.
    QByteArray SaveToData() const;
    /// Reads that form back. Data that is empty, truncated, names an unknown class or holds no
    /// valid graphic raises EInvalidGraphic and leaves the picture as it was.
    void LoadFromData(const QByteArray& Data);

    /// The graphic class is chosen by the file extension (.bmp, .ico, .png); SaveToFile writes
    /// the held picture in the format of the extension. Unknown extensions, empty pictures and
    /// files that are no picture raise EInvalidGraphic; unreadable or unwritable files raise
    /// EInOutError.
    void LoadFromFile(const QString& FileName);
    void SaveToFile(const QString& FileName) const;

    /// Fired once for every change of the held graphic or of its pixels.
    TNotifyEvent OnChange;

protected:
    void AssignTo(TPersistent* Dest) const override;

private:
    void Changed();
    void Take(std::unique_ptr<TGraphic> Value);
    template <typename T>
    T* Force();
    std::unique_ptr<TGraphic> FGraphic;
};
