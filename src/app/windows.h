#pragma once
// The program's windows, each created once in the start-up order: start-up
// window, main window, document window, selection window, notes window,
// update window, attachments window, relations window. They live until the
// program ends and go in the reverse order.
#include <memory>

#include "mainwindow/tform1.h"
#include "selection/tselekt.h"
#include "startup/tform2.h"
#include "update/tupdater.h"
#include "viewer/tdokumenti.h"
#include "viewer/tform3.h"
#include "viewer/tform5.h"
#include "viewer/tporedjenje.h"
#include "viewer/trelacije.h"

namespace engine {
class Session;
}

namespace app {

struct Windows {
    std::unique_ptr<TForm2> form2;
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm3> form3;
    std::unique_ptr<Tselekt> selekt;
    std::unique_ptr<TForm5> form5;
    std::unique_ptr<Tupdater> updater;
    std::unique_ptr<Tdokumenti> dokumenti;
    std::unique_ptr<Trelacije> relacije;
    // The comparison of versions (after the windows of the start-up order).
    std::unique_ptr<Tporedjenje> poredjenje;
};

// Creates the windows on the session and wires them (app/wiring.h). When the
// start-up window finds another instance running (form2->terminated()),
// nothing else is created.
std::unique_ptr<Windows> createWindows(engine::Session& session);

}  // namespace app
