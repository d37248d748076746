#pragma once
// The filter texts the program sets on its datasets. Spacing is part of each
// template and is kept exactly ("Naziv_zakona= " has a blank after the equals
// sign, "naziv_glasnika=" has none). Values are quoted with single quotes, an
// embedded quote doubled; numbers are written as decimal text.
#include <string>
#include <string_view>

namespace database::filters {

// v in single quotes, embedded quotes doubled.
std::string quote(std::string_view value);
std::string quote(long long number);

// Zakoni (TB_Zakoni).
std::string zakoniByTitleAndBg(std::string_view title, std::string_view bg);
// The archive list and the version list write the AND without a blank before it.
std::string zakoniByTitleAndBgArchive(std::string_view title, std::string_view bg);
std::string zakoniByTitleAndBgVersions(std::string_view title, std::string_view bg);
std::string zakoniByTitle(std::string_view title);  // also lookzakoni
std::string zakoniById(long long idZakona);         // lookzakoni, relations
std::string zakoniByAreaAndType(long long area, long long type);
std::string zakoniByArea(long long area);
std::string zakoniByType(long long type);

// Glavna (TB_Brojevi).
std::string brojeviByGazetteForSearch(long long gazette);  // keyword search
std::string brojeviByGazette(long long gazette);
std::string brojeviByGazetteYear(long long gazette, std::string_view year);
std::string brojeviByGazetteYearIssue(long long gazette, std::string_view year,
                                      std::string_view issue);
// Filling the gazette tree's years and issues.
std::string brojeviByGazetteForTree(long long gazette);
std::string brojeviByGazetteYearForTree(long long gazette, std::string_view year);
std::string brojeviById(long long idBroja);

// Glasnici (TB_Glasnici).
std::string glasniciByName(std::string_view name);

// arhiva (TB_Arhiva).
std::string arhivaByNumber(long long brojZakona);
std::string arhivaNeighbours(long long brojZakona);

// misljenja (TB_Misljenja). Each date part is compared by itself.
std::string misljenjaByDateRange(long long day1, long long month1, long long year1, long long day2,
                                 long long month2, long long year2);
// Parts as read from a "dd/mm/yyyy" list text ("05", "03", "2006").
std::string misljenjaByTitleAndDate(std::string_view title, std::string_view day,
                                    std::string_view month, std::string_view year);

// ministarstva (TB_Ministarstva).
std::string ministarstvaByName(std::string_view name);

// link (TB_link).
std::string linkByRegulation(long long idZakona);
std::string linkByOpinion(long long brojMisljenja);

// ugovori (TB_Ugovori) and KorisnickiUgovori (TB_Korisnicki).
std::string ugovoriByName(std::string_view name);
std::string korisnickiByName(std::string_view name);        // "NAZIV_UG="
std::string korisnickiByNameSpaced(std::string_view name);  // "NAZIV_UG= "

}  // namespace database::filters
