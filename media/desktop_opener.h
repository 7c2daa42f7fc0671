// Opening a document or a web page with whatever the desktop associates with it.
#pragma once

#include <string>

// Hands the URL to the desktop's opener and returns at once, without waiting for the
// viewer: an empty text when the request was taken, else why it was not.
std::string OpenWithDesktop(const std::string& url);
