// The top-10 record tables as bytes: ten 108-byte records, rank 1 first, no header.
// Pure functions of memory; reading and writing the files is in record_file.h.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "media/language.h"

constexpr size_t RecordCount = 10;
constexpr size_t RecordNameSize = 101; // zero-terminated, Shift-JIS bytes
constexpr size_t RecordFillerSize = 3; // carried along unchanged
constexpr size_t RecordSize = 108;
constexpr size_t RecordTableSize = RecordCount * RecordSize; // 1080
// A rank that did not enter the table.
constexpr int NoRank = 11;

struct TRecord {
    std::array<uint8_t, RecordNameSize> Name{};
    std::array<uint8_t, RecordFillerSize> Filler{};
    int32_t Score = 0;
    bool operator==(const TRecord&) const = default;
};

using TRecordTable = std::array<TRecord, RecordCount>;

// The name a cleared table's entries hold, as stored (Tr gives it in the player's language).
inline constexpr const char* EmptyRecordName = TrMark("NoBody");

// Ten EmptyRecordName entries of score 0, every other byte zero.
TRecordTable ClearedTable();

// The table held in a file's bytes; nullopt unless there are exactly 1080 of them.
std::optional<TRecordTable> ParseRecordTable(std::span<const uint8_t> bytes);
std::vector<uint8_t> SerializeRecordTable(const TRecordTable& table);

// The 1-based rank a value takes: the first record whose score is less (so equal scores
// keep the older entry ahead), or NoRank.
int RankOf(const TRecordTable& table, int32_t value);
// Moves the records from rank on down by one place (the last falls out) and sets the
// score at rank. The record at rank keeps its other bytes until a name is set.
void InsertAt(TRecordTable& table, int rank, int32_t value);
// Copies a name (at most 100 bytes) with its terminating zero; the bytes after the zero
// stay as they were.
void SetName(TRecord& record, std::string_view shift_jis);
// The name's bytes up to the first zero (all 101 when there is none).
std::string NameBytes(const TRecord& record);

// A typed name (UTF-8) as Shift-JIS bytes: a character without a Shift-JIS form, or a
// broken UTF-8 sequence, becomes "?"; cut at a character boundary to at most max_bytes.
std::string NameToShiftJis(std::string_view utf8, size_t max_bytes = RecordNameSize - 1);
// Shift-JIS bytes as UTF-8 for showing; a byte sequence that is no character becomes "?".
std::string NameFromShiftJis(std::string_view shift_jis);

// A score as the table shows it: the number in points mode; in time mode the time
// 5999999 - score as a TimeText.
std::string ScoreText(int32_t score, bool time_mode);
// The value a time-attack total is stored as (larger is better in both tables).
constexpr int32_t TimeRecordValue(int32_t total_ms) {
    return 5999999 - total_ms;
}
