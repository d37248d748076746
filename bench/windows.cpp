#include "windows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <functional>
#include <stdexcept>
#include <system_error>

#include "app/wiring.h"
#include "dbviews/dbrichedit.h"
#include "fonts/fonts.h"
#include "mainwindow/tform1.h"
#include "measure.h"
#include "platform/programdir.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "search/hits.h"
#include "viewer/hits.h"
#include "viewer/tform3.h"
#include "widgets/reportlist.h"
#include "yuscii/yuscii.h"

namespace bench {

namespace fs = std::filesystem;

namespace {

// A window's control by its object name (the benchmark drives the windows
// as a user does).
template <typename T>
T* control(const QObject* window, const char* name) {
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) {
        throw std::runtime_error(std::string("no control ") + name);
    }
    return found;
}

// Dialogs that never wait for anyone: messages and questions are recorded
// (questions answered Cancel), a modal window is shown, given the work the
// benchmark wants done in it, and closed.
class BenchUi final : public platform::Ui {
  public:
    std::function<void(QDialog&)> inModal;
    std::vector<std::string> seen;

    void message(const std::string& text, platform::Icon) override {
        seen.push_back("message: " + text);
    }
    bool confirm(const std::string& text, platform::Icon) override {
        seen.push_back("question: " + text);
        return false;
    }
    std::optional<std::string> input(const std::string& caption, const std::string&,
                                     const std::string&) override {
        seen.push_back("input: " + caption);
        return std::nullopt;
    }
    int showModal(QDialog& dialog) override {
        dialog.show();
        // The text view lays out and paints what it shows.
        QCoreApplication::processEvents();
        if (inModal) {
            inModal(dialog);
        }
        dialog.done(QDialog::Rejected);
        return QDialog::Rejected;
    }
    bool printerSetup() override { return false; }
    bool printDialog() override { return false; }
    std::string defaultPrinter() override { return {}; }
    int shellOpen(const std::string&, const std::string&, const std::string&) override {
        return 2;  // file not found
    }
    std::string clipboardText() override { return clipboard_; }
    void setClipboardText(const std::string& text) override { clipboard_ = text; }
    bool ownsClipboardText() override { return true; }
    void beep() override {}

  private:
    std::string clipboard_;
};

// The fonts beside this program go into the program directory, where the
// program finds them.
void copyFonts(const fs::path& programDir) {
    const fs::path from = platform::executableDir();
    for (const fonts::FontFace& row : fonts::fontTable()) {
        for (const std::string& file : row.files) {
            std::error_code ec;
            if (!fs::exists(programDir / file, ec) && fs::exists(from / file, ec)) {
                fs::copy_file(from / file, programDir / file, ec);
            }
        }
    }
}

// A main window whose first activation has run, with its document window.
struct Windows {
    engine::Session session;
    std::unique_ptr<TForm1> main;
    std::unique_ptr<TForm3> document;

    Windows(const fs::path& programDir, bool activate) {
        openSession(session, programDir);
        main = std::make_unique<TForm1>(session);
        document = std::make_unique<TForm3>(session, *main);
        app::wireDocument(*main, *document);
        if (activate) {
            main->FormActivate();
        }
    }
    ~Windows() {
        document.reset();
        main.reset();
        session.close();
    }
};

}  // namespace

struct WindowBench::Impl {
    fs::path programDir;
    fs::path previousCwd;
    BenchUi ui;
    std::unique_ptr<Windows> fresh;   // for the first activation
    std::unique_ptr<Windows> opened;  // for the searches and the document
};

WindowBench::WindowBench(const fs::path& programDir) : impl_(std::make_unique<Impl>()) {
    impl_->programDir = programDir;
    impl_->previousCwd = fs::current_path();
    // The settings file is looked up in the current directory.
    fs::current_path(programDir);
    platform::setProgramDir(programDir);
    platform::setUi(&impl_->ui);
    copyFonts(programDir);
    fonts::installfonts();
}

WindowBench::~WindowBench() {
    impl_->fresh.reset();
    impl_->opened.reset();
    platform::setUi(nullptr);
    std::error_code ec;
    fs::current_path(impl_->previousCwd, ec);
}

std::vector<std::string> WindowBench::dialogs() const {
    return impl_->ui.seen;
}

std::vector<Operation> WindowBench::operations(const Queries& q) {
    Impl& d = *impl_;
    std::vector<Operation> ops;

    Operation startup;
    startup.name = "start-up fill with widgets";
    startup.prepare = [&d] { d.fresh = std::make_unique<Windows>(d.programDir, false); };
    startup.run = [&d] {
        d.fresh->main->FormActivate();
        return Sample{control<widgets::ReportList>(d.fresh->main.get(), "ListBox2")->count()};
    };
    startup.cleanup = [&d] { d.fresh.reset(); };
    ops.push_back(std::move(startup));

    auto opened = [&d]() -> Windows& {
        if (!d.opened) {
            d.opened = std::make_unique<Windows>(d.programDir, true);
        }
        return *d.opened;
    };

    Operation search;
    search.name = "titles and texts in the window";
    search.prepare = [opened, q] {
        TForm1& main = *opened().main;
        control<QTabWidget>(&main, "PageControl1")->setCurrentIndex(TForm1::kPretraga);
        control<QLineEdit>(&main, "Edit2")->setText(platform::qs(q.commonPair));
        control<QRadioButton>(&main, "RadioButton5")->setChecked(true);
    };
    search.run = [opened] {
        TForm1& main = *opened().main;
        control<QAbstractButton>(&main, "SpeedButton1")->click();
        return Sample{control<widgets::ReportList>(&main, "ListBox2")->count()};
    };
    ops.push_back(std::move(search));

    auto largest = std::make_shared<Largest>();
    auto openLargest = [opened, largest] {
        TForm1& main = *opened().main;
        if (largest->title.empty()) {
            *largest = largestRegulation(main);
        }
        main.open(largest->title, largest->bg);
    };

    Operation open;
    open.name = "open the largest in the document window";
    open.prepare = [&d] { d.ui.inModal = nullptr; };
    open.run = [openLargest] {
        openLargest();
        return Sample{1};
    };
    ops.push_back(std::move(open));

    Operation find;
    find.name = "one search in the document window";
    auto found = std::make_shared<Sample>();
    find.prepare = [&d, opened, found, q] {
        TForm3* document = opened().document.get();
        d.ui.inModal = [document, found, q](QDialog&) {
            control<QLineEdit>(document, "Edit1")->setText(platform::qs(q.documentWord));
            found->ms =
                timeOf([document] { control<QToolButton>(document, "SpeedButton1")->click(); });
            found->rows = static_cast<long long>(document->pretrazivac.selStart());
        };
    };
    find.run = [openLargest, found] {
        openLargest();
        return *found;
    };
    find.cleanup = [&d] { d.ui.inModal = nullptr; };
    ops.push_back(std::move(find));

    // The hits of the two-word query in the largest regulation: found and
    // highlighted in a shown copy of the window's document, as the window
    // does.
    Operation hits;
    hits.name = "hits of two words in the largest";
    auto highlighted = std::make_shared<Sample>();
    hits.prepare = [&d, opened, highlighted, q] {
        TForm3* document = opened().document.get();
        d.ui.inModal = [document, highlighted, q](QDialog&) {
            auto* shown = control<QTextEdit>(document, "DBRichEdit1");
            QWidget host;
            auto* box = new QHBoxLayout(&host);
            auto* status = new QLabel(&host);
            auto* view = new QTextEdit(&host);
            view->setDocument(shown->document()->clone(view));
            box->addWidget(view);
            viewer::DocumentHits marks(host, *view, *status, *box, 0);
            // Laid out and shown, as the window's text is when its hits come.
            host.resize(shown->size());
            host.show();
            QCoreApplication::processEvents();
            const std::string text = platform::ys(view->toPlainText());
            marks.setPending(search::hitWords(q.commonPair, search::HitRule::Regulation));
            highlighted->ms = timeOf([&] { marks.open(text, false); });
            highlighted->rows = static_cast<long long>(marks.hits().size());
        };
    };
    hits.run = [openLargest, highlighted] {
        openLargest();
        return *highlighted;
    };
    hits.cleanup = [&d] { d.ui.inModal = nullptr; };
    ops.push_back(std::move(hits));

    // The hit context of the largest regulation's row after a title-and-text
    // search that lists it (its title, when the query does not).
    Operation context;
    context.name = "hit context of a selected row";
    auto row = std::make_shared<int>(-1);
    context.prepare = [opened, largest, row, q] {
        TForm1& main = *opened().main;
        if (largest->title.empty()) {
            *largest = largestRegulation(main);
        }
        control<QTabWidget>(&main, "PageControl1")->setCurrentIndex(TForm1::kPretraga);
        control<QRadioButton>(&main, "RadioButton5")->setChecked(true);
        auto* list = control<widgets::ReportList>(&main, "ListBox2");
        for (const std::string& text : {q.commonPair, yuscii::yupperW(largest->title)}) {
            control<QLineEdit>(&main, "Edit2")->setText(platform::qs(text));
            control<QAbstractButton>(&main, "SpeedButton1")->click();
            for (int i = 0; i < list->count(); ++i) {
                if (list->row(i).caption == largest->title &&
                    list->row(i).sub.at(1) == largest->bg) {
                    *row = i;
                    return;
                }
            }
        }
        *row = list->count() > 0 ? 0 : -1;
    };
    context.run = [opened, row] {
        TForm1& main = *opened().main;
        auto* list = control<widgets::ReportList>(&main, "ListBox2");
        list->clearSelection();
        if (*row >= 0) {
            list->selectOnly(*row);
        }
        return Sample{control<QLabel>(&main, "KontekstPretrage")->text().size()};
    };
    ops.push_back(std::move(context));
    return ops;
}

}  // namespace bench
