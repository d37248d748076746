#include "views_db.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <filesystem>

namespace viewstest {

using engine::FieldType;

ViewsDb::ViewsDb(bool manyRows) {
    const auto folder = dir.path() / "Podatci";
    std::filesystem::create_directory(folder);
    {
        auto db = engine::Database::create((folder / engine::kDatabaseFileName).string(), {});
        engine::Database::Transaction tx(*db);
        db->createTable({"Ugovori",
                         {{"NAZIV_UG", FieldType::String, 40}, {"TEKST_UG", FieldType::Memo, 0}},
                         {},
                         {{"naziv", {"NAZIV_UG"}, true, false}}});
        db->createTable({"Slike",
                         {{"ID", FieldType::Number, 0},
                          {"S1", FieldType::Graphic, 0},
                          {"S2", FieldType::Graphic, 0},
                          {"S3", FieldType::Graphic, 0}},
                         {"ID"},
                         {}});
        db->createTable({"Glavna", {{"ID", FieldType::Number, 0}}, {"ID"}, {}});
        db->createTable({"Stavke",
                         {{"ID_G", FieldType::Number, 0}, {"NAZIV", FieldType::String, 20}},
                         {},
                         {{"poGlavnoj", {"ID_G"}, false, false}}});
        db->createTable({"Mnogo",
                         {{"BROJ", FieldType::Number, 0}, {"NAZIV", FieldType::String, 20}},
                         {"BROJ"},
                         {}});
        db->exec(
            "INSERT INTO Ugovori (NAZIV_UG, TEKST_UG) VALUES"
            " ('Prvi', CAST('{\\rtf1 Tekst prvog}' AS BLOB)),"
            " ('Drugi', CAST('{\\rtf1 Tekst drugog}' AS BLOB)), ('Tre}i', NULL)");
        db->exec("INSERT INTO Slike (ID) VALUES (1), (2)");
        db->exec("INSERT INTO Glavna VALUES (1), (2)");
        db->exec("INSERT INTO Stavke VALUES (1, 'a'), (1, 'b'), (2, 'c')");
        if (manyRows) {
            db->exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                     std::to_string(kManyRows) +
                     ") INSERT INTO Mnogo SELECT i, 'red ' || i FROM n");
        }
        tx.commit();
    }
    session.addStandardAlias("Views", folder.string(), "Paradox");
    session.open();
}

ViewsDb::~ViewsDb() = default;

std::unique_ptr<engine::Table> ViewsDb::open(const std::string& table, bool readOnly) {
    auto t = std::make_unique<engine::Table>(session, table);
    t->setDatabaseName("Views");
    t->setTableName(table);
    t->setReadOnly(readOnly);
    t->open();
    return t;
}

std::string ViewsDb::stored(const std::string& table, const std::string& keyField,
                            const std::string& key, const std::string& field) {
    auto t = open(table, true);
    for (t->first(); !t->eof(); t->next()) {
        if (t->fieldByName(keyField).asString() == key) {
            return t->fieldByName(field).asString();
        }
    }
    return "<no row " + key + ">";
}

void type(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &key);
    }
}

void press(QWidget* widget, QKeySequence::StandardKey standard) {
    const QKeyCombination combo = QKeySequence(standard)[0];
    QKeyEvent key(QEvent::KeyPress, combo.key(), combo.keyboardModifiers());
    QApplication::sendEvent(widget, &key);
}

}  // namespace viewstest
