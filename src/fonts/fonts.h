#pragma once
// The three YUSCII screen fonts: their face names, which the windows use when
// they assign fonts, and installfonts(), which makes them available to the
// application from the font files in the program directory.
#include <filesystem>
#include <string>
#include <vector>

namespace fonts {

// The faces' names as their font files give them.
inline constexpr const char* kInterfaceFace = "YU Sans Serif";
inline constexpr const char* kLatinFace = "YHelvetica";
inline constexpr const char* kCyrillicFace = "CHelvetica";

// One row of the font table: a face and the files in the program directory
// that provide it.
struct FontFace {
    std::string face;
    std::vector<std::string> files;
};

// The interface face, the Latin text face and the Cyrillic text face.
const std::vector<FontFace>& fontTable();

// The process-wide face names; empty until installfonts() sets them.
const std::string& interfaceFace();  // "YU Sans Serif"
const std::string& latinFace();      // "YHelvetica"
const std::string& cyrillicFace();   // "CHelvetica"

// Adds each file of the row from dir to the application's fonts unless the
// font database already knows the face. Missing or unreadable files are
// skipped. Returns the number of files added.
int addFaceIfMissing(const FontFace& row, const std::filesystem::path& dir);

// For each row of the font table: sets its face name, then adds its files from
// the program directory when the face is missing. Returns the number of files
// added (0 on every call after the first that found the files).
int installfonts();

}  // namespace fonts
