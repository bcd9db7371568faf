#pragma once
// What a screen reader sees of a check list: a list whose items are checkable. Each item
// announces its check state and its Toggle action ticks or clears it, as Space does; the
// toolkit's own list items would only be selected by that action.

class TCheckListBox;

// Called by every new check list.
void InstallCheckListAccessibility(TCheckListBox* List);
