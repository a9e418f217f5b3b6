/* types.h: the records, handles and constants shared by every family of the base library.
 * Records that the checking layer and the text-edit engine read directly (the window record,
 * the class-extension object) are public; the other handles are opaque. Fields that hold a
 * pointer or a handle are pointer-sized; true 32-bit numbers are int32_t or uint32_t. */
#ifndef VKOBASE_TYPES_H
#define VKOBASE_TYPES_H

#include <stddef.h>
#include <stdint.h>

#define VKOBASE_API __attribute__((visibility("default")))

/* The neutral column of a table row for functions that return nothing. */
#define VKOBASE_VOID

#ifdef __cplusplus
#define VKOBASE_NOEXCEPT noexcept
extern "C" {
#else
#define VKOBASE_NOEXCEPT
#endif

/* ---- Scalars --------------------------------------------------------------------------- */

typedef int16_t BOOLEAN; /* every predicate answers a 16-bit 1 or 0 */
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

typedef uint32_t COLOR; /* RGB in the low 24 bits, standard-colour number in the top byte */
#define VKO_COLOR_UNSET 0xFFFFFFFFu
#define VKO_COLOR_WHITE 0x0BFFFFFFu
#define VKO_COLOR_BLACK 0x07000000u

/* ---- Geometry -------------------------------------------------------------------------- */

typedef struct s_rct {
    int16_t top;
    int16_t left;
    int16_t bottom;
    int16_t right;
} s_rct;

typedef struct s_pnt {
    int16_t v;
    int16_t h;
} s_pnt;

/* ---- Opaque handles (each family defines its record) ----------------------------------- */

typedef struct s_win s_win;
typedef s_win* WINDOW; /* windows, controls, text-edit windows and pixmaps share one record */
typedef WINDOW PIXMAP;
#define NULL_WIN ((WINDOW)0)

typedef struct s_fntid s_fntid;
typedef s_fntid* FONT_OBJ;
typedef struct s_palet s_palet;
typedef s_palet* PALETTE;
typedef struct s_pict s_pict;
typedef s_pict* PICTURE;
typedef struct s_image s_image;
typedef s_image* IMAGE;
typedef struct s_slist s_slist;
typedef s_slist* SLIST;
typedef struct s_slist_elt s_slist_elt;
typedef s_slist_elt* SLIST_ELT;
typedef struct s_printrcd s_printrcd;
typedef struct s_vko_iostream s_vko_iostream;
typedef struct s_pattern s_pattern;
typedef s_pattern* PATTERN;
typedef struct s_gmem_block* GHANDLE; /* movable global memory */
typedef struct s_dlist s_dlist;
typedef s_dlist* DLIST;
typedef struct s_cxo s_cxo;
typedef s_cxo* CXO;
/* A text edit: the engine's slot number in object mode, the text-edit window in window mode. */
typedef uintptr_t TXEDIT;

/* ---- Window types ---------------------------------------------------------------------- */

typedef int32_t e_win_type;
enum {
    W_NONE = 0,
    W_DOC = 1,
    W_PLAIN = 2,
    W_DBL = 3,
    W_PRINT = 4,
    W_TASK = 5,
    W_SCREEN = 6,
    W_NO_BORDER = 7,
    W_PIXMAP = 8,
    W_MODAL = 9,
    W_MODELESS = 10,
    W_SUBWIN = 11,
    WC_PUSHBUTTON = 12,
    WC_RADIOBUTTON = 13,
    WC_CHECKBOX = 14,
    WC_HSCROLL = 15,
    WC_VSCROLL = 16,
    WC_EDIT = 17,
    WC_TEXT = 18,
    WC_LBOX = 19,
    WC_LISTBUTTON = 20,
    WC_LISTEDIT = 21,
    WC_GROUPBOX = 22,
    WC_TEXTEDIT = 23,
    WC_ICON = 24,
    WC_NOTEBK = 25
};

/* Cursor ids of vkok_win_set_cursor (the record's cursor_id). */
enum {
    VKO_CURSOR_ARROW = 0,
    VKO_CURSOR_IBEAM = 1,
    VKO_CURSOR_SPLIT = 2,
    VKO_CURSOR_WAIT = 3,
    VKO_CURSOR_CROSS = 4,
    VKO_CURSOR_HELP = 5,
    VKO_CURSOR_HAND = 6
};

/* Window record flags (the "flags" word). */
#define VKO_WF_DRAWABLE_MASK 0x543Eu /* kinds that can be drawn in */
#define VKO_WF_MENU_MASK 0x020Fu     /* menu-bearing styles */
#define VKO_WF_PIXMAP 0x0400u
#define VKO_WF_TEXTEDIT 0x2000u /* native control / text edit: effective type 23 */
#define VKO_WF_FIXED 0x4000u    /* may not be moved, raised or shown */
/* Window record state words. */
#define VKO_WS_ENDING 0x0008u     /* "state": the window is being destroyed */
#define VKO_WS_NO_MENU 0x0800u    /* "state2": the window shows no menu bar */
#define VKO_WS_MODAL_USE 0x8000u  /* "state2": created for modal use */
/* Creation flags of the window argument "flags" (also stored in the record's flags). */
#define VKO_WSF_HSCROLL 0x0004u /* the window shows a horizontal bar of its own (kind 0) */
#define VKO_WSF_VSCROLL 0x0008u /* the window shows a vertical bar of its own (kind 1) */
#define VKO_WSF_NO_MENUBAR 0x0800u
#define VKO_WSF_INVISIBLE 0x0010u
#define VKO_WSF_DISABLED 0x0020u
/* Object flags answered by vkok_vobj_get_flags. */
#define VKO_OF_HIDDEN 0x0010u
#define VKO_OF_DISABLED 0x0020u

#define VKO_WIN_SIGNATURE 0x1855Fu

/* ---- Drawing tools --------------------------------------------------------------------- */

typedef int32_t e_pat;
enum {
    PAT_NONE = 0,
    PAT_HOLLOW = 1,
    PAT_SOLID = 2,
    PAT_HORZ = 3,
    PAT_VERT = 4,
    PAT_FDIAG = 5,
    PAT_BDIAG = 6,
    PAT_CROSS = 7,
    PAT_DIAGCROSS = 8,
    PAT_RUBBER = 9,
    PAT_SPECIAL = 10
};

typedef int32_t e_pen_style;
enum { P_SOLID = 0, P_DOT = 1, P_DASH = 2 };

typedef int32_t e_mode;
enum { M_COPY = 0, M_OR = 1, M_XOR = 2, M_CLEAR = 3, M_NOT_COPY = 4 };

typedef struct s_cpen {
    int16_t width;
    e_pat pat;
    e_pen_style style;
    COLOR color;
} s_cpen;

typedef struct s_cbrush {
    e_pat pat;
    COLOR color;
} s_cbrush;

typedef struct s_drawct {
    s_cpen pen;
    s_cbrush brush;
    e_mode mode;
    COLOR fore_color;
    COLOR back_color;
    BOOLEAN opaque_text;
} s_drawct;

/* Colour lists: pairs ended by (0, VKO_COLOR_UNSET). A component is one bit 2..128. */
typedef int32_t e_color_component;
enum {
    VKO_CC_FORE = 2,
    VKO_CC_BACK = 4,
    VKO_CC_DISABLED = 8,
    VKO_CC_BLINK = 16,
    VKO_CC_BORDER = 32,
    VKO_CC_HILIGHT_FORE = 64,
    VKO_CC_HILIGHT_BACK = 128
};
typedef struct s_color_pair {
    e_color_component component;
    COLOR color;
} s_color_pair;

/* A window's own control colours: one slot per component bit (index = bit number 1..7),
 * VKO_COLOR_UNSET where the window has none. */
#define VKO_COLOR_SET_SLOTS 8
typedef struct s_color_set {
    COLOR colors[VKO_COLOR_SET_SLOTS];
} s_color_set;

/* What a window keeps for drawing; the drawing part adds its surface behind "surface". */
typedef struct s_drawst {
    s_drawct ctools;
    s_fntid* font;    /* current font, owned by the window */
    PALETTE palet;    /* the window's palette, null for the default */
    s_rct clip;
    BOOLEAN has_clip; /* FALSE: no clipping beyond the window */
    s_pnt pen_pos;    /* current position of line drawing */
    void* surface;    /* drawing part's private state, null until it draws */
} s_drawst;

/* ---- Events ---------------------------------------------------------------------------- */

typedef int32_t e_event;
enum {
    E_CREATE = 0,
    E_DESTROY = 1,
    E_FOCUS = 2,
    E_SIZE = 3,
    E_UPDATE = 4,
    E_CLOSE = 5,
    E_MOUSE_DOWN = 6,
    E_MOUSE_UP = 7,
    E_MOUSE_MOVE = 8,
    E_MOUSE_DBL = 9,
    E_CHAR = 10,
    E_VSCROLL = 11,
    E_HSCROLL = 12,
    E_COMMAND = 13,
    E_FONT = 14,
    E_CONTROL = 15,
    E_TIMER = 16,
    E_QUIT = 17,
    E_HELP = 18,
    E_USER = 19,
    E_CXO = 20 /* class-extension life-cycle, delivered only to the object's own handler */
};
/* Event-mask bit of an event type: a window receives type t when bit (1 << t) is set. */
#define VKO_EVENT_BIT(t) (1 << (t))
#define VKO_EVENT_MASK_ALL (-1)

/* The character record of a key event. */
typedef struct s_char {
    uint16_t ch;
    int16_t shift;
    int16_t control;
    int16_t virt;       /* 1: ch is a virtual key code */
    uint32_t modifiers; /* 2 shift, 4 control, 8 alt, 192 meta */
} s_char;

/* Virtual key codes: the ch of a character record whose virt is 1. */
enum {
    VKO_KEY_UP = 301,
    VKO_KEY_DOWN = 302,
    VKO_KEY_RIGHT = 303,
    VKO_KEY_LEFT = 304,
    VKO_KEY_PAGE_UP = 305,
    VKO_KEY_PAGE_DOWN = 306,
    VKO_KEY_LINE_START = 307,
    VKO_KEY_LINE_END = 308,
    VKO_KEY_TEXT_START = 309,
    VKO_KEY_TEXT_END = 310,
    VKO_KEY_INSERT = 312,
    VKO_KEY_WORD_LEFT = 313,
    VKO_KEY_WORD_RIGHT = 314,
    VKO_KEY_BACK_TAB = 315,
    VKO_KEY_DELETE = 317,
    VKO_KEY_PAD_0 = 318, /* the keypad digits run on to VKO_KEY_PAD_9 */
    VKO_KEY_PAD_9 = 327,
    VKO_KEY_F1 = 328, /* the function keys run on to VKO_KEY_F12 */
    VKO_KEY_F2 = 329,
    VKO_KEY_F3 = 330,
    VKO_KEY_F4 = 331,
    VKO_KEY_F5 = 332,
    VKO_KEY_F6 = 333,
    VKO_KEY_F7 = 334,
    VKO_KEY_F8 = 335,
    VKO_KEY_F9 = 336,
    VKO_KEY_F10 = 337,
    VKO_KEY_F11 = 338,
    VKO_KEY_F12 = 339,
    VKO_KEY_PAD_MULTIPLY = 372,
    VKO_KEY_PAD_SUBTRACT = 373,
    VKO_KEY_PAD_ADD = 374,
    VKO_KEY_PAD_DIVIDE = 375,
    VKO_KEY_PAD_DECIMAL = 376,
    VKO_KEY_PAD_LEFT = 378,
    VKO_KEY_PAD_RIGHT = 379,
    VKO_KEY_PAD_UP = 380,
    VKO_KEY_PAD_DOWN = 381
};

/* Scroll actions of scroll events and scroll-bar controls. */
typedef int32_t e_scroll_ctl;
enum {
    SC_NONE = 0,
    SC_LINE_UP = 1,
    SC_LINE_DOWN = 2,
    SC_PAGE_UP = 3,
    SC_PAGE_DOWN = 4,
    SC_THUMB = 5,
    SC_THUMBTRACK = 6
};

/* The control-information record of a control event. */
typedef struct s_ctlinfo {
    e_win_type type; /* the control's window type */
    WINDOW win;      /* the control's window */
    union {
        struct {
            int32_t data1;
            int32_t data2;
        } words;
        struct {
            int16_t focus_change; /* 0: the text changed; 1: focus moved (see active) */
            int16_t active;
        } edit;
        struct {
            int16_t dbl_click;
        } lbox;
        struct {
            e_scroll_ctl what;
            int16_t pos;
        } sbar;
        struct {
            int16_t tab_no;
            int16_t page_no;
        } notebk;
    } v;
} s_ctlinfo;

typedef struct s_event {
    e_event type;
    union {
        struct {
            BOOLEAN active;
        } focus;
        struct {
            int16_t height;
            int16_t width;
        } size;
        struct {
            s_rct rct;
        } update;
        struct {
            s_pnt where;
            BOOLEAN shift;
            BOOLEAN control;
            int16_t button;
        } mouse;
        s_char chr;
        struct {
            e_scroll_ctl what;
            int16_t pos;
        } scroll;
        struct {
            int16_t tag;
            BOOLEAN shift;
            BOOLEAN control;
        } cmd;
        struct {
            s_fntid* font_id;
        } font;
        struct {
            int16_t id;
            s_ctlinfo ci;
        } ctl;
        struct {
            int32_t id;
        } timer;
        struct {
            BOOLEAN query;
        } quit;
        struct {
            WINDOW obj;    /* the object help is asked for, null when none */
            int16_t tag;   /* a menu tag, 0 when none */
            int32_t topic; /* a topic the request names itself, 0 when none */
        } help;
        struct {
            int32_t id;
            void* data;
        } user;
        struct {
            int32_t what;   /* -2: the object is being destroyed; -1: its data word was set */
            intptr_t value; /* for -1: the new data word */
        } cxo;
    } v;
} s_event;
typedef s_event EVENT;

typedef int32_t (*VKO_EVENT_HANDLER)(WINDOW win, EVENT* event);
typedef int32_t (*VKO_CXO_HANDLER)(CXO obj, EVENT* event);
/* Application-wide event hook (attribute 710): answers TRUE to let the event go on; hook_data
 * is attribute 711. */
typedef BOOLEAN (*VKO_APP_EVENT_HOOK)(WINDOW win, EVENT* event, intptr_t hook_data);
/* Enumeration callback of vkov_win_enum_wins: answers FALSE to stop. */
typedef BOOLEAN (*VKO_ENUM_CALLBACK)(WINDOW win, intptr_t data);

/* ---- Records of the window itself ------------------------------------------------------ */

/* The window record. The checking layer reads and writes the public fields directly; the
 * base library keeps the rest behind "internal". A record is live while "signature" holds
 * VKO_WIN_SIGNATURE; destroy clears it before the memory goes back. */
struct s_win {
    uint32_t signature;
    uint32_t flags;  /* VKO_WF_* and the creation flags */
    uint32_t state;  /* VKO_WS_ENDING */
    uint32_t state2; /* VKO_WS_NO_MENU, VKO_WS_MODAL_USE */
    WINDOW parent;
    intptr_t app_data;
    VKO_EVENT_HANDLER handler;
    int32_t event_mask;
    intptr_t formatter;
    intptr_t formatter_data;
    uint16_t cursor_id;
    e_win_type type;
    s_drawst draw;
    s_fntid* ctl_font;       /* the window's own control font, null when it has none */
    s_color_set color_set;   /* the window's own control colours */
    struct vko_win_internal* internal;
};

/* Menu-item record: an array ends with an all-zero record. */
typedef struct s_mitem {
    int16_t tag;
    char* text; /* in toolkit memory */
    int16_t mkey;
    unsigned enabled : 1;
    unsigned checked : 1;
    unsigned checkable : 1;
    unsigned separator : 1;
    uint16_t state;
    struct s_mitem* child; /* submenu records, null for a plain item */
} s_mitem;
typedef s_mitem* MENU_TREE;
/* Bits of a menu item's state word. */
#define VKO_MIS_RIGHT 0x4000u /* a menu-bar title (and those after it) sits at the right end */

/* One entry of a window-definition list; an entry of type 0 ends the list. The first entry
 * describes the window, each further entry a control or child window. */
typedef struct s_win_def {
    e_win_type type;
    s_rct rct;            /* in the parent's client coordinates */
    char* text;           /* title, may be null */
    int16_t id;           /* control id of a control entry */
    int16_t menu_bar_id;  /* first entry */
    MENU_TREE menu_tree;  /* first entry */
    uint32_t ctl_flags;   /* control entries */
    uint32_t win_flags;   /* first entry; VKO_WSF_NO_MENUBAR = no menu wanted */
    int16_t value1;       /* kind-specific values carried to the control */
    int16_t value2;
    int16_t value3;
    int16_t units;        /* units of rct: a VKO_U_* value; 0 once in pixels */
    uint32_t tx_attrs;    /* text-edit entries: attributes, margin and character limit */
    int16_t tx_margin;
    int16_t tx_limit;
    int32_t font_id;      /* a font resource id, 0 for the default */
    s_fntid* font;        /* or an explicit font, null for none */
    intptr_t app_data;
} s_win_def;

/* Units of definition rectangles (vkok_rect_to_pixels). */
enum {
    VKO_U_PIXELS = 0,
    VKO_U_CHARS = 1,     /* character cells: 8 pixels wide, 16 high */
    VKO_U_SEMICHARS = 2, /* half cells: 4 pixels wide, 8 high */
    VKO_U_POINTS = 3     /* 1/72 inch at 96 pixels per inch */
};

/* ---- Class-extension object ------------------------------------------------------------ */

/* A class-extension object: attached to a window under a class name, it sees the window's
 * events named by its mask before the window's own handler. Live while "signature" holds
 * VKO_CXO_SIGNATURE and the registry knows it. */
#define VKO_CXO_SIGNATURE 0x0C0DE5u
#define VKO_CXO_NAME_SIZE 64
struct s_cxo {
    uint32_t signature;
    WINDOW win;
    int32_t arg2;
    int32_t arg3;
    VKO_CXO_HANDLER handler;
    int32_t event_mask;
    intptr_t data;
    int32_t arg7;
    char class_name[VKO_CXO_NAME_SIZE];
    struct s_cxo* next; /* next object of the window's chain */
};

/* ---- Application ----------------------------------------------------------------------- */

/* The application configuration handed to vkowi_vko_system. */
typedef struct s_app_config {
    int16_t menu_bar_id;
    int16_t about_box_id;
    char* base_appl_name;
    char* appl_name;
    char* taskwin_title;
} s_app_config;

typedef void (*VKO_ROUTINE)(void);
typedef TXEDIT (*VKO_TX_CREATE_DEF)(s_win_def* def, WINDOW parent, intptr_t app_data);
typedef TXEDIT (*VKO_TX_GET_TX)(WINDOW win, int32_t ctl_id);

/* The start-up record that the program's entry glue fills and passes to vkowi_Begin and
 * vkowi_Init. */
typedef struct s_startup {
    int32_t result;
    void* static_data;
    void* instance;
    void* prev_instance;
    char* cmd_line;
    int32_t show_state;
    int32_t argc;
    VKO_ROUTINE fatal_exit;      /* ends the base library and the process */
    VKO_TX_CREATE_DEF tx_create; /* the text-edit engine's creation from a definition entry */
    VKO_TX_GET_TX tx_get_tx;     /* the text-edit engine's lookup by window and control id */
} s_startup;

/* ---- Files ----------------------------------------------------------------------------- */

#define VKO_SZ_DIR 261
#define VKO_SZ_FNAME 256
typedef struct s_dir {
    char path[VKO_SZ_DIR];
} s_dir;

/* The 530-byte file specification: the directory, a type text (at byte 261), the name (at
 * byte 267) and a creator tag. All character arrays, so the layout has no padding. */
typedef struct s_file_spec {
    s_dir dir;
    char type[6];
    char name[VKO_SZ_FNAME];
    char creator[7];
} s_file_spec;
typedef s_file_spec FILE_SPEC;

/* ---- Memory ---------------------------------------------------------------------------- */

/* The memory-function table (attribute 707). */
typedef struct s_mem_functions {
    void* (*alloc)(size_t size);
    void* (*zalloc)(size_t size);
    void* (*realloc)(void* ptr, size_t size);
    void (*free)(void* ptr);
} s_mem_functions;

/* ---- Clipboard ------------------------------------------------------------------------- */

typedef int32_t e_cb;
enum { CB_TEXT = 0, CB_PICT = 1, CB_APPL = 2 };

/* ---- Attribute numbers (vkov_vobj_get_attr / set_attr) -------------------------------- */

enum {
    VKO_ATTR_DEFAULT_BACK_COLOR = 100,
    VKO_ATTR_TASKWIN_MENUBAR = 104,
    VKO_ATTR_LISTBUTTON_HEIGHT = 202,
    VKO_ATTR_HSCROLL_HEIGHT = 203,
    VKO_ATTR_VSCROLL_WIDTH = 204,
    VKO_ATTR_RADIO_SIZE = 205,
    VKO_ATTR_TEXT_HEIGHT = 206,
    VKO_ATTR_SCREEN_WINDOW = 300,
    VKO_ATTR_TASK_WINDOW = 301,
    VKO_ATTR_PRINTER_HRES = 400,
    VKO_ATTR_PRINTER_VRES = 401,
    VKO_ATTR_SCREEN_HRES = 402,
    VKO_ATTR_SCREEN_VRES = 403,
    VKO_ATTR_SCREEN_WIDTH = 404,
    VKO_ATTR_SCREEN_HEIGHT = 405,
    VKO_ATTR_SCREEN_COLORS = 406,
    VKO_ATTR_PRINTER_COLORS = 407,
    VKO_ATTR_FRAME_WIDTH = 500,
    VKO_ATTR_FRAME_HEIGHT = 501,
    VKO_ATTR_DOCFRAME_WIDTH = 502,
    VKO_ATTR_DOCFRAME_HEIGHT = 503,
    VKO_ATTR_DBLFRAME_WIDTH = 504,
    VKO_ATTR_DBLFRAME_HEIGHT = 505,
    VKO_ATTR_MENU_HEIGHT = 506,
    VKO_ATTR_TITLE_HEIGHT = 507,
    VKO_ATTR_WIN_TABLE_VIEW = 603,
    VKO_ATTR_NATIVE_MSG_HOOK = 703,
    VKO_ATTR_MEM_FUNCTIONS = 707,
    VKO_ATTR_APP_EVENT_HOOK = 710,
    VKO_ATTR_APP_EVENT_HOOK_DATA = 711,
    VKO_ATTR_MULTIBYTE = 713,
    VKO_ATTR_DEFAULT_CTL_COLORS = 715,
    VKO_ATTR_TX_SETTINGS = 718,
    VKO_ATTR_DEFAULT_CTL_FONT = 719,
    VKO_ATTR_SINGLE_ICON = 10005,
    VKO_ATTR_TASKWIN_ACTIVE = 10006,
    VKO_ATTR_NO_TASKWIN = 10008,
    VKO_ATTR_APP_STYLE = 10012,
    VKO_ATTR_WIN_CREATE_HOOK = 10019,
    VKO_ATTR_TABLE_VIEW = 0x2C0
};

#ifdef __cplusplus
} /* extern "C" */

static_assert(sizeof(s_file_spec) == 530, "file specification is 530 bytes");
static_assert(offsetof(s_file_spec, name) == 267, "file name starts at byte 267");
static_assert(offsetof(s_file_spec, type) == 261, "type text starts at byte 261");
#endif

#endif /* VKOBASE_TYPES_H */
