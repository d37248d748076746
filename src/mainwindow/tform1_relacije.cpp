// The searches the relations window runs on the main window for a chosen
// document: an opinion's title on the opinions page, a regulation's title in
// the keyword search.
#include <QCoreApplication>
#include <QLineEdit>

#include "mainwindow/tform1.h"
#include "widgets/searchfield.h"

void TForm1::trazimisljenje(const std::string& title) {
    widgets::setSearchText(Edit8, title);
    selectPage(kMisljenja);
    QCoreApplication::processEvents();
    raise();
    SpeedButton14Click();
}

void TForm1::trazipropis(const std::string& title) {
    widgets::setSearchText(Edit2, title);
    selectPage(kPretraga);
    raise();
    QCoreApplication::processEvents();
    SpeedButton1Click();
}
