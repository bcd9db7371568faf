#pragma once
/// @file VxDesignLoader.h
/// @brief Dialogs made from form text at run time, the way QUiLoader makes widgets from `.ui` files.

#include "FormTextReader.h"
#include "VxDialog.h"

#include <QByteArray>
#include <QString>

#include <any>
#include <memory>

class TComponent;

/// @brief Turns a design (the form text the designer saves) into a dialog at run time.
///
/// The text may be a design file of its own or a whole form that holds a `TVxDialog` block among
/// other objects; the first `TVxDialog` block is read. Event handlers named in the text (such as
/// `OnDialogClick = VxDialog1DialogClick`) are kept by name; give them code afterwards with
/// ConnectHandler().
///
/// @code
/// std::unique_ptr<TVxDialog> dialog;
/// try {
///     dialog = TVxDesignLoader::LoadFile(QStringLiteral(":/designs/confirm.dfm"));
/// } catch (const EFormTextError& e) {
///     qWarning() << e.Line() << e.Column() << e.What();
///     return;
/// }
/// TVxDesignLoader::ConnectHandler<TDialogClickEvent>(dialog.get(), QStringLiteral("VxDialog1DialogClick"),
///     [](TObject*, TVxDialogHitTest) { qDebug() << "clicked"; });
/// if (dialog->Execute() == mrYes)
///     save();
/// @endcode
///
/// All functions are for the thread that owns the dialogs (the GUI thread).
class TVxDesignLoader {
public:
    /// @brief The dialog of the first `TVxDialog` block of @p Text.
    ///
    /// @p Owner (may be null) owns the new dialog as a component too; the dialog takes the block's
    /// name, which must then be free among the owner's components. Handler names are resolved
    /// relative to the owner, or to the dialog without one.
    /// @throws EFormTextError naming line, column and cause when the text cannot be read, holds
    ///         no `TVxDialog` block or sets an unknown property. No dialog is left behind then.
    static std::unique_ptr<TVxDialog> LoadText(const QByteArray& Text, TComponent* Owner = nullptr);

    /// @brief LoadText() on the contents of a file, or of a Qt resource (a name starting ":/").
    /// @throws EInOutError when the file cannot be read (the message names it), EFormTextError as
    ///         LoadText() does, also for a file larger than form text may be.
    static std::unique_ptr<TVxDialog> LoadFile(const QString& FileName, TComponent* Owner = nullptr);

    /// @brief Gives code to every event of @p Root (and of the components it owns and their option
    /// objects) whose handler the form text named @p HandlerName.
    ///
    /// @tparam Event the event's type, e.g. TNotifyEvent or TDialogClickEvent.
    /// @return how many events got the code: 0 when no event of that type names the handler.
    template <typename Event>
    static int ConnectHandler(TComponent* Root, const QString& HandlerName, typename Event::Function Code)
    {
        return ConnectHandlerCode(Root, HandlerName, std::any(std::move(Code)));
    }

    /// @brief The handler names the events of @p Root (and what it owns) carry, without repeats.
    static QStringList HandlerNames(const TComponent* Root);

private:
    static int ConnectHandlerCode(TComponent* Root, const QString& HandlerName, const std::any& Code);
};
