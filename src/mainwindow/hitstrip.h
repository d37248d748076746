#pragma once
// The one-line strip under a keyword search's result list: the first
// occurrence of the search words in the selected row's text, with the text
// around it and the words in bold.
#include <QLabel>
#include <optional>

#include "search/hits.h"

class HitStrip final : public QLabel {
  public:
    HitStrip(QWidget* parent, const char* name);

    // None: the strip is empty.
    void showContext(const std::optional<search::HitContext>& context);
};
