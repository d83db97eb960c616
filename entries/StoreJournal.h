// Making a batch of changes to the settings store so that a kill at any moment leaves the store
// either as it was or as the whole batch makes it. The registry has no transaction that spans
// keys, but one value is written whole or not at all: the batch is written down first, as
// values of the key "Saving" with the count of parts last, then made, then that key is dropped.
// A start that finds a complete journal makes the cut-off save again; an incomplete one was never
// begun on the store and is dropped.
#pragma once

#include "entries/StoreBatch.h"

class CWinApp;

class StoreJournal {
public:
    // Makes the writes in order, opening each section once. False if any failed.
    static bool Apply(CWinApp& app, const StoreBatch& batch);
    // Makes the writes through the journal. False if any failed; the journal then stays, and
    // the next start makes the batch again.
    static bool Commit(CWinApp& app, const StoreBatch& batch);
    // At start, before anything is read: finishes a save that was cut off.
    static void Recover(CWinApp& app);
};
