// Opens the game's help document with whatever the desktop associates with it.
#pragma once

#include <string>

class TMailAndHP {
public:
    std::string MailAddress;
    std::string HomePageAddress = "http://";
    bool Success = false;
    // Asks the desktop to open HomePageAddress (a file beside the program or a URL).
    void OpenHomePage();
};
