// The entry point of a console program of the Visual C++ build: the C runtime's arguments and
// environment, the module's initialisers, then main, whose result is the exit status.
#include "Startup.h"

#include <corecrt_startup.h>
#include <stdlib.h>
#include <vcruntime.h>

#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wmain"
int main(int argc, char** argv);

// It makes the /GS cookie, so its own frame goes without a check.
extern "C" __attribute__((no_stack_protector)) int mainCRTStartup() {
    sundown_runtime::becomeProgram();
    __security_init_cookie();
    _set_app_type(_crt_console_app);
    if (_configure_narrow_argv(_crt_argv_unexpanded_arguments) != 0 ||
        _initialize_narrow_environment() != 0 || !sundown_runtime::runInitialisers()) {
        _exit(255);
    }
    exit(main(*__p___argc(), *__p___argv()));
}
#pragma clang diagnostic pop
