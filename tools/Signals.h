#ifndef SCRIVANE_TOOLS_SIGNALS_H
#define SCRIVANE_TOOLS_SIGNALS_H
#include <cstring>
#include <signal.h>

// Makes handler the handler of SIGINT and SIGTERM, and lets both through (a batch blocks them
// while it starts a child, which inherits the mask). Both signals are blocked while the handler
// runs, so that it runs once. A signal ignored by the parent (a command started in the
// background with nohup) stays ignored.
inline void installTerminatingSignalHandler(void (*handler)(int)) {
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaddset(&action.sa_mask, SIGINT);
    sigaddset(&action.sa_mask, SIGTERM);
    for (int signalNumber : {SIGINT, SIGTERM}) {
        struct sigaction previous;
        if (sigaction(signalNumber, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN)
            continue;
        sigaction(signalNumber, &action, nullptr);
    }
    sigprocmask(SIG_UNBLOCK, &action.sa_mask, nullptr);
}

#endif
