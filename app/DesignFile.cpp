#include "DesignFile.h"

#include "DesignValues.h"
#include "FormTextWriter.h"
#include "VxDialog.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QString DesignFileFilter()
{
    return QStringLiteral("Form text (*.dfm *.txt);;All files (*)");
}

QByteArray ReadDesignFileBytes(const QString& FileName)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EInOutError(QStringLiteral("Cannot open \"%1\": %2").arg(FileName, file.errorString()));
    const TFormTextLimits limits;
    if (file.size() > limits.MaxTextBytes)
        throw EFormTextError({1, 1}, QStringLiteral("the file is %1 bytes long; at most %2 bytes are read")
                                         .arg(file.size())
                                         .arg(limits.MaxTextBytes));
    // A device that reports no size (a pipe) is read up to the bound only.
    const QByteArray bytes = file.read(limits.MaxTextBytes + 1);
    if (file.error() != QFileDevice::NoError)
        throw EInOutError(QStringLiteral("Cannot read \"%1\": %2").arg(FileName, file.errorString()));
    if (bytes.size() > limits.MaxTextBytes)
        throw EFormTextError({1, 1}, QStringLiteral("the file is longer than %1 bytes").arg(limits.MaxTextBytes));
    return bytes;
}

namespace {
QStringList SplitLines(const QString& Text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const QChar c = Text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(Text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < Text.size() && Text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < Text.size())
        lines.append(Text.mid(start));
    return lines;
}

int CountBlocks(const TFormTextObject& Object)
{
    int count = 1;
    for (const TFormTextObject& child : Object.Children)
        count += CountBlocks(child);
    return count;
}
} // namespace

std::unique_ptr<TVxDialog> ReadDesign(const QByteArray& Text, TComponent* Root, TDesignSource& Source,
                                      bool SkipUnknown, QStringList* Skipped)
{
    const TFormTextDocument document = ParseFormText(Text);
    const TFormTextObject* block = document.FindClass(QStringLiteral("TVxDialog"));
    if (!block)
        throw EFormTextError(document.Objects.front().Position, QStringLiteral("the text holds no TVxDialog object"));
    auto dialog = std::make_unique<TVxDialog>(Root);
    TFormTextReader reader(Root);
    reader.SetSkipUnknown(SkipUnknown);
    reader.SetReadName(false);
    reader.ReadComponent(*block, dialog.get());
    if (Skipped)
        *Skipped = reader.Skipped();

    TDesignSource source;
    source.Name = block->Name;
    source.WholeText = document.Objects.size() == 1 && CountBlocks(document.Objects.front()) == 1;
    if (!source.WholeText) {
        source.Lines = SplitLines(document.Source);
        source.FirstLine = block->Position.Line;
        source.LastLine = block->EndLine;
        source.Keyword = block->Keyword;
        source.Indent = block->Position.Column - 1;
        source.ByteOrderMark = Text.startsWith("\xEF\xBB\xBF");
    }
    Source = std::move(source);
    return dialog;
}

TVxDialog* CreateCommandDialog(TComponent* Root, const QByteArray& FromText)
{
    if (FromText.isEmpty())
        return CreateDesignDialog(Root);
    TDesignSource source;
    std::unique_ptr<TVxDialog> dialog = ReadDesign(FromText, Root, source);
    dialog->SetName(source.Name.isEmpty() ? QStringLiteral("VxDialog1") : source.Name);
    return dialog.release();
}

QByteArray DesignText(const TVxDialog* Dialog, const TComponent* Root, const TDesignSource& Source)
{
    if (Source.WholeText)
        return ComponentFormText(Dialog, Root);
    TFormTextWriter writer(Root);
    writer.WriteComponent(Dialog);
    QStringList block = writer.Lines();
    const QString indent(Source.Indent, QLatin1Char(' '));
    for (QString& line : block)
        line.prepend(indent);
    if (!block.isEmpty() && Source.Keyword.compare(QLatin1String("object"), Qt::CaseInsensitive) != 0)
        block.first().replace(Source.Indent, 6, Source.Keyword);
    QStringList lines = Source.Lines.mid(0, Source.FirstLine - 1);
    lines += block;
    lines += Source.Lines.mid(Source.LastLine);
    QByteArray text;
    bool ascii = true;
    for (const QString& line : lines) {
        const QByteArray utf8 = line.toUtf8();
        ascii = ascii && utf8.size() == line.size();
        text += utf8;
        text += "\r\n";
    }
    if (Source.ByteOrderMark || !ascii)
        text.prepend("\xEF\xBB\xBF");
    return text;
}

void WriteDesignFile(const QString& FileName, const QByteArray& Text)
{
    const QFileInfo info(FileName);
    if (info.exists() && !info.isDir() && !info.isWritable())
        throw EInOutError(QStringLiteral("Cannot save \"%1\": the file is read-only").arg(FileName));
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EInOutError(QStringLiteral("Cannot save \"%1\": %2").arg(FileName, file.errorString()));
    if (file.write(Text) != Text.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw EInOutError(QStringLiteral("Cannot save \"%1\": %2").arg(FileName, reason));
    }
    if (!file.commit())
        throw EInOutError(QStringLiteral("Cannot save \"%1\": %2").arg(FileName, file.errorString()));
}
