// x_errors.h: an X error handler for a test's own connection that records errors instead of
// ending the process. A test that walks the server's windows may ask about one the program has
// just closed (BadWindow): that is no fault, and Xlib's default handler would end the test and
// leave its children running. Include after Xlib.
#pragma once

namespace vkotest {

struct XErrorRecord {
    int count = 0;
    unsigned char last_code = 0;
};

inline XErrorRecord &x_errors() {
    static XErrorRecord record;
    return record;
}

inline int record_x_error(Display *, XErrorEvent *error) {
    ++x_errors().count;
    x_errors().last_code = error->error_code;
    return 0;
}

// Installs the recording handler for every connection of this process.
inline void record_x_errors() { XSetErrorHandler(record_x_error); }

} // namespace vkotest
