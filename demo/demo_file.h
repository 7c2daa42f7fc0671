// The demo file: what START applied, then one entry per frame of every timed screen with
// the input states the frame read and the clock readings it took. Binary, little-endian:
//
//   "BRANDEMO"                      8 bytes, the format's name
//   u16 format version              DemoFormatVersion
//   u8 n, n bytes                   the game version that recorded it ("0.5")
//   11 x i32                        the settings, in the option table's order
//   entries until the end mark:
//     u8 screen                     1 title, 2 game, 3 transition, 4 ending; 0xFF end mark
//     u8 regains                    times the window got the focus back before this frame
//     u64 input states              bit i = state i (36 states)
//     u16 n, n x u32                the clock readings, in the order they were taken
//
// A file without its end mark was cut short (the game crashed or was killed): it still
// plays, up to its last whole entry.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "media/replace_file.h"
#include "options/option_table.h"

inline constexpr char DemoMagic[] = "BRANDEMO";
inline constexpr uint16_t DemoFormatVersion = 1;

// A file that cannot be played: the message names the file and the reason.
class DemoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class DemoScreen : uint8_t { Title = 1, Game = 2, Transition = 3, Ending = 4 };
const char* DemoScreenName(DemoScreen screen);

// Every value START took (the bonus modes as START left them, the play count included):
// one per option a demo records, as DemoValueOf gives it. At first, the options' defaults.
struct DemoSettings {
    std::array<int32_t, DemoOptionCount> values = Defaults();
    int32_t& operator[](Option id) { return values[static_cast<size_t>(id)]; }
    int32_t operator[](Option id) const { return values[static_cast<size_t>(id)]; }
    bool operator==(const DemoSettings&) const = default;

private:
    static constexpr std::array<int32_t, DemoOptionCount> Defaults() {
        std::array<int32_t, DemoOptionCount> values{};
        for (size_t i = 0; i < DemoOptionCount; ++i)
            values[i] = DemoValueOf(OptionTable[i], OptionTable[i].default_value);
        return values;
    }
};

struct DemoFrame {
    DemoScreen screen = DemoScreen::Title;
    uint8_t regains = 0;
    uint64_t states = 0;
    std::vector<uint32_t> readings;
    bool operator==(const DemoFrame&) const = default;
};

struct Demo {
    std::string game_version;
    DemoSettings settings;
    std::vector<DemoFrame> frames;
    // False when the file ends without its end mark; `cut` then says where.
    bool complete = false;
    std::string cut;
};

// Reads a whole demo. Throws DemoError with the reason alone (no file name) for anything
// that is not a playable demo of this format.
Demo ParseDemo(std::span<const uint8_t> bytes);
// Reads the file; DemoError messages start with the path.
Demo ReadDemo(const std::string& path);

// Writes a demo as it is recorded; every entry reaches the file at once, so whatever
// happens to the game, what was recorded can be played.
class DemoWriter {
public:
    // Starts a new file for path (an old one there stays until the header is written);
    // DemoError names the path when it cannot.
    explicit DemoWriter(const std::string& path);
    ~DemoWriter();
    DemoWriter(const DemoWriter&) = delete;
    DemoWriter& operator=(const DemoWriter&) = delete;

    void WriteHeader(const std::string& game_version, const DemoSettings& settings);
    void WriteFrame(const DemoFrame& frame);
    // The end mark; the file is closed. A writer finished before its header (or that could
    // not write it) leaves no file of its own.
    void Finish();
    bool HeaderWritten() const { return header_written_; }
    // Set once a write failed (disk full...); later entries are dropped.
    const std::string& Failure() const { return failure_; }
    const std::string& Path() const { return path_; }

private:
    void Put(const std::vector<uint8_t>& bytes);

    std::string path_;
    TAppendFile file_;
    bool finished_ = false;
    bool header_written_ = false;
    std::string failure_;
};

// The bytes of a header and of a frame entry (tests and tools build demos with them).
std::vector<uint8_t> DemoHeaderBytes(const std::string& game_version, const DemoSettings& settings,
                                     uint16_t format_version = DemoFormatVersion);
std::vector<uint8_t> DemoFrameBytes(const DemoFrame& frame);
inline constexpr uint8_t DemoEndMark = 0xFF;
