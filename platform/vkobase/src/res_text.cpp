// Resource text format: tokenizer, parser and canonical writer (format in res_text.h).
// The parser never trusts its input: every number is range-checked for the field it fills,
// and a fault names its line.
#include "res_text.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <limits>
#include <utility>

#include "vkobase/read_file.h"
#include "vkobase/types.h"

namespace vkobase::res {
namespace {

constexpr int32_t kMenuStateRight = 0x4000;

struct NamedKey {
    const char* name;
    uint16_t code;
};
constexpr NamedKey kNamedKeys[] = {
    {"F1", VKO_KEY_F1},         {"F2", VKO_KEY_F2},           {"F3", VKO_KEY_F3},
    {"F4", VKO_KEY_F4},         {"F5", VKO_KEY_F5},           {"F6", VKO_KEY_F6},
    {"F7", VKO_KEY_F7},         {"F8", VKO_KEY_F8},           {"F9", VKO_KEY_F9},
    {"F10", VKO_KEY_F10},       {"F11", VKO_KEY_F11},         {"F12", VKO_KEY_F12},
    {"Insert", VKO_KEY_INSERT}, {"Delete", VKO_KEY_DELETE},   {"Home", VKO_KEY_LINE_START},
    {"End", VKO_KEY_LINE_END},  {"PageUp", VKO_KEY_PAGE_UP},  {"PageDown", VKO_KEY_PAGE_DOWN},
    {"Up", VKO_KEY_UP},         {"Down", VKO_KEY_DOWN},       {"Left", VKO_KEY_LEFT},
    {"Right", VKO_KEY_RIGHT},
};
// Keys that are characters of the character record, not virtual keys.
constexpr NamedKey kCharKeys[] = {
    {"Enter", 13}, {"Escape", 27}, {"Tab", 9}, {"Backspace", 8}, {"Space", 32},
};

enum class Tok { kEnd, kWord, kNumber, kString, kLBrace, kRBrace, kLParen, kRParen, kComma,
                 kEquals };

struct Token {
    Tok kind = Tok::kEnd;
    std::string text;   // word or decoded string
    int64_t number = 0;
    int line = 1;
};

class Lexer {
public:
    explicit Lexer(const std::string& text) : its_text(text) {}

    // Answers false on a malformed token and sets error.
    bool next(Token* tok, std::string* error) {
        skip_space();
        tok->line = its_line;
        tok->text.clear();
        tok->number = 0;
        if (its_pos >= its_text.size()) {
            tok->kind = Tok::kEnd;
            return true;
        }
        const char c = its_text[its_pos];
        switch (c) {
        case '{': ++its_pos; tok->kind = Tok::kLBrace; return true;
        case '}': ++its_pos; tok->kind = Tok::kRBrace; return true;
        case '(': ++its_pos; tok->kind = Tok::kLParen; return true;
        case ')': ++its_pos; tok->kind = Tok::kRParen; return true;
        case ',': ++its_pos; tok->kind = Tok::kComma; return true;
        case '=': ++its_pos; tok->kind = Tok::kEquals; return true;
        case '"': return read_string(tok, error);
        default: break;
        }
        if (c == '-' || (c >= '0' && c <= '9')) {
            return read_number(tok, error);
        }
        if (is_word_char(c)) {
            tok->kind = Tok::kWord;
            while (its_pos < its_text.size() && is_word_char(its_text[its_pos])) {
                tok->text += its_text[its_pos++];
            }
            return true;
        }
        *error = "unexpected character '" + std::string(1, c) + "'";
        return false;
    }

    int line() const { return its_line; }

private:
    static bool is_word_char(char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_';
    }

    void skip_space() {
        while (its_pos < its_text.size()) {
            const char c = its_text[its_pos];
            if (c == '\n') {
                ++its_line;
                ++its_pos;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++its_pos;
            } else if (c == '#') {
                while (its_pos < its_text.size() && its_text[its_pos] != '\n') {
                    ++its_pos;
                }
            } else {
                break;
            }
        }
    }

    bool read_number(Token* tok, std::string* error) {
        const size_t start = its_pos;
        if (its_text[its_pos] == '-') {
            ++its_pos;
        }
        while (its_pos < its_text.size() && is_word_char(its_text[its_pos])) {
            ++its_pos;
        }
        const std::string digits = its_text.substr(start, its_pos - start);
        errno = 0;
        char* end = nullptr;
        const long long value = std::strtoll(digits.c_str(), &end, 0);
        if (digits == "-" || end != digits.c_str() + digits.size() || errno == ERANGE) {
            *error = "bad number '" + digits + "'";
            return false;
        }
        tok->kind = Tok::kNumber;
        tok->number = value;
        return true;
    }

    static int hex_value(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    bool read_string(Token* tok, std::string* error) {
        ++its_pos;  // opening quote
        while (its_pos < its_text.size()) {
            const char c = its_text[its_pos++];
            if (c == '"') {
                tok->kind = Tok::kString;
                return true;
            }
            if (c == '\n') {
                *error = "string not closed on its line";
                return false;
            }
            if (c != '\\') {
                tok->text += c;
                continue;
            }
            if (its_pos >= its_text.size()) {
                break;
            }
            const char e = its_text[its_pos++];
            switch (e) {
            case '\\': tok->text += '\\'; break;
            case '"': tok->text += '"'; break;
            case 'n': tok->text += '\n'; break;
            case 'r': tok->text += '\r'; break;
            case 't': tok->text += '\t'; break;
            case 'x': {
                const int hi = its_pos < its_text.size() ? hex_value(its_text[its_pos]) : -1;
                const int lo =
                    its_pos + 1 < its_text.size() ? hex_value(its_text[its_pos + 1]) : -1;
                if (hi < 0 || lo < 0) {
                    *error = "\\x needs two hex digits";
                    return false;
                }
                tok->text += static_cast<char>(hi * 16 + lo);
                its_pos += 2;
                break;
            }
            default:
                *error = "unknown escape \\" + std::string(1, e);
                return false;
            }
        }
        *error = "string not closed";
        return false;
    }

    const std::string& its_text;
    size_t its_pos = 0;
    int its_line = 1;
};

class Parser {
public:
    Parser(const std::string& text, Bundle* bundle, FileReader reader, void* context)
        : its_lexer(text), its_bundle(bundle), its_reader(reader), its_context(context) {}

    bool run(std::string* error) {
        bool ok = advance() && parse_statements();
        if (!ok) {
            *error = "line " + std::to_string(its_tok.line) + ": " + its_error;
        }
        return ok;
    }

private:
    bool advance() { return its_lexer.next(&its_tok, &its_error); }

    bool fail(const std::string& what) {
        its_error = what;
        return false;
    }

    bool expect(Tok kind, const char* what) {
        if (its_tok.kind != kind) {
            return fail(std::string("expected ") + what);
        }
        return advance();
    }

    bool take_number(int64_t lo, int64_t hi, const char* what, int64_t* out) {
        if (its_tok.kind != Tok::kNumber) {
            return fail(std::string("expected ") + what);
        }
        if (its_tok.number < lo || its_tok.number > hi) {
            return fail(std::string(what) + " out of range");
        }
        *out = its_tok.number;
        return advance();
    }

    // Resource ids are looked up as non-negative numbers; a negative one would never be found.
    bool take_id(int32_t* id) {
        if (its_tok.kind == Tok::kNumber && its_tok.number < 0) {
            return fail("resource id " + std::to_string(its_tok.number) + " is negative");
        }
        int64_t v = 0;
        if (!take_number(0, std::numeric_limits<int32_t>::max(), "resource id", &v)) {
            return false;
        }
        *id = static_cast<int32_t>(v);
        return true;
    }

    bool take_string(std::string* out) {
        if (its_tok.kind != Tok::kString) {
            return fail("expected a quoted string");
        }
        *out = its_tok.text;
        return advance();
    }

    bool parse_statements() {
        while (its_tok.kind != Tok::kEnd) {
            if (its_tok.kind != Tok::kWord) {
                return fail("expected a statement");
            }
            const std::string keyword = its_tok.text;
            if (!advance()) {
                return false;
            }
            int32_t id = 0;
            const int id_line = its_tok.line;
            if (!take_id(&id)) {
                return false;
            }
            // One text defines each item once: a second definition would silently replace the
            // first. (Windows and dialogs are kinds of their own, as in the bundle.)
            const auto [first, added] = its_defined.try_emplace({keyword, id}, id_line);
            if (!added) {
                its_tok.line = id_line;
                return fail(keyword + " " + std::to_string(id) +
                            " is defined twice (first on line " + std::to_string(first->second) +
                            ")");
            }
            bool ok = false;
            if (keyword == "string") {
                ok = take_string(&its_bundle->strings[id]);
            } else if (keyword == "font") {
                ok = take_string(&its_bundle->fonts[id]);
            } else if (keyword == "data") {
                ok = take_string(&its_bundle->data[id]);
            } else if (keyword == "image") {
                ok = parse_image(id);
            } else if (keyword == "menu") {
                std::vector<MenuItem> items;
                ok = expect(Tok::kLBrace, "'{'") && parse_menu_items(&items, 0);
                its_bundle->menus[id] = std::move(items);
            } else if (keyword == "accelerators") {
                std::vector<Accel> table;
                ok = expect(Tok::kLBrace, "'{'") && parse_accels(&table);
                its_bundle->accels[id] = std::move(table);
            } else if (keyword == "window" || keyword == "dialog") {
                std::vector<WinEntry> entries;
                ok = parse_entries(&entries);
                (keyword == "window" ? its_bundle->windows : its_bundle->dialogs)[id] =
                    std::move(entries);
            } else {
                return fail("unknown statement '" + keyword + "'");
            }
            if (!ok) {
                return false;
            }
        }
        return true;
    }

    // The value of a hexadecimal digit, -1 for any other character.
    static int hex_digit(char c) {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        if (c >= 'a' && c <= 'f') {
            return c - 'a' + 10;
        }
        if (c >= 'A' && c <= 'F') {
            return c - 'A' + 10;
        }
        return -1;
    }

    bool parse_image(int32_t id) {
        if (its_tok.kind != Tok::kWord || (its_tok.text != "file" && its_tok.text != "hex")) {
            return fail("expected 'file' or 'hex'");
        }
        const bool from_file = its_tok.text == "file";
        std::string arg;
        if (!advance() || !take_string(&arg)) {
            return false;
        }
        std::string bytes;
        if (from_file) {
            if (its_reader == nullptr || !its_reader(arg, &bytes, its_context)) {
                return fail("cannot read image file \"" + arg + "\"");
            }
        } else {
            if (arg.size() % 2 != 0) {
                return fail("hex image needs an even number of digits");
            }
            // Digit by digit: the program's pictures are registered at start, and a call per
            // byte cost the start-up milliseconds.
            bytes.reserve(arg.size() / 2);
            for (size_t i = 0; i < arg.size(); i += 2) {
                const int high = hex_digit(arg[i]), low = hex_digit(arg[i + 1]);
                if (high < 0 || low < 0) {
                    return fail("bad hex digits in image");
                }
                bytes += static_cast<char>(high * 16 + low);
            }
        }
        its_bundle->images[id] = std::move(bytes);
        return true;
    }

    static bool is_item_option(const Token& tok) {
        return tok.kind == Tok::kWord && (tok.text == "off" || tok.text == "checked" ||
                                          tok.text == "checkable" || tok.text == "key" ||
                                          tok.text == "right" || tok.text == "state");
    }

    // Options end at the first word that is not one: the next item's keyword.
    bool parse_item_options(MenuItem* item) {
        while (is_item_option(its_tok)) {
            const std::string opt = its_tok.text;
            if (opt == "off") {
                item->enabled = false;
            } else if (opt == "checked") {
                item->checked = true;
            } else if (opt == "checkable") {
                item->checkable = true;
            } else if (opt == "right") {
                item->state |= kMenuStateRight;
            } else if (opt == "state") {
                int64_t v = 0;
                if (!advance() || !expect(Tok::kEquals, "'='") ||
                    !take_number(0, 0xFFFF, "state", &v)) {
                    return false;
                }
                item->state = static_cast<int32_t>(v);
                continue;
            } else if (opt == "key") {
                int64_t v = 0;
                if (!advance() || !expect(Tok::kEquals, "'='") ||
                    !take_number(0, 0xFFFF, "mnemonic", &v)) {
                    return false;
                }
                item->mkey = static_cast<int32_t>(v);
                continue;
            }
            if (!advance()) {
                return false;
            }
        }
        return true;
    }

    // Entries up to and including the closing brace.
    bool parse_accels(std::vector<Accel>* table) {
        while (its_tok.kind != Tok::kRBrace) {
            Accel accel;
            AccelKey key;
            if (its_tok.kind != Tok::kString) {
                return fail("expected a key text or '}'");
            }
            if (!parse_accel_key(its_tok.text, &key)) {
                return fail("unknown key \"" + its_tok.text + "\"");
            }
            int64_t tag = 0;
            if (!take_string(&accel.keys) || !take_number(1, 0xFFFF, "tag", &tag)) {
                return false;
            }
            accel.tag = static_cast<int32_t>(static_cast<int16_t>(tag));
            table->push_back(std::move(accel));
        }
        return advance();
    }

    // Items up to and including the closing brace.
    bool parse_menu_items(std::vector<MenuItem>* items, int depth) {
        if (depth > 16) {
            return fail("menus nested too deeply");
        }
        while (its_tok.kind != Tok::kRBrace) {
            if (its_tok.kind != Tok::kWord) {
                return fail("expected item, popup, separator or '}'");
            }
            MenuItem item;
            const std::string kind = its_tok.text;
            if (!advance()) {
                return false;
            }
            int64_t tag = 0;
            if (kind == "separator") {
                item.separator = true;
            } else if (kind == "item" || kind == "popup") {
                if (its_tok.kind == Tok::kNumber) {
                    // Tags are 16-bit; the toolkit's own menus use values above 32767.
                if (!take_number(0, 0xFFFF, "tag", &tag)) {
                        return false;
                    }
                } else if (kind == "item") {
                    return fail("expected a tag");
                }
                item.tag = static_cast<int32_t>(static_cast<int16_t>(tag));
                if (!take_string(&item.title) || !parse_item_options(&item)) {
                    return false;
                }
                if (kind == "popup") {
                    item.popup = true;
                    if (!expect(Tok::kLBrace, "'{'") ||
                        !parse_menu_items(&item.children, depth + 1)) {
                        return false;
                    }
                }
            } else {
                return fail("unknown menu item kind '" + kind + "'");
            }
            items->push_back(std::move(item));
        }
        return advance();
    }

    bool parse_rect(WinEntry* e) {
        int64_t v[4] = {};
        if (!expect(Tok::kLParen, "'('")) {
            return false;
        }
        for (int i = 0; i < 4; ++i) {
            if (!take_number(INT16_MIN, INT16_MAX, "rectangle value", &v[i])) {
                return false;
            }
            if (i < 3 && !expect(Tok::kComma, "','")) {
                return false;
            }
        }
        e->top = static_cast<int16_t>(v[0]);
        e->left = static_cast<int16_t>(v[1]);
        e->bottom = static_cast<int16_t>(v[2]);
        e->right = static_cast<int16_t>(v[3]);
        return expect(Tok::kRParen, "')'");
    }

    bool parse_entry_key(WinEntry* e, bool* has_type) {
        const std::string key = its_tok.text;
        if (!advance() || !expect(Tok::kEquals, "'='")) {
            return false;
        }
        int64_t v = 0;
        if (key == "rect") {
            return parse_rect(e);
        }
        if (key == "title") {
            return take_string(&e->title);
        }
        if (key == "type") {
            *has_type = true;
            if (!take_number(1, INT32_MAX, "type", &v)) {
                return false;
            }
            e->type = static_cast<int32_t>(v);
        } else if (key == "flags" || key == "ctlflags" || key == "txattrs") {
            if (!take_number(INT32_MIN, UINT32_MAX, key.c_str(), &v)) {
                return false;
            }
            uint32_t* field = key == "flags"      ? &e->win_flags
                              : key == "ctlflags" ? &e->ctl_flags
                                                  : &e->tx_attrs;
            *field = static_cast<uint32_t>(v);
        } else if (key == "units") {
            if (!take_number(0, 3, "units", &v)) {
                return false;
            }
            e->units = static_cast<int32_t>(v);
        } else if (key == "font") {
            if (!take_number(0, INT32_MAX, "font", &v)) {
                return false;
            }
            e->font_id = static_cast<int32_t>(v);
        } else if (key == "id" || key == "menubar" || key == "value1" || key == "value2" ||
                   key == "value3" || key == "txmargin" || key == "txlimit") {
            // 16-bit fields; ids may be written unsigned, values signed.
            if (!take_number(INT16_MIN, UINT16_MAX, key.c_str(), &v)) {
                return false;
            }
            int32_t* field = key == "id"        ? &e->id
                             : key == "menubar" ? &e->menu_bar_id
                             : key == "value1"  ? &e->value1
                             : key == "value2"  ? &e->value2
                             : key == "value3"  ? &e->value3
                             : key == "txmargin" ? &e->tx_margin
                                                : &e->tx_limit;
            *field = static_cast<int32_t>(static_cast<int16_t>(v));
        } else {
            return fail("unknown entry key '" + key + "'");
        }
        return true;
    }

    bool parse_entries(std::vector<WinEntry>* entries) {
        if (!expect(Tok::kLBrace, "'{'")) {
            return false;
        }
        while (its_tok.kind != Tok::kRBrace) {
            if (its_tok.kind != Tok::kWord || its_tok.text != "entry") {
                return fail("expected 'entry' or '}'");
            }
            if (!advance()) {
                return false;
            }
            WinEntry e;
            bool has_type = false;
            while (its_tok.kind == Tok::kWord && its_tok.text != "entry") {
                if (!parse_entry_key(&e, &has_type)) {
                    return false;
                }
            }
            if (!has_type) {
                return fail("entry without a type");
            }
            entries->push_back(std::move(e));
        }
        if (entries->empty()) {
            return fail("a definition needs at least one entry");
        }
        return advance();
    }

    Lexer its_lexer;
    Bundle* its_bundle;
    FileReader its_reader;
    void* its_context;
    Token its_tok;
    std::string its_error;
    std::map<std::pair<std::string, int32_t>, int> its_defined;  // kind and id: its line
};

std::string quote(const std::string& s) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\\' || c == '"') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (u < 0x20 || u == 0x7F) {
            out += "\\x";
            out += kHex[u >> 4];
            out += kHex[u & 0xF];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string hex_of(const std::string& bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        out += kHex[u >> 4];
        out += kHex[u & 0xF];
    }
    return out;
}

void write_menu(const std::vector<MenuItem>& items, int depth, std::string* out) {
    const std::string indent(static_cast<size_t>(depth) * 2, ' ');
    for (const MenuItem& item : items) {
        if (item.separator) {
            *out += indent + "separator\n";
            continue;
        }
        *out += indent + (item.popup ? "popup " : "item ");
        if (!item.popup || item.tag != 0) {
            *out += std::to_string(static_cast<uint16_t>(item.tag)) + " ";
        }
        *out += quote(item.title);
        if (!item.enabled) *out += " off";
        if (item.checked) *out += " checked";
        if (item.checkable) *out += " checkable";
        if (item.mkey != 0) *out += " key=" + std::to_string(item.mkey);
        if (item.state != 0) *out += " state=" + std::to_string(item.state);
        if (item.popup) {
            *out += " {\n";
            write_menu(item.children, depth + 1, out);
            *out += indent + "}";
        }
        *out += "\n";
    }
}

void write_entries(const char* keyword, const std::map<int32_t, std::vector<WinEntry>>& defs,
                   std::string* out) {
    for (const auto& [id, entries] : defs) {
        *out += std::string(keyword) + " " + std::to_string(id) + " {\n";
        for (const WinEntry& e : entries) {
            *out += "  entry type=" + std::to_string(e.type) + " rect=(" +
                    std::to_string(e.top) + "," + std::to_string(e.left) + "," +
                    std::to_string(e.bottom) + "," + std::to_string(e.right) + ")";
            if (!e.title.empty()) *out += " title=" + quote(e.title);
            if (e.id != 0) *out += " id=" + std::to_string(e.id);
            if (e.menu_bar_id != 0) *out += " menubar=" + std::to_string(e.menu_bar_id);
            if (e.ctl_flags != 0) *out += " ctlflags=" + std::to_string(e.ctl_flags);
            if (e.win_flags != 0) *out += " flags=" + std::to_string(e.win_flags);
            if (e.value1 != 0) *out += " value1=" + std::to_string(e.value1);
            if (e.value2 != 0) *out += " value2=" + std::to_string(e.value2);
            if (e.value3 != 0) *out += " value3=" + std::to_string(e.value3);
            if (e.units != 0) *out += " units=" + std::to_string(e.units);
            if (e.tx_attrs != 0) *out += " txattrs=" + std::to_string(e.tx_attrs);
            if (e.tx_margin != 0) *out += " txmargin=" + std::to_string(e.tx_margin);
            if (e.tx_limit != 0) *out += " txlimit=" + std::to_string(e.tx_limit);
            if (e.font_id != 0) *out += " font=" + std::to_string(e.font_id);
            *out += "\n";
        }
        *out += "}\n";
    }
}

}  // namespace

bool parse_accel_key(const std::string& text, AccelKey* key) {
    AccelKey out;
    std::string rest = text;
    for (;;) {
        const size_t plus = rest.find('+');
        if (plus == std::string::npos || plus + 1 == rest.size()) {
            break;  // "Ctrl++" binds the plus key itself
        }
        const std::string mod = rest.substr(0, plus);
        if (mod == "Ctrl") {
            out.ctrl = true;
        } else if (mod == "Shift") {
            out.shift = true;
        } else if (mod == "Alt") {
            out.alt = true;
        } else {
            return false;
        }
        rest = rest.substr(plus + 1);
    }
    if (rest.size() == 1 && static_cast<unsigned char>(rest[0]) > 32) {
        out.code = static_cast<uint16_t>(std::toupper(static_cast<unsigned char>(rest[0])));
        *key = out;
        return true;
    }
    for (const NamedKey& k : kNamedKeys) {
        if (rest == k.name) {
            out.virt = true;
            out.code = k.code;
            *key = out;
            return true;
        }
    }
    for (const NamedKey& k : kCharKeys) {
        if (rest == k.name) {
            out.code = k.code;
            *key = out;
            return true;
        }
    }
    return false;
}

bool parse_text(const std::string& text, Bundle* bundle, std::string* error,
                FileReader file_reader, void* reader_context) {
    Parser parser(text, bundle, file_reader, reader_context);
    return parser.run(error);
}

std::string write_text(const Bundle& bundle) {
    std::string out;
    for (const auto& [id, s] : bundle.strings) {
        out += "string " + std::to_string(id) + " " + quote(s) + "\n";
    }
    for (const auto& [id, s] : bundle.fonts) {
        out += "font " + std::to_string(id) + " " + quote(s) + "\n";
    }
    for (const auto& [id, s] : bundle.data) {
        out += "data " + std::to_string(id) + " " + quote(s) + "\n";
    }
    for (const auto& [id, bytes] : bundle.images) {
        out += "image " + std::to_string(id) + " hex \"" + hex_of(bytes) + "\"\n";
    }
    for (const auto& [id, items] : bundle.menus) {
        out += "menu " + std::to_string(id) + " {\n";
        write_menu(items, 1, &out);
        out += "}\n";
    }
    write_entries("window", bundle.windows, &out);
    write_entries("dialog", bundle.dialogs, &out);
    for (const auto& [id, table] : bundle.accels) {
        out += "accelerators " + std::to_string(id) + " {\n";
        for (const Accel& a : table) {
            out += "  " + quote(a.keys) + " " + std::to_string(static_cast<uint16_t>(a.tag)) + "\n";
        }
        out += "}\n";
    }
    return out;
}

bool read_file(const std::string& path, std::string* bytes) {
    FILE* in = vkov_open_to_read(path.c_str(), nullptr);
    if (in == nullptr) {
        return false;
    }
    bytes->clear();
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, in)) > 0;) {
        bytes->append(buf, n);
    }
    const bool read = std::ferror(in) == 0;
    std::fclose(in);
    return read;
}

std::string path_beside(const std::string& dir, const std::string& path) {
    if (path.empty() || path[0] == '/' || dir.empty()) {
        return path;
    }
    return dir + "/" + path;
}

}  // namespace vkobase::res
