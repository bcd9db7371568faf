#pragma once
// What screen readers see of the check box, the labels, the expand/collapse toggle and the caption
// control: these controls are painted by us, so they describe themselves through Qt's
// accessibility interfaces, created by a factory of our own.

class QObject;

// Installs the factory once per process; every constructor of these controls calls it.
void InstallCheckLabelAccessibility();

enum class CheckLabelStateChange { Checked, Expanded, Name };

// Tells assistive tools that a control's checked or expanded state or its name changed (nothing
// happens while no tool listens).
void NotifyCheckLabelStateChange(QObject* Control, CheckLabelStateChange Change);
