#pragma once
// Version stamps of our libraries and programs. A stamp is an ELF note
// (owner "Korvet", type 1, the version text as its data) that the loader
// maps with the file and that can be read from the file without loading it.
//
//   KORVET_FILE_VERSION("5.2.0.2");   // at namespace scope in one source file
//   platform::fileVersion(path)       // "5.2.0.2"; empty without a stamp
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace platform {

// The version stamped in the file; empty when the file is missing or
// unreadable, is no ELF file, or carries no stamp. Damaged headers give empty
// too; only the headers and the note segments are read.
std::string fileVersion(const std::filesystem::path& path);

namespace stamp {

inline constexpr const char kOwner[] = "Korvet";
inline constexpr std::uint32_t kType = 1;

// The note as the linker lays it out: sizes and type, then the owner name and
// the text, each padded to four bytes.
template <std::size_t N>
struct Note {
    std::uint32_t nameSize = sizeof kOwner;
    std::uint32_t textSize = N;
    std::uint32_t type = kType;
    char name[(sizeof kOwner + 3) / 4 * 4] = {};
    char text[(N + 3) / 4 * 4] = {};
};

template <std::size_t N>
constexpr Note<N> make(const char (&text)[N]) {
    Note<N> note;
    for (std::size_t i = 0; i < sizeof kOwner; ++i) {
        note.name[i] = kOwner[i];
    }
    for (std::size_t i = 0; i < N; ++i) {
        note.text[i] = text[i];
    }
    return note;
}

}  // namespace stamp
}  // namespace platform

// The section's name makes the assembler type it as a note and the linker
// put it in the file's note segment.
#define KORVET_FILE_VERSION(text)                                \
    [[gnu::used, gnu::section(".note.korvet.version")]] alignas( \
        4) static constexpr auto korvetFileVersionStamp = ::platform::stamp::make(text)
