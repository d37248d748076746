#include "app/windows.h"

#include "app/wiring.h"

namespace app {

std::unique_ptr<Windows> createWindows(engine::Session& session) {
    auto w = std::make_unique<Windows>();
    w->form2 = std::make_unique<TForm2>(session);
    if (w->form2->terminated()) {
        return w;
    }
    w->form1 = std::make_unique<TForm1>(session);
    w->form3 = std::make_unique<TForm3>(session, *w->form1);
    w->selekt = std::make_unique<Tselekt>();
    w->form5 = std::make_unique<TForm5>(w->form1->DataSource2);
    w->updater = std::make_unique<Tupdater>(session);
    w->dokumenti = std::make_unique<Tdokumenti>(session, *w->form1);
    w->relacije = std::make_unique<Trelacije>(*w->form1);
    wireStartup(*w->form2, *w->form1);
    wireDocument(*w->form1, *w->form3);
    wireSelection(*w->form1, *w->selekt);
    wireUpdate(*w->form1, *w->updater);
    w->updater->FormCreate();  // the proxy through its links
    wireNotes(*w->form3, *w->form5);
    wireAttachments(*w->form3, *w->dokumenti);
    wireRelations(*w->form1, *w->form3, *w->relacije);
    w->poredjenje = std::make_unique<Tporedjenje>(session);
    wireCompare(session, *w->form1, *w->form3, *w->poredjenje);
    return w;
}

}  // namespace app
