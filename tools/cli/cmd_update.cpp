// korvet-cli update DIR: the update window's two clicks without a window:
// lists the server, fetches what is new into DIR/updates, installs the
// archives and writes DIR/log.txt. News files are fetched, not shown. The
// newest list goes to DIR/novo.lst when an archive carried regulations.
#include <cstdio>

#include "cli_database.h"
#include "cli_listener.h"
#include "command.h"
#include "platform/files.h"
#include "update/controller.h"

static int runUpdate(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: korvet-cli update DIR\n");
        return 2;
    }
    const std::filesystem::path dir = args[0];
    cli::ProgramDatabase program(dir, cli::Access::Write);
    cli::PrintingListener listener;
    update::UpdateController controller(program.session, cli::kCliAlias, dir,
                                        update::defaultFtpSettings(), listener);
    controller.click();
    if (controller.state() != update::State::Ready) {
        // Nothing new is success; a failed listing is not.
        return listener.messages.empty() ? 1 : 0;
    }
    const size_t offered = controller.newNames().size();
    controller.click();
    if (listener.newest && !platform::writeLinesAtomic(dir / "novo.lst", *listener.newest)) {
        std::fprintf(stderr, "korvet-cli update: cannot write novo.lst\n");
        return 1;
    }
    if (!listener.lastUpdate.empty()) {
        std::printf("last update: %s\n", listener.lastUpdate.c_str());
    }
    return listener.done == offered ? 0 : 1;
}

KORVET_CLI_COMMAND("update", "update DIR", runUpdate)
