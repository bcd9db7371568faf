#pragma once
/// INI text files that are changed in place: everything that is not touched (other sections and
/// keys, comments, blank lines, their order) is written back as it was read. \file

#include <QString>
#include <QStringList>

#include <memory>

/// An INI file held in memory. The constructor reads the file (a missing file is an empty INI; one
/// that exists but cannot be read raises EInOutError) and closes it again; changes stay in memory
/// until UpdateFile() writes the whole file.
///
/// Reading accepts CR LF, LF or CR line ends, an optional UTF-8 byte order mark, blanks around
/// names, "=" and values, comment lines (";" or "#") and lines without "=", which are kept as they
/// are. Section and key names compare without regard to case; with duplicates the first one counts.
/// Writing uses UTF-8 (with the byte order mark when the file had one) and CR LF after every line.
/// A changed key is written as "Key=Value"; a new key goes after the last key of its section, a new
/// section at the end of the file.
class TIniFile {
public:
    explicit TIniFile(const QString& FileName);
    ~TIniFile();
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    const QString& FileName() const;

    QString ReadString(const QString& Section, const QString& Ident, const QString& Default) const;
    /// Decimal, "$" or "0x" hexadecimal; Default for anything else, as the platform's StrToIntDef.
    int ReadInteger(const QString& Section, const QString& Ident, int Default) const;
    /// The integer value is not 0; text such as "true" is not an integer and gives Default.
    bool ReadBool(const QString& Section, const QString& Ident, bool Default) const;

    /// Names and values that would change the file's structure (line breaks, a "=" in a key, a "]"
    /// in a section name, empty names) raise EInOutError instead of corrupting the file.
    void WriteString(const QString& Section, const QString& Ident, const QString& Value);
    void WriteInteger(const QString& Section, const QString& Ident, int Value);
    /// Writes "1" or "0".
    void WriteBool(const QString& Section, const QString& Ident, bool Value);

    bool SectionExists(const QString& Section) const;
    bool ValueExists(const QString& Section, const QString& Ident) const;
    /// Key names of the section in file order (each once, as first written).
    QStringList ReadSection(const QString& Section) const;
    /// Section names in file order.
    QStringList ReadSections() const;
    /// Removes every section of that name with its lines.
    void EraseSection(const QString& Section);
    void DeleteKey(const QString& Section, const QString& Ident);

    /// Writes the file (atomically: a failed write leaves the old file as it was). Raises
    /// EInOutError naming the file and the reason when it cannot be written.
    void UpdateFile();

private:
    struct TData;
    std::unique_ptr<TData> D;
};

/// The platform's in-memory INI file has the same behaviour.
using TMemIniFile = TIniFile;
