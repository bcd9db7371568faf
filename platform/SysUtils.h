#pragma once
/// Exceptions that carry a message text, and the few text helpers every layer shares. \file

#include <QString>
#include <exception>

/// Base of every failure the system raises; the application's handler shows Message().
class Exception : public std::exception {
public:
    explicit Exception(QString message) : FMessage(std::move(message)), FUtf8(FMessage.toUtf8()) {}
    const QString& Message() const { return FMessage; }
    const char* what() const noexcept override { return FUtf8.constData(); }
    virtual QString ClassName() const { return QStringLiteral("Exception"); }

private:
    QString FMessage;
    QByteArray FUtf8;
};

#define VX_DECLARE_EXCEPTION(Name, Base)                                             \
    class Name : public Base {                                                        \
    public:                                                                           \
        using Base::Base;                                                             \
        QString ClassName() const override { return QStringLiteral(#Name); }          \
    };

/// Conversion failures: Assign between unrelated classes, bad colour or integer texts.
VX_DECLARE_EXCEPTION(EConvertError, Exception)
/// Index out of range in a list.
VX_DECLARE_EXCEPTION(EListError, Exception)
/// Form-text reading and writing failures.
VX_DECLARE_EXCEPTION(EReadError, Exception)
VX_DECLARE_EXCEPTION(EWriteError, Exception)
/// Component naming failures (duplicate or invalid names).
VX_DECLARE_EXCEPTION(EComponentError, Exception)
/// Operations that are not valid in the current state.
VX_DECLARE_EXCEPTION(EInvalidOperation, Exception)
/// Files that cannot be read or written.
VX_DECLARE_EXCEPTION(EInOutError, Exception)
