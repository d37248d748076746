#pragma once
// The demo database as rows ready to store: texts in YUSCII, rich texts as
// RTF bytes, pictures as file bytes.
#include <string>
#include <vector>

namespace demo {

struct NamedRow {
    long long id = 0;
    std::string name;
};

struct Date {
    int day = 0;
    int month = 0;
    int year = 0;
};

struct Picture {
    int slot = 0;  // 1 .. 33
    std::string bytes;
};

struct Regulation {
    long long id = 0;  // ID_ZAKONA = ID_BROJA = its publication entry
    long long gazette = 0;
    std::string year;   // four digits
    std::string issue;  // e.g. 12a
    long long area = 0;
    long long type = 0;
    std::string title;
    std::string latin;     // RTF
    std::string cyrillic;  // RTF
    std::string note;      // RTF, empty when none
    std::vector<Date> dates;
    std::vector<Picture> pictures;

    std::string bg() const { return issue + "/" + year; }
};

struct ArchiveRow {
    long long number = 0;
    long long previous = 0;
    long long next = 0;
};

struct Opinion {
    long long number = 0;
    long long ministry = 0;
    Date date;
    std::string title;
    std::string latin;     // RTF
    std::string cyrillic;  // RTF
    std::vector<long long> regulations;
};

struct Contract {
    std::string name;
    std::string text;  // RTF with placeholders
    std::string note;  // RTF, empty when none
    int parties = 2;
};

struct DemoData {
    std::vector<NamedRow> gazettes;  // ids 1..n
    std::vector<NamedRow> areas;     // ids 1..n, 1 the root
    std::vector<NamedRow> types;     // ids 0..n, 0 "Sve"
    std::vector<NamedRow> ministries;
    std::vector<ArchiveRow> archive;
    std::vector<Regulation> regulations;
    std::vector<Opinion> opinions;
    std::vector<Contract> contracts;
};

}  // namespace demo
