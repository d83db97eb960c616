// Points this program's own imports of a system function at a replacement for as long as the
// redirect lives, so that the program's code (linked into the test program) calls it without
// knowing. The way to make the registry fail, or count its writes, where the real one would
// not.
#pragma once

#include <windows.h>

class ImportRedirect {
public:
    // function: the import's name, e.g. "RegSetValueExW".
    ImportRedirect(const char* function, void* replacement);
    ~ImportRedirect();
    ImportRedirect(const ImportRedirect&) = delete;
    ImportRedirect& operator=(const ImportRedirect&) = delete;

    // The function the import named before; null when the program does not import it.
    template <typename F>
    F Original() const {
        return reinterpret_cast<F>(m_original);
    }

private:
    const char* m_function;
    void* m_original = nullptr;
};

// Rewrites every import slot of `function` in this program to `replacement`; returns what the
// slots held (null when there is none).
void* RedirectImport(const char* function, void* replacement);
