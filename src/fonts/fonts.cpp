#include "fonts/fonts.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>
#include <system_error>

#include "platform/programdir.h"
#include "platform/textconv.h"

namespace fonts {
namespace {

enum Role { Interface, Latin, Cyrillic, RoleCount };

std::string& faceName(Role role) {
    static std::string names[RoleCount];
    return names[role];
}

}  // namespace

const std::vector<FontFace>& fontTable() {
    // Indexed by Role.
    static const std::vector<FontFace> table = {
        {kInterfaceFace, {"Yuerife.FON"}},
        {kLatinFace, {"Yhelvn.TTF", "Yhelvb.TTF"}},
        {kCyrillicFace, {"Cir Helvetica.TTF", "Cir Helvetica Bold.TTF"}},
    };
    return table;
}

const std::string& interfaceFace() {
    return faceName(Interface);
}
const std::string& latinFace() {
    return faceName(Latin);
}
const std::string& cyrillicFace() {
    return faceName(Cyrillic);
}

int addFaceIfMissing(const FontFace& row, const std::filesystem::path& dir) {
    if (QFontDatabase::families().contains(platform::qs(row.face), Qt::CaseInsensitive)) {
        return 0;
    }
    int added = 0;
    for (const auto& file : row.files) {
        const auto path = dir / file;
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec)) {
            continue;  // a missing font leaves the controls on a substitute font
        }
        if (QFontDatabase::addApplicationFont(QString::fromStdString(path.string())) >= 0) {
            ++added;
        }
    }
    return added;
}

int installfonts() {
    int added = 0;
    for (int role = 0; role < RoleCount; ++role) {
        const FontFace& row = fontTable()[static_cast<size_t>(role)];
        faceName(static_cast<Role>(role)) = row.face;
        added += addFaceIfMissing(row, platform::programDir());
    }
    return added;
}

}  // namespace fonts
