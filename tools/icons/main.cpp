// korvet-icons OUTDIR: draws the icons of Korvet (its logo) and Pelmat into
// OUTDIR/hicolor/NxN/apps/{korvet,pelmat}.png for the desktop's menu.
#include <QGuiApplication>
#include <QPixmap>
#include <QString>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "reinstaller/artwork.h"
#include "widgets/bandart.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: korvet-icons OUTDIR\n");
        return 2;
    }
    QGuiApplication application(argc, argv);
    const std::filesystem::path out(argv[1]);
    const std::pair<const char*, std::function<QPixmap(int)>> icons[] = {
        {"korvet", [](int size) { return widgets::logo(size); }},
        {"pelmat", [](int size) { return reinstaller::icon(size); }},
    };
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const auto dir =
            out / "hicolor" / (std::to_string(size) + "x" + std::to_string(size)) / "apps";
        std::filesystem::create_directories(dir);
        for (const auto& [name, draw] : icons) {
            const auto file = dir / (std::string(name) + ".png");
            if (!draw(size).save(QString::fromStdString(file.string()), "PNG")) {
                std::fprintf(stderr, "korvet-icons: cannot write %s\n", file.c_str());
                return 1;
            }
        }
    }
    return 0;
}
