#include "database/filters.h"

namespace database::filters {

std::string quote(std::string_view value) {
    std::string out = "'";
    for (char c : value) {
        out += c;
        if (c == '\'') {
            out += '\'';
        }
    }
    out += '\'';
    return out;
}

std::string quote(long long number) {
    return quote(std::to_string(number));
}

std::string zakoniByTitleAndBg(std::string_view title, std::string_view bg) {
    return "Naziv_zakona= " + quote(title) + " AND BG= " + quote(bg);
}

std::string zakoniByTitleAndBgArchive(std::string_view title, std::string_view bg) {
    return "Naziv_zakona= " + quote(title) + "AND BG= " + quote(bg);
}

std::string zakoniByTitleAndBgVersions(std::string_view title, std::string_view bg) {
    return "Naziv_zakona= " + quote(title) + "AND BG=" + quote(bg);
}

std::string zakoniByTitle(std::string_view title) {
    return "Naziv_zakona= " + quote(title);
}

std::string zakoniById(long long idZakona) {
    return "ID_ZAKONA= " + quote(idZakona);
}

std::string zakoniByAreaAndType(long long area, long long type) {
    return "ID_KATEGORIJE_ZAKONA=" + std::to_string(area) + " AND ID_TIPA_ZAKONA=" + quote(type);
}

std::string zakoniByArea(long long area) {
    return "ID_KATEGORIJE_ZAKONA=" + std::to_string(area);
}

std::string zakoniByType(long long type) {
    return "ID_TIPA_ZAKONA=" + quote(type);
}

std::string brojeviByGazetteForSearch(long long gazette) {
    return "ID_GLASNIKA = " + quote(gazette);
}

std::string brojeviByGazette(long long gazette) {
    return "ID_GLASNIKA=" + quote(gazette);
}

std::string brojeviByGazetteYear(long long gazette, std::string_view year) {
    return brojeviByGazette(gazette) + " AND GODINA_stampanja=" + quote(year);
}

std::string brojeviByGazetteYearIssue(long long gazette, std::string_view year,
                                      std::string_view issue) {
    return brojeviByGazetteYear(gazette, year) + " AND BROJ=" + quote(issue);
}

std::string brojeviByGazetteForTree(long long gazette) {
    return "id_GLASNIKa=" + quote(gazette);
}

std::string brojeviByGazetteYearForTree(long long gazette, std::string_view year) {
    return brojeviByGazetteForTree(gazette) + " AND GODINA_stampanja=" + quote(year);
}

std::string brojeviById(long long idBroja) {
    return "ID_BROJA=" + quote(idBroja);
}

std::string glasniciByName(std::string_view name) {
    return "naziv_glasnika=" + quote(name);
}

std::string arhivaByNumber(long long brojZakona) {
    return "BROJ_ZAKONA= " + quote(brojZakona);
}

std::string arhivaNeighbours(long long brojZakona) {
    const std::string n = quote(brojZakona);
    return "BROJ_ZAKONA = " + n + " OR PRETHODI_MU= " + n + " OR NASLEDJUJE_GA= " + n;
}

std::string misljenjaByDateRange(long long day1, long long month1, long long year1, long long day2,
                                 long long month2, long long year2) {
    return "DAN>= " + quote(day1) + " AND MESEC>=" + quote(month1) +
           " AND GODINA>= " + quote(year1) + " AND " + "DAN<= " + quote(day2) +
           " AND MESEC<=" + quote(month2) + " AND GODINA<= " + quote(year2);
}

std::string misljenjaByTitleAndDate(std::string_view title, std::string_view day,
                                    std::string_view month, std::string_view year) {
    return "NAZIV_MISLJENJA= " + quote(title) + " AND DAN=" + quote(day) +
           " AND MESEC=" + quote(month) + " AND GODINA=" + quote(year);
}

std::string ministarstvaByName(std::string_view name) {
    return "IME_MINISTARSTVA= " + quote(name);
}

std::string linkByRegulation(long long idZakona) {
    return "MIS= " + quote(idZakona);
}

std::string linkByOpinion(long long brojMisljenja) {
    return "PROP= " + quote(brojMisljenja);
}

std::string ugovoriByName(std::string_view name) {
    return "NAZIV_UGOVORA= " + quote(name);
}

std::string korisnickiByName(std::string_view name) {
    return "NAZIV_UG=" + quote(name);
}

std::string korisnickiByNameSpaced(std::string_view name) {
    return "NAZIV_UG= " + quote(name);
}

}  // namespace database::filters
