// dm.cpp: the standard dialogs. In test mode each dialog is recorded and answered from the
// test's script. Otherwise, while the display is open, the file, folder, font, colour and page
// dialogs are GTK's (gtk_bridge.cpp) and the others are the program's own (dm_box.cpp);
// without a display a running program gets the texts on standard error and the default
// answers. Owns the record and the script.
#include "vkobase/dm.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "core_internal.h"
#include "dm_box.h"
#include "dm_convert.h"
#include "gtk_bridge.h"
#include "vkobase/testing.h"

namespace {

struct Answer {
    std::int32_t result = 0;
    std::string text;
    bool has_text = false;
    std::uint32_t value = 0;
};

struct Shown {
    std::string kind;
    std::string text;
};

struct DmState {
    std::deque<Answer> script;
    std::vector<Shown> shown;
    bool program_ending = false; // every box from now on is one of the program's last
};
DmState &state() {
    static DmState s;
    return s;
}

std::string format_text(const char *format, va_list args) {
    if (format == nullptr)
        return std::string();
    va_list copy;
    va_copy(copy, args);
    const int len = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (len <= 0)
        return std::string();
    std::string out(static_cast<std::size_t>(len), '\0');
    std::vsnprintf(out.data(), out.size() + 1, format, args);
    return out;
}

// How a dialog is answered: from the test's script, by the user in a dialog of the program's
// own look, or with its default answer.
enum class Route { kScript, kBox, kDefault };

// Records the dialog in test mode and, for a dialog with an answer to fill, takes the next
// scripted answer if there is one; else the dialog is shown when boxes can be, or written to
// standard error outside tests.
Route route(const char *kind, const std::string &text, Answer *answer) noexcept {
    try {
        if (vkov_test_is_active()) {
            state().shown.push_back(Shown{kind, text});
            if (answer != nullptr && !state().script.empty()) {
                *answer = std::move(state().script.front());
                state().script.pop_front();
                return Route::kScript;
            }
        }
        if (vkobase::dm::boxes_shown())
            return Route::kBox;
        if (!vkov_test_is_active())
            std::fprintf(stderr, "%s: %s\n", kind, text.c_str());
    } catch (...) {
    }
    return Route::kDefault;
}

bool show(const char *kind, const std::string &text, Answer *answer) noexcept {
    return route(kind, text, answer) == Route::kScript;
}

// A box with one OK button.
vkobase::dm::Box ok_box(const char *kind, const char *title, vkobase::dm::Icon icon,
                        const std::string &text) {
    vkobase::dm::Box box;
    box.kind = kind;
    box.title = title;
    box.icon = icon;
    box.message = text;
    box.buttons = {"OK"};
    box.answers = {0};
    return box;
}

void message(const char *kind, const char *title, vkobase::dm::Icon icon, const char *format,
             va_list args) noexcept {
    try {
        const std::string text = format_text(format, args);
        if (route(kind, text, nullptr) == Route::kBox) {
            vkobase::dm::Box box = ok_box(kind, title, icon, text);
            box.ends_program = state().program_ending;
            vkobase::dm::run_box(box);
        }
    } catch (...) {
    }
}

[[noreturn]] void fatal(const char *format, va_list args) {
    std::string text;
    try {
        text = format_text(format, args);
    } catch (...) {
        text = format != nullptr ? format : "";
    }
    if (vkov_test_is_active()) {
        show("fatal_exit", text, nullptr);
        throw vkobase::FatalExit(text);
    }
    std::fprintf(stderr, "fatal_exit: %s\n", text.c_str());
    std::fflush(stderr);
    // With a display the user sees the message too before the program ends.
    if (vkobase::dm::boxes_shown()) {
        try {
            vkobase::dm::Box box =
                ok_box("fatal_exit", "Fatal Error", vkobase::dm::Icon::kError, text);
            box.ends_program = true;
            vkobase::dm::run_box(box);
        } catch (...) {
        }
    }
    std::exit(EXIT_FAILURE);
}

// Copies text into a fixed field of size bytes, cut to fit and terminated.
void put_field(char *field, std::size_t size, const std::string &text) noexcept {
    const std::size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(field, text.data(), n);
    field[n] = '\0';
}

// Answers a file or directory prompt: 2 (confirmed, with the path put in place), 1 cancelled,
// 0 for a path too long for the record.
std::int32_t file_prompt(vkobase::gtk::FileKind kind, const char *prompt, s_dir *dir, char *name,
                         std::size_t name_size) noexcept {
    static const char *const kKinds[] = {"file_open", "file_save", "dir_sel"};
    const char *kind_name = kKinds[static_cast<int>(kind)];
    const std::string title = prompt != nullptr ? prompt : "";
    if (!vkov_test_is_active() && vkobase::gtk::available()) {
        try {
            std::string path;
            if (!vkobase::gtk::choose_file(kind, title, dir->path,
                                           name != nullptr ? std::string(name) : std::string(),
                                           &path))
                return 1;
            return vkobase::dm::put_path(path, dir, name, name_size);
        } catch (...) {
            return 1;
        }
    }
    Answer answer;
    if (!show(kind_name, title, &answer))
        return 1;
    if (answer.result != 2 || !answer.has_text)
        return answer.result;
    try {
        return vkobase::dm::put_path(answer.text, dir, name, name_size);
    } catch (...) {
        return 0;
    }
}

BOOLEAN confirm(const char *kind, const std::string &text, Answer *answer) noexcept {
    return show(kind, text, answer) && answer->result != 0 ? TRUE : FALSE;
}

} // namespace

void vkobase_reset_dm() noexcept {
    state().script.clear();
    state().shown.clear();
    state().program_ending = false;
}

extern "C" {

void vkov_dm_post_about_box(void) {
    try {
        const s_app_config &config = vkobase::app_config();
        const std::string name = config.appl_name != nullptr ? config.appl_name : "";
        std::string text = config.taskwin_title != nullptr ? config.taskwin_title : "";
        if (text.empty())
            text = name;
        if (route("about_box", "", nullptr) == Route::kBox)
            vkobase::dm::run_box(ok_box("about_box", ("About " + name).c_str(),
                                        vkobase::dm::Icon::kInfo, text));
    } catch (...) {
    }
}

void vkov_dm_post_note(const char *format, va_list args) {
    message("note", "Note", vkobase::dm::Icon::kInfo, format, args);
}

void vkov_dm_post_message(const char *format, va_list args) {
    message("message", "Message", vkobase::dm::Icon::kNone, format, args);
}

void vkov_dm_post_warning(const char *format, va_list args) {
    message("warning", "Warning", vkobase::dm::Icon::kWarning, format, args);
}

void vkov_dm_post_error(const char *format, va_list args) {
    message("error", "Error", vkobase::dm::Icon::kError, format, args);
}

void vkov_dm_program_ending(void) noexcept {
    state().program_ending = true;
}

void vkov_dm_post_fatal_exit(const char *format, va_list args) {
    fatal(format, args);
}

void vkov_dm_post_fatal_exit_va(const char *format, va_list args) {
    fatal(format, args);
}

std::int32_t vkov_dm_post_ask(const char *button1, const char *button2, const char *button3,
                              const char *format, va_list args) {
    try {
        const std::string message = format_text(format, args);
        std::string text = message;
        for (const char *button : {button1, button2, button3})
            text += std::string("|") + (button != nullptr ? button : "");
        Answer answer;
        switch (route("ask", text, &answer)) {
        case Route::kScript:
            return answer.result;
        case Route::kDefault:
            return 0;
        case Route::kBox:
            break;
        }
        // The buttons answer 0, 1 and 2; Escape and the close box the one labelled "Cancel"
        // when there is one (the first may then be another default than the last), else
        // the last one.
        vkobase::dm::Box box;
        box.kind = "ask";
        box.title = "Question";
        box.icon = vkobase::dm::Icon::kQuestion;
        box.message = message;
        for (const char *button : {button1, button2, button3}) {
            if (button == nullptr)
                continue;
            box.answers.push_back(static_cast<std::int32_t>(box.buttons.size()));
            box.buttons.push_back(button);
        }
        if (box.buttons.empty()) {
            box.buttons = {"OK"};
            box.answers = {0};
        }
        box.cancel_answer = box.answers.back();
        for (std::size_t i = 0; i < box.buttons.size(); ++i)
            if (box.buttons[i] == "Cancel")
                box.cancel_answer = box.answers[i];
        return vkobase::dm::run_box(box).answer;
    } catch (...) {
        return 0;
    }
}

char *vkov_dm_post_string_prompt(const char *prompt, char *buf, std::int32_t buf_size) {
    if (buf == nullptr || buf_size <= 0)
        return nullptr;
    Answer answer;
    const std::string text = prompt != nullptr ? prompt : "";
    switch (route("string_prompt", text, &answer)) {
    case Route::kScript:
        if (answer.result == 0)
            return nullptr;
        put_field(buf, static_cast<std::size_t>(buf_size), answer.text);
        return buf;
    case Route::kDefault:
        return nullptr;
    case Route::kBox:
        break;
    }
    try {
        // The field starts with what the buffer holds.
        vkobase::dm::Box box;
        box.kind = "string_prompt";
        box.title = "Input";
        box.message = text;
        box.fields.push_back(vkobase::dm::Field{
            WC_EDIT, std::string(buf, strnlen(buf, static_cast<std::size_t>(buf_size))), false});
        box.buttons = {"OK", "Cancel"};
        box.answers = {1, 0};
        const vkobase::dm::BoxAnswer got = vkobase::dm::run_box(box);
        if (got.answer == 0)
            return nullptr;
        put_field(buf, static_cast<std::size_t>(buf_size), got.texts.at(0));
        return buf;
    } catch (...) {
        return nullptr;
    }
}

std::int32_t vkov_dm_post_file_open(s_file_spec *spec, const char *prompt) {
    if (spec == nullptr)
        return 0;
    return file_prompt(vkobase::gtk::FileKind::kOpen, prompt, &spec->dir, spec->name,
                       sizeof spec->name);
}

std::int32_t vkov_dm_post_file_save(s_file_spec *spec, const char *prompt) {
    if (spec == nullptr)
        return 0;
    return file_prompt(vkobase::gtk::FileKind::kSave, prompt, &spec->dir, spec->name,
                       sizeof spec->name);
}

std::int32_t vkov_dm_post_dir_sel(s_dir *dir, const char *prompt) {
    if (dir == nullptr)
        return 0;
    return file_prompt(vkobase::gtk::FileKind::kFolder, prompt, dir, nullptr, 0);
}

BOOLEAN vkov_dm_post_color_sel(COLOR *color, WINDOW) {
    if (color == nullptr)
        return FALSE;
    if (!vkov_test_is_active() && vkobase::gtk::available()) {
        double r = 0, g = 0, b = 0;
        vkobase::dm::rgb_of_color(*color, &r, &g, &b);
        if (!vkobase::gtk::choose_color(&r, &g, &b))
            return FALSE;
        *color = vkobase::dm::chosen_color(*color, r, g, b);
        return TRUE;
    }
    Answer answer;
    if (!confirm("color_sel", "", &answer))
        return FALSE;
    *color = answer.value;
    return TRUE;
}

BOOLEAN vkov_dm_post_ctools_sel(s_drawct *tools, std::uint32_t) {
    if (tools == nullptr)
        return FALSE;
    Answer answer;
    switch (route("ctools_sel", "", &answer)) {
    case Route::kScript:
        return answer.result != 0 ? TRUE : FALSE;
    case Route::kDefault:
        return FALSE;
    case Route::kBox:
        break;
    }
    try {
        using vkobase::dm::Field;
        vkobase::dm::Box box;
        box.kind = "ctools_sel";
        box.title = "Drawing Tools";
        box.message = "Pen width (1 to 99 pixels):";
        box.fields = {Field{WC_EDIT, std::to_string(tools->pen.width), false},
                      Field{WC_RADIOBUTTON, "Solid line", tools->pen.style == P_SOLID},
                      Field{WC_RADIOBUTTON, "Dotted line", tools->pen.style == P_DOT},
                      Field{WC_RADIOBUTTON, "Dashed line", tools->pen.style == P_DASH},
                      Field{WC_CHECKBOX, "Fill shapes", tools->brush.pat != PAT_HOLLOW},
                      Field{WC_CHECKBOX, "Opaque text", tools->opaque_text != FALSE}};
        box.buttons = {"OK", "Cancel"};
        box.answers = {1, 0};
        const vkobase::dm::BoxAnswer got = vkobase::dm::run_box(box);
        if (got.answer == 0)
            return FALSE;
        // A width that is not a number from 1 to 99 keeps the pen's width.
        const std::string &width = got.texts.at(0);
        char *end = nullptr;
        const long w = std::strtol(width.c_str(), &end, 10);
        if (!width.empty() && end != nullptr && *end == '\0' && w >= 1 && w <= 99)
            tools->pen.width = static_cast<std::int16_t>(w);
        const e_pen_style styles[] = {P_SOLID, P_DOT, P_DASH};
        for (int i = 0; i < 3; ++i)
            if (got.checked.at(static_cast<std::size_t>(1 + i))) {
                tools->pen.style = styles[i];
                break;
            }
        tools->brush.pat = got.checked.at(4) ? PAT_SOLID : PAT_HOLLOW;
        tools->opaque_text = got.checked.at(5) ? TRUE : FALSE;
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

BOOLEAN vkov_dm_post_font_sel(WINDOW, FONT_OBJ font, s_printrcd *, std::uint32_t) {
    if (font != nullptr && !vkov_test_is_active() && vkobase::gtk::available()) {
        try {
            vkobase::dm::FontChoice choice = vkobase::dm::font_choice_of(font);
            return vkobase::gtk::choose_font(&choice) &&
                           vkobase::dm::apply_font_choice(choice, font)
                       ? TRUE
                       : FALSE;
        } catch (...) {
            return FALSE;
        }
    }
    Answer answer;
    return font != nullptr && confirm("font_sel", "", &answer) ? TRUE : FALSE;
}

BOOLEAN vkov_dm_post_page_setup(s_printrcd *print) {
    if (print != nullptr && !vkov_test_is_active() && vkobase::gtk::available()) {
        vkobase::dm::PageChoice choice = vkobase::dm::page_choice_of(print);
        return vkobase::gtk::choose_page(&choice) && vkobase::dm::apply_page_choice(choice, print)
                   ? TRUE
                   : FALSE;
    }
    Answer answer;
    return print != nullptr && confirm("page_setup", "", &answer) ? TRUE : FALSE;
}

void vkov_dm_test_push_answer(std::int32_t result, const char *text, std::uint32_t value) noexcept {
    try {
        Answer answer;
        answer.result = result;
        answer.has_text = text != nullptr;
        answer.text = text != nullptr ? text : "";
        answer.value = value;
        state().script.push_back(std::move(answer));
    } catch (...) {
    }
}

std::int32_t vkov_dm_test_count(void) noexcept {
    return static_cast<std::int32_t>(state().shown.size());
}

const char *vkov_dm_test_kind(std::int32_t index) noexcept {
    if (index < 0 || static_cast<std::size_t>(index) >= state().shown.size())
        return nullptr;
    return state().shown[static_cast<std::size_t>(index)].kind.c_str();
}

const char *vkov_dm_test_text(std::int32_t index) noexcept {
    if (index < 0 || static_cast<std::size_t>(index) >= state().shown.size())
        return nullptr;
    return state().shown[static_cast<std::size_t>(index)].text.c_str();
}

} // extern "C"
