// libFuzzer target: the journal reader on any bytes. What it accepts must be exactly what the
// writer makes of the batch it read (one spelling per batch), with every name usable as a
// registry name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "entries/StoreBatch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<StoreBatch> batch = StoreBatch::Parse(bytes);
    if (!batch) {
        return 0;
    }
    if (batch->Serialize() != bytes) {
        std::abort();
    }
    for (const StoreBatch::Write& w : batch->Writes()) {
        if (w.section.IsEmpty() || w.name.IsEmpty() ||
            w.section.View().find('\0') != std::string_view::npos ||
            w.name.View().find('\0') != std::string_view::npos) {
            std::abort();
        }
    }
    return 0;
}
