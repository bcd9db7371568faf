#pragma once
// Runs dialogs modally from tests: the action runs inside the modal loop once the window shows;
// buttons are found by the modal result they carry; a message box that a step will raise is
// answered as soon as it shows.

#include "VxDialog.h"

#include <QWidget>

#include <functional>

class TVxCustomEditDialog;

int Scaled(int Value);
QWidget* WindowOf(TVxCustomDialog* Dialog);
// Runs Dialog modally (owner nullptr) with Action called inside the loop once the window shows.
int RunModal(TVxCustomDialog* Dialog, std::function<void(QWidget* Window)> Action);
// The common button of a dialog window whose modal result is AModalResult.
QWidget* CommonButton(QWidget* Window, int AModalResult);
void ClickCommonButton(QWidget* Window, int AModalResult);
// Answers the next dialog window other than Except that shows with the button of
// AModalResult; Seen receives its content text. Call before the step that shows it.
void AnswerNextDialog(QWidget* Except, int AModalResult, QString* Seen = nullptr);
