// Opens the game's help document with whatever the desktop associates with it.
#pragma once

#include <functional>
#include <string>

class TMailAndHP {
public:
    std::string MailAddress;
    std::string HomePageAddress = "http://";
    bool Success = false;
    // Asks the desktop to open HomePageAddress (a file beside the program or a URL) and
    // returns at once; only Success tells whether the desktop took the request.
    void OpenHomePage();
    // What asks the desktop: SDL's URL opener unless replaced (tests, the replay tool).
    // Returns true when the request was taken.
    std::function<bool(const std::string& url)> Opener;
};

// The URL a document address opens: a bare name is a file in folder, as a file:// URL
// with every byte outside the plain ASCII set percent-encoded; a URL stays as it is.
std::string DocumentUrl(const std::string& address, const std::string& folder);
