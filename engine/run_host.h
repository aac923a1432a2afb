// What a run needs from the front end that started it: the user's choices, read at the
// moments the run needs them, somebody to answer its questions, and somebody to tell
// what happens. The run calls it from the run's own thread; a front end on another
// thread keeps what it hands out safe to read from there.
#pragma once
#include <string>

#include "engine/run_events.h"
#include "engine/run_options.h"
#include "engine/run_texts.h"

namespace tunelift {

class RunHost {
public:
    virtual ~RunHost() = default;

    // The texts of the language chosen now: a switch during a run shows in its next lines.
    virtual const RunTexts& Texts() const = 0;

    // The playlist and the destination as the user named them (may be relative).
    virtual std::wstring Playlist() const = 0;
    virtual std::wstring Destination() const = 0;
    // Whether existing copies are replaced; read at each copy decision.
    virtual bool Overwrite() const = 0;
    // Sync and the options; read once, when the run starts.
    virtual bool Sync() const = 0;
    virtual RunOptions Options() const = 0;

    // What happens, in the order it happens.
    virtual void Tell(const RunEvent& event) = 0;

    // A Yes/No question; true for Yes. No is the answer that deletes and writes
    // nothing, so a front end that cannot ask gives it.
    virtual bool Ask(const std::wstring& /*question*/) { return false; }
};

}  // namespace tunelift
