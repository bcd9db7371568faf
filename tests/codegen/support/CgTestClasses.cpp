#include "CgTestClasses.h"

const TEnumInfo& CgShadeTypeInfo()
{
    static const TEnumInfo info{QStringLiteral("TCgShade"),
                                {QStringLiteral("shNone"), QStringLiteral("shLight"), QStringLiteral("shDark"),
                                 QStringLiteral("shBlack")}};
    return info;
}

const TClassInfo& TCgImageList::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TCgImageList>(QStringLiteral("TCgImageList"), &TComponent::StaticClassInfo()).Build();
    return info;
}

const TClassInfo& TCgPart::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TCgPart>(QStringLiteral("TCgPart"), &TComponent::StaticClassInfo())
            .String(QStringLiteral("Caption"), &TCgPart::Caption, &TCgPart::SetCaption)
            .Build();
    return info;
}

const TClassInfo& TCgOptions::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TCgOptions>(QStringLiteral("TCgOptions"), nullptr)
            .String(QStringLiteral("Caption"), &TCgOptions::Caption, &TCgOptions::SetCaption)
            .Integer(QStringLiteral("Level"), &TCgOptions::Level, &TCgOptions::SetLevel, 0)
            .Object<TStrings>(QStringLiteral("Notes"), &TCgOptions::Notes, &TCgOptions::SetNotes,
                              QStringLiteral("TStrings"))
            .Build();
    return info;
}

const TClassInfo& TCgItem::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TCgItem>(QStringLiteral("TCgItem"), nullptr)
            .String(QStringLiteral("Caption"), &TCgItem::Caption, &TCgItem::SetCaption)
            .Integer(QStringLiteral("Value"), &TCgItem::Value, &TCgItem::SetValue)
            .NoSetter()
            .Boolean(QStringLiteral("Enabled"), &TCgItem::Enabled, &TCgItem::SetEnabled, true)
            .Enum(QStringLiteral("Shade"), &TCgItem::Shade, &TCgItem::SetShade, CgShadeTypeInfo(),
                  std::optional<TCgShade>(shNone))
            .Object<TStrings>(QStringLiteral("Info"), &TCgItem::Info, &TCgItem::SetInfo, QStringLiteral("TStrings"))
            .Object<TPicture>(QStringLiteral("Glyph"), &TCgItem::Glyph, &TCgItem::SetGlyph, QStringLiteral("TPicture"))
            .Build();
    return info;
}

const TClassInfo& TCgItems::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TCgItems>(QStringLiteral("TCgItems"), nullptr)
            .Object<TCgImageList>(QStringLiteral("Images"), &TCgItems::Images, &TCgItems::SetImages,
                                  QStringLiteral("TCgImageList"))
            .Build();
    return info;
}

TCgThing::TCgThing(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TCgItems>(this)), FSub(new TCgPart(this))
{
    FSub->SetName(QStringLiteral("Sub"));
}

const TClassInfo& TCgThing::StaticClassInfo()
{
    using T = TCgThing;
    static const TClassInfo info =
        TClassBuilder<T>(QStringLiteral("TCgThing"), &TComponent::StaticClassInfo())
            .Integer(QStringLiteral("Count"), &T::Count, &T::SetCount, 0)
            .Int64(QStringLiteral("Big"), &T::Big, &T::SetBig)
            .Boolean(QStringLiteral("Flag"), &T::Flag, &T::SetFlag, false)
            .Enum(QStringLiteral("Shade"), &T::Shade, &T::SetShade, CgShadeTypeInfo(), std::optional<TCgShade>(shNone))
            .Set(QStringLiteral("Shades"), &T::Shades, &T::SetShades, QStringLiteral("TCgShades"), CgShadeTypeInfo(),
                 quint64(0))
            .Set(QStringLiteral("Mixed"), &T::Mixed, &T::SetMixed, QStringLiteral("TCgShades"), CgShadeTypeInfo(),
                 std::nullopt)
            .String(QStringLiteral("Title"), &T::Title, &T::SetTitle)
            .Float(QStringLiteral("Ratio"), &T::Ratio, &T::SetRatio, true)
            .Float(QStringLiteral("Scale"), &T::Scale, &T::SetScale, true, QStringLiteral("Single"))
            .Float(QStringLiteral("Price"), &T::Price, &T::SetPrice, true, QStringLiteral("Currency"))
            .Float(QStringLiteral("When"), &T::When, &T::SetWhen, true, QStringLiteral("TDateTime"))
            .Integer(QStringLiteral("Color"), &T::Color, &T::SetColor, clWindow, QStringLiteral("TColor"),
                     &ColorNameMap())
            .Integer(QStringLiteral("Charset"), &T::Charset, &T::SetCharset, DEFAULT_CHARSET,
                     QStringLiteral("TFontCharset"), &CharsetNameMap())
            .Object<TStrings>(QStringLiteral("Lines"), &T::Lines, &T::SetLines, QStringLiteral("TStrings"))
            .Object<TCgOptions>(QStringLiteral("Options"), &T::Options, &T::SetOptions, QStringLiteral("TCgOptions"))
            .Boolean(QStringLiteral("UseDefaultFont"), &T::UseDefaultFont, &T::SetUseDefaultFont, true)
            .Object<TFont>(QStringLiteral("Font"), &T::Font, &T::SetFont, QStringLiteral("TFont"))
            .Stored([](const T& t) { return !t.UseDefaultFont(); })
            .Object<TPicture>(QStringLiteral("Picture"), &T::Picture, &T::SetPicture, QStringLiteral("TPicture"))
            .Object<TIcon>(QStringLiteral("Icon"), &T::Icon, &T::SetIcon, QStringLiteral("TIcon"))
            .Object<TCgItems>(QStringLiteral("Items"), &T::Items, &T::SetItems, QStringLiteral("TCgItems"))
            .Object<TComponent>(QStringLiteral("Link"), &T::Link, &T::SetLink, QStringLiteral("TComponent"))
            .Integer(QStringLiteral("Secret"), &T::Secret, &T::SetSecret, 0)
            .NeverStored()
            .Integer(QStringLiteral("Counted"), &T::Counted, &T::SetCounted, 0)
            .Stored([](const T& t) { return t.Count() > 0; })
            .Integer(QStringLiteral("Fixed"), &T::Fixed, nullptr, 0)
            .ReadOnly()
            .Integer(QStringLiteral("Direct"), &T::Direct, nullptr, 0)
            .Object<TCgPart>(QStringLiteral("Sub"), &T::Sub, nullptr, QStringLiteral("TCgPart"))
            .ReadOnly()
            .Event(QStringLiteral("OnChange"), &T::OnChange, QStringLiteral("TNotifyEvent"))
            .Event(QStringLiteral("OnDone"), &T::OnDone, QStringLiteral("TNotifyEvent"))
            .Build();
    return info;
}

const TClassInfo& TCgThing2::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TCgThing2>(QStringLiteral("TCgThing2"), &TCgThing::StaticClassInfo())
            .Enum(QStringLiteral("Shade"), &TCgThing2::Shade, &TCgThing2::SetShade, CgShadeTypeInfo(),
                  std::optional<TCgShade>(shLight))
            .String(QStringLiteral("Extra"), &TCgThing2::Extra, &TCgThing2::SetExtra)
            .Build();
    return info;
}

TCgControl::~TCgControl()
{
    SetParentControl(nullptr);
}

void TCgControl::SetParentComponent(TComponent* Value)
{
    SetParentControl(dynamic_cast<TCgWinControl*>(Value));
}

TComponent* TCgControl::ParentControl() const
{
    return FParent;
}

void TCgControl::SetParentControl(TCgWinControl* Parent)
{
    if (FParent)
        FParent->FChildren.removeAll(this);
    FParent = Parent;
    if (FParent)
        FParent->FChildren.append(this);
}

const TClassInfo& TCgControl::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TCgControl>(QStringLiteral("TCgControl"), &TComponent::StaticClassInfo())
            .Integer(QStringLiteral("Left"), &TCgControl::Left, &TCgControl::SetLeft)
            .Integer(QStringLiteral("Top"), &TCgControl::Top, &TCgControl::SetTop)
            .String(QStringLiteral("Caption"), &TCgControl::Caption, &TCgControl::SetCaption, QStringLiteral("TCaption"))
            .Event(QStringLiteral("OnClick"), &TCgControl::OnClick, QStringLiteral("TNotifyEvent"))
            .Build();
    return info;
}

const TClassInfo& TCgEdit::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TCgEdit>(QStringLiteral("TCgEdit"), &TCgControl::StaticClassInfo())
                                       .String(QStringLiteral("Text"), &TCgEdit::Text, &TCgEdit::SetText)
                                       .Build();
    return info;
}

TCgWinControl::~TCgWinControl()
{
    for (TComponent* child : std::as_const(FChildren))
        static_cast<TCgControl*>(child)->FParent = nullptr;
    FChildren.clear();
}

const TClassInfo& TCgWinControl::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TCgWinControl>(QStringLiteral("TCgWinControl"), &TCgControl::StaticClassInfo()).Build();
    return info;
}

const TClassInfo& TCgForm::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TCgForm>(QStringLiteral("TCgForm"), &TCgWinControl::StaticClassInfo())
            .Integer(QStringLiteral("TextHeight"), &TCgForm::TextHeight, &TCgForm::SetTextHeight)
            .Build();
    return info;
}
