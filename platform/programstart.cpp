#include "programstart.h"

#include <utility>

namespace platform {
namespace {

ProgramStarter& InstalledStarter() {
    static ProgramStarter starter;
    return starter;
}

} // namespace

void StartProgram(const ProgramStart& start) {
    if (const ProgramStarter& starter = InstalledStarter()) {
        starter(start);
    } else {
        StartProgramNow(start);
    }
}

void SetProgramStarter(ProgramStarter starter) {
    InstalledStarter() = std::move(starter);
}

} // namespace platform
