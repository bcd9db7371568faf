#pragma once
/// The process-wide default fonts of dialogs, one per text role. New dialogs and instruction
/// objects start with them, and every run with UseDefaultFonts re-applies them. \file

#include "Graphics.h"

#include <array>

enum TVxFontType { ftContent, ftInstruction, ftHeader, ftFooter, ftExpando };

class TVxDefaultFonts {
public:
    /// Builds the five fonts from the toolkit's default user-interface font, or from the fallback
    /// when the toolkit has none.
    TVxDefaultFonts();
    /// Builds the five fonts from ABase; nullptr stands for the fallback font.
    explicit TVxDefaultFonts(const TFont* ABase);
    TVxDefaultFonts(const TVxDefaultFonts&) = delete;
    TVxDefaultFonts& operator=(const TVxDefaultFonts&) = delete;

    /// The stored font of a role. Callers copy it (Assign); they never keep or free it.
    const TFont* GetFont(TVxFontType AFontType) const;
    /// Copies AFont into the stored font of that role, for later dialogs and runs.
    void SetFont(TVxFontType AFontType, const TFont* AFont);

    /// The base font when the toolkit cannot tell its user-interface font.
    static constexpr const char* FallbackFontName = "Segoe UI";
    static constexpr int FallbackFontSize = 9;
    static constexpr int InstructionFontSize = 12;
    static constexpr TColor InstructionFontColor = 0x00993300;

    /// Fills Font with the toolkit's default user-interface font; False (Font untouched) when
    /// there is none (no GUI application, or an unusable answer).
    static bool ReadSystemFont(TFont& Font);

private:
    void Build(const TFont& Base);
    std::array<TFont, 5> FFonts;
};

/// The one instance of the process. It is created on first use, which is always before the first
/// dialog (every dialog constructor asks for it), and lives until the process exits; creation is
/// thread-safe. Create it once from the GUI thread after the application object exists so that
/// it picks up the toolkit's font.
TVxDefaultFonts& VxDefaultFonts();
