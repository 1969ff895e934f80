#include "platform/programstart.h"

#include <utility>

namespace platform {
namespace {

ProgramStarter& InstalledStarter() {
    static ProgramStarter starter;
    return starter;
}

uintptr_t& Owner() {
    static uintptr_t owner = 0;
    return owner;
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

void SetProgramStartOwner(uintptr_t window) {
    Owner() = window;
}

uintptr_t ProgramStartOwner() {
    return Owner();
}

} // namespace platform
