/* probe.h: marks where the program's time goes, for benchmarks that measure it from outside:
 * the program marks the beginning and end of a few phases of its work (a search, laying an
 * entry out, painting, showing what was drawn on the display), and a benchmark that sets a
 * sink hears each mark with the real clock. Without a sink a mark costs one test. */
#ifndef VKOBASE_PROBE_H
#define VKOBASE_PROBE_H

#include "vkobase/types.h"

#ifdef __cplusplus
extern "C" {
#endif

enum vkov_probe_phase {
    VKO_PROBE_SEARCH = 1,  /* a search runs in the dictionary engine */
    VKO_PROBE_LAYOUT = 2,  /* an entry is laid out into lines */
    VKO_PROBE_DRAWING = 3, /* a window paints: an update event, or an entry drawn at once */
    VKO_PROBE_FLUSH = 4    /* what was drawn is copied to the display's windows */
};

/* Hears a phase begin (begin TRUE) or end, with the monotonic clock's time in nanoseconds. */
typedef void (*VKO_PROBE_SINK)(int32_t phase, BOOLEAN begin, uint64_t now_ns);

/* The sink, or null for none (the default). */
VKOBASE_API void vkov_probe_set_sink(VKO_PROBE_SINK sink) VKOBASE_NOEXCEPT;
VKOBASE_API void vkov_probe_mark(int32_t phase, BOOLEAN begin) VKOBASE_NOEXCEPT;

#ifdef __cplusplus
}

/* Marks a phase for the lifetime of a scope, or until End. */
class VkoProbeScope {
public:
    explicit VkoProbeScope(int32_t phase) noexcept : itsPhase(phase) { vkov_probe_mark(phase, 1); }
    ~VkoProbeScope() { End(); }
    void End() noexcept
    {
        if (itsPhase != 0)
            vkov_probe_mark(itsPhase, 0);
        itsPhase = 0;
    }
    VkoProbeScope(const VkoProbeScope &) = delete;
    VkoProbeScope &operator=(const VkoProbeScope &) = delete;

private:
    int32_t itsPhase;
};
#endif

#endif /* VKOBASE_PROBE_H */
