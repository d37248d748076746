#pragma once
// Opens a regulation in the document window through the opening flow, with
// the window shown through the scripted seam; body runs while it is shown.
#include <functional>
#include <optional>
#include <string>

#include "database/datasets.h"
#include "database/opening.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "support/scripted_ui.h"
#include "viewer/tform3.h"

namespace testsupport {

inline void openInDocumentWindow(database::MainData& data, TForm3& form, const std::string& title,
                                 const std::optional<std::string>& bg,
                                 const std::function<void()>& body) {
    scriptedUi().expectModal([&](QDialog&) {
        body();
        return 0;
    });
    database::openRegulation(data, title, bg, false, [&] {
        form.setWindowTitle(platform::qs(title));
        platform::ui().showModal(form);
    });
}

}  // namespace testsupport
