// iostr.cpp: streams over C-runtime files and over callers' callbacks. Each stream is a
// record registered in the registry of live records; it keeps the callbacks, the context and
// the count of bytes passed, and reads only forward.
#include "vkobase/iostr.h"

#include <cstdio>
#include <new>
#include <unordered_set>

#include "live_registry.h"

struct s_vko_iostream {
    bool reading = false;
    void *context = nullptr;
    // Over a C-runtime file.
    VKO_IOSTR_FREAD fread_fn = nullptr;
    VKO_IOSTR_FGETS fgets_fn = nullptr;
    VKO_IOSTR_FSEEK fseek_fn = nullptr;
    VKO_IOSTR_FTELL ftell_fn = nullptr;
    VKO_IOSTR_FWRITE fwrite_fn = nullptr;
    // Over a caller's context.
    VKO_IOSTR_READ read_fn = nullptr;
    VKO_IOSTR_SKIP skip_fn = nullptr;
    VKO_IOSTR_WRITE write_fn = nullptr;
    std::int32_t pos = 0; // bytes passed so far
};

namespace {

struct IostrState {
    std::unordered_set<VKO_IOSTREAM> streams;
};
IostrState &state() {
    static IostrState s;
    return s;
}

bool live(VKO_IOSTREAM stream) noexcept {
    return vkobase::live_is(stream, vkobase::LiveKind::Stream);
}

VKO_IOSTREAM make(const s_vko_iostream &init) noexcept {
    auto *stream = new (std::nothrow) s_vko_iostream(init);
    if (stream == nullptr)
        return nullptr;
    try {
        state().streams.insert(stream);
    } catch (...) {
        delete stream;
        return nullptr;
    }
    vkobase::live_add(stream, vkobase::LiveKind::Stream);
    return stream;
}

// Clamps a callback's answer to what was asked: negative is nothing, more is the count.
std::int32_t clamp(long long got, std::int32_t asked) noexcept {
    if (got <= 0)
        return 0;
    return got > asked ? asked : static_cast<std::int32_t>(got);
}

std::int32_t raw_read(VKO_IOSTREAM s, void *buf, std::int32_t n) noexcept {
    if (s->read_fn != nullptr)
        return clamp(s->read_fn(s->context, buf, n), n);
    return clamp(static_cast<long long>(s->fread_fn(buf, 1, static_cast<size_t>(n), s->context)),
                 n);
}

void destroy(VKO_IOSTREAM stream) noexcept {
    vkobase::live_remove(stream);
    delete stream;
}

} // namespace

void vkobase_reset_iostr() noexcept {
    for (VKO_IOSTREAM s : state().streams)
        destroy(s);
    state().streams.clear();
}

extern "C" {

VKO_IOSTREAM vkov_iostr_create_fread(void *file, VKO_IOSTR_FREAD read, VKO_IOSTR_FGETS read_line,
                                     VKO_IOSTR_FSEEK seek, VKO_IOSTR_FTELL tell) noexcept {
    if (file == nullptr || read == nullptr)
        return nullptr;
    s_vko_iostream init;
    init.reading = true;
    init.context = file;
    init.fread_fn = read;
    init.fgets_fn = read_line;
    init.fseek_fn = seek;
    init.ftell_fn = tell;
    return make(init);
}

VKO_IOSTREAM vkov_iostr_create_fwrite(void *file, VKO_IOSTR_FWRITE write) noexcept {
    if (file == nullptr || write == nullptr)
        return nullptr;
    s_vko_iostream init;
    init.context = file;
    init.fwrite_fn = write;
    return make(init);
}

VKO_IOSTREAM vkov_iostr_create_read(void *context, VKO_IOSTR_READ read,
                                    VKO_IOSTR_SKIP skip) noexcept {
    if (context == nullptr || read == nullptr)
        return nullptr;
    s_vko_iostream init;
    init.reading = true;
    init.context = context;
    init.read_fn = read;
    init.skip_fn = skip;
    return make(init);
}

VKO_IOSTREAM vkov_iostr_create_write(void *context, VKO_IOSTR_WRITE write) noexcept {
    if (context == nullptr || write == nullptr)
        return nullptr;
    s_vko_iostream init;
    init.context = context;
    init.write_fn = write;
    return make(init);
}

void *vkov_iostr_get_context(VKO_IOSTREAM stream) noexcept {
    return live(stream) ? stream->context : nullptr;
}

void vkov_iostr_destroy(VKO_IOSTREAM stream) noexcept {
    if (!live(stream))
        return;
    state().streams.erase(stream);
    destroy(stream);
}

std::int32_t vkov_iostr_read(VKO_IOSTREAM stream, void *buf, std::int32_t n_bytes) noexcept {
    if (!live(stream) || !stream->reading || buf == nullptr || n_bytes <= 0)
        return 0;
    std::int32_t got = 0;
    auto *out = static_cast<unsigned char *>(buf);
    // Callbacks may deliver less than asked before the end; ask again until they give 0.
    while (got < n_bytes) {
        const std::int32_t part = raw_read(stream, out + got, n_bytes - got);
        if (part == 0)
            break;
        got += part;
    }
    stream->pos += got;
    return got;
}

std::int32_t vkov_iostr_skip(VKO_IOSTREAM stream, std::int32_t n_bytes) noexcept {
    if (!live(stream) || !stream->reading || n_bytes <= 0)
        return 0;
    if (stream->skip_fn != nullptr) {
        const std::int32_t skipped = clamp(stream->skip_fn(stream->context, n_bytes), n_bytes);
        stream->pos += skipped;
        return skipped;
    }
    if (stream->fseek_fn != nullptr && stream->ftell_fn != nullptr) {
        // Forward only: a seek that lands elsewhere than asked is taken at its word.
        const long before = stream->ftell_fn(stream->context);
        if (before >= 0 && stream->fseek_fn(stream->context, n_bytes, SEEK_CUR) == 0) {
            const long after = stream->ftell_fn(stream->context);
            const std::int32_t skipped = clamp(after - before, n_bytes);
            stream->pos += skipped;
            return skipped;
        }
    }
    unsigned char scratch[512];
    std::int32_t skipped = 0;
    while (skipped < n_bytes) {
        const std::int32_t want = n_bytes - skipped < 512 ? n_bytes - skipped : 512;
        const std::int32_t got = raw_read(stream, scratch, want);
        if (got == 0)
            break;
        skipped += got;
    }
    stream->pos += skipped;
    return skipped;
}

char *vkov_iostr_read_line(VKO_IOSTREAM stream, char *buf, std::int32_t buf_size) noexcept {
    if (!live(stream) || !stream->reading || buf == nullptr || buf_size <= 0)
        return nullptr;
    if (stream->fgets_fn != nullptr) {
        buf[0] = '\0';
        char *line = stream->fgets_fn(buf, static_cast<int>(buf_size), stream->context);
        if (line == nullptr)
            return nullptr;
        std::int32_t len = 0;
        while (len < buf_size - 1 && buf[len] != '\0')
            ++len;
        buf[len] = '\0';
        stream->pos += len;
        return buf;
    }
    std::int32_t len = 0;
    while (len < buf_size - 1) {
        char c = 0;
        if (raw_read(stream, &c, 1) == 0)
            break;
        buf[len++] = c;
        if (c == '\n')
            break;
    }
    buf[len] = '\0';
    stream->pos += len;
    return len == 0 ? nullptr : buf;
}

std::int32_t vkov_iostr_write(VKO_IOSTREAM stream, const void *buf, std::int32_t n_bytes) noexcept {
    if (!live(stream) || stream->reading || buf == nullptr || n_bytes <= 0)
        return 0;
    long long taken = 0;
    if (stream->write_fn != nullptr)
        taken = stream->write_fn(stream->context, buf, n_bytes);
    else
        taken = static_cast<long long>(
            stream->fwrite_fn(buf, 1, static_cast<size_t>(n_bytes), stream->context));
    const std::int32_t written = clamp(taken, n_bytes);
    stream->pos += written;
    return written;
}

std::int32_t vkov_iostr_get_pos(VKO_IOSTREAM stream) noexcept {
    return live(stream) ? stream->pos : -1;
}

} // extern "C"
