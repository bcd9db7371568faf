#include "VxDesignLoader.h"

#include "TypInfo.h"
#include "private/EventCode_p.h"

#include <QFile>

#include <functional>

std::unique_ptr<TVxDialog> TVxDesignLoader::LoadText(const QByteArray& Text, TComponent* Owner)
{
    const TFormTextDocument document = ParseFormText(Text);
    const TFormTextObject* block = document.FindClass(QStringLiteral("TVxDialog"));
    if (!block) {
        const TFormTextPosition where = document.Objects.empty() ? TFormTextPosition{1, 1}
                                                                 : document.Objects.front().Position;
        throw EFormTextError(where, QStringLiteral("the text holds no TVxDialog object"));
    }
    auto dialog = std::make_unique<TVxDialog>(Owner);
    TFormTextReader reader(Owner ? Owner : dialog.get());
    reader.ReadComponent(*block, dialog.get());
    return dialog;
}

std::unique_ptr<TVxDialog> TVxDesignLoader::LoadFile(const QString& FileName, TComponent* Owner)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EInOutError(QStringLiteral("Cannot open \"%1\": %2").arg(FileName, file.errorString()));
    const TFormTextLimits limits;
    // Read one byte past the bound, so a device that reports no size is still bounded.
    const QByteArray bytes = file.read(limits.MaxTextBytes + 1);
    if (file.error() != QFileDevice::NoError)
        throw EInOutError(QStringLiteral("Cannot read \"%1\": %2").arg(FileName, file.errorString()));
    if (bytes.size() > limits.MaxTextBytes)
        throw EFormTextError({1, 1}, QStringLiteral("\"%1\" is longer than %2 bytes").arg(FileName).arg(limits.MaxTextBytes));
    return LoadText(bytes, Owner);
}

namespace {

// Calls Visit(object, property) for every event of Object and of its option objects. Option
// objects form a tree below their component; references to other components are not followed.
void ForEachEvent(TObject* Object, const std::function<void(TObject&, const TPropInfo&)>& Visit, int Depth = 0)
{
    if (!Object || !Object->ClassInfo() || Depth > 16)
        return;
    for (const TPropInfo& prop : Object->ClassInfo()->Properties()) {
        if (prop.Kind == TTypeKind::Event) {
            Visit(*Object, prop);
        } else if (prop.Kind == TTypeKind::Class && prop.GetObj) {
            TObject* child = prop.GetObj(*Object);
            if (child && !dynamic_cast<TComponent*>(child))
                ForEachEvent(child, Visit, Depth + 1);
        }
    }
}

void ForEachComponentEvent(TComponent* Root, const std::function<void(TObject&, const TPropInfo&)>& Visit)
{
    if (!Root)
        return;
    ForEachEvent(Root, Visit);
    for (int i = 0; i < Root->ComponentCount(); ++i)
        ForEachEvent(Root->Components(i), Visit);
}

} // namespace

int TVxDesignLoader::ConnectHandlerCode(TComponent* Root, const QString& HandlerName, const std::any& Code)
{
    int connected = 0;
    if (HandlerName.isEmpty())
        return 0;
    ForEachComponentEvent(Root, [&](TObject& object, const TPropInfo& prop) {
        if (prop.GetMethod && prop.GetMethod(object).Name == HandlerName && SetEventCode(object, prop.Name, Code))
            ++connected;
    });
    return connected;
}

QStringList TVxDesignLoader::HandlerNames(const TComponent* Root)
{
    QStringList names;
    ForEachComponentEvent(const_cast<TComponent*>(Root), [&](TObject& object, const TPropInfo& prop) {
        if (!prop.GetMethod)
            return;
        const QString name = prop.GetMethod(object).Name;
        if (!name.isEmpty() && !names.contains(name))
            names.append(name);
    });
    return names;
}
