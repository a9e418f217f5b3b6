// tiostr.cpp: the stream family of the checking layer ("tiostr"): base-library streams made
// over an open C-runtime file, through the layer's own stdio adapters, or over any context
// with the caller's callbacks. A stream that the base library cannot make is reported after
// the call.
#include "ruk/static/forward.h"

#include <cstdint>
#include <cstdio>

namespace {

constexpr char kModule[] = "tiostr";

using vkoruk::ApiFrame;

// The stdio adapters: the stream's context is the C-runtime file, and each adapter hands its
// arguments to the C runtime unchanged.
size_t tiostr_fread(void *buf, size_t size, size_t count, void *file) {
    return std::fread(buf, size, count, static_cast<std::FILE *>(file));
}

char *tiostr_fgets(char *buf, int size, void *file) {
    return std::fgets(buf, size, static_cast<std::FILE *>(file));
}

int tiostr_fseek(void *file, long offset, int origin) {
    return std::fseek(static_cast<std::FILE *>(file), offset, origin);
}

long tiostr_ftell(void *file) {
    return std::ftell(static_cast<std::FILE *>(file));
}

size_t tiostr_fwrite(const void *buf, size_t size, size_t count, void *file) {
    return std::fwrite(buf, size, count, static_cast<std::FILE *>(file));
}

VKO_IOSTREAM made_or_reported(const ApiFrame &frame, VKO_IOSTREAM stream, int line) noexcept {
    if (stream == nullptr)
        frame.refuse(vkoruk::kErrNoStream, line);
    return stream;
}

// A null stream is only a warning (severity 1), yet nothing is forwarded.
bool stream_given(const ApiFrame &frame, VKO_IOSTREAM stream, int line) noexcept {
    if (stream != nullptr)
        return true;
    frame.repair(vkoruk::kErrNullArgument, line);
    return false;
}

bool check_vko_iostr_get_context(ApiFrame &frame, VKO_IOSTREAM stream) {
    return stream_given(frame, stream, __LINE__);
}

bool check_vko_iostr_destroy(ApiFrame &frame, VKO_IOSTREAM stream) {
    return stream_given(frame, stream, __LINE__);
}

// Reading needs a stream and, for a positive count, a buffer to fill.
bool check_vko_iostr_read(ApiFrame &frame, VKO_IOSTREAM stream, void *buf, int32_t n_bytes) {
    if (!stream_given(frame, stream, __LINE__))
        return false;
    return n_bytes <= 0 || frame.not_null(buf, __LINE__);
}

} // namespace

#define VKO_ENTRY VKO_RUK_FORWARDER
#define VKO_OWN_ENTRY VKO_RUK_SKIP
#include "ruk/static/tiostr.def"

extern "C" VKO_IOSTREAM vko_iostr_create_fread(void *file) noexcept {
    ApiFrame frame{"vko_iostr_create_fread", kModule};
    if (!frame.not_null(file, __LINE__))
        return nullptr;
    return made_or_reported(
        frame,
        vkov_iostr_create_fread(file, tiostr_fread, tiostr_fgets, tiostr_fseek, tiostr_ftell),
        __LINE__);
}

extern "C" VKO_IOSTREAM vko_iostr_create_fwrite(void *file) noexcept {
    ApiFrame frame{"vko_iostr_create_fwrite", kModule};
    if (!frame.not_null(file, __LINE__))
        return nullptr;
    return made_or_reported(frame, vkov_iostr_create_fwrite(file, tiostr_fwrite), __LINE__);
}

extern "C" VKO_IOSTREAM vko_iostr_create_read(void *context, VKO_IOSTR_READ read,
                                              VKO_IOSTR_SKIP skip) noexcept {
    ApiFrame frame{"vko_iostr_create_read", kModule};
    if (!frame.not_null(context, __LINE__))
        return nullptr;
    return made_or_reported(frame, vkov_iostr_create_read(context, read, skip), __LINE__);
}

extern "C" VKO_IOSTREAM vko_iostr_create_write(void *context, VKO_IOSTR_WRITE write) noexcept {
    ApiFrame frame{"vko_iostr_create_write", kModule};
    if (!frame.not_null(context, __LINE__))
        return nullptr;
    if (!frame.not_null(reinterpret_cast<const void *>(write), __LINE__))
        return nullptr;
    return made_or_reported(frame, vkov_iostr_create_write(context, write), __LINE__);
}
