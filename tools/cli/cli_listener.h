#pragma once
// The update steps' messages on the terminal: messages on stdout, the
// engine's words on stderr, questions answered with Cancel.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "update/listener.h"

namespace cli {

class PrintingListener : public update::UpdateListener {
  public:
    void message(const std::string& text, update::MessageKind) override {
        messages.push_back(text);
        std::printf("%s\n", text.c_str());
        std::fflush(stdout);
    }
    bool confirm(const std::string&) override { return false; }
    void progress(long long, long long) override {}
    void diagnostic(const std::string& text) override {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
    void newestList(const std::vector<std::string>& titles) override { newest = titles; }
    void updateDate(const std::string& date) override { lastUpdate = date; }
    void countsChanged() override {}
    void statusText(const std::string&) override {}
    void rowsCleared() override { rows.clear(); }
    void rowAdded(const std::string& name, update::RowIcon, const std::string&) override {
        rows.push_back(name);
    }
    void rowStatus(int row, const std::string& status) override {
        if (status == "preuzeto") {
            ++done;
        }
        if (row >= 0 && row < static_cast<int>(rows.size())) {
            std::printf("%s\t%s\n", rows[static_cast<size_t>(row)].c_str(), status.c_str());
        }
    }
    void stateChanged(update::State) override {}
    void buttonEnabled(bool) override {}

    std::vector<std::string> rows;
    std::vector<std::string> messages;
    std::optional<std::vector<std::string>> newest;  // set when an archive replaced it
    std::string lastUpdate;
    size_t done = 0;  // rows fetched and handled
};

}  // namespace cli
