#include "entries/StoreBatch.h"

#include <cstdint>

namespace {

constexpr std::string_view kMagic{"VLJ1", 4};
constexpr char kNumber = 'N';
constexpr char kText = 'S';

void PutU32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
    }
}

void PutText(std::string& out, std::string_view text) {
    PutU32(out, static_cast<uint32_t>(text.size()));
    out.append(text);
}

// Reads the bytes front to back; any read past the end fails the whole reader.
class Reader {
public:
    explicit Reader(std::string_view bytes) : m_rest(bytes) {}

    bool Take(std::string_view& out, size_t n) {
        if (!m_ok || n > m_rest.size()) {
            m_ok = false;
            return false;
        }
        out = m_rest.substr(0, n);
        m_rest.remove_prefix(n);
        return true;
    }
    uint32_t U32() {
        std::string_view b;
        if (!Take(b, 4)) {
            return 0;
        }
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            v |= static_cast<uint32_t>(static_cast<unsigned char>(b[i])) << (8 * i);
        }
        return v;
    }
    CString Text() {
        const uint32_t n = U32();
        std::string_view b;
        return Take(b, n) ? CString(b) : CString();
    }
    bool Ok() const { return m_ok; }
    bool AtEnd() const { return m_rest.empty(); }

private:
    std::string_view m_rest;
    bool m_ok = true;
};

// A section or value name the registry can take: not empty and no NUL, which would cut it.
bool IsName(const CString& name) {
    return !name.IsEmpty() && name.View().find('\0') == std::string_view::npos;
}

}  // namespace

void StoreBatch::WriteInt(const CString& section, const CString& name, int value) {
    m_writes.push_back({section, name, true, value, CString()});
}

void StoreBatch::WriteString(const CString& section, const CString& name, const CString& value) {
    m_writes.push_back({section, name, false, 0, value});
}

std::string StoreBatch::Serialize() const {
    std::string out(kMagic);
    PutU32(out, static_cast<uint32_t>(m_writes.size()));
    for (const Write& w : m_writes) {
        out.push_back(w.isNumber ? kNumber : kText);
        PutText(out, w.section.View());
        PutText(out, w.name.View());
        if (w.isNumber) {
            PutU32(out, static_cast<uint32_t>(w.number));
        } else {
            PutText(out, w.text.View());
        }
    }
    return out;
}

std::optional<StoreBatch> StoreBatch::Parse(std::string_view bytes) {
    Reader in(bytes);
    std::string_view magic;
    if (!in.Take(magic, kMagic.size()) || magic != kMagic) {
        return std::nullopt;
    }
    StoreBatch batch;
    // The count is not trusted for reserving: every record must really be there.
    for (uint32_t n = in.U32(); in.Ok() && n > 0; --n) {
        std::string_view kind;
        if (!in.Take(kind, 1) || (kind[0] != kNumber && kind[0] != kText)) {
            return std::nullopt;
        }
        Write w;
        w.section = in.Text();
        w.name = in.Text();
        w.isNumber = kind[0] == kNumber;
        if (w.isNumber) {
            w.number = static_cast<int>(in.U32());
        } else {
            w.text = in.Text();
        }
        if (!in.Ok() || !IsName(w.section) || !IsName(w.name)) {
            return std::nullopt;
        }
        batch.m_writes.push_back(std::move(w));
    }
    if (!in.Ok() || !in.AtEnd()) {
        return std::nullopt;
    }
    return batch;
}
