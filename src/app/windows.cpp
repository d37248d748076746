#include "app/windows.h"

#include <QProgressBar>

namespace app {

std::unique_ptr<Windows> createWindows(engine::Session& session) {
    auto w = std::make_unique<Windows>();
    w->form2 = std::make_unique<TForm2>(session);
    if (w->form2->terminated()) {
        return w;
    }
    w->form1 = std::make_unique<TForm1>(session);
    w->form1->startup = w->form2.get();
    w->form3 = std::make_unique<TForm3>(session, *w->form1);
    TForm1* main = w->form1.get();
    TForm3* document = w->form3.get();
    document->quickOpenMarking = [main](const std::string& title) { main->oznacizabrzo(title); };
    document->progressReset = [main] { main->ProgressBar1->setValue(0); };
    document->archiveJump = [main](const std::string& title) { main->skoknaarhivu(title); };
    main->documentHint = [document](const std::string& hint) { document->showHint(hint); };
    w->selekt = std::make_unique<Tselekt>();
    w->form5 = std::make_unique<TForm5>();
    w->updater = std::make_unique<Tupdater>();
    w->dokumenti = std::make_unique<Tdokumenti>();
    w->relacije = std::make_unique<Trelacije>();
    return w;
}

}  // namespace app
