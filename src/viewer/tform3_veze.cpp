// The document window's additions: the comparison of versions from the
// "&Tekst" menu, and the references of the text as links.
#include <QAction>
#include <QMenu>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <cstring>

#include "compare/references.h"

#include "database/datasets.h"
#include "database/schema.h"
#include "dbviews/dbrichedit.h"
#include "platform/guard.h"
#include "platform/textconv.h"
#include "viewer/regulationchoice.h"
#include "viewer/tform3.h"

void TForm3::addCompareCommand(QMenu* tekst) {
    tekst->addSeparator();
    Uporediverzije1 = tekst->addAction(platform::qs("Uporedi verzije"));
    Uporediverzije1->setObjectName(QStringLiteral("Uporediverzije1"));
    Uporediverzije1->setStatusTip(platform::qs("Prikaz razlika izme|u dve verzije propisa"));
    Uporediverzije1->setEnabled(false);
    platform::connectGuarded(Uporediverzije1, &QAction::triggered, this,
                             [this] { Uporediverzije1Click(); });
}

void TForm3::Uporediverzije1Click() {
    if (!showsRegulation() || !links.compareVersions || !data_.Zakoni.active() ||
        data_.Zakoni.isEmpty()) {
        return;
    }
    links.compareVersions(data_.Zakoni.field(database::pos::kZakoniId).asInteger());
}

namespace {

constexpr const char* kArticleLink = "korvet:clan:";
constexpr const char* kIssueLink = "korvet:broj:";

void markLink(QTextDocument* document, size_t start, size_t length, const QString& href,
              const std::string& hint) {
    QTextCursor cursor(document);
    cursor.setPosition(static_cast<int>(start));
    cursor.setPosition(static_cast<int>(start + length), QTextCursor::KeepAnchor);
    QTextCharFormat format;
    format.setAnchor(true);
    format.setAnchorHref(href);
    format.setForeground(QColor(0, 0, 200));
    format.setFontUnderline(true);
    format.setToolTip(platform::qs(hint));
    cursor.mergeCharFormat(format);
}

std::string issueHint(const std::vector<compare::Version>& found) {
    if (found.size() == 1) {
        return found.front().title + " (" + found.front().bg + ")";
    }
    std::string hint = "Propisi u broju " + found.front().bg + ":";
    for (const compare::Version& v : found) {
        hint += "\n" + v.title;
    }
    return hint;
}

}  // namespace

void TForm3::markReferences() {
    issueLinks_.clear();
    const std::string text = DBRichEdit1->plainText();
    QTextDocument* document = DBRichEdit1->document();
    const int length = document->characterCount();
    const std::vector<compare::Reference> refs = compare::findReferences(text);
    for (const compare::ArticleLink& link : compare::articleLinks(text, refs)) {
        if (static_cast<int>(link.reference.start + link.reference.length) < length) {
            markLink(document, link.reference.start, link.reference.length,
                     QString::fromLatin1(kArticleLink) + QString::number(link.target),
                     link.heading);
        }
    }
    if (!showsRegulation() && !showsOpinion()) {
        return;
    }
    for (compare::IssueLink& link : compare::issueLinks(session_, refs)) {
        const compare::Reference& r = link.reference;
        if (static_cast<int>(r.start + r.length) >= length) {
            continue;
        }
        markLink(document, r.start, r.length,
                 QString::fromLatin1(kIssueLink) + QString::number(issueLinks_.size()),
                 issueHint(link.regulations));
        issueLinks_.push_back(std::move(link.regulations));
    }
}

void TForm3::followReference(const QString& href) {
    if (href.startsWith(QLatin1String(kArticleLink))) {
        const int position = href.mid(static_cast<int>(std::strlen(kArticleLink))).toInt();
        // The article's heading at the top of the view.
        DBRichEdit1->moveCursor(QTextCursor::End);
        QTextCursor cursor(DBRichEdit1->document());
        cursor.setPosition(position);
        DBRichEdit1->setTextCursor(cursor);
        DBRichEdit1->ensureCursorVisible();
        return;
    }
    if (!href.startsWith(QLatin1String(kIssueLink))) {
        return;
    }
    const size_t index = href.mid(static_cast<int>(std::strlen(kIssueLink))).toULongLong();
    if (index >= issueLinks_.size()) {
        return;
    }
    const std::vector<compare::Version> found = issueLinks_[index];
    const int chosen = found.size() == 1 ? 0 : viewer::chooseRegulation(this, found);
    if (chosen < 0) {
        return;
    }
    const compare::Version target = found[static_cast<size_t>(chosen)];
    reject();
    Q_EMIT regulationRequested(target.title, target.bg);
}
