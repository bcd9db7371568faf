#include "DesignFile.h"

#include "DesignValues.h"
#include "FormTextWriter.h"
#include "VxDialog.h"

#include <QCryptographicHash>
#include <QScopeGuard>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QString DesignFileFilter()
{
    return QStringLiteral("Form text (*.dfm *.txt);;All files (*)");
}

namespace {
// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF. The length of the valid
// sequence at Text[At], or 0.
int Utf8SequenceLength(const QByteArray& Text, qsizetype At, char32_t& Code)
{
    const auto byte = [&](qsizetype k) { return static_cast<unsigned char>(Text.at(k)); };
    const unsigned char lead = byte(At);
    int length = 0;
    char32_t code = 0, least = 0;
    if (lead < 0x80) {
        Code = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07, least = 0x10000;
    } else {
        return 0;
    }
    if (At + length > Text.size())
        return 0;
    for (int k = 1; k < length; ++k) {
        if ((byte(At + k) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(At + k) & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    Code = code;
    return length;
}

bool IsEscapedByte(QChar C)
{
    return C.unicode() >= 0xDC80 && C.unicode() <= 0xDCFF;
}

} // namespace

QString FileErrorText(int Code)
{
    switch (Code) {
    case ENOSPC:
        return QStringLiteral("the disk is full");
    case EDQUOT:
        return QStringLiteral("the disk quota is used up");
    case EFBIG:
        return QStringLiteral("the file would exceed the largest size allowed");
    default:
        return QString::fromLocal8Bit(std::strerror(Code));
    }
}

namespace {

// Writes all of Data to Fd, retrying what a signal interrupts. The errno of the failure, or 0.
int WriteAll(int Fd, const QByteArray& Data)
{
    qsizetype done = 0;
    while (done < Data.size()) {
        const ssize_t n = ::write(Fd, Data.constData() + done, size_t(Data.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return EIO;
        done += n;
    }
    return 0;
}

// The reason Data could not replace FileName, or an empty string when it did.
QString WriteFileSafelyReason(const QString& FileName, const QByteArray& Data)
{
    const QByteArray path = EncodeFileName(FileName);
    if (path.isEmpty())
        return QStringLiteral("no file name given");
    struct stat target {};
    const bool exists = ::stat(path.constData(), &target) == 0;
    if (exists && S_ISDIR(target.st_mode))
        return QStringLiteral("it is a folder");
    if (exists && !S_ISREG(target.st_mode)) {
        // A device or a pipe cannot be replaced, only written. Opening without blocking: a pipe
        // that nobody reads is an error, not a wait.
        const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            return errno == ENXIO ? QStringLiteral("no program reads from it") : FileErrorText(errno);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        int code = WriteAll(fd, Data);
        if (::close(fd) != 0 && code == 0 && errno != EINTR)
            code = errno;
        return code ? FileErrorText(code) : QString();
    }
    // Replace the file a symbolic link points at, not the link.
    QByteArray real = path;
    if (exists) {
        if (char* resolved = ::realpath(path.constData(), nullptr)) {
            real = resolved;
            std::free(resolved);
        }
    }
    const qsizetype slash = real.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : real.left(slash);
    QByteArray temporary = folder + "/." + real.mid(slash + 1).left(200) + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return FileErrorText(errno);
    mode_t mode = 0;
    if (exists) {
        mode = target.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    int code = WriteAll(fd, Data);
    if (code == 0 && ::fsync(fd) != 0)
        code = errno;
    if (code == 0 && ::fchmod(fd, mode) != 0)
        code = errno;
    if (code == 0 && exists && ::geteuid() == 0) // the super-user's save keeps the owner
        (void)!::fchown(fd, target.st_uid, target.st_gid);
    if (::close(fd) != 0 && code == 0 && errno != EINTR)
        code = errno;
    if (code == 0 && ::rename(temporary.constData(), real.constData()) != 0)
        code = errno;
    if (code != 0) {
        ::unlink(temporary.constData());
        return FileErrorText(code);
    }
    return {};
}
} // namespace

QString DecodeFileName(const QByteArray& Name)
{
    QString text;
    text.reserve(Name.size());
    for (qsizetype i = 0; i < Name.size();) {
        char32_t code = 0;
        const int length = Utf8SequenceLength(Name, i, code);
        if (length == 0) {
            text.append(QChar(char16_t(0xDC00 + static_cast<unsigned char>(Name.at(i)))));
            ++i;
        } else {
            text.append(QString::fromUcs4(&code, 1));
            i += length;
        }
    }
    return text;
}

QByteArray EncodeFileName(const QString& Name)
{
    QByteArray bytes;
    bytes.reserve(Name.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i < Name.size(); ++i) {
        if (IsEscapedByte(Name.at(i)) && (i == 0 || !Name.at(i - 1).isHighSurrogate())) {
            bytes += QStringView(Name).mid(start, i - start).toUtf8();
            bytes += char(Name.at(i).unicode() - 0xDC00);
            start = i + 1;
        }
    }
    bytes += QStringView(Name).mid(start).toUtf8();
    return bytes;
}

QString ShownFileName(const QString& Name)
{
    QString shown;
    for (qsizetype i = 0; i < Name.size(); ++i) {
        if (IsEscapedByte(Name.at(i)) && (i == 0 || !Name.at(i - 1).isHighSurrogate()))
            shown += QStringLiteral("\\x%1").arg(Name.at(i).unicode() - 0xDC00, 2, 16, QLatin1Char('0'));
        else
            shown += Name.at(i);
    }
    return shown;
}

QByteArray ReadDesignFileBytes(const QString& FileName)
{
    const QString shown = ShownFileName(FileName);
    const bool standardInput = FileName == QLatin1String(StandardInputName);
    // Without blocking: opening a pipe that has no writer would wait inside the kernel.
    const int fd = standardInput ? STDIN_FILENO
                                 : ::open(EncodeFileName(FileName).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        throw EInOutError(QStringLiteral("Cannot open \"%1\": %2").arg(shown, FileErrorText(errno)));
    const auto closeFd = qScopeGuard([&] {
        if (!standardInput)
            ::close(fd);
    });
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        throw EInOutError(QStringLiteral("Cannot read \"%1\": %2").arg(shown, FileErrorText(errno)));
    const TFormTextLimits limits;
    if (!standardInput) {
        struct stat input {};
        const bool isStandardInput = ::fstat(STDIN_FILENO, &input) == 0 && input.st_dev == info.st_dev
                                     && input.st_ino == info.st_ino; // "/dev/stdin", "/proc/self/fd/0"
        if (S_ISDIR(info.st_mode))
            throw EInOutError(QStringLiteral("Cannot read \"%1\": it is a folder").arg(shown));
        if (!S_ISREG(info.st_mode) && !isStandardInput)
            throw EInOutError(QStringLiteral("Cannot read \"%1\": it is not a regular file").arg(shown));
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    }
    if (S_ISREG(info.st_mode) && info.st_size > limits.MaxTextBytes)
        throw EFormTextError({1, 1}, QStringLiteral("the file is %1 bytes long; at most %2 bytes are read")
                                         .arg(qint64(info.st_size))
                                         .arg(limits.MaxTextBytes));
    // A stream that reports no size (a pipe) is read up to the bound only.
    QByteArray bytes;
    char buffer[65536];
    while (bytes.size() <= limits.MaxTextBytes) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw EInOutError(QStringLiteral("Cannot read \"%1\": %2").arg(shown, FileErrorText(errno)));
        if (n == 0)
            break;
        bytes.append(buffer, n);
    }
    if (bytes.size() > limits.MaxTextBytes)
        throw EFormTextError({1, 1}, QStringLiteral("the file is longer than %1 bytes").arg(limits.MaxTextBytes));
    return bytes;
}

void WriteFileSafely(const QString& FileName, const QByteArray& Data)
{
    const QString reason = WriteFileSafelyReason(FileName, Data);
    if (!reason.isEmpty())
        throw EInOutError(QStringLiteral("Cannot write \"%1\": %2").arg(ShownFileName(FileName), reason));
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

QByteArray Digest(const QByteArray& Text)
{
    return QCryptographicHash::hash(Text, QCryptographicHash::Sha256);
}

// Where Block stands in the document read from Text.
TDesignSource SourceOf(const QByteArray& Text, const TFormTextDocument& Document, const TFormTextObject& Block)
{
    TDesignSource source;
    source.Name = Block.Name;
    source.WholeText = Document.Objects.size() == 1 && CountBlocks(Document.Objects.front()) == 1;
    const QStringList lines = SplitLines(Document.Source);
    if (!source.WholeText) {
        source.Lines = lines;
        source.FirstLine = Block.Position.Line;
        source.LastLine = Block.EndLine;
        source.Keyword = Block.Keyword;
        source.Indent = Block.Position.Column - 1;
        source.ByteOrderMark = Text.startsWith("\xEF\xBB\xBF");
    }
    // Trimmed: moving the block to another depth is no change of the dialog.
    for (const QString& line : lines.mid(Block.Position.Line - 1, Block.EndLine - Block.Position.Line + 1))
        source.BlockLines.append(line.trimmed());
    source.Digest = Digest(Text);
    return source;
}

// The TVxDialog block named Name, or the first TVxDialog when none has that name.
const TFormTextObject* FindDialogBlock(const TFormTextObject& Object, const QString& Name)
{
    if (Object.ClassName.compare(QLatin1String("TVxDialog"), Qt::CaseInsensitive) == 0
        && Object.Name.compare(Name, Qt::CaseInsensitive) == 0)
        return &Object;
    for (const TFormTextObject& child : Object.Children)
        if (const TFormTextObject* found = FindDialogBlock(child, Name))
            return found;
    return nullptr;
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

    TDesignSource source = SourceOf(Text, document, *block);
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

TDesignSave PrepareDesignSave(const TVxDialog* Dialog, const TComponent* Root, const TDesignSource& Source,
                              const QString& OpenedFile, const QString& FileName)
{
    TDesignSave save;
    save.Source = Source;
    const QByteArray path = EncodeFileName(FileName);
    struct stat info {};
    const bool sameFile = !OpenedFile.isEmpty() && !Source.Digest.isEmpty()
                          && EncodeFileName(OpenedFile) == path && ::stat(path.constData(), &info) == 0
                          && S_ISREG(info.st_mode);
    QByteArray now;
    if (sameFile) {
        try {
            now = ReadDesignFileBytes(FileName);
        } catch (const Exception&) {
            // Cannot be read at all: the write will say why.
        }
    }
    if (sameFile && !now.isNull() && Digest(now) != Source.Digest) {
        try {
            const TFormTextDocument document = ParseFormText(now);
            const TFormTextObject* block = nullptr;
            for (const TFormTextObject& object : document.Objects)
                if ((block = FindDialogBlock(object, Source.Name)))
                    break;
            if (!block)
                block = document.FindClass(QStringLiteral("TVxDialog"));
            if (!block)
                throw EFormTextError(document.Objects.front().Position,
                                     QStringLiteral("the text holds no TVxDialog object"));
            save.Source = SourceOf(now, document, *block);
            save.Source.Name = Source.Name;
            save.Change = save.Source.BlockLines == Source.BlockLines ? TDiskChange::RestChanged
                                                                       : TDiskChange::DialogChanged;
        } catch (const Exception& E) {
            save.Change = TDiskChange::Unreadable;
            save.Reason = E.Message();
        }
    }
    save.Text = DesignText(Dialog, Root, save.Source);
    // The next save compares with what this one writes.
    try {
        const TFormTextDocument written = ParseFormText(save.Text);
        const TFormTextObject* block = nullptr;
        for (const TFormTextObject& object : written.Objects)
            if ((block = FindDialogBlock(object, Source.Name)))
                break;
        if (!block)
            block = written.FindClass(QStringLiteral("TVxDialog"));
        if (block) {
            const TDesignSource next = SourceOf(save.Text, written, *block);
            const bool whole = save.Source.WholeText;
            save.Source = next;
            save.Source.Name = Source.Name;
            if (whole) { // a dialog saved alone stays a dialog alone
                save.Source.WholeText = true;
                save.Source.Lines.clear();
            }
        }
    } catch (const Exception&) {
        save.Source.Digest = Digest(save.Text);
    }
    return save;
}

void WriteDesignFile(const QString& FileName, const QByteArray& Text)
{
    const QString shown = ShownFileName(FileName);
    const QByteArray path = EncodeFileName(FileName);
    struct stat info {};
    // Permission bits, not only what this process may do: the super-user may write anything, yet
    // a file without any write bit is read-only to its owner's intent.
    if (::stat(path.constData(), &info) == 0 && S_ISREG(info.st_mode)
        && (::access(path.constData(), W_OK) != 0 || (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0))
        throw EInOutError(QStringLiteral("Cannot save \"%1\": the file is read-only").arg(shown));
    const QString reason = WriteFileSafelyReason(FileName, Text);
    if (!reason.isEmpty())
        throw EInOutError(QStringLiteral("Cannot save \"%1\": %2").arg(shown, reason));
}
