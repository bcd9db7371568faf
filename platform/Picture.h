#pragma once
// Graphics (bitmap, icon, PNG) backed by QImage, and TPicture that holds at most one of them.

#include "Classes.h"
#include "TypInfo.h"

#include <QByteArray>
#include <QImage>

#include <memory>

// A picture in one of the platform's graphic formats.
class TGraphic : public TPersistent {
public:
    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // The graphic's own data in its published file format.
    virtual QByteArray SaveToBytes() const = 0;
    virtual void LoadFromBytes(const QByteArray& Data) = 0; // raises EInvalidGraphic on bad data
    virtual QImage ToImage() const = 0;
    virtual std::unique_ptr<TGraphic> Clone() const = 0;
    void DefineProperties(QList<TDefinedProperty>& Filer) const override;
    TNotifyEvent OnChange;
};

VX_DECLARE_EXCEPTION(EInvalidGraphic, Exception)

// Holds at most one graphic.
class TPicture : public TPersistent {
    VX_PUBLISHED_CLASS
public:
    TPicture();
    ~TPicture() override;
    TGraphic* Graphic() const { return FGraphic.get(); }
    void SetGraphic(const TGraphic* Value); // copies
    void Clear();
    bool Empty() const;
    int Width() const;
    int Height() const;
    void Assign(const TPersistent* Source) override;
    void DefineProperties(QList<TDefinedProperty>& Filer) const override;
    // The binary form of the "Data" defined property: one byte with the length of the graphic's
    // class name, the name, then the graphic's own data.
    QByteArray SaveToData() const;
    void LoadFromData(const QByteArray& Data);

    TNotifyEvent OnChange;

private:
    void Changed();
    std::unique_ptr<TGraphic> FGraphic;
};

// An icon. Published type of window icons.
class TIcon : public TGraphic {
    VX_PUBLISHED_CLASS
public:
    TIcon();
    bool Empty() const override;
    int Width() const override;
    int Height() const override;
    QByteArray SaveToBytes() const override;
    void LoadFromBytes(const QByteArray& Data) override;
    QImage ToImage() const override;
    std::unique_ptr<TGraphic> Clone() const override;
    void Assign(const TPersistent* Source) override;
    void SetImage(const QImage& Image);

private:
    QImage FImage;
};
