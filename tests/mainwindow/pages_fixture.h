#pragma once
// What the page tests of the main window share: the main window on a copy
// of the demo database after its first activation, with the document
// window; the texts of a report list.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/wiring.h"
#include "engine/session.h"
#include "mainwindow/tform1.h"
#include "settings/settings.h"
#include "startup/session.h"
#include "support/temp_program_dir.h"
#include "viewer/tform3.h"
#include "widgets/reportlist.h"

namespace pagestest {

using Texts = std::vector<std::string>;

inline Texts captions(const widgets::ReportList* list) {
    Texts out;
    for (const lists::Row& r : list->rows()) {
        out.push_back(r.caption);
    }
    return out;
}

inline Texts column(const widgets::ReportList* list, size_t sub) {
    Texts out;
    for (const lists::Row& r : list->rows()) {
        out.push_back(r.sub.at(sub));
    }
    return out;
}

class MainWindowPages : public ::testing::Test {
  protected:
    void SetUp() override {
        settings::resetProcessValues();
        startup::openDatabase(session, dir.path());
        form = std::make_unique<TForm1>(session);
        form->FormActivate();
        document = std::make_unique<TForm3>(session, *form);
        app::wireDocument(*form, *document);
    }
    void TearDown() override {
        document.reset();
        form.reset();
    }

    testsupport::TempProgramDir dir;
    engine::Session session;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TForm3> document;
};

}  // namespace pagestest
