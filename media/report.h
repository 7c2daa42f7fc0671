// Problems said on stderr, the one way the program says them: one line
// "brannock: <file>: <message>", or "brannock: <message>" where no file is concerned.
//
// Failures in media/: a component that cannot do its work throws, the message naming the
// file concerned where there is one; what a component can go on without (no sound device,
// a missing font) it reports here, once, and carries on. The engine, options, demos and the
// game say their own way at the top of their headers (scene/engine/rm.h, options/options.h,
// demo/demo.h, app/main_form.h); whatever they print goes through here.
#pragma once

#include <string>

// The line for a problem, without its line end; file may be empty.
std::string ProblemLine(const std::string& file, const std::string& message);
// Writes the line on stderr.
void ReportProblemLine(const std::string& file, const std::string& message);
// Writes text on stderr as it is, after a problem's line: how to do better (the usage after
// a refused command line).
void ReportFollowUp(const std::string& text);
