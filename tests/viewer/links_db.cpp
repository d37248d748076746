#include "links_db.h"

#include <QBuffer>
#include <QImage>

#include "demo/db_writer.h"
#include "demo/rtf_writer.h"
#include "support/data_session.h"

namespace testsupport {
namespace {

std::string png(QSize size, Qt::GlobalColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

std::string rtf(const std::string& text) {
    return demo::markupToRtf({{1, text}}, demo::Script::Latin, "test");
}

demo::Regulation regulation(long long id, const char* year, const char* issue, const char* title) {
    demo::Regulation r;
    r.id = id;
    r.gazette = 1;
    r.year = year;
    r.issue = issue;
    r.area = 1;
    r.type = 1;
    r.title = title;
    r.latin = rtf(std::string("^lan 1. ") + title);
    r.cyrillic = demo::markupToRtf({{1, r.title}}, demo::Script::Cyrillic, "test");
    return r;
}

demo::Opinion opinion(long long number, long long ministry, demo::Date date, const char* title) {
    return {number, ministry, date, title, rtf(title), rtf(title), {}};
}

}  // namespace

LinksDatabase::LinksDatabase() {
    demo::DatabaseWriter w(dir / "Podatci");
    w.gazette({1, "Sl. glasnik RS"});
    w.area({1, "Svi propisi"});
    w.type({0, "Sve"});
    w.type({1, "Zakone"});
    for (long long m : {1, 2, 3}) {
        w.ministry({m, "Ministarstvo " + std::to_string(m)});
    }

    demo::Regulation one = regulation(1, "2005", "12", "Zakon o radu");
    one.pictures = {{2, png(kWidePicture, Qt::red)}, {5, png(kTallPicture, Qt::blue)}};
    one.note = demo::noteToRtf({1, "Napomena uz zakon o radu."}, demo::Script::Latin, "test", 260);
    w.regulation(one);
    w.regulation(regulation(2, "2006", "3", "Zakon o porezu"));
    demo::Regulation three = regulation(3, "2007", "7", "Zakon o prilozima");
    for (int slot = 1; slot <= 33; ++slot) {
        three.pictures.push_back({slot, png(kWidePicture, Qt::green)});
    }
    w.regulation(three);

    w.opinion(opinion(10, 2, {5, 3, 2006}, "Porez na dobit"));
    w.opinion(opinion(11, 1, {7, 11, 2007}, "Zarade zaposlenih"));
    w.opinion(opinion(12, 3, {1, 2, 2008}, "Porez na imovinu"));
    w.link(1, 1, 10);
    w.link(0, 1, 11);
    w.link(99, 1, 99);
    w.link(1, 2, 10);
    w.link(1, 77, 10);
    w.commit();

    openDataSession(session, dir.path());
}

LinksDatabase::~LinksDatabase() = default;

}  // namespace testsupport
