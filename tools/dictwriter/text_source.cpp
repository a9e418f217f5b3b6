// text_source.cpp: the reader of the plain text source format.
#include "tools/dictwriter/text_source.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "tools/dictwriter/data_writer.h"

namespace dictwriter {
namespace {

int hex_digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool unescape(const std::string& text, std::string* out)
{
    out->clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            *out += text[i];
            continue;
        }
        if (++i >= text.size())
            return false;
        switch (text[i]) {
        case 'n': *out += '\n'; break;
        case 't': *out += '\t'; break;
        case '\\': *out += '\\'; break;
        case 'x': {
            const int hi = i + 1 < text.size() ? hex_digit(text[i + 1]) : -1;
            const int lo = i + 2 < text.size() ? hex_digit(text[i + 2]) : -1;
            if (hi < 0 || lo < 0)
                return false;
            *out += static_cast<char>(hi * 16 + lo);
            i += 2;
            break;
        }
        default:
            return false;
        }
    }
    return true;
}

// Splits "first rest of line" at the first space.
void split(const std::string& line, std::string* first, std::string* rest)
{
    const std::size_t space = line.find(' ');
    *first = line.substr(0, space);
    *rest = space == std::string::npos ? std::string() : line.substr(space + 1);
}

// The directives that belong to the current entry.
bool is_entry_directive(const std::string& directive)
{
    return directive == "nova" || directive == "field" || directive == "term" ||
           directive == "pron";
}

struct PendingEntry {
    SourceEntry entry;
    std::vector<EntryField> fields;
    bool in_va = true;
    bool open = false;
};

void close_entry(PendingEntry* pending, DictionarySource* source)
{
    if (!pending->open)
        return;
    pending->entry.fields = encode_field_stream(pending->fields);
    if (pending->in_va)
        pending->entry.terms.insert(pending->entry.terms.begin(),
                                    IndexTerm{"va", pending->entry.head_word});
    source->entries.push_back(std::move(pending->entry));
    *pending = PendingEntry{};
}

} // namespace

bool parse_text_source(std::istream& in, DictionarySource* source, std::string* error)
{
    PendingEntry pending;
    std::string line;
    int number = 0;
    bool header_seen = false;
    const auto fail = [&](const std::string& why) {
        *error = "line " + std::to_string(number) + ": " + why;
        return false;
    };
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        std::string directive;
        std::string rest;
        split(line, &directive, &rest);
        if (directive == "header") {
            std::string text;
            if (!unescape(rest, &text))
                return fail("bad escape in header");
            source->header += (header_seen ? "\n" : "") + text;
            header_seen = true;
        } else if (directive == "keytables" || directive == "friends") {
            std::istringstream codes(rest);
            std::string code;
            while (codes >> code)
                (directive == "keytables" ? source->key_tables : source->friends).push_back(code);
        } else if (directive == "marker") {
            std::string code;
            std::string word;
            split(rest, &code, &word);
            if (code.size() != 2 || word.empty())
                return fail("marker needs an index code and a word");
            source->markers.push_back({code, word});
        } else if (directive == "entry") {
            close_entry(&pending, source);
            if (rest.empty())
                return fail("entry needs a head word");
            pending.open = true;
            pending.entry.head_word = rest;
        } else if (!is_entry_directive(directive)) {
            return fail("unknown directive '" + directive + "'");
        } else if (!pending.open) {
            return fail("'" + directive + "' outside an entry");
        } else if (directive == "nova") {
            pending.in_va = false;
        } else if (directive == "field") {
            std::string code;
            std::string text;
            split(rest, &code, &text);
            const int hi = code.size() == 2 ? hex_digit(code[0]) : -1;
            const int lo = code.size() == 2 ? hex_digit(code[1]) : -1;
            if (hi < 0 || lo < 0 || hi * 16 + lo == 0)
                return fail("field needs a code byte in two hex digits");
            std::string unescaped;
            if (!unescape(text, &unescaped))
                return fail("bad escape in field text");
            pending.fields.push_back({static_cast<std::uint8_t>(hi * 16 + lo), unescaped});
        } else if (directive == "term") {
            std::string code;
            std::string word;
            split(rest, &code, &word);
            if (code.size() != 2 || word.empty())
                return fail("term needs an index code and a word");
            pending.entry.terms.push_back({code, word});
        } else if (directive == "pron") {
            if (rest.empty())
                return fail("pron needs a pronunciation");
            pending.entry.pronunciations.push_back(rest);
        }
    }
    // A stream that broke off is not a source that ended: what was read is not all.
    if (in.bad())
        return fail("read error");
    close_entry(&pending, source);
    return true;
}

bool read_text_source(const std::string& path, DictionarySource* source, std::string* error)
{
    // A directory opens like a file and reads as empty: refuse it rather than write an
    // empty dictionary.
    std::error_code code;
    std::ifstream in(path, std::ios::binary);
    if (!in || std::filesystem::is_directory(path, code)) {
        *error = "cannot read " + path;
        return false;
    }
    return parse_text_source(in, source, error);
}

} // namespace dictwriter
