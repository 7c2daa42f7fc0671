// Opens the game's help document with whatever the desktop associates with it.
#pragma once

#include <functional>
#include <string>

class TMailAndHP {
public:
    std::string MailAddress;
    std::string HomePageAddress = "http://";
    bool Success = false;
    // The document the last open asked for (a file path or a URL) and, when it failed,
    // why; empty after a success.
    std::string Document;
    std::string Failure;
    // Asks the desktop to open HomePageAddress (a file beside the program or a URL) and
    // returns at once; Success tells whether the desktop took the request.
    void OpenHomePage();
    // What asks the desktop: OpenWithDesktop (media/desktop_opener.h) unless replaced
    // (tests, the replay tool).
    // Returns an empty text when the request was taken, else why it was not.
    std::function<std::string(const std::string& url)> Opener;
};

// The URL a document address opens: a bare name is a file in folder, as a file:// URL
// with every byte outside the plain ASCII set percent-encoded; a URL stays as it is.
std::string DocumentUrl(const std::string& address, const std::string& folder);
