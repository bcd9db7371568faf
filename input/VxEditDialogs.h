#pragma once
/// One-call queries built on the edit dialog. \file

#include "VxEditProperties.h"

#include <QString>

#include <memory>

class TComponent;
class TVxCustomEditDialog;

/// The dialog class the queries create: makes a new dialog without an owner.
using TVxEditDialogClass = std::unique_ptr<TVxCustomEditDialog> (*)();
/// TVxEditDialog, registered at start-up.
extern TVxEditDialogClass EditDialogClass;
std::unique_ptr<TVxCustomEditDialog> CreateVxEditDialog();

/// Asks for one line of text; AValue is the starting text and, when the user confirms with OK,
/// the entered text. Returns whether the user confirmed (AValue is untouched otherwise).
bool EditQueryEx(const QString& ATitle, const QString& ACaption, QString& AValue, TVxCaptionPosition ACaptionPosition);
/// EditQueryEx with the caption above the edit.
bool EditQuery(const QString& ATitle, const QString& ACaption, QString& AValue);
