#pragma once
// A small regulation database for the document window's tests, built in a
// temporary program directory, with a session whose alias "Zakoni" points at
// it. Texts are YUSCII.
//
// Regulations (ID: BG, title; notes = stored bytes of Napomena):
//   1: 12/2005, "Zakon o radu"      articles 1, 2, 10; notes 201; picture S2;
//                                   archive: follows 3
//   2: 12a/2005, "Zakon o 'porezu'" two equal headings; notes 200
//   3: 5/1999, "Zakon o radu"       a text without headings; archive: superseded by 1
// Opinion 10: "Porez na dobit", linked to 1.
#include <string>
#include <vector>

#include "engine/session.h"
#include "support/temp_program_dir.h"

namespace testsupport {

// The paragraphs of the texts, as the view's plain text shows them.
extern const std::vector<std::string> kLatinOne;
extern const std::vector<std::string> kCyrillicOne;
extern const std::vector<std::string> kLatinTwo;
extern const std::vector<std::string> kLatinThree;
extern const std::vector<std::string> kOpinionText;

// Paragraphs joined by '\n'.
std::string joined(const std::vector<std::string>& paragraphs);

struct DocDatabase {
    DocDatabase();
    ~DocDatabase();

    TempProgramDir dir{false};
    engine::Session session;
};

}  // namespace testsupport
