#include "dbviews/dbimage.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>

#include "engine/datasource.h"
#include "views_db.h"

namespace {

// A picture of the size, filled with the colour, in the format.
std::string pictureBytes(int width, int height, const char* format, QColor colour = Qt::red) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes.toStdString();
}

class DBImageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        holder.setDataSource(&source);
        holder.setDataField("S2");
    }

    // Stores the bytes in a field of the current row.
    void store(const char* field, const std::string& bytes) {
        table->edit();
        table->fieldByName(field).setBytes(bytes);
        table->post();
    }

    viewstest::ViewsDb db;
    std::unique_ptr<engine::Table> table = db.open("Slike");
    engine::DataSource source{table.get()};
    dbviews::DBImage holder;
};

TEST_F(DBImageTest, ShowsWhatTheFieldHoldsAsAPicture) {
    struct Case {
        const char* what;
        std::string bytes;
        bool picture;
    } cases[] = {
        {"png", pictureBytes(80, 40, "PNG"), true},
        {"bmp", pictureBytes(80, 40, "BMP"), true},
        {"jpeg", pictureBytes(80, 40, "JPEG"), true},
        {"empty", "", false},
        {"garbage", "\x89PNG\r\n\x1a\n but not a picture", false},
        {"cut png", pictureBytes(80, 40, "PNG").substr(0, 60), false},
    };
    for (const Case& c : cases) {
        if (std::string(c.what) == "jpeg" &&
            !QImageReader::supportedImageFormats().contains("jpeg")) {
            continue;
        }
        store("S2", c.bytes);
        EXPECT_EQ(holder.hasPicture(), c.picture) << c.what;
        if (c.picture) {
            EXPECT_EQ(holder.picture().size(), QSize(80, 40)) << c.what;
        }
        holder.resize(100, 100);
        holder.grab();  // painting without a picture is fine too
    }
}

TEST_F(DBImageTest, FollowsTheRowAndTheFieldChosenByName) {
    store("S2", pictureBytes(10, 10, "PNG"));
    table->next();
    store("S3", pictureBytes(30, 10, "PNG"));
    table->first();
    EXPECT_TRUE(holder.hasPicture());
    holder.setDataField("S1");
    EXPECT_FALSE(holder.hasPicture());
    table->next();
    EXPECT_FALSE(holder.hasPicture());
    holder.setDataField("S3");
    EXPECT_EQ(holder.picture().width(), 30);
    holder.setDataField("S99");
    EXPECT_FALSE(holder.hasPicture());
    holder.setDataField("S3");
    table->close();
    EXPECT_FALSE(holder.hasPicture());
}

TEST_F(DBImageTest, ScalesToFitKeepingProportionsCentred) {
    // A tall narrow scan, blue, in a wide holder.
    store("S2", pictureBytes(50, 100, "PNG", Qt::blue));
    holder.resize(400, 200);
    EXPECT_EQ(holder.pictureRect(), QRect(150, 0, 100, 200));
    holder.resize(50, 300);  // a small one in a tall holder grows to its width
    EXPECT_EQ(holder.pictureRect(), QRect(0, 100, 50, 100));

    holder.resize(400, 200);
    const QImage shown = holder.grab().toImage();
    EXPECT_EQ(shown.pixelColor(200, 100), QColor(Qt::blue));
    EXPECT_EQ(shown.pixelColor(151, 5), QColor(Qt::blue));
    EXPECT_NE(shown.pixelColor(20, 100), QColor(Qt::blue));
    EXPECT_NE(shown.pixelColor(380, 100), QColor(Qt::blue));

    store("S2", "");  // another reading is drawn, not the old scaled copy
    EXPECT_NE(holder.grab().toImage().pixelColor(200, 100), QColor(Qt::blue));
}

}  // namespace
