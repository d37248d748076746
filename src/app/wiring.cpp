#include "app/wiring.h"

#include <QTimer>

#include "compare/versions.h"

#include "database/lookups.h"
#include "mainwindow/tform1.h"
#include "platform/guard.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "selection/tselekt.h"
#include "startup/tform2.h"
#include "update/tupdater.h"
#include "update/uilistener.h"
#include "viewer/tdokumenti.h"
#include "viewer/tform3.h"
#include "viewer/tform5.h"
#include "viewer/tporedjenje.h"
#include "viewer/trelacije.h"

namespace app {

namespace {

// The repair's progress on the main window's bar; no user input meanwhile.
class RepairView final : public update::UiListener<update::Listener> {
  public:
    explicit RepairView(TForm1& main) : UiListener(false), main_(main) {}
    void progress(long long position, long long maximum) override {
        main_.setProgress(maximum > 0 ? static_cast<int>(position * 100 / maximum) : 0);
    }

  private:
    TForm1& main_;
};

// The settings file's proxy-port line, as the main window read it at start.
constexpr size_t kProxyPortLine = 4;

}  // namespace

void wireStartup(TForm2& startup, TForm1& main) {
    startup.links.hints = [&main] { main.dohints(); };
    startup.links.showMain = [&main] { platform::ui().showModal(main); };
    QObject::connect(&main, &TForm1::firstFillDone, &startup, &TForm2::hideStartup);
    QObject::connect(&main, &TForm1::firstActivationDone, &startup, &TForm2::stopTimer);
    QObject::connect(&main, &TForm1::closed, &startup, &TForm2::closeStartup);
    startup.linksReady();
}

void wireDocument(TForm1& main, TForm3& document) {
    main.links.showRegulation = [&document](const std::string& title) {
        document.setWindowTitle(platform::qs(title));
        platform::ui().showModal(document);
    };
    main.links.showOpinion = [&document](const std::string& title) {
        document.prepareOpinion();
        document.setWindowTitle(platform::qs(title));
        platform::ui().showModal(document);
    };
    QObject::connect(&document, &TForm3::quickOpenMarked, &main, &TForm1::oznacizabrzo);
    platform::connectGuarded(&document, &TForm3::archiveJumpRequested, &main,
                             [&main](const std::string& title) { main.skoknaarhivu(title); });
    QObject::connect(&document, &TForm3::closing, &main, &TForm1::clearProgress);
    QObject::connect(&main, &TForm1::hintShown, &document, &TForm3::showHint);
    QObject::connect(&main, &TForm1::searchHitsForOpening, &document, &TForm3::setSearchHits);
    // A followed reference opens its regulation once the window has closed.
    platform::connectGuarded(&document, &TForm3::regulationRequested, &main,
                             [&main](const std::string& title, const std::string& bg) {
                                 QTimer::singleShot(0, &main, [&main, title, bg] {
                                     platform::guarded([&] {
                                         main.open(title, bg);
                                         main.osvezi();
                                         main.dodajuceste(title);
                                     });
                                 });
                             });
}

void wireSelection(TForm1& main, Tselekt& selection) {
    main.links.showSelection = [&selection](std::vector<lists::Row> rows) {
        selection.setRows(std::move(rows));
        platform::ui().showModal(selection);
    };
    selection.links.archiveTest = [&main](const std::string& title) {
        return database::jelimastariji(main, title);
    };
    platform::connectGuarded(&selection, &Tselekt::openRequested, &main,
                             [&main](const std::string& title, const std::string& bg) {
                                 main.open(title, bg);
                                 main.osvezi();
                                 main.dodajuceste(title);
                             });
    platform::connectGuarded(&selection, &Tselekt::archiveJumpRequested, &main,
                             [&main](const std::string& title) { main.skoknaarhivu(title); });
    QObject::connect(&selection, &Tselekt::quickOpenMarked, &main, &TForm1::oznacizabrzo);
    QObject::connect(&selection, &Tselekt::closing, &main, &TForm1::clearProgress);
    QObject::connect(&main, &TForm1::archiveJumped, &selection, [&selection] {
        if (selection.isVisible()) {
            selection.reject();
        }
    });
}

void wireUpdate(TForm1& main, Tupdater& updater) {
    updater.links.proxy = [&main] {
        const settings::Controls shown = main.settingsControls();
        return Tupdater::Proxy{shown.proxy, shown.proxyAddress,
                               main.cfg.size() > kProxyPortLine ? main.cfg[kProxyPortLine] : "",
                               shown.proxyPort};
    };
    platform::connectGuarded(&main, &TForm1::updateRequested, &main,
                             [&updater] { platform::ui().showModal(updater); });
    platform::connectGuarded(&main, &TForm1::repairRequested, &main, [&main, &updater] {
        RepairView view(main);
        updater.repair(view);
        main.startIndexRebuild();
    });
    QObject::connect(
        &updater, &Tupdater::newestListChanged, &main,
        [&main](const std::vector<std::string>& titles) { main.liste.newest = titles; });
    QObject::connect(&updater, &Tupdater::updateDateSet, &main, &TForm1::setLastUpdate);
    platform::connectGuarded(&updater, &Tupdater::countsChanged, &main,
                             [&main] { main.proveripropise(); });
    platform::connectGuarded(&updater, &Tupdater::tablesChanged, &main,
                             [&main] { main.startIndexRebuild(); });
}

void wireNotes(TForm3& document, TForm5& notes) {
    document.links.showNotes = [&notes] { platform::ui().showModal(notes); };
    notes.links.previewPrinter = [&document] { return &document.PreviewPrinter1(); };
}

void wireAttachments(TForm3& document, Tdokumenti& attachments) {
    document.links.showAttachments = [&attachments] { platform::ui().showModal(attachments); };
}

void wireRelations(TForm1& main, TForm3& document, Trelacije& relations) {
    document.links.showRelations = [&relations](bool opinion) {
        relations.Prikazirelacije1Click(opinion);
    };
    platform::connectGuarded(&relations, &Trelacije::opinionSearchRequested, &main,
                             [&main](const std::string& title) { main.trazimisljenje(title); });
    platform::connectGuarded(&relations, &Trelacije::regulationSearchRequested, &main,
                             [&main](const std::string& title) { main.trazipropis(title); });
    QObject::connect(&relations, &Trelacije::documentFound, &document, &QDialog::reject);
}

void wireCompare(engine::Session& session, TForm1& main, TForm3& document,
                 Tporedjenje& comparison) {
    auto show = [&comparison](long long id) {
        if (comparison.prepare(id)) {
            platform::ui().showModal(comparison);
        }
    };
    document.links.compareVersions = show;
    platform::connectGuarded(&main, &TForm1::compareRequested, &main,
                             [&session, show](const std::string& title, const std::string& bg) {
                                 if (auto id = compare::regulationId(session, title, bg)) {
                                     show(*id);
                                 }
                             });
}

}  // namespace app
