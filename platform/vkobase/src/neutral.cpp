// Neutral answers of the drawing families (dwin, font, fmap, image, pict, pmap, palet,
// pattern, print): every function of their tables is defined here to answer the neutral
// value of its row. The definitions are weak, so a real definition anywhere else in the
// library (the drawing part, or the window module's update regions) takes precedence and
// functions become real one by one without touching this file.
#include "vkobase/dwin.h"
#include "vkobase/fmap.h"
#include "vkobase/font.h"
#include "vkobase/image.h"
#include "vkobase/palet.h"
#include "vkobase/pattern.h"
#include "vkobase/pict.h"
#include "vkobase/pmap.h"
#include "vkobase/print.h"

// The neutral column is a plain expression, or empty (VKOBASE_VOID) for functions that
// return nothing, which makes "return ;". Each table #undefs VKOBASE_FN at its end, so it is
// defined again before every table.
#define VKOBASE_NEUTRAL_FN(ret, name, params, args, neutral)                                  \
    extern "C" __attribute__((weak)) ret name params noexcept { return neutral; }

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"
#define VKOBASE_FN VKOBASE_NEUTRAL_FN
#include "vkobase/dwin.def"
#define VKOBASE_FN VKOBASE_NEUTRAL_FN
#include "vkobase/fmap.def"
#define VKOBASE_FN VKOBASE_NEUTRAL_FN
#include "vkobase/font.def"
#define VKOBASE_FN VKOBASE_NEUTRAL_FN
#include "vkobase/image.def"
#define VKOBASE_FN VKOBASE_NEUTRAL_FN
#include "vkobase/palet.def"
#define VKOBASE_FN VKOBASE_NEUTRAL_FN
#include "vkobase/pattern.def"
#define VKOBASE_FN VKOBASE_NEUTRAL_FN
#include "vkobase/pict.def"
#define VKOBASE_FN VKOBASE_NEUTRAL_FN
#include "vkobase/pmap.def"
#define VKOBASE_FN VKOBASE_NEUTRAL_FN
#include "vkobase/print.def"
#pragma GCC diagnostic pop
