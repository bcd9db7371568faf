#pragma once
/// C++ creation code for a component: a translation unit a client adds to a Qt project that links
/// the installed library. It holds the `#include` lines and one function
///
///     std::unique_ptr<TVxDialog> CreateVxDialog1(TComponent* Owner)
///
/// that creates the dialog, sets its properties and returns it. It is translated from the Object
/// Pascal creation code statement by statement, so properties come in the same order, default
/// values are left out alike and handlers carry the names the Pascal code gives them (as comments
/// in lambdas the user fills in). Pictures are written as their form-text bytes. \file

#include <QString>
#include <QStringList>

class TComponent;

/// The lines of the translation unit for Comp (its class must be one the installed headers
/// declare). Raises EConvertError for a statement it cannot translate.
QStringList CppCreationCode(TComponent* Comp);

/// "CreateVxDialog1": the name of the function the code defines for a component of that name.
QString CppCreateFunctionName(const QString& ComponentName);
