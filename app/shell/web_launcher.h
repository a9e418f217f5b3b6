// web_launcher.h: WebLauncher, which tells whether the system has a web browser registered
// for web pages and opens an address in it through the shell.
#pragma once

class WebLauncher {
public:
    virtual ~WebLauncher() = default;
    // 1 when the shell's open command for that kind of page is registered as text.
    int HasHtmlFileCommand() const;
    int HasHttpCommand() const;
    int HasHttpsCommand() const;
    // Opens address with the shell's "open"; 1 when it started.
    int Open(const char* address) const;
};
