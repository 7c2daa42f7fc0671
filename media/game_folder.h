// Where the game's meshes, pictures, maps and sounds are: beside the program in a build
// tree, or in ../share/brannock beside the program's bin/ folder when installed.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

// No folder holds the game files; the message names every place searched.
class EGameFilesMissing : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The places searched for a program in program_dir, in order.
std::vector<std::filesystem::path> GameFolderCandidates(const std::filesystem::path& program_dir);

// The first candidate that holds the game files, with a trailing '/'. Throws
// EGameFilesMissing when none does.
std::string FindGameFolder(const std::filesystem::path& program_dir);

// FindGameFolder for the running program.
std::string GameFolder();
