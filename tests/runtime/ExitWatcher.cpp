// A library that tells, through a record its loader hands it, what its end ran: the destructor
// of a static object and a function given to atexit, each noting its turn.
#include <cstdlib>

namespace {
int* record = nullptr;
int turn = 0;

void note(int slot) {
    if (record != nullptr) {
        record[slot] = ++turn;
    }
}

struct NotesItsEnd {
    int slot;
    ~NotesItsEnd() { note(slot); }
} staticObject{0};

void atExit() {
    note(1);
}
}  // namespace

extern "C" __declspec(dllexport) void watch(int* slots) {
    record = slots;
    std::atexit(atExit);
}

// A function static made on first use: its destructor joins the library's exit table then.
extern "C" __declspec(dllexport) int madeOnce() {
    static NotesItsEnd madeOnFirstUse{2};
    static int calls = 0;
    return ++calls;
}
