#pragma once
// What a screen reader learns of a design-page section: its place as the name ("Title", "Main
// instruction", ...), a text role for text sections and a graphic for icon sections, and the
// section's value as its text.

// Installs the accessibility factory for section controls, once per process.
void InstallSectionAccessible();
