#pragma once
// Screen readers see the painted progress bar as a progress bar with a value (0 .. Max).

// Installs the accessibility factory of the painted progress bar once per process.
void InstallProgressAccessibility();
