// The search index rebuilt on a thread of its own while the window works:
// started after the first activation and after the tables changed, its
// progress in status panel 1, a failure in the log. The searches stay exact
// meanwhile (they read the plain texts); the destructor stops and joins it.
#include <QTimer>

#include "database/schema.h"
#include "engine/session.h"
#include "mainwindow/tform1.h"
#include "platform/guard.h"
#include "platform/log.h"
#include "search/textrebuild.h"

namespace {

constexpr int kPollMs = 250;

}  // namespace

void TForm1::startIndexRebuild() {
    if (!indexRebuild_) {
        indexRebuild_ = std::make_unique<search::BackgroundRebuild>(
            Glavna.session().aliasPath(database::kAlias), database::kMasterPassword);
        IndexTimer = new QTimer(this);
        IndexTimer->setObjectName(QStringLiteral("IndexTimer"));
        IndexTimer->setInterval(kPollMs);
        platform::connectGuarded(IndexTimer, &QTimer::timeout, this, [this] { IndexTimerTimer(); });
    }
    indexWanted_ = true;
    IndexTimerTimer();
}

void TForm1::IndexTimerTimer() {
    using Outcome = search::BackgroundRebuild::Outcome;
    if (!indexRebuild_->running()) {
        const search::BackgroundRebuild::Status ended = indexRebuild_->status();
        if (ended.outcome == Outcome::Failed && !indexLogged_) {
            indexLogged_ = true;
            platform::log("rebuilding the search index: " + ended.error);
            if (ended.damaged) {
                showDamage();
            }
        }
        if (indexWanted_) {
            indexWanted_ = false;
            try {
                if (indexRebuild_->startIfNeeded(Glavna.session().database(database::kAlias))) {
                    indexLogged_ = false;
                }
            } catch (const std::exception& e) {
                platform::log(std::string("rebuilding the search index: ") + e.what());
            }
        }
    }
    setPanel(1, search::BackgroundRebuild::statusText(indexRebuild_->status()));
    if (!indexRebuild_->running()) {
        IndexTimer->stop();
    } else if (!IndexTimer->isActive()) {
        IndexTimer->start();
    }
}
