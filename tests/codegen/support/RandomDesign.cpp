#include "RandomDesign.h"

#include "Classes.h"
#include "Picture.h"
#include "StringList.h"
#include "TypInfo.h"

#include <QImage>

namespace {

QString RandomText(QRandomGenerator& Random)
{
    static const char16_t pool[] = u"abcdefghijklmnopqrstuvwxyz ABCXYZ 0123456789.,;:!?'\"#+()[]{}<>=\u00e9\u00fc\u20ac\u4e2d";
    const int length = Random.bounded(100) < 15 ? Random.bounded(60, 200) : Random.bounded(0, 40);
    QString text;
    for (int i = 0; i < length; ++i) {
        const int pick = Random.bounded(100);
        if (pick < 3)
            text += QStringLiteral("\r\n");
        else if (pick < 4)
            text += QChar(char16_t(Random.bounded(1, 32)));
        else if (pick < 5)
            text += QString::fromUcs4(U"\U0001F600", 1); // a surrogate pair
        else
            text += QChar(pool[Random.bounded(int(std::size(pool)) - 1)]);
    }
    return text;
}

QImage RandomImage(QRandomGenerator& Random)
{
    QImage image(Random.bounded(1, 9), Random.bounded(1, 9), QImage::Format_ARGB32);
    const bool opaque = Random.bounded(2) == 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgba(Random.bounded(256), Random.bounded(256), Random.bounded(256),
                                       opaque ? 255 : Random.bounded(256)));
    return image;
}

void FillPicture(TPicture& Picture, QRandomGenerator& Random)
{
    switch (Random.bounded(4)) {
    case 0:
        Picture.Clear();
        break;
    case 1:
        Picture.Bitmap()->SetImage(RandomImage(Random));
        break;
    case 2:
        Picture.Icon()->SetImage(RandomImage(Random));
        break;
    default:
        Picture.Png()->SetImage(RandomImage(Random));
        break;
    }
}

qint64 RandomOrdinal(const TPropInfo& Prop, QRandomGenerator& Random)
{
    if (Prop.NameMap && Random.bounded(2) == 0) {
        const auto& entries = Prop.NameMap->Entries;
        return entries[size_t(Random.bounded(int(entries.size())))].first;
    }
    if (Prop.Default && Random.bounded(4) == 0)
        return *Prop.Default;
    const qint64 min = Prop.MinValue;
    const qint64 max = Prop.MaxValue;
    if (max - min < 1000)
        return min + qint64(Random.bounded(quint64(max - min + 1)));
    switch (Random.bounded(3)) {
    case 0:
        return std::max(min, std::min<qint64>(max, Random.bounded(-5, 500)));
    case 1:
        return min;
    default:
        return min + qint64(Random.bounded(quint64(max - min)));
    }
}

} // namespace

void FillRandomly(TObject& Object, TComponent& Root, QRandomGenerator& Random, int Depth)
{
    if (auto* strings = dynamic_cast<TStrings*>(&Object)) {
        QStringList lines;
        for (int i = Random.bounded(4); i > 0; --i)
            lines.append(RandomText(Random).remove(QLatin1Char('\r')).remove(QLatin1Char('\n')));
        strings->Clear();
        strings->AddStrings(lines);
        return;
    }
    if (auto* picture = dynamic_cast<TPicture*>(&Object)) {
        FillPicture(*picture, Random);
        return;
    }
    if (auto* graphic = dynamic_cast<TGraphic*>(&Object)) {
        graphic->SetImage(Random.bounded(2) ? RandomImage(Random) : QImage());
        return;
    }
    if (auto* component = dynamic_cast<TComponent*>(&Object); component && Depth == 0)
        component->SetDesignPosition(Random.bounded(-100, 1000), Random.bounded(-100, 1000));
    const TClassInfo* info = Object.ClassInfo();
    if (!info)
        return;
    for (const TPropInfo& p : info->Properties()) {
        if (p.ReadOnly || p.Name == QLatin1String("Name"))
            continue;
        switch (p.Kind) {
        case TTypeKind::Integer:
        case TTypeKind::Int64:
            if (p.SetOrd)
                p.SetOrd(Object, RandomOrdinal(p, Random));
            break;
        case TTypeKind::Enumeration:
            if (p.SetOrd && p.EnumInfo)
                p.SetOrd(Object, Random.bounded(int(p.EnumInfo->Names.size())));
            break;
        case TTypeKind::Set:
            if (p.SetOrd && p.EnumInfo)
                p.SetOrd(Object, qint64(Random.generate64() & ((quint64(1) << p.EnumInfo->Names.size()) - 1)));
            break;
        case TTypeKind::String:
            if (p.SetStr) {
                QString text = RandomText(Random);
                // A new radio button item is captioned "Radio Button n", which an empty caption
                // (not written) cannot override when read back.
                if (text.isEmpty() && dynamic_cast<TCollectionItem*>(&Object) && p.Name == QLatin1String("Caption"))
                    text = QStringLiteral("c");
                p.SetStr(Object, text);
            }
            break;
        case TTypeKind::Float:
            if (p.SetFloat)
                p.SetFloat(Object, Random.bounded(2) ? Random.bounded(-1000, 1000) / 4.0 : 0.0);
            break;
        case TTypeKind::Event:
            if (p.SetMethod)
                p.SetMethod(Object, Random.bounded(3) ? TMethodRef{}
                                                     : TMethodRef{&Root, QStringLiteral("Handler%1").arg(Random.bounded(9))});
            break;
        case TTypeKind::Class: {
            TObject* value = p.GetObj(Object);
            const TClassInfo* declared = p.PropertyClass();
            if (declared && declared->InheritsFrom(TComponent::StaticClassInfo()) && p.SetObj) {
                // A reference: one of the root's components of a fitting class, or nil.
                std::vector<TComponent*> candidates;
                for (int i = 0; i < Root.ComponentCount(); ++i)
                    if (Root.Components(i)->InheritsFrom(*declared))
                        candidates.push_back(Root.Components(i));
                const int pick = Random.bounded(int(candidates.size()) + 1);
                p.SetObj(Object, pick < int(candidates.size()) ? candidates[size_t(pick)] : nullptr);
                break;
            }
            if (!value || dynamic_cast<TComponent*>(value))
                break;
            if (auto* collection = dynamic_cast<TCollection*>(value)) {
                collection->Clear();
                if (Depth < 3)
                    for (int i = Random.bounded(4); i > 0; --i)
                        FillRandomly(*collection->Add(), Root, Random, Depth + 1);
            }
            FillRandomly(*value, Root, Random, Depth + 1);
            break;
        }
        }
    }
}
